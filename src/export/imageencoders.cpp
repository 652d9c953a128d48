#include "export/imageencoders.h"

#include "export/canvas.h"
#include "export/picturefile.h"
#include "export/pngcodec.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>

#include <cstring>


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
            QStringLiteral("图片编码失败（%1）：%2")
                .arg(QString::fromLatin1(format).toUpper(), writer.errorString()));
    return bytes;
}

void putLe16(char *at, quint16 value)
{
    at[0] = char(value & 0xff);
    at[1] = char(value >> 8);
}

void putLe32(char *at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = char((value >> (8 * i)) & 0xff);
}

Result<QByteArray> emptyCanvas()
{
    return Result<QByteArray>::Fail(QStringLiteral("图片编码失败：画布为空"));
}

} // namespace

std::optional<PictureFormat> FormatOfExtension(const QString &extension)
{
    if (extension == u".png")
        return PictureFormat::Png;
    if (extension == u".bmp")
        return PictureFormat::Bmp;
    if (extension == u".jpg")
        return PictureFormat::Jpg;
    if (extension == u".gif")
        return PictureFormat::Gif;
    if (extension == u".tif")
        return PictureFormat::Tif;
    return std::nullopt;
}

Result<QByteArray> EncodePng(const QImage &canvas)
{
    if (canvas.isNull())
        return emptyCanvas();
    QByteArray bytes = EncodePngFast(canvas);
    if (bytes.isEmpty())
        return Result<QByteArray>::Fail(QStringLiteral("图片编码失败（PNG）"));
    return bytes;
}

namespace {

/// Writes a canvas as an uncompressed 24-bit bottom-up bitmap, a few rows at a time, so that
/// even a 200 x 21000 strip needs no second picture-sized buffer.
bool writeBmp(const QImage &canvas, QIODevice &device)
{
    const QImage source = canvas.format() == QImage::Format_RGB32
        ? canvas
        : canvas.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = source.width();
    const int height = source.height();
    const qint64 rowBytes = (qint64(width) * 3 + 3) & ~qint64(3);
    const qint64 imageBytes = rowBytes * height;
    constexpr int headerBytes = 14 + 40;
    if (headerBytes + imageBytes > 0x7fffffff)
        return false;

    char header[headerBytes] = {};
    header[0] = 'B';
    header[1] = 'M';
    putLe32(header + 2, quint32(headerBytes + imageBytes));
    putLe32(header + 10, headerBytes);
    putLe32(header + 14, 40);
    putLe32(header + 18, quint32(width));
    putLe32(header + 22, quint32(height)); // positive: rows stored bottom-up
    putLe16(header + 26, 1);
    putLe16(header + 28, 24);
    putLe32(header + 30, 0); // BI_RGB, uncompressed
    putLe32(header + 34, quint32(imageBytes));
    putLe32(header + 38, 3780); // 96 dpi
    putLe32(header + 42, 3780);
    if (device.write(header, headerBytes) != headerBytes)
        return false;

    // Premultiplied channels are the picture laid over black.
    const int rowsPerChunk = int(std::max<qint64>(1, (256 * 1024) / rowBytes));
    QByteArray chunk(rowBytes * rowsPerChunk, '\0');
    for (int bottom = height - 1; bottom >= 0; bottom -= rowsPerChunk) {
        const int rows = std::min(rowsPerChunk, bottom + 1);
        for (int r = 0; r < rows; ++r) {
            const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(bottom - r));
            char *px = chunk.data() + rowBytes * r;
            for (int x = 0; x < width; ++x, px += 3) {
                const QRgb c = line[x];
                px[0] = char(qBlue(c));
                px[1] = char(qGreen(c));
                px[2] = char(qRed(c));
            }
        }
        if (device.write(chunk.constData(), rowBytes * rows) != rowBytes * rows)
            return false;
    }
    return true;
}

} // namespace

Result<QByteArray> EncodeBmp(const QImage &canvas)
{
    if (canvas.isNull())
        return emptyCanvas();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!writeBmp(canvas, buffer))
        return Result<QByteArray>::Fail(QStringLiteral("图片编码失败（BMP）：图片过大"));
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
    switch (format) {
    case PictureFormat::Png:
        return EncodePng(canvas);
    case PictureFormat::Bmp:
        return EncodeBmp(canvas);
    case PictureFormat::Jpg:
        return EncodeJpg(canvas, ExportJpegQuality);
    case PictureFormat::Gif:
        return EncodeGif(canvas);
    case PictureFormat::Tif:
        return EncodeTif(canvas);
    }
    return emptyCanvas();
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
    return WritePictureFile(path, [&canvas](QIODevice &file) { return writeBmp(canvas, file); });
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
    return QStringLiteral("%1，未写入“%2”").arg(reason, QDir::toNativeSeparators(path));
}

QString UnsupportedExtensionMessage(const QString &extension, const QString &path)
{
    return QStringLiteral("不支持的图片扩展名“%1”（只支持 .png、.bmp、.jpg、.gif、.tif），未写入“%2”")
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
