#include "support/regularfile.h"

#include "support/tr.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace mrv {

#ifdef Q_OS_UNIX

namespace {

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

/// Why a file of this type is not read; empty for a regular file.
QString TypeProblem(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return Tr::tr("这是文件夹，不是文件");
    if (S_ISFIFO(mode))
        return Tr::tr("这是管道（FIFO），不是普通文件，不会读取");
    if (S_ISSOCK(mode))
        return Tr::tr("这是套接字，不是普通文件，不会读取");
    return Tr::tr("这是设备文件，不是普通文件，不会读取");
}

} // namespace

Status OpenRegularFile(QFile &file)
{
    const QByteArray name = QFile::encodeName(file.fileName());
    struct stat info{};
    // Looked at before opening, so that a device is never opened at all.
    if (::stat(name.constData(), &info) != 0)
        return Status::Fail(SystemReason(errno));
    if (QString problem = TypeProblem(info.st_mode); !problem.isEmpty())
        return Status::Fail(std::move(problem));
    // Non-blocking, in case a FIFO took the file's place since: the open then returns at once
    // and the type is checked again on what was opened.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Status::Fail(SystemReason(errno));
    QString problem;
    if (::fstat(fd, &info) != 0)
        problem = SystemReason(errno);
    else
        problem = TypeProblem(info.st_mode);
    const int flags = ::fcntl(fd, F_GETFL);
    if (problem.isEmpty() && (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0))
        problem = SystemReason(errno);
    if (problem.isEmpty() && !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        problem = file.errorString();
    if (!problem.isEmpty()) {
        ::close(fd);
        return Status::Fail(std::move(problem));
    }
    return Status::Ok();
}

#else

Status OpenRegularFile(QFile &file)
{
    const QFileInfo info(file.fileName());
    if (info.isDir())
        return Status::Fail(Tr::tr("这是文件夹，不是文件"));
    if (info.exists() && !info.isFile())
        return Status::Fail(Tr::tr("这不是普通文件，不会读取"));
    if (!file.open(QIODevice::ReadOnly))
        return Status::Fail(file.errorString());
    return Status::Ok();
}

#endif

} // namespace mrv
