#include "export/exportnames.h"
#include "imaging/imageencoders.h"
#include "imaging/pictureformats.h"
#include "support/filetypes.h"

#include "testsupport.h"

#include <QImage>

#include <gtest/gtest.h>

namespace mrv {
namespace {

TEST(PictureFormats, EveryLookupFindsItsOwnEntryAndNothingElseMatches)
{
    int position = 0;
    for (const PictureFormatInfo &info : PictureFormats()) {
        ++position;
        EXPECT_EQ(info.typeIndex, position) << info.cliName;
        EXPECT_EQ(&FormatInfo(info.format), &info) << info.cliName;
        EXPECT_EQ(FormatByCliName(info.cliName), &info);
        EXPECT_EQ(FormatByExtension(info.extension), &info);
        EXPECT_EQ(FormatByTypeIndex(info.typeIndex), &info);
        EXPECT_EQ(info.extension, u'.' + info.cliName);
        // The older helpers answer from the same table.
        EXPECT_EQ(*ExportExtension(info.typeIndex), info.extension);
        EXPECT_EQ(FormatOfExtension(info.extension), info.format);
    }
    EXPECT_EQ(position, 5);
    for (const char *none : {"PNG", ".PNG", "jpeg", ".jpeg", ".tiff", "", ".", "png "}) {
        EXPECT_EQ(FormatByCliName(QString::fromLatin1(none)), nullptr) << none;
        EXPECT_EQ(FormatByExtension(QString::fromLatin1(none)), nullptr) << none;
    }
    EXPECT_EQ(FormatByTypeIndex(0), nullptr);
    EXPECT_EQ(FormatByTypeIndex(6), nullptr);
    EXPECT_FALSE(ExportExtension(6));
    // The dialog positions the older helpers take name the same entries.
    const std::pair<int, PictureFormat> positions[] = {{ExportTypePng, PictureFormat::Png},
                                                       {ExportTypeBmp, PictureFormat::Bmp},
                                                       {ExportTypeJpg, PictureFormat::Jpg},
                                                       {ExportTypeGif, PictureFormat::Gif},
                                                       {ExportTypeTif, PictureFormat::Tif}};
    for (const auto &[position, format] : positions)
        EXPECT_EQ(FormatInfo(format).typeIndex, position);
}

TEST(PictureFormats, DialogListIsTheSettingsExportTypesInOrder)
{
    const DlgFTlist fromTable = ExportTypeList();
    const DlgFTlist settings = MakeExportTypes();
    const QStringList captions{QStringLiteral("PNG文件(*.png)"), QStringLiteral("BMP文件(*.bmp)"),
                               QStringLiteral("JPEG文件(*.jpg)"), QStringLiteral("GIF文件(*.gif)"),
                               QStringLiteral("TIFF文件(*.tif)")};
    ASSERT_EQ(fromTable.Count(), captions.size());
    ASSERT_EQ(settings.Count(), captions.size());
    for (int i = 1; i <= fromTable.Count(); ++i) {
        EXPECT_EQ(fromTable.Item(i)->TypeName, captions[i - 1]);
        EXPECT_EQ(fromTable.Item(i)->TypeName, settings.Item(i)->TypeName);
        EXPECT_EQ(fromTable.Item(i)->Extensions, settings.Item(i)->Extensions);
    }
    EXPECT_EQ(*fromTable.Txt(), *settings.Txt());
}

TEST(PictureFormats, EachEntryEncodesItsOwnFormat)
{
    QImage canvas(8, 8, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(qRgba(0, 0, 0, 0));
    canvas.setPixel(1, 1, qRgba(200, 20, 20, 255));
    const std::pair<PictureFormat, QByteArray> signatures[] = {
        {PictureFormat::Png, QByteArray("\x89PNG\r\n\x1a\n")},
        {PictureFormat::Bmp, QByteArray("BM")},
        {PictureFormat::Jpg, QByteArray("\xff\xd8\xff")},
        {PictureFormat::Gif, QByteArray("GIF89a")},
        {PictureFormat::Tif, QByteArray("II*\0", 4)},
    };
    for (const auto &[format, signature] : signatures) {
        const Result<QByteArray> bytes = FormatInfo(format).encode(canvas);
        ASSERT_TRUE(bytes) << bytes.message();
        EXPECT_TRUE(bytes->startsWith(signature)) << FormatInfo(format).cliName;
        EXPECT_EQ(*EncodePicture(canvas, format), *bytes);
    }
    // JPEG is written at the exports' quality.
    EXPECT_EQ(*FormatInfo(PictureFormat::Jpg).encode(canvas),
              *EncodeJpg(canvas, ExportJpegQuality));
}

TEST(PictureFormats, CommandLineFormatFromNameThenOutputThenFallback)
{
    const QString png = QStringLiteral("png");
    const QString upper = QStringLiteral("PNG");
    EXPECT_EQ(*CliFormat(PictureFormats(), &png, QStringLiteral("/o/a.bmp"), PictureFormat::Bmp),
              PictureFormat::Png);
    EXPECT_EQ(*CliFormat(PictureFormats(), nullptr, QStringLiteral("/o/a.gif"), PictureFormat::Bmp),
              PictureFormat::Gif);
    EXPECT_EQ(*CliFormat(PictureFormats(), nullptr, QStringLiteral("/o/a.GIF"), PictureFormat::Bmp),
              PictureFormat::Gif);
    EXPECT_EQ(*CliFormat(PictureFormats(), nullptr, QStringLiteral("/o/a.jpeg"), PictureFormat::Png),
              PictureFormat::Png);
    EXPECT_EQ(*CliFormat(PictureFormats(), nullptr, QStringLiteral("/o.tif/a"), PictureFormat::Bmp),
              PictureFormat::Bmp);
    const Result<PictureFormat> unknown =
        CliFormat(PictureFormats(), &upper, QStringLiteral("/o/a.png"), PictureFormat::Bmp);
    ASSERT_FALSE(unknown);
    EXPECT_EQ(unknown.message(),
              QStringLiteral("unknown format “PNG” (use png, bmp, jpg, gif or tif)"));
}

} // namespace
} // namespace mrv
