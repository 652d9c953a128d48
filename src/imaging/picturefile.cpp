#include "imaging/picturefile.h"

#include "support/atomicfile.h"
#include "support/fileerror.h"
#include "support/tr.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace mrv {

namespace {

std::filesystem::path nativePath(const QString &path)
{
    return std::filesystem::path(path.toStdU16String());
}

} // namespace

Status WritePictureFile(const QString &path, const QByteArray &bytes, WriteMode mode)
{
    return WritePictureFile(
        path, [&bytes](QIODevice &file) { return file.write(bytes) == bytes.size(); }, mode);
}

Status WritePictureFile(const QString &path, const std::function<bool(QIODevice &)> &write,
                        WriteMode mode)
{
    if (mode == WriteMode::Replace)
        return WriteFileAtomically(path, write);
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return PictureWriteFailure(path, FileErrorReason(file, errno));
    errno = 0;
    const bool complete = write(file);
    const QString reason = FileErrorReason(file, errno);
    errno = 0;
    file.close();
    if (!complete || file.error() != QFileDevice::NoError) {
        const QString closeReason = FileErrorReason(file, errno);
        QFile::remove(path);
        return PictureWriteFailure(path, complete ? closeReason : reason);
    }
    return Status::Ok();
}

Status PictureWriteFailure(const QString &path, const QString &reason)
{
    return WriteFailure(path, reason);
}

Status EnsureFolder(const QString &path, FolderParents parents)
{
    const QFileInfo info(path);
    if (info.isDir())
        return Status::Ok();
    if (info.exists())
        return Status::Fail(
            Tr::tr("无法创建文件夹“%1”：已有同名文件").arg(QDir::toNativeSeparators(path)));
    std::error_code error;
    if (parents == FolderParents::MustExist) {
        const QString parent = info.absolutePath();
        if (!QFileInfo(parent).isDir())
            return Status::Fail(
                Tr::tr("无法创建文件夹“%1”：上级文件夹“%2”不存在")
                    .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(parent)));
        std::filesystem::create_directory(nativePath(path), error);
    } else {
        std::filesystem::create_directories(nativePath(path), error);
    }
    if (error)
        return Status::Fail(
            Tr::tr("无法创建文件夹“%1”：%2")
                .arg(QDir::toNativeSeparators(path), QString::fromStdString(error.message())));
    return Status::Ok();
}

} // namespace mrv
