#pragma once

#include "imaging/gifencoder.h"
#include "imaging/pictureformats.h"
#include "support/result.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace mrv {

/// Quality of every JPEG the exports write.
inline constexpr int ExportJpegQuality = 90;

/// The format written for an extension: exactly ".png", ".bmp", ".jpg", ".gif" or ".tif"
/// (case-sensitive; ".PNG" or ".jpeg" is none).
std::optional<PictureFormat> FormatOfExtension(const QString &extension);

/// 8-bit PNG with the alpha channel (RGB only when every pixel is opaque).
Result<QByteArray> EncodePng(const QImage &canvas);
/// Uncompressed 24-bit bottom-up bitmap; transparent parts come out black.
Result<QByteArray> EncodeBmp(const QImage &canvas);
/// Baseline JPEG at the given quality (0..100); transparent parts come out black.
Result<QByteArray> EncodeJpg(const QImage &canvas, int quality);
/// TIFF with the alpha channel.
Result<QByteArray> EncodeTif(const QImage &canvas);

/// The encoder of the format's table entry (JPEG at ExportJpegQuality).
Result<QByteArray> EncodePicture(const QImage &canvas, PictureFormat format);

/// Encode and write the file; a failure names the path and the reason. A failed write leaves
/// any earlier file at the path as it was.
Status SavePng(const QImage &canvas, const QString &path);
Status SaveBmp(const QImage &canvas, const QString &path);
Status SaveJpg(const QImage &canvas, const QString &path, int quality);
Status SaveGif(const QImage &canvas, const QString &path);
Status SaveTif(const QImage &canvas, const QString &path);

/// Saves in the format of the extension (".png", ".bmp", ".jpg" at quality 90, ".gif", ".tif",
/// compared exactly). Any other extension writes nothing and fails.
Status SaveByExtension(const QImage &canvas, const QString &path, const QString &extension);

/// A failure to encode a picture for a path: the reason and the path that was not written.
QString NotWrittenMessage(const QString &reason, const QString &path);

/// The failure text for an extension that has no format.
QString UnsupportedExtensionMessage(const QString &extension, const QString &path);

} // namespace mrv
