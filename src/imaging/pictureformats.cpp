#include "imaging/pictureformats.h"

#include "imaging/gifencoder.h"
#include "imaging/imageencoders.h"
#include "imaging/pngcodec.h"
#include "imaging/webpanimation.h"

#include "support/picturetypes.h"

#include <QFileInfo>

#include <array>

namespace mrv {

namespace {

Result<QByteArray> encodeExportJpg(const QImage &canvas)
{
    return EncodeJpg(canvas, ExportJpegQuality);
}

Result<QByteArray> encodeStillWebP(const QImage &canvas)
{
    return EncodeWebPAnimation({{canvas}, {0}}, WebPLossless);
}

constexpr size_t StillCount = 5;

QString caption(QStringView type)
{
    return PictureTypeNamed(type).caption;
}

const std::array<PictureFormatInfo, 7> &table()
{
    static const std::array<PictureFormatInfo, 7> formats{{
        {PictureFormat::Png, QStringLiteral(".png"), QStringLiteral("png"), caption(u"PNG"), 1,
         EncodePng},
        {PictureFormat::Bmp, QStringLiteral(".bmp"), QStringLiteral("bmp"), caption(u"BMP"), 2,
         EncodeBmp},
        {PictureFormat::Jpg, QStringLiteral(".jpg"), QStringLiteral("jpg"), caption(u"JPEG"), 3,
         encodeExportJpg},
        {PictureFormat::Gif, QStringLiteral(".gif"), QStringLiteral("gif"), caption(u"GIF"), 4,
         EncodeGif},
        {PictureFormat::Tif, QStringLiteral(".tif"), QStringLiteral("tif"), caption(u"TIFF"), 5,
         EncodeTif},
        {PictureFormat::WebP, QStringLiteral(".webp"), QStringLiteral("webp"), caption(u"WebP"), 2,
         encodeStillWebP},
        {PictureFormat::Apng, QStringLiteral(".png"), QStringLiteral("apng"), caption(u"APNG"), 3,
         EncodePng, QStringLiteral(".apng")},
    }};
    return formats;
}

/// GIF in the animated list: its still entry with the animation dialog's caption and position.
const PictureFormatInfo &animatedGif()
{
    static const PictureFormatInfo gif{PictureFormat::Gif,
                                       QStringLiteral(".gif"),
                                       QStringLiteral("gif"),
                                       PictureTypeNamed(u"GIF").animationCaption,
                                       1,
                                       EncodeGif};
    return gif;
}

const std::array<PictureFormatInfo, 3> &animatedTable()
{
    static const std::array<PictureFormatInfo, 3> formats{
        {animatedGif(), table()[StillCount], table()[StillCount + 1]}};
    return formats;
}

template <typename Matches>
const PictureFormatInfo *find(Matches matches, std::span<const PictureFormatInfo> formats)
{
    for (const PictureFormatInfo &info : formats)
        if (matches(info))
            return &info;
    return nullptr;
}

template <typename Matches> const PictureFormatInfo *find(Matches matches)
{
    return find(matches, PictureFormats());
}

/// The format named on the command line or by the output's extension, from a list.
Result<PictureFormat> cliFormat(std::span<const PictureFormatInfo> formats,
                                const QString *nameGiven, QStringView extension,
                                PictureFormat fallback)
{
    if (nameGiven) {
        if (const PictureFormatInfo *named = find(
                [nameGiven](const PictureFormatInfo &entry) { return entry.cliName == *nameGiven; },
                formats))
            return named->format;
        QStringList names;
        for (const PictureFormatInfo &info : formats)
            names << info.cliName;
        return Result<PictureFormat>::Fail(
            QStringLiteral("unknown format “%1” (use %2 or %3)")
                .arg(*nameGiven, names.mid(0, names.size() - 1).join(QStringLiteral(", ")),
                     names.last()));
    }
    if (const PictureFormatInfo *byName = find(
            // "X.GIF" names a GIF as "x.gif" does.
            [extension](const PictureFormatInfo &entry) {
                return extension.compare(entry.extension, Qt::CaseInsensitive) == 0;
            },
            formats))
        return byName->format;
    return fallback;
}

/// The extension of the output's file name from its last dot; empty without one.
QStringView extensionOf(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 ? QStringView(name).mid(dot) : QStringView();
}

} // namespace

std::span<const PictureFormatInfo> PictureFormats()
{
    return std::span<const PictureFormatInfo>(table()).first(StillCount);
}

std::span<const PictureFormatInfo> AnimationFormats()
{
    return animatedTable();
}

const PictureFormatInfo &FormatInfo(PictureFormat format)
{
    const PictureFormatInfo *info =
        find([format](const PictureFormatInfo &entry) { return entry.format == format; }, table());
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
    return MakeExportTypes();
}

Result<PictureFormat> CliFormat(std::span<const PictureFormatInfo> formats,
                                const QString *nameGiven, const QString &outPath,
                                PictureFormat fallback)
{
    const QString name = QFileInfo(outPath).fileName();
    const QStringView extension = extensionOf(name);
    if (!nameGiven)
        for (const PictureFormatInfo &info : formats)
            if (!info.alias.isEmpty() && extension.compare(info.alias, Qt::CaseInsensitive) == 0)
                return info.format;
    return cliFormat(formats, nameGiven, extension, fallback);
}

} // namespace mrv
