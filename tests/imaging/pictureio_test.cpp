#include "imaging/pictureloader.h"
#include "imaging/canvas.h"
#include "imaging/imageencoders.h"
#include "imaging/picturefile.h"
#include "imaging/pngcodec.h"

#include "exporttestdata.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QPainter>
#include <QSet>

extern "C" {
#include <gif_lib.h>
}

#include <gtest/gtest.h>

namespace mrv {
namespace {

using test::At;
using test::Flat;
using test::TempFolder;

/// A picture with opaque, half-transparent and fully transparent flat areas.
QImage Mixed()
{
    QImage image = Flat(12, 8, Qt::transparent);
    QPainter p(&image);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(0, 0, 6, 4, test::Red);
    p.fillRect(6, 0, 6, 4, QColor(20, 40, 230, 128));
    p.fillRect(0, 4, 6, 4, test::Yellow);
    return image;
}

QStringList FilesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

TEST(Canvas, TransparentCanvasesExactCopiesSmoothScalingAndBlending)
{
    const QImage empty = CreateCanvas(7, 5);
    ASSERT_EQ(empty.format(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(empty.pixel(x, y), 0u);
    EXPECT_TRUE(CreateCanvas(0, 5).isNull());

    // At its own size a picture is copied exactly, half-transparent pixels included.
    QImage canvas = CreateCanvas(20, 20);
    const QImage picture = Mixed();
    {
        QPainter p(&canvas);
        DrawPicture(p, picture, QRect(3, 2, 12, 8));
    }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x)
            ASSERT_EQ(canvas.pixel(x + 3, y + 2), picture.pixel(x, y)) << x << "," << y;

    // Scaled up, a black/white checker shows grey in between: filtered, not nearest-neighbour.
    QImage checker = Flat(2, 2, Qt::black);
    checker.setPixelColor(1, 0, Qt::white);
    checker.setPixelColor(0, 1, Qt::white);
    QImage big = CreateCanvas(40, 40);
    {
        QPainter p(&big);
        DrawPicture(p, checker, big.rect());
    }
    EXPECT_GT(qRed(big.pixel(20, 10)), 40);
    EXPECT_LT(qRed(big.pixel(20, 10)), 215);

    // Half-transparent blue over red blends; null pictures and empty rectangles draw nothing.
    QImage blend = Flat(4, 4, test::Red);
    {
        QPainter p(&blend);
        DrawPicture(p, Flat(4, 4, QColor(0, 0, 255, 128)), blend.rect());
        DrawPicture(p, QImage(), blend.rect());
        DrawPicture(p, Flat(2, 2, Qt::white), QRect(0, 0, 0, 3));
    }
    EXPECT_NEAR(At(blend, 1, 1).red(), 110, 3);
    EXPECT_NEAR(At(blend, 1, 1).blue(), 143, 3);
    EXPECT_EQ(At(blend, 0, 0), At(blend, 3, 3));
}

TEST(Encoders, ExtensionsAreExactAndCaseSensitive)
{
    EXPECT_EQ(FormatOfExtension(QStringLiteral(".png")), PictureFormat::Png);
    EXPECT_EQ(FormatOfExtension(QStringLiteral(".tif")), PictureFormat::Tif);
    for (const char *other : {".PNG", ".Bmp", ".jpeg", ".tiff", "png", ".png ", ""})
        EXPECT_FALSE(FormatOfExtension(QString::fromLatin1(other))) << other;

    TempFolder folder;
    const QString path = folder.file(QStringLiteral("x.PNG"));
    const Status saved = SaveByExtension(Mixed(), path, QStringLiteral(".PNG"));
    EXPECT_FALSE(saved);
    EXPECT_TRUE(saved.message().contains(QStringLiteral("x.PNG")));
    EXPECT_TRUE(FilesIn(folder.path()).isEmpty());
}

TEST(Encoders, EveryFormatWritesItsOwnKindOfFile)
{
    TempFolder folder;
    const struct
    {
        const char *extension;
        QByteArray magic;
    } cases[] = {{".png", "\x89PNG"},
                 {".bmp", "BM"},
                 {".jpg", "\xff\xd8\xff"},
                 {".gif", "GIF89a"},
                 {".tif", "II*"}};
    for (const auto &c : cases) {
        const QString path = folder.file(QStringLiteral("pic") + QString::fromLatin1(c.extension));
        ASSERT_TRUE(SaveByExtension(Mixed(), path, QString::fromLatin1(c.extension)))
            << c.extension;
        EXPECT_TRUE(test::ReadAll(path).startsWith(c.magic)) << c.extension;
        EXPECT_EQ(test::ReadBack(path).size(), QSize(12, 8)) << c.extension;
    }
    EXPECT_EQ(FilesIn(folder.path()).size(), 5); // no temporary files left behind
}

TEST(Encoders, PngTiffAndGifKeepTransparencyBmpAndJpegShowBlack)
{
    const QImage source = Mixed();
    QImage fromPng;
    fromPng.loadFromData(*EncodePng(source), "PNG");
    QImage fromTif;
    fromTif.loadFromData(*EncodeTif(source), "TIFF");
    for (const QImage &decoded : {fromPng, fromTif}) {
        ASSERT_FALSE(decoded.isNull());
        EXPECT_EQ(At(decoded, 1, 1), test::Red);
        EXPECT_EQ(At(decoded, 8, 1).alpha(), 128);
        EXPECT_NEAR(At(decoded, 8, 1).blue(), 230, 2);
        EXPECT_EQ(At(decoded, 8, 6).alpha(), 0);
    }

    QImage fromGif;
    fromGif.loadFromData(*EncodeGif(source), "GIF");
    ASSERT_FALSE(fromGif.isNull());
    EXPECT_EQ(At(fromGif, 1, 1), test::Red);
    EXPECT_EQ(At(fromGif, 1, 6), test::Yellow);
    EXPECT_EQ(At(fromGif, 8, 1).alpha(), 255); // half opaque and more is kept
    EXPECT_EQ(At(fromGif, 8, 6).alpha(), 0);

    QImage fromBmp;
    fromBmp.loadFromData(*EncodeBmp(source), "BMP");
    ASSERT_FALSE(fromBmp.isNull());
    EXPECT_EQ(At(fromBmp, 1, 1), test::Red);
    EXPECT_EQ(At(fromBmp, 8, 6), QColor(Qt::black));
    EXPECT_NEAR(At(fromBmp, 8, 1).blue(), 115, 2); // half of the blue, over black

    QImage fromJpg;
    fromJpg.loadFromData(*EncodeJpg(Flat(16, 16, Qt::transparent), 90), "JPEG");
    EXPECT_LT(At(fromJpg, 8, 8).value(), 8);
}

TEST(Encoders, BmpIsAnUncompressed24BitBottomUpBitmap)
{
    QImage strip = CreateCanvas(200, 21000);
    {
        QPainter p(&strip);
        p.fillRect(0, 0, 200, 200, test::Green); // first cell, at the end of a bottom-up file
    }
    const QByteArray bmp = *EncodeBmp(strip);
    auto le32 = [&](int at) {
        return quint32(uchar(bmp[at])) | quint32(uchar(bmp[at + 1])) << 8 |
               quint32(uchar(bmp[at + 2])) << 16 | quint32(uchar(bmp[at + 3])) << 24;
    };
    auto le16 = [&](int at) { return quint32(uchar(bmp[at])) | quint32(uchar(bmp[at + 1])) << 8; };
    ASSERT_EQ(bmp.size(), 54 + 600 * 21000);
    EXPECT_TRUE(bmp.startsWith("BM"));
    EXPECT_EQ(le32(2), quint32(bmp.size()));
    EXPECT_EQ(le32(10), 54u); // pixel data offset
    EXPECT_EQ(le32(14), 40u); // BITMAPINFOHEADER
    EXPECT_EQ(le32(18), 200u);
    EXPECT_EQ(le32(22), 21000u); // positive: bottom-up
    EXPECT_EQ(le16(26), 1u);
    EXPECT_EQ(le16(28), 24u);
    EXPECT_EQ(le32(30), 0u); // BI_RGB
    // The last row in the file is the top row of the picture: green, stored B, G, R.
    const qsizetype top = bmp.size() - 600;
    EXPECT_EQ(uchar(bmp[top]), test::Green.blue());
    EXPECT_EQ(uchar(bmp[top + 1]), test::Green.green());
    EXPECT_EQ(uchar(bmp[top + 2]), test::Green.red());
    EXPECT_EQ(uchar(bmp[54]), 0); // the bottom row is an empty cell
}

/// The quality tables of a JPEG file, in order, each as 64 values.
QList<QList<int>> JpegQuantTables(const QByteArray &jpeg)
{
    QList<QList<int>> tables;
    for (qsizetype i = 2; i + 4 < jpeg.size();) {
        if (uchar(jpeg[i]) != 0xff)
            break;
        const int marker = uchar(jpeg[i + 1]);
        const int length = (uchar(jpeg[i + 2]) << 8) | uchar(jpeg[i + 3]);
        if (marker == 0xdb)
            for (qsizetype t = i + 4; t < i + 2 + length; t += 65) {
                QList<int> table;
                for (int k = 1; k <= 64; ++k)
                    table << uchar(jpeg[t + k]);
                tables << table;
            }
        if (marker == 0xda)
            break;
        i += 2 + length;
    }
    return tables;
}

TEST(Encoders, JpegUsesQualityNinety)
{
    // libjpeg scales its base tables by 200 - 2 * quality percent: 20 % at quality 90.
    const QList<int> tables = JpegQuantTables(*EncodeJpg(Flat(32, 32, test::Blue), 90)).value(0);
    ASSERT_EQ(tables.size(), 64);
    EXPECT_EQ(tables[0], (16 * 20 + 50) / 100); // luminance DC: 3
    const QList<int> at50 = JpegQuantTables(*EncodeJpg(Flat(32, 32, test::Blue), 50)).value(0);
    EXPECT_EQ(at50.value(0), 16);

    TempFolder folder;
    const QString path = folder.file(QStringLiteral("q.jpg"));
    ASSERT_TRUE(SaveByExtension(Flat(32, 32, test::Blue), path, QStringLiteral(".jpg")));
    EXPECT_EQ(JpegQuantTables(test::ReadAll(path)).value(0), tables);
}

TEST(Encoders, GifWithManyColoursKeepsOneTransparentIndex)
{
    QImage gradient = CreateCanvas(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            gradient.setPixel(x, y, x + y < 20 ? 0u : qRgb(x * 4, y * 4, (x * y) & 0xff));
    QImage decoded;
    decoded.loadFromData(*EncodeGif(gradient), "GIF");
    ASSERT_FALSE(decoded.isNull());
    int transparent = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool shouldBe = x + y < 20;
            ASSERT_EQ(qAlpha(decoded.pixel(x, y)) == 0, shouldBe) << x << "," << y;
            transparent += shouldBe;
        }
    EXPECT_GT(transparent, 0);
    EXPECT_NEAR(At(decoded, 40, 40).red(), 160, 24);

    // Opaque pictures name no transparent index.
    QImage opaque;
    opaque.loadFromData(*EncodeGif(Flat(8, 8, test::Green)), "GIF");
    EXPECT_EQ(At(opaque, 3, 3), test::Green);
}

/// A strip of over a million pixels, as large pictures take the quantiser's faster settings,
/// in blocks of `colours` distinct colours, every 7th block transparent when asked.
QImage StripOfColours(int colours, bool withTransparent)
{
    QImage strip = CreateCanvas(200, 5300);
    for (int y = 0; y < strip.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(strip.scanLine(y));
        for (int x = 0; x < strip.width(); ++x) {
            const int block = (y / 9) * 5 + x / 40;
            // Spread over the whole cube, some colours only a few levels apart.
            const int c = block % colours;
            line[x] = withTransparent && block % 7 == 3
                          ? 0u
                          : qRgb((c * 37) & 0xff, (c * 11 + c / 2) & 0xff, 255 - c);
        }
    }
    return strip;
}

/// The differences between a decoded GIF and the picture it was made from: transparent where
/// the picture was, else the same colour.
int GifDifferences(const QImage &source, const QByteArray &gif)
{
    QImage decoded;
    if (!decoded.loadFromData(gif, "GIF") || decoded.size() != source.size())
        return -1;
    decoded.convertTo(QImage::Format_ARGB32);
    int differences = 0;
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const QRgb want = source.pixel(x, y), got = decoded.pixel(x, y);
            differences += qAlpha(want) == 0 ? qAlpha(got) != 0 : got != want;
        }
    return differences;
}

TEST(Encoders, GifKeepsEveryColourAPaletteCanHold)
{
    // Beside the transparent index 255 colours fit, without one 256.
    for (const auto &[colours, withTransparent] :
         {std::pair{73, true}, std::pair{255, true}, std::pair{256, false}, std::pair{2, false}}) {
        const QImage strip = StripOfColours(colours, withTransparent);
        QSet<QRgb> distinct;
        for (int y = 0; y < strip.height(); ++y)
            for (int x = 0; x < strip.width(); ++x)
                distinct.insert(strip.pixel(x, y));
        ASSERT_EQ(distinct.size(), colours + int(withTransparent));
        const Result<QByteArray> gif = EncodeGif(strip);
        ASSERT_TRUE(gif);
        EXPECT_EQ(GifDifferences(strip, *gif), 0) << colours << " colours";
    }
}

TEST(Encoders, GifOfManyColoursKeepsFlatAreasFlat)
{
    // 400 squares of one colour each, 12 levels apart, and a band of a colour between them:
    // the palette cannot hold them all, so entries fall between colours, and dithering would
    // speckle every square whose colour has no entry of its own.
    QImage picture = CreateCanvas(320, 400);
    QList<QRect> areas;
    {
        QPainter painter(&picture);
        for (int i = 0; i < 400; ++i) {
            areas << QRect((i % 20) * 16, (i / 20) * 16, 16, 16);
            painter.fillRect(areas.last(), QColor((i % 20) * 12, (i / 20) * 12, 128));
        }
        areas << QRect(0, 320, 320, 80);
        painter.fillRect(areas.last(), QColor(66, 66, 128));
    }
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(*EncodeGif(picture), "GIF"));
    decoded.convertTo(QImage::Format_ARGB32);
    for (const QRect &area : areas) {
        const QRgb drawn = decoded.pixel(area.topLeft());
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                ASSERT_EQ(decoded.pixel(x, y), drawn) << "area at " << area.x() << "," << area.y();
        const QRgb source = picture.pixel(area.topLeft());
        EXPECT_NEAR(qRed(drawn), qRed(source), 12) << area.x() << "," << area.y();
        EXPECT_NEAR(qGreen(drawn), qGreen(source), 12) << area.x() << "," << area.y();
        EXPECT_NEAR(qBlue(drawn), qBlue(source), 12) << area.x() << "," << area.y();
    }
}

/// Writes a PNG of the given Qt format through Qt's own writer.
QByteArray QtPng(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(image);
    return bytes;
}

TEST(PngCodec, FastReaderAgreesWithQtOnEveryCommonKind)
{
    QImage rgba = Mixed().convertToFormat(QImage::Format_ARGB32);
    for (int x = 0; x < 12; ++x) // a ramp, so every row filter has work to do
        rgba.setPixel(x, 7, qRgba(x * 20, 255 - x * 20, 7 * x, 255));
    QImage palette = rgba.convertToFormat(QImage::Format_Indexed8);
    const QList<QImage> kinds = {rgba, rgba.convertToFormat(QImage::Format_RGB32), palette,
                                 rgba.convertToFormat(QImage::Format_Grayscale8)};
    for (const QImage &kind : kinds) {
        const QByteArray file = QtPng(kind);
        const QImage fast = DecodePngFast(file);
        ASSERT_FALSE(fast.isNull()) << kind.format();
        QImage reference;
        reference.loadFromData(file, "PNG");
        reference.convertTo(fast.format());
        EXPECT_EQ(fast, reference) << kind.format();
    }
}

TEST(PngCodec, FastReaderLeavesUnusualFilesToQt)
{
    TempFolder folder;
    // 16 bits per channel: not the fast reader's, still read through Qt.
    QImage deep(6, 4, QImage::Format_RGBA64);
    deep.fill(test::Blue);
    const QByteArray deepFile = QtPng(deep);
    EXPECT_TRUE(DecodePngFast(deepFile).isNull());
    const QImage loaded = LoadPicture(folder.write(QStringLiteral("deep.png"), deepFile));
    ASSERT_FALSE(loaded.isNull());
    EXPECT_EQ(At(loaded, 2, 2), test::Blue);

    // Damaged and foreign data never crashes and gives nothing.
    const QByteArray good = QtPng(Mixed());
    EXPECT_TRUE(DecodePngFast(good.left(good.size() / 2)).isNull());
    EXPECT_TRUE(DecodePngFast(good.left(40)).isNull());
    EXPECT_TRUE(
        DecodePngFast(QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(100, '\xff')).isNull());
    QByteArray wrongSize = good;
    wrongSize[16 + 3] = char(uchar(wrongSize[16 + 3]) + 1); // width one more than the data holds
    EXPECT_TRUE(DecodePngFast(wrongSize).isNull());
}

TEST(PngCodec, WriterRoundTripsThroughBothReaders)
{
    QImage picture = Mixed();
    for (int x = 0; x < 12; ++x)
        picture.setPixel(x, 7, qPremultiply(qRgba(x * 21, 200 - x * 9, 3 * x, 255)));
    const QByteArray file = EncodePngFast(picture);
    EXPECT_EQ(DecodePngFast(file), picture);
    QImage viaQt;
    viaQt.loadFromData(file, "PNG");
    EXPECT_EQ(viaQt.convertToFormat(QImage::Format_ARGB32_Premultiplied), picture);

    const QImage opaque = Flat(9, 3, test::Yellow);
    const QByteArray rgb = EncodePngFast(opaque);
    EXPECT_EQ(uchar(rgb[8 + 8 + 9]), 2); // colour type RGB when nothing is transparent
    EXPECT_EQ(DecodePngFast(rgb), opaque.convertToFormat(QImage::Format_RGB32));
}

TEST(PictureLoader, ReadsEveryFormatAndNothingElse)
{
    TempFolder folder;
    const QImage source = Flat(10, 6, test::Green).convertToFormat(QImage::Format_RGB32);
    for (const char *format : {"png", "bmp", "jpg", "tif"}) {
        const QString path = folder.file(QStringLiteral("p.") + QString::fromLatin1(format));
        ASSERT_TRUE(source.save(path, format)) << format;
        const QImage loaded = LoadPicture(path);
        ASSERT_EQ(loaded.size(), QSize(10, 6)) << format;
        EXPECT_NEAR(At(loaded, 5, 3).green(), test::Green.green(), 4) << format;
    }
    // A name does not decide the format: a PNG called .jpg still loads.
    const QString misnamed = folder.write(QStringLiteral("png.jpg"), QtPng(source));
    EXPECT_EQ(LoadPicture(misnamed).size(), QSize(10, 6));

    EXPECT_TRUE(LoadPicture(folder.file(QStringLiteral("missing.png"))).isNull());
    EXPECT_TRUE(LoadPicture(folder.write(QStringLiteral("junk.png"), "not a picture")).isNull());
    EXPECT_TRUE(LoadPicture(folder.path()).isNull());
    EXPECT_TRUE(LoadPicture(QString()).isNull());

    // Formats: premultiplied with alpha, plain RGB32 without.
    EXPECT_EQ(LoadPicture(folder.file(QStringLiteral("p.png"))).format(), QImage::Format_RGB32);
    const QString withAlpha = test::WritePng(folder.file(QStringLiteral("a.png")), Mixed());
    EXPECT_EQ(LoadPicture(withAlpha).format(), QImage::Format_ARGB32_Premultiplied);
}

TEST(PictureLoader, GifGivesItsFirstFrame)
{
    TempFolder folder;
    const QString path = folder.file(QStringLiteral("anim.gif"));
    int error = 0;
    GifFileType *gif = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
    ASSERT_NE(gif, nullptr);
    GifColorType colours[2] = {{255, 0, 0}, {0, 0, 255}};
    ColorMapObject *map = GifMakeMapObject(2, colours);
    // Written frame by frame: EGifSpew leaves its saved images and map behind in this giflib.
    ASSERT_EQ(EGifPutScreenDesc(gif, 4, 4, 8, 0, map), GIF_OK);
    for (int frame = 0; frame < 2; ++frame) {
        GifPixelType row[4];
        memset(row, frame, sizeof row); // red first, blue second
        ASSERT_EQ(EGifPutImageDesc(gif, 0, 0, 4, 4, false, nullptr), GIF_OK);
        for (int y = 0; y < 4; ++y)
            ASSERT_EQ(EGifPutLine(gif, row, 4), GIF_OK);
    }
    ASSERT_EQ(EGifCloseFile(gif, &error), GIF_OK);
    GifFreeMapObject(map);
    const QImage first = LoadPicture(path);
    ASSERT_EQ(first.size(), QSize(4, 4));
    EXPECT_EQ(At(first, 1, 1), QColor(255, 0, 0));
}

TEST(PictureFile, WritesReplaceWholeFilesAndFailuresNameThePath)
{
    TempFolder folder;
    const QString path = folder.file(QStringLiteral("out.bin"));
    ASSERT_TRUE(WritePictureFile(path, "first"));
    ASSERT_TRUE(WritePictureFile(path, "second, longer"));
    EXPECT_EQ(test::ReadAll(path), QByteArray("second, longer"));
    EXPECT_EQ(FilesIn(folder.path()), QStringList{QStringLiteral("out.bin")});

    const QString missing = folder.file(QStringLiteral("no/such/folder/out.png"));
    const Status noFolder = WritePictureFile(missing, "x");
    EXPECT_FALSE(noFolder);
    EXPECT_TRUE(noFolder.message().contains(QDir::toNativeSeparators(missing)));

    // A folder where the file should go stays a folder.
    const QString inTheWay = folder.file(QStringLiteral("taken.png"));
    QDir().mkpath(inTheWay);
    EXPECT_FALSE(WritePictureFile(inTheWay, "x"));
    EXPECT_TRUE(QFileInfo(inTheWay).isDir());
    EXPECT_EQ(FilesIn(folder.path()), QStringList{QStringLiteral("out.bin")});

    // A file where a folder should be.
    const QString underFile = folder.file(QStringLiteral("out.bin/inside.png"));
    EXPECT_FALSE(WritePictureFile(underFile, "x"));
}

TEST(PictureFile, FoldersAreMadeWithParentsReusedOrRefused)
{
    TempFolder folder;
    const QString deep = folder.file(QStringLiteral("a/b/c_Frame"));
    ASSERT_TRUE(EnsureFolder(deep));
    EXPECT_TRUE(QFileInfo(deep).isDir());
    EXPECT_TRUE(EnsureFolder(deep)); // exists already

    const QString file = folder.write(QStringLiteral("x_Frame"), "file");
    const Status refused = EnsureFolder(file);
    EXPECT_FALSE(refused);
    EXPECT_TRUE(refused.message().contains(QStringLiteral("x_Frame")));
    EXPECT_FALSE(EnsureFolder(folder.file(QStringLiteral("x_Frame/below"))));
}

} // namespace
} // namespace mrv
