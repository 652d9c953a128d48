#include "imaging/picturefile.h"

#include "support/fileerror.h"

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
    const QString written = mode == WriteMode::Replace ? TemporaryPicturePath(path) : path;
    QFile file(written);
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
        QFile::remove(written);
        return PictureWriteFailure(path, complete ? closeReason : reason);
    }
    if (mode == WriteMode::Direct)
        return Status::Ok();
    return CommitPictureFile(written, path);
}

QString TemporaryPicturePath(const QString &path)
{
    return path + QStringLiteral(".mrvtmp");
}

Status CommitPictureFile(const QString &temporary, const QString &path)
{
    std::error_code error;
    std::filesystem::rename(nativePath(temporary), nativePath(path), error);
    if (error) {
        QFile::remove(temporary);
        return PictureWriteFailure(path, QString::fromStdString(error.message()));
    }
    return Status::Ok();
}

Status PictureWriteFailure(const QString &path, const QString &reason)
{
    return Status::Fail(
        QStringLiteral("无法写入“%1”：%2").arg(QDir::toNativeSeparators(path), reason));
}

Status EnsureFolder(const QString &path, FolderParents parents)
{
    const QFileInfo info(path);
    if (info.isDir())
        return Status::Ok();
    if (info.exists())
        return Status::Fail(
            QStringLiteral("无法创建文件夹“%1”：已有同名文件").arg(QDir::toNativeSeparators(path)));
    std::error_code error;
    if (parents == FolderParents::MustExist) {
        const QString parent = info.absolutePath();
        if (!QFileInfo(parent).isDir())
            return Status::Fail(
                QStringLiteral("无法创建文件夹“%1”：上级文件夹“%2”不存在")
                    .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(parent)));
        std::filesystem::create_directory(nativePath(path), error);
    } else {
        std::filesystem::create_directories(nativePath(path), error);
    }
    if (error)
        return Status::Fail(
            QStringLiteral("无法创建文件夹“%1”：%2")
                .arg(QDir::toNativeSeparators(path), QString::fromStdString(error.message())));
    return Status::Ok();
}

} // namespace mrv
