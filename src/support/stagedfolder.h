#pragma once

#include "support/result.h"

#include <QString>
#include <QStringList>

#include <atomic>

namespace mrv {

/// A set of files (a sequence, a theme, imported frames) written into a hidden temporary
/// folder and moved into their destination folder only when every one is complete. Without
/// Commit the temporary folder and everything in it is removed: a failed or cancelled run
/// leaves the destination exactly as it was, never a set that mixes two runs.
class StagedFolder
{
public:
    /// Files that will end up in the destination folder, or below it.
    explicit StagedFolder(const QString &destination);
    ~StagedFolder();
    StagedFolder(const StagedFolder &) = delete;
    StagedFolder &operator=(const StagedFolder &) = delete;

    /// Creates the temporary folder: beside the destination when the destination does not
    /// exist yet (it then appears whole, in one rename), else inside it. The destination's
    /// parent must exist.
    Status Open();
    /// Where to write the file that belongs at the final path (inside the destination);
    /// folders on the way are made by Commit's caller's writes, see MakeFolder.
    QString StagedPath(const QString &finalPath) const;
    /// Makes a folder below the staging folder for the final folder path.
    Status MakeFolder(const QString &finalFolder) const;
    /// Moves everything into the destination, replacing regular files of the same names and
    /// refusing anything else in the way (before a single file has moved). Into an existing
    /// folder the moves hold a lock file there, so a second writer waits until the first has
    /// moved its whole set (or is refused after a while, or at the cancel flag) instead of
    /// mixing the two sets.
    Status Commit(const std::atomic_bool *cancel = nullptr);
    /// The final paths of the files Commit moved into an existing folder before it failed;
    /// empty when it failed before the first move.
    const QStringList &Moved() const { return m_moved; }
    /// Removes the temporary folder and what was written into it.
    void Abort();
    /// The status with the hidden staging folder's path replaced by the destination's in its
    /// message: the user is told about the file asked for, not one never seen.
    Status Shown(const Status &status) const;

    const QString &Destination() const { return m_destination; }

private:
    QString m_destination;
    QString m_staging;
    bool m_whole = false; // the staging folder becomes the destination by one rename
    QStringList m_moved;
};

} // namespace mrv
