#pragma once

#include <QImage>
#include <QString>

namespace mrv {

/// No picture worth drawing is this large; the bound keeps a stray huge file from being read
/// whole into memory. Larger files are not read as pictures or animations.
inline constexpr qint64 MaxPictureFileBytes = 512LL * 1024 * 1024;

/// Decodes a picture file: PNG, BMP, JPEG, GIF (its first frame) or TIFF, recognised by content.
/// The path is used exactly as given (no resolution against a project folder).
/// Returns a null image when the file is missing, unreadable or not a picture; callers then
/// draw nothing in its place. The result is ARGB32_Premultiplied when the picture has an alpha
/// channel and RGB32 otherwise, the two formats QPainter draws fastest.
/// Safe to call from any thread.
QImage LoadPicture(const QString &path);

/// Why LoadPicture cannot read the file, judged from the file and the head of its content
/// without decoding it (no file, a folder, unreadable, too large, not a picture format Qt
/// reads); empty when it looks like a readable picture. Safe to call from any thread.
QString PictureProblem(const QString &path);

} // namespace mrv
