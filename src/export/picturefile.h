#pragma once

#include "support/result.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

namespace mrv {

/// Writes a picture file: the bytes go to a temporary file beside the target, which then
/// replaces the target. A failed write (missing folder, full disk, a folder in the way)
/// removes the temporary file, leaves the target as it was and names the path and the reason.
/// No sync to disk: exports write thousands of files and a power loss is not this
/// function's concern.
Status WritePictureFile(const QString &path, const QByteArray &bytes);

/// The same for a picture written piece by piece: write() puts the whole picture into the
/// device and returns false when a write failed.
Status WritePictureFile(const QString &path, const std::function<bool(QIODevice &)> &write);

/// Creates a folder with its missing parents, or accepts it when it exists. Fails when a file
/// stands where the folder or one of its parents should be, or the folder cannot be made.
Status EnsureFolder(const QString &path);

} // namespace mrv
