#include "support/atomicfile.h"

#include "support/fileerror.h"
#include "support/tr.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

namespace mrv {

namespace {

std::filesystem::path nativePath(const QString &path)
{
    return std::filesystem::path(path.toStdU16String());
}

// The file a write to the path ends up in: a symbolic link stays and its target is replaced,
// as editors do.
QString resolvedTarget(const QString &path)
{
    QString resolved = path;
    for (int hops = 0; hops < 16; ++hops) {
        const QFileInfo info(resolved);
        if (!info.isSymLink())
            break;
        resolved = info.symLinkTarget();
    }
    return resolved;
}

bool syncToDisk(QFile &file)
{
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// Whether the process is known to have ended; a process of another user, or any on a system
// that cannot tell, counts as running.
bool ProcessGone(qint64 pid)
{
#ifdef Q_OS_WIN
    Q_UNUSED(pid);
    return false;
#else
    return pid > 0 && pid != QCoreApplication::applicationPid() && ::kill(pid_t(pid), 0) != 0 &&
           errno == ESRCH;
#endif
}

} // namespace

QString TemporaryName(const QString &stem)
{
    // One arg() call: a "%2" in a file name must stay as it is.
    return QStringLiteral("%1%2-%3.mrvtmp")
        .arg(stem, QString::number(QCoreApplication::applicationPid()),
             QStringLiteral("%1").arg(QRandomGenerator::global()->generate(), 8, 16,
                                      QChar(u'0')));
}

void RemoveAbandonedTemporaries(const QString &folder, const QString &stem)
{
    const QRegularExpression ours(QStringLiteral("^%1([0-9]+)-[0-9a-f]{8}\\.mrvtmp$")
                                      .arg(QRegularExpression::escape(stem)));
    const QDir dir(folder);
    const QStringList names = dir.entryList({QStringLiteral("*.mrvtmp")},
                                            QDir::AllEntries | QDir::Hidden | QDir::System |
                                                QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = ours.match(name);
        if (!match.hasMatch() || !ProcessGone(match.captured(1).toLongLong()))
            continue;
        const QString path = dir.filePath(name);
        // Not followed: a link named like ours goes, never what it points to.
        if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }
}

Status WriteFailure(const QString &path, const QString &reason)
{
    return Status::Fail(
        Tr::tr("无法写入“%1”：%2").arg(QDir::toNativeSeparators(path), reason));
}

Status CheckReplaceable(const QString &path)
{
    std::error_code error;
    const auto status = std::filesystem::status(nativePath(resolvedTarget(path)), error);
    if (error || status.type() == std::filesystem::file_type::not_found)
        return Status::Ok();
    if (status.type() == std::filesystem::file_type::directory)
        return WriteFailure(path, Tr::tr("同名的文件夹已存在"));
    if (status.type() != std::filesystem::file_type::regular)
        return WriteFailure(path,
                            Tr::tr("这不是普通文件（设备、管道或套接字），不会被替换"));
    // The write bits count even for an administrator: a file marked read-only stays as it is.
    using std::filesystem::perms;
    const QFileInfo info(path);
    if (!info.isWritable() || (status.permissions() & (perms::owner_write | perms::group_write |
                                                       perms::others_write)) == perms::none)
        return WriteFailure(path, Tr::tr("文件是只读的"));
    return Status::Ok();
}

AtomicFile::AtomicFile(const QString &target, Durability durability)
    : m_target(target), m_written(resolvedTarget(target)), m_durability(durability)
{}

AtomicFile::~AtomicFile()
{
    Abort();
}

Status AtomicFile::Open()
{
    if (const Status replaceable = CheckReplaceable(m_target); !replaceable)
        return replaceable;
    const QFileInfo target(m_written);
    const QDir folder = target.absoluteDir();
    if (!folder.exists())
        return WriteFailure(
            m_target,
            Tr::tr("文件夹“%1”不存在").arg(QDir::toNativeSeparators(folder.path())));
    // A name of its own per write, so that two writers of one target never share a file;
    // the process id in it lets the next write clean up after a killed one.
    const QString stem = QStringLiteral(".%1.").arg(target.fileName());
    RemoveAbandonedTemporaries(folder.path(), stem);
    for (int attempt = 0; attempt < 64; ++attempt) {
        m_file.setFileName(folder.filePath(TemporaryName(stem)));
        errno = 0;
        if (m_file.open(QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            m_open = true;
            return Status::Ok();
        }
        if (!QFileInfo::exists(m_file.fileName()))
            return WriteFailure(m_target, FileErrorReason(m_file, errno));
    }
    return WriteFailure(m_target, Tr::tr("无法创建临时文件"));
}

Status AtomicFile::Commit(const std::atomic_bool *cancel)
{
    if (!m_open)
        return WriteFailure(m_target, Tr::tr("文件未打开"));
    errno = 0;
    QString reason;
    if (m_file.error() != QFileDevice::NoError)
        reason = m_file.errorString();
    else if (m_durability == Durability::Sync && !syncToDisk(m_file))
        reason = FileErrorReason(m_file, errno);
    if (reason.isEmpty()) {
        errno = 0;
        m_file.close();
        if (m_file.error() != QFileDevice::NoError)
            reason = FileErrorReason(m_file, errno);
    }
    if (reason.isEmpty() && cancel && cancel->load())
        reason = Tr::tr("已取消，原有的文件保持不变");
    if (!reason.isEmpty()) {
        Abort();
        return WriteFailure(m_target, reason);
    }
    if (QFileInfo::exists(m_written))
        QFile::setPermissions(m_file.fileName(), QFileInfo(m_written).permissions());
    std::error_code error;
    std::filesystem::rename(nativePath(m_file.fileName()), nativePath(m_written), error);
    if (error) {
        Abort();
        return WriteFailure(m_target, QString::fromStdString(error.message()));
    }
    m_open = false;
    return Status::Ok();
}

void AtomicFile::Abort()
{
    if (!m_open)
        return;
    m_file.close();
    QFile::remove(m_file.fileName());
    m_open = false;
}

Status WriteFileAtomically(const QString &path, const QByteArray &bytes, Durability durability,
                           const std::atomic_bool *cancel)
{
    return WriteFileAtomically(
        path, [&bytes](QIODevice &file) { return file.write(bytes) == bytes.size(); }, durability,
        cancel);
}

Status WriteFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &write,
                           Durability durability, const std::atomic_bool *cancel)
{
    AtomicFile file(path, durability);
    if (const Status opened = file.Open(); !opened)
        return opened;
    errno = 0;
    if (!write(file.Device())) {
        const QString reason = FileErrorReason(file.Device(), errno);
        file.Abort();
        return WriteFailure(path, reason);
    }
    return file.Commit(cancel);
}

} // namespace mrv
