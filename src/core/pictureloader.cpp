#include "core/pictureloader.h"

#include "export/pngcodec.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace mrv {

QImage LoadPicture(const QString &path)
{
    if (path.isEmpty())
        return {};
    QFile file(path);
    // No picture worth drawing is this large; the bound keeps a stray huge file from being
    // read whole into memory.
    constexpr qint64 MaxPictureFileBytes = 512LL * 1024 * 1024;
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxPictureFileBytes)
        return {};
    QByteArray bytes = file.readAll();
    file.close();
    // Most pictures of a boot animation are plain PNG files; they take the fast way.
    QImage image = DecodePngFast(bytes);
    if (image.isNull()) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        reader.setDecideFormatFromContent(true);
        // Pictures are drawn as stored; orientation tags are not applied.
        reader.setAutoTransform(false);
        image = reader.read();
        if (image.isNull())
            return {};
    }
    const QImage::Format wanted =
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (image.format() != wanted)
        image.convertTo(wanted);
    return image;
}

} // namespace mrv
