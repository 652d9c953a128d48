#pragma once

#include "support/result.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <atomic>
#include <functional>

class QIODevice;

namespace mrv {

/// The failure text of a write to the path: "无法写入“path”：reason".
Status WriteFailure(const QString &path, const QString &reason);

/// Whether the path may be written over: it does not exist yet, or it is a regular file that
/// may be written (through symbolic links). Devices, FIFOs, sockets, folders and read-only files
/// are refused with their path and why, so that a save never replaces what it must not.
Status CheckReplaceable(const QString &path);

/// A name for a temporary file or folder of this process: the stem, the process id and a
/// random tag, ".mrvtmp" ("." + "p.mrv." + "4711-1a2b3c4d.mrvtmp").
QString TemporaryName(const QString &stem);

/// Removes the temporaries of the stem in the folder whose process has ended (killed in the
/// middle of a write): the next write to the same place cleans up after it. Temporaries of
/// running processes, and names of no process, stay.
void RemoveAbandonedTemporaries(const QString &folder, const QString &stem);

/// Whether a completed file is also forced to the disk before it replaces the target.
enum class Durability
{
    /// Flushed to the system only: exports write many large files, and losing one to a power
    /// cut is not worth a sync each.
    Flush,
    /// Synced before the rename: the user's project and settings survive a power cut whole.
    Sync,
};

/// A file written under a unique temporary name in the target's folder and renamed over the
/// target only when every byte is down. Without Commit (a failure, a cancel, an exception) the
/// temporary file is removed and the target stays as it was.
class AtomicFile
{
public:
    explicit AtomicFile(const QString &target, Durability durability = Durability::Flush);
    ~AtomicFile();
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    /// Checks the target and creates the temporary file, open for reading and writing.
    Status Open();
    /// The temporary file, for writes (unbuffered: every failure shows at the call).
    QFile &Device() { return m_file; }
    /// Closes the temporary file, checks that nothing failed and puts it in place of the
    /// target, keeping the target's permissions. On failure, and when the cancel flag is set
    /// by the time the bytes are down (a signal during the sync), the temporary file is
    /// removed and the target stays as it was.
    Status Commit(const std::atomic_bool *cancel = nullptr);
    /// Removes the temporary file; the target is untouched.
    void Abort();

    const QString &Target() const { return m_target; }

private:
    QString m_target;
    QString m_written; // where the target's bytes end up: the file a symbolic link names
    Durability m_durability;
    QFile m_file;
    bool m_open = false;
};

/// Writes the bytes to the path through an AtomicFile. The error names the path and reason.
Status WriteFileAtomically(const QString &path, const QByteArray &bytes,
                           Durability durability = Durability::Flush,
                           const std::atomic_bool *cancel = nullptr);

/// The same for a file written piece by piece: write() puts the whole file into the device
/// and returns false when a write failed.
Status WriteFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &write,
                           Durability durability = Durability::Flush,
                           const std::atomic_bool *cancel = nullptr);

} // namespace mrv
