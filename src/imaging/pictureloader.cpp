#include "imaging/pictureloader.h"

#include "imaging/pngcodec.h"
#include "support/regularfile.h"
#include "support/tr.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace mrv {

QString PictureProblem(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return Tr::tr("找不到这个文件");
    if (info.isDir())
        return Tr::tr("这是文件夹，不是图片文件");
    QFile file(path);
    if (const Status opened = OpenRegularFile(file); !opened)
        return Tr::tr("文件无法读取：%1").arg(opened.message());
    if (file.size() > MaxPictureFileBytes)
        return Tr::tr("文件太大（超过 512 MB），不作为图片读取");
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead())
        return Tr::tr("不是可以读取的图片：格式不支持，或内容不是图片");
    return {};
}

QImage LoadPicture(const QString &path)
{
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!OpenRegularFile(file) || file.size() > MaxPictureFileBytes)
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
