#include "support/atomicfile.h"

#include "support/fileerror.h"
#include "support/tr.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#else
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

} // namespace

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
    // A name of its own per write, so that two writers of one target never share a file.
    for (int attempt = 0; attempt < 64; ++attempt) {
        const QString name = QStringLiteral(".%1.%2.mrvtmp")
                                 .arg(target.fileName())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
        m_file.setFileName(folder.filePath(name));
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

Status AtomicFile::Commit()
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

Status WriteFileAtomically(const QString &path, const QByteArray &bytes, Durability durability)
{
    return WriteFileAtomically(
        path, [&bytes](QIODevice &file) { return file.write(bytes) == bytes.size(); }, durability);
}

Status WriteFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &write,
                           Durability durability)
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
    return file.Commit();
}

} // namespace mrv
