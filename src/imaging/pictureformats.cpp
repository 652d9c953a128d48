#include "imaging/pictureformats.h"

#include "imaging/gifencoder.h"
#include "imaging/imageencoders.h"

#include <QFileInfo>

#include <array>

namespace mrv {

namespace {

Result<QByteArray> encodeExportJpg(const QImage &canvas)
{
    return EncodeJpg(canvas, ExportJpegQuality);
}

const std::array<PictureFormatInfo, 5> &table()
{
    static const std::array<PictureFormatInfo, 5> formats{{
        {PictureFormat::Png, QStringLiteral(".png"), QStringLiteral("png"),
         QStringLiteral("PNG文件(*.png)"), 1, EncodePng},
        {PictureFormat::Bmp, QStringLiteral(".bmp"), QStringLiteral("bmp"),
         QStringLiteral("BMP文件(*.bmp)"), 2, EncodeBmp},
        {PictureFormat::Jpg, QStringLiteral(".jpg"), QStringLiteral("jpg"),
         QStringLiteral("JPEG文件(*.jpg)"), 3, encodeExportJpg},
        {PictureFormat::Gif, QStringLiteral(".gif"), QStringLiteral("gif"),
         QStringLiteral("GIF文件(*.gif)"), 4, EncodeGif},
        {PictureFormat::Tif, QStringLiteral(".tif"), QStringLiteral("tif"),
         QStringLiteral("TIFF文件(*.tif)"), 5, EncodeTif},
    }};
    return formats;
}

template <typename Matches> const PictureFormatInfo *find(Matches matches)
{
    for (const PictureFormatInfo &info : table())
        if (matches(info))
            return &info;
    return nullptr;
}

} // namespace

std::span<const PictureFormatInfo> PictureFormats()
{
    return table();
}

const PictureFormatInfo &FormatInfo(PictureFormat format)
{
    const PictureFormatInfo *info =
        find([format](const PictureFormatInfo &entry) { return entry.format == format; });
    return info ? *info : table().front();
}

const PictureFormatInfo *FormatByCliName(QStringView name)
{
    return find([name](const PictureFormatInfo &entry) { return entry.cliName == name; });
}

const PictureFormatInfo *FormatByExtension(QStringView extension)
{
    return find(
        [extension](const PictureFormatInfo &entry) { return entry.extension == extension; });
}

const PictureFormatInfo *FormatByTypeIndex(int typeIndex)
{
    return find(
        [typeIndex](const PictureFormatInfo &entry) { return entry.typeIndex == typeIndex; });
}

DlgFTlist ExportTypeList()
{
    DlgFTlist list;
    for (const PictureFormatInfo &info : table())
        (void)list.Add(info.caption, info.extension.mid(1));
    return list;
}

Result<PictureFormat> CliPictureFormat(const QString *nameGiven, const QString &outPath,
                                       PictureFormat fallback)
{
    if (nameGiven) {
        if (const PictureFormatInfo *named = FormatByCliName(*nameGiven))
            return named->format;
        QStringList names;
        for (const PictureFormatInfo &info : table())
            names << info.cliName;
        return Result<PictureFormat>::Fail(
            QStringLiteral("unknown format '%1' (use %2 or %3)")
                .arg(*nameGiven, names.mid(0, names.size() - 1).join(QStringLiteral(", ")),
                     names.last()));
    }
    const QString name = QFileInfo(outPath).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        if (const PictureFormatInfo *byName = FormatByExtension(QStringView(name).mid(dot)))
            return byName->format;
    return fallback;
}

} // namespace mrv
