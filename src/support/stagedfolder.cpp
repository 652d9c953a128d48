#include "support/stagedfolder.h"

#include "support/atomicfile.h"
#include "support/tr.h"

#include <QDir>
#include <QDirIterator>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLockFile>

#include <filesystem>
#include <system_error>

namespace mrv {

namespace {

std::filesystem::path nativePath(const QString &path)
{
    return std::filesystem::path(path.toStdU16String());
}

Status FolderFailure(const QString &path, const QString &reason)
{
    return Status::Fail(
        Tr::tr("无法创建文件夹“%1”：%2").arg(QDir::toNativeSeparators(path), reason));
}

// How long a commit waits for another writer's moves into the same folder: ten thousand
// renames take a second or two even on slow media.
constexpr int LockWaitMs = 60000;

bool Cancelled(const std::atomic_bool *cancel)
{
    return cancel && cancel->load();
}

/// Takes the folder's lock file, waiting for another holder; the lock stays untaken (and the
/// moves go ahead) only when the file itself cannot be made, a full disk or a read-only
/// folder, which is not another writer.
Status TakeLock(QLockFile &lock, const QString &folder, const std::atomic_bool *cancel)
{
    // Only a holder that is gone makes the file stale, never its age.
    lock.setStaleLockTime(0);
    const QDeadlineTimer deadline(LockWaitMs);
    while (!lock.tryLock(100)) {
        if (lock.error() != QLockFile::LockFailedError)
            return Status::Ok();
        if (Cancelled(cancel) || deadline.hasExpired())
            return WriteFailure(folder, Tr::tr("另一个程序正在向这个文件夹写入文件，"
                                               "请等它完成后再试"));
    }
    return Status::Ok();
}

} // namespace

StagedFolder::StagedFolder(const QString &destination)
    : m_destination(QDir::cleanPath(QFileInfo(destination).absoluteFilePath()))
{}

StagedFolder::~StagedFolder()
{
    Abort();
}

Status StagedFolder::Open()
{
    const QFileInfo destination(m_destination);
    if (destination.exists() && !destination.isDir())
        return FolderFailure(m_destination, Tr::tr("已有同名文件"));
    m_whole = !destination.exists();
    const QString parent = destination.absolutePath();
    if (!QFileInfo(parent).isDir())
        return FolderFailure(
            m_destination,
            Tr::tr("上级文件夹“%1”不存在").arg(QDir::toNativeSeparators(parent)));
    const QDir home(m_whole ? parent : m_destination);
    // What a killed run left in the same place goes first.
    const QString stem = m_whole ? QStringLiteral(".%1.").arg(destination.fileName())
                                 : QStringLiteral(".mirovane-");
    RemoveAbandonedTemporaries(home.path(), stem);
    for (int attempt = 0; attempt < 64; ++attempt) {
        const QString name = TemporaryName(stem);
        std::error_code error;
        if (std::filesystem::create_directory(nativePath(home.filePath(name)), error)) {
            m_staging = home.filePath(name);
            return Status::Ok();
        }
        if (error)
            return FolderFailure(m_destination, QString::fromStdString(error.message()));
    }
    return FolderFailure(m_destination, Tr::tr("无法创建临时文件夹"));
}

QString StagedFolder::StagedPath(const QString &finalPath) const
{
    const QString relative =
        QDir(m_destination).relativeFilePath(QFileInfo(finalPath).absoluteFilePath());
    return QDir(m_staging).filePath(relative);
}

Status StagedFolder::MakeFolder(const QString &finalFolder) const
{
    const QString staged = StagedPath(finalFolder);
    std::error_code error;
    std::filesystem::create_directories(nativePath(staged), error);
    if (error)
        return FolderFailure(finalFolder, QString::fromStdString(error.message()));
    return Status::Ok();
}

Status StagedFolder::Commit(const std::atomic_bool *cancel)
{
    m_moved.clear();
    if (m_staging.isEmpty())
        return FolderFailure(m_destination, Tr::tr("临时文件夹未创建"));
    std::error_code error;
    if (m_whole) {
        std::filesystem::rename(nativePath(m_staging), nativePath(m_destination), error);
        if (error)
            return WriteFailure(m_destination, QString::fromStdString(error.message()));
        m_staging.clear();
        return Status::Ok();
    }
    const QDir staging(m_staging);
    QStringList files;
    QStringList folders;
    for (QDirIterator it(m_staging, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = it.next();
        (it.fileInfo().isDir() ? folders : files) << staging.relativeFilePath(path);
    }
    // In order, so that the files a broken-off commit has moved are a range of the set.
    files.sort();
    const QDir destination(m_destination);
    QLockFile lock(destination.filePath(QStringLiteral(".mirovane.lock")));
    if (const Status locked = TakeLock(lock, m_destination, cancel); !locked)
        return locked;
    // Everything in the way is checked before the first file moves, so a refusal leaves the
    // destination as it was.
    for (const QString &relative : files) {
        const QString target = destination.filePath(relative);
        const QFileInfo folder(QFileInfo(target).absolutePath());
        if (folder.exists() && !folder.isDir())
            return FolderFailure(folder.filePath(), Tr::tr("已有同名文件"));
        if (const Status replaceable = CheckReplaceable(target); !replaceable)
            return replaceable;
    }
    for (const QString &relative : folders) {
        const QString target = destination.filePath(relative);
        if (std::filesystem::create_directories(nativePath(target), error); error)
            return FolderFailure(target, QString::fromStdString(error.message()));
    }
    for (const QString &relative : files) {
        const QString target = destination.filePath(relative);
        std::filesystem::create_directories(nativePath(QFileInfo(target).absolutePath()), error);
        if (!error)
            std::filesystem::rename(nativePath(staging.filePath(relative)), nativePath(target),
                                    error);
        if (error)
            return WriteFailure(target, QString::fromStdString(error.message()));
        m_moved << target;
    }
    Abort();
    return Status::Ok();
}

Status StagedFolder::Shown(const Status &status) const
{
    if (status || m_staging.isEmpty())
        return status;
    QString message = status.message();
    message.replace(QDir::toNativeSeparators(m_staging), QDir::toNativeSeparators(m_destination));
    return Status::Fail(message);
}

void StagedFolder::Abort()
{
    if (m_staging.isEmpty())
        return;
    QDir(m_staging).removeRecursively();
    m_staging.clear();
}

} // namespace mrv
