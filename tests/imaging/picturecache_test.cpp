#include "imaging/picturecache.h"

#include "testsupport.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace mrv::test {
namespace {

QString Write(const TempFolder &folder, const QString &name, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = folder.file(name);
    image.save(path);
    return path;
}

void Touch(const QString &path, int seconds)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::currentDateTime().addSecs(seconds),
                     QFileDevice::FileModificationTime);
}

TEST(PictureCache, DecodesOnceWhileTheFileStaysTheSame)
{
    TempFolder folder;
    const QString path = Write(folder, QStringLiteral("a.png"), {40, 30}, Qt::red);
    PictureCache cache;
    EXPECT_EQ(cache.Picture(path).size(), QSize(40, 30));
    EXPECT_EQ(cache.Picture(path).pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(cache.DecodeCount(), 1);
}

TEST(PictureCache, ReadsAChangedFileAgain)
{
    TempFolder folder;
    const QString path = Write(folder, QStringLiteral("a.png"), {40, 30}, Qt::red);
    PictureCache cache;
    ASSERT_EQ(cache.Scaled(path, {20, 15}).pixelColor(0, 0), QColor(Qt::red));
    Write(folder, QStringLiteral("a.png"), {40, 30}, Qt::blue);
    Touch(path, 10);
    EXPECT_EQ(cache.Picture(path).pixelColor(0, 0), QColor(Qt::blue));
    // The scaled copy of the old content is not handed out either.
    EXPECT_EQ(cache.Scaled(path, {20, 15}).pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(cache.DecodeCount(), 2);
}

TEST(PictureCache, KeepsOneScaledCopyForTheSizeInUse)
{
    TempFolder folder;
    const QString path = Write(folder, QStringLiteral("a.png"), {40, 30}, Qt::green);
    PictureCache cache;
    EXPECT_EQ(cache.Scaled(path, {20, 15}).size(), QSize(20, 15));
    EXPECT_EQ(cache.Scaled(path, {20, 15}).size(), QSize(20, 15));
    EXPECT_EQ(cache.ScaleCount(), 1);
    EXPECT_EQ(cache.Scaled(path, {10, 8}).size(), QSize(10, 8));
    EXPECT_EQ(cache.ScaleCount(), 2);
    // At its own size the picture itself comes back, unscaled.
    EXPECT_EQ(cache.Scaled(path, {40, 30}).cacheKey(), cache.Picture(path).cacheKey());
    EXPECT_TRUE(cache.Scaled(path, {0, 5}).isNull());
}

TEST(PictureCache, APieceOfAHugeScaleCostsOnlyThePiece)
{
    TempFolder folder;
    // A horizontal gradient, so a piece from the wrong place shows.
    QImage gradient(64, 48, QImage::Format_RGB32);
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 48; ++y)
            gradient.setPixel(x, y, qRgb(x * 4, y * 5, 128));
    const QString path = folder.file(QStringLiteral("g.png"));
    ASSERT_TRUE(gradient.save(path));
    PictureCache cache;

    // The piece matches the same place of the whole picture scaled, to the smoothing.
    const QImage whole = cache.Scaled(path, {640, 480});
    const QRect part(100, 50, 200, 100);
    const QImage piece = cache.ScaledPart(path, {640, 480}, part);
    ASSERT_EQ(piece.size(), part.size());
    int worst = 0;
    for (int x = 0; x < part.width(); ++x)
        for (int y = 0; y < part.height(); ++y) {
            const QRgb a = piece.pixel(x, y);
            const QRgb b = whole.pixel(part.left() + x, part.top() + y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b))});
        }
    EXPECT_LE(worst, 4);

    // Scaled to ten billion pixels, the piece alone is made and nothing is kept.
    const qint64 before = cache.CostBytes();
    const QImage far = cache.ScaledPart(path, {100000, 100000}, {50000, 50000, 300, 200});
    EXPECT_EQ(far.size(), QSize(300, 200));
    EXPECT_NEAR(QColor(far.pixel(0, 0)).red(), 32 * 4, 4); // source column 32 of 64
    EXPECT_EQ(cache.CostBytes(), before);
    // A piece cut off by the scaled picture's edge, or outside it.
    EXPECT_EQ(cache.ScaledPart(path, {640, 480}, {600, 460, 100, 100}).size(), QSize(40, 20));
    EXPECT_TRUE(cache.ScaledPart(path, {640, 480}, {700, 0, 10, 10}).isNull());
}

TEST(PictureCache, MissingAndBrokenFilesGiveNullAndAreNotDecodedOverAndOver)
{
    TempFolder folder;
    PictureCache cache;
    EXPECT_TRUE(cache.Picture(folder.file(QStringLiteral("none.png"))).isNull());
    EXPECT_TRUE(cache.Picture(folder.path()).isNull()); // a folder is no picture
    EXPECT_TRUE(cache.Picture(QString()).isNull());
    const QString broken = folder.write(QStringLiteral("b.png"), "not a picture");
    EXPECT_TRUE(cache.Picture(broken).isNull());
    EXPECT_TRUE(cache.Scaled(broken, {5, 5}).isNull());
    EXPECT_EQ(cache.DecodeCount(), 1);

    // A missing file that appears later is read then.
    const QString later = folder.file(QStringLiteral("later.png"));
    EXPECT_TRUE(cache.Picture(later).isNull());
    Write(folder, QStringLiteral("later.png"), {3, 3}, Qt::red);
    EXPECT_FALSE(cache.Picture(later).isNull());
}

TEST(PictureCache, DropsTheLeastRecentlyUsedBeyondItsBudget)
{
    TempFolder folder;
    // Each picture is 100 x 100 x 4 bytes = 40000 bytes; room for two.
    PictureCache cache(90000);
    const QString a = Write(folder, QStringLiteral("a.png"), {100, 100}, Qt::red);
    const QString b = Write(folder, QStringLiteral("b.png"), {100, 100}, Qt::green);
    const QString c = Write(folder, QStringLiteral("c.png"), {100, 100}, Qt::blue);
    cache.Picture(a);
    cache.Picture(b);
    cache.Picture(a); // a is now the most recent
    cache.Picture(c); // b goes
    EXPECT_EQ(cache.Count(), 2);
    EXPECT_LE(cache.CostBytes(), 90000);
    const qint64 decodes = cache.DecodeCount();
    cache.Picture(a);
    cache.Picture(c);
    EXPECT_EQ(cache.DecodeCount(), decodes);
    cache.Picture(b);
    EXPECT_EQ(cache.DecodeCount(), decodes + 1);

    // A picture larger than the whole budget is still handed out.
    PictureCache tiny(10);
    EXPECT_FALSE(tiny.Picture(a).isNull());
    cache.Clear();
    EXPECT_EQ(cache.Count(), 0);
    EXPECT_EQ(cache.CostBytes(), 0);
}

} // namespace
} // namespace mrv::test
