#pragma once

#include "support/result.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

namespace mrv {

/// How a picture file replaces what is at its path.
enum class WriteMode
{
    /// Through a unique temporary file beside the target, renamed over it when complete: a
    /// failed write leaves the old file as it was (AtomicFile).
    Replace,
    /// Straight into the target; a failed write removes the partial file. Only for files of a
    /// StagedFolder, which is itself moved into place when complete.
    Direct,
};

/// Writes a picture file. A failed write (missing folder, full disk, a folder in the way)
/// leaves no partial file and names the path and the reason. No sync to disk: exports write
/// thousands of files and a power loss is not this function's concern.
Status WritePictureFile(const QString &path, const QByteArray &bytes,
                        WriteMode mode = WriteMode::Replace);

/// The same for a picture written piece by piece: write() puts the whole picture into the
/// device and returns false when a write failed.
Status WritePictureFile(const QString &path, const std::function<bool(QIODevice &)> &write,
                        WriteMode mode = WriteMode::Replace);

/// The failure text of a write to the path.
Status PictureWriteFailure(const QString &path, const QString &reason);

/// Whether making a folder may also make the folders above it.
enum class FolderParents
{
    Create,
    /// The folder above must exist already: a mistyped output path fails instead of growing
    /// a tree of folders nobody asked for.
    MustExist,
};

/// Creates a folder (with its missing parents when allowed), or accepts it when it exists.
/// Fails when a file stands where the folder or one of its parents should be, when a parent
/// is missing and may not be made, or when the folder cannot be made.
Status EnsureFolder(const QString &path, FolderParents parents = FolderParents::Create);

} // namespace mrv
