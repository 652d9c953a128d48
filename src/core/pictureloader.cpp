#include "core/pictureloader.h"

#include <QImageReader>

namespace mrv {

QImage LoadPicture(const QString &path)
{
    if (path.isEmpty())
        return {};
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    // Pictures are drawn as stored; orientation tags are not applied.
    reader.setAutoTransform(false);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    const QImage::Format wanted =
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (image.format() != wanted)
        image.convertTo(wanted);
    return image;
}

} // namespace mrv
