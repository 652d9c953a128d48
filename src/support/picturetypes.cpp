#include "support/picturetypes.h"

#include <array>

namespace mrv {

namespace {

const std::array<PictureType, 7> &table()
{
    static const std::array<PictureType, 7> types{{
        {QStringLiteral("PNG"), {QStringLiteral("png")}, QStringLiteral("PNG文件(*.png)")},
        {QStringLiteral("BMP"), {QStringLiteral("bmp")}, QStringLiteral("BMP文件(*.bmp)")},
        {QStringLiteral("JPEG"),
         {QStringLiteral("jpg"), QStringLiteral("jpeg")},
         QStringLiteral("JPEG文件(*.jpg)")},
        {QStringLiteral("GIF"),
         {QStringLiteral("gif")},
         QStringLiteral("GIF文件(*.gif)"),
         QStringLiteral("GIF动画(*.gif)")},
        {QStringLiteral("TIFF"),
         {QStringLiteral("tif"), QStringLiteral("tiff")},
         QStringLiteral("TIFF文件(*.tif)")},
        {QStringLiteral("WebP"),
         {QStringLiteral("webp")},
         QStringLiteral("WebP动画(*.webp)"),
         QStringLiteral("WebP动画(*.webp)"),
         true,
         false},
        // Written as ".png"; ".apng" names one too. A path box shows its first frame as PNG
        // only under the PNG name.
        {QStringLiteral("APNG"),
         {QStringLiteral("png"), QStringLiteral("apng")},
         QStringLiteral("APNG动画(*.png)"),
         QString(),
         false,
         false},
    }};
    return types;
}

/// The extension after the last dot, lower case; empty without a dot.
QString extensionOf(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot < 0 ? QString() : path.mid(dot + 1).toLower();
}

/// The extensions of the types the test picks, each once.
QStringList extensionsWhere(bool (*picked)(const PictureType &))
{
    QStringList all;
    for (const PictureType &type : table())
        if (picked(type))
            for (const QString &extension : type.extensions)
                if (!all.contains(extension))
                    all << extension;
    return all;
}

void addType(DlgFTlist &list, QStringView name)
{
    const PictureType &type = PictureTypeNamed(name);
    (void)list.Add(type.caption, type.extensions.join(u','));
}

} // namespace

std::span<const PictureType> PictureTypes()
{
    return table();
}

const PictureType &PictureTypeNamed(QStringView name)
{
    for (const PictureType &type : table())
        if (type.name == name)
            return type;
    return table().front();
}

bool IsStillPictureName(const QString &path)
{
    static const QStringList still =
        extensionsWhere([](const PictureType &type) { return type.still; });
    return still.contains(extensionOf(path));
}

bool IsFramePictureName(const QString &path)
{
    static const QStringList frames = extensionsWhere([](const PictureType &) { return true; });
    return frames.contains(extensionOf(path));
}

DlgFTlist MakeImageTypes()
{
    DlgFTlist list;
    // The first entry's caption and patterns are the ones the dialog has always shown.
    (void)list.Add(QStringLiteral("图片文件(*.jpg;*.png;*.bmp;*.gif,*.tif)"),
                   QStringLiteral("jpg,jpeg,png,bmp,gif,tif"));
    for (const char16_t *name : {u"JPEG", u"PNG", u"BMP", u"GIF", u"TIFF"})
        addType(list, name);
    return list;
}

DlgFTlist MakeExportTypes()
{
    DlgFTlist list;
    for (const PictureType &type : table())
        if (type.classic)
            (void)list.Add(type.caption, type.extensions.first());
    return list;
}

DlgFTlist MakeFrameImportTypes()
{
    DlgFTlist list;
    (void)list.Add(QStringLiteral("图片和动画(*.jpg;*.png;*.bmp;*.gif;*.tif;*.webp)"),
                   QStringLiteral("jpg,jpeg,png,apng,bmp,gif,tif,tiff,webp"));
    for (const PictureType &type : table())
        if (!type.animationCaption.isEmpty())
            (void)list.Add(type.animationCaption, type.extensions.join(u','));
    (void)list.Add(QStringLiteral("PNG和APNG文件(*.png)"),
                   extensionsWhere([](const PictureType &type) {
                       return type.name == u"PNG" || type.name == u"APNG";
                   }).join(u','));
    for (const char16_t *name : {u"JPEG", u"BMP", u"TIFF"})
        addType(list, name);
    return list;
}

} // namespace mrv
