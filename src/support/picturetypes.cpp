#include "support/picturetypes.h"

#include <QCoreApplication>

#include <array>

namespace mrv {

namespace {

const std::array<PictureType, 7> &table()
{
    static const std::array<PictureType, 7> types{{
        {QStringLiteral("PNG"), {QStringLiteral("png")}, QStringLiteral(QT_TRANSLATE_NOOP("Mirovane", "PNG文件(*.png)")), QString()},
        {QStringLiteral("BMP"), {QStringLiteral("bmp")}, QStringLiteral(QT_TRANSLATE_NOOP("Mirovane", "BMP文件(*.bmp)")), QString()},
        {QStringLiteral("JPEG"),
         {QStringLiteral("jpg"), QStringLiteral("jpeg")},
         QStringLiteral(QT_TRANSLATE_NOOP("Mirovane", "JPEG文件(*.jpg)")),
         QString()},
        {QStringLiteral("GIF"),
         {QStringLiteral("gif")},
         QStringLiteral(QT_TRANSLATE_NOOP("Mirovane", "GIF文件(*.gif)")),
         QStringLiteral(QT_TRANSLATE_NOOP("Mirovane", "GIF动画(*.gif)"))},
        {QStringLiteral("TIFF"),
         {QStringLiteral("tif"), QStringLiteral("tiff")},
         QStringLiteral(QT_TRANSLATE_NOOP("Mirovane", "TIFF文件(*.tif)")),
         QString()},
        {QStringLiteral("WebP"),
         {QStringLiteral("webp")},
         QStringLiteral(QT_TRANSLATE_NOOP("Mirovane", "WebP动画(*.webp)")),
         QStringLiteral(QT_TRANSLATE_NOOP("Mirovane", "WebP动画(*.webp)")),
         true,
         false},
        // Written as ".png"; ".apng" names one too. A path box shows its first frame as PNG
        // only under the PNG name.
        {QStringLiteral("APNG"),
         {QStringLiteral("png"), QStringLiteral("apng")},
         QStringLiteral(QT_TRANSLATE_NOOP("Mirovane", "APNG动画(*.png)")),
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
    (void)list.Add(QStringLiteral(QT_TRANSLATE_NOOP("Mirovane", "图片文件(*.jpg;*.png;*.bmp;*.gif,*.tif)")),
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
    // Videos are told apart by their content, not their name; these are the names the file
    // dialog offers them under.
    static const QStringList videoExtensions{
        QStringLiteral("mp4"), QStringLiteral("m4v"), QStringLiteral("webm"),
        QStringLiteral("mkv"), QStringLiteral("mov"),  QStringLiteral("avi")};
    DlgFTlist list;
    (void)list.Add(
        QStringLiteral(QT_TRANSLATE_NOOP(
            "Mirovane", "图片、动画和视频(*.jpg;*.png;*.bmp;*.gif;*.tif;*.webp;*.mp4;*.webm;*.mkv;"
                        "*.mov;*.avi)")),
        (extensionsWhere([](const PictureType &) { return true; }) + videoExtensions).join(u','));
    for (const PictureType &type : table())
        if (!type.animationCaption.isEmpty())
            (void)list.Add(type.animationCaption, type.extensions.join(u','));
    (void)list.Add(QStringLiteral(QT_TRANSLATE_NOOP("Mirovane", "PNG和APNG文件(*.png)")),
                   extensionsWhere([](const PictureType &type) {
                       return type.name == u"PNG" || type.name == u"APNG";
                   }).join(u','));
    for (const char16_t *name : {u"JPEG", u"BMP", u"TIFF"})
        addType(list, name);
    (void)list.Add(
        QStringLiteral(QT_TRANSLATE_NOOP("Mirovane", "视频(*.mp4;*.webm;*.mkv;*.mov;*.avi)")),
        videoExtensions.join(u','));
    return list;
}

} // namespace mrv
