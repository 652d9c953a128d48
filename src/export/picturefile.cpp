#include "export/picturefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace mrv {

namespace {

std::filesystem::path nativePath(const QString &path)
{
    return std::filesystem::path(path.toStdU16String());
}

Status writeFailure(const QString &path, const QString &reason)
{
    return Status::Fail(QStringLiteral("无法写入“%1”：%2").arg(QDir::toNativeSeparators(path), reason));
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
    const QString written = mode == WriteMode::Replace ? path + QStringLiteral(".mrvtmp") : path;
    QFile file(written);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return writeFailure(path, file.errorString());
    const bool complete = write(file);
    const QString reason = file.errorString();
    file.close();
    if (!complete || file.error() != QFileDevice::NoError) {
        QFile::remove(written);
        return writeFailure(path, complete ? file.errorString() : reason);
    }
    if (mode == WriteMode::Direct)
        return Status::Ok();
    std::error_code error;
    std::filesystem::rename(nativePath(written), nativePath(path), error);
    if (error) {
        QFile::remove(written);
        return writeFailure(path, QString::fromStdString(error.message()));
    }
    return Status::Ok();
}

Status EnsureFolder(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return Status::Ok();
    if (info.exists())
        return Status::Fail(QStringLiteral("无法创建文件夹“%1”：已有同名文件").arg(QDir::toNativeSeparators(path)));
    std::error_code error;
    std::filesystem::create_directories(nativePath(path), error);
    if (error)
        return Status::Fail(QStringLiteral("无法创建文件夹“%1”：%2")
                                .arg(QDir::toNativeSeparators(path), QString::fromStdString(error.message())));
    return Status::Ok();
}

} // namespace mrv
