#include "imaging/imageencoders.h"

#include "imaging/bmpfile.h"
#include "imaging/canvas.h"
#include "imaging/picturefile.h"
#include "imaging/pngcodec.h"
#include "support/tr.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>

namespace mrv {

namespace {

Result<QByteArray> encodeWithQt(const QImage &image, const char *format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (!writer.write(image))
        return Result<QByteArray>::Fail(
            Tr::tr("图片编码失败（%1）：%2")
                .arg(QString::fromLatin1(format).toUpper(), writer.errorString()));
    return bytes;
}

Result<QByteArray> emptyCanvas()
{
    return Result<QByteArray>::Fail(Tr::tr("图片编码失败：画布为空"));
}

} // namespace

std::optional<PictureFormat> FormatOfExtension(const QString &extension)
{
    if (const PictureFormatInfo *info = FormatByExtension(extension))
        return info->format;
    return std::nullopt;
}

Result<QByteArray> EncodePng(const QImage &canvas)
{
    if (canvas.isNull())
        return emptyCanvas();
    QByteArray bytes = EncodePngFast(canvas);
    if (bytes.isEmpty())
        return Result<QByteArray>::Fail(Tr::tr("图片编码失败（PNG）"));
    return bytes;
}

Result<QByteArray> EncodeBmp(const QImage &canvas)
{
    if (canvas.isNull())
        return emptyCanvas();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!WriteBmp(canvas, buffer))
        return Result<QByteArray>::Fail(Tr::tr("图片编码失败（BMP）：图片过大"));
    return bytes;
}

Result<QByteArray> EncodeJpg(const QImage &canvas, int quality)
{
    if (canvas.isNull())
        return emptyCanvas();
    return encodeWithQt(FlattenOverBlack(canvas), "jpeg", quality);
}

Result<QByteArray> EncodeTif(const QImage &canvas)
{
    if (canvas.isNull())
        return emptyCanvas();
    return encodeWithQt(canvas.convertToFormat(QImage::Format_ARGB32), "tiff");
}

Result<QByteArray> EncodePicture(const QImage &canvas, PictureFormat format)
{
    return FormatInfo(format).encode(canvas);
}

namespace {

Status saveEncoded(const Result<QByteArray> &encoded, const QString &path)
{
    if (!encoded)
        return Status::Fail(NotWrittenMessage(encoded.message(), path));
    return WritePictureFile(path, *encoded);
}

} // namespace

Status SavePng(const QImage &canvas, const QString &path)
{
    return saveEncoded(EncodePng(canvas), path);
}

Status SaveBmp(const QImage &canvas, const QString &path)
{
    if (canvas.isNull())
        return Status::Fail(NotWrittenMessage(emptyCanvas().message(), path));
    return WritePictureFile(path, [&canvas](QIODevice &file) { return WriteBmp(canvas, file); });
}

Status SaveJpg(const QImage &canvas, const QString &path, int quality)
{
    return saveEncoded(EncodeJpg(canvas, quality), path);
}

Status SaveGif(const QImage &canvas, const QString &path)
{
    return saveEncoded(EncodeGif(canvas), path);
}

Status SaveTif(const QImage &canvas, const QString &path)
{
    return saveEncoded(EncodeTif(canvas), path);
}

QString NotWrittenMessage(const QString &reason, const QString &path)
{
    return Tr::tr("%1，未写入“%2”").arg(reason, QDir::toNativeSeparators(path));
}

QString UnsupportedExtensionMessage(const QString &extension, const QString &path)
{
    return Tr::tr("不支持的图片扩展名“%1”（只支持 .png、.bmp、.jpg、.gif、.tif），未写入“%2”")
        .arg(extension, QDir::toNativeSeparators(path));
}

Status SaveByExtension(const QImage &canvas, const QString &path, const QString &extension)
{
    const std::optional<PictureFormat> format = FormatOfExtension(extension);
    if (!format)
        return Status::Fail(UnsupportedExtensionMessage(extension, path));
    if (*format == PictureFormat::Bmp)
        return SaveBmp(canvas, path);
    return saveEncoded(EncodePicture(canvas, *format), path);
}

} // namespace mrv
