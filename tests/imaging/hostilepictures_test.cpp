// Pictures a stranger's project may name: each must load as nothing (its area stays
// transparent), quickly and within bounded memory, never crash.
#include "imaging/pictureloader.h"
#include "imaging/pngcodec.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include <zlib.h>

using namespace mrv;

namespace {

QByteArray chunk(const char *type, const QByteArray &body)
{
    QByteArray out;
    const quint32 length = quint32(body.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char((length >> shift) & 0xFF);
    const QByteArray typed = QByteArray(type, 4) + body;
    out += typed;
    const quint32 crc =
        quint32(crc32(0, reinterpret_cast<const Bytef *>(typed.constData()), uInt(typed.size())));
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char((crc >> shift) & 0xFF);
    return out;
}

QByteArray pngHeaderClaiming(quint32 width, quint32 height)
{
    QByteArray ihdr;
    for (quint32 v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            ihdr += char((v >> shift) & 0xFF);
    ihdr += QByteArray("\x08\x06\x00\x00\x00", 5); // 8-bit RGBA, no interlace
    const QByteArray tinyData = QByteArray::fromHex("789c63000100000500010d0a2db4");
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", ihdr) + chunk("IDAT", tinyData) +
           chunk("IEND", {});
}

QByteArray validPng()
{
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

TEST(HostilePictures, DamagedOrMisnamedFilesLoadAsNothing)
{
    test::TempFolder dir;
    const QByteArray png = validPng();
    ASSERT_FALSE(LoadPicture(dir.write(QStringLiteral("ok.png"), png)).isNull());

    EXPECT_TRUE(
        LoadPicture(dir.write(QStringLiteral("truncated.png"), png.left(png.size() / 2))).isNull());
    EXPECT_TRUE(LoadPicture(dir.write(QStringLiteral("empty.png"), {})).isNull());
    EXPECT_TRUE(
        LoadPicture(dir.write(QStringLiteral("text.png"), "this is not a picture\n")).isNull());
    EXPECT_TRUE(LoadPicture(dir.file(QStringLiteral("missing.png"))).isNull());
    EXPECT_TRUE(LoadPicture(QString()).isNull());
    // A path that names a folder.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.png")));
    EXPECT_TRUE(LoadPicture(dir.file(QStringLiteral("folder.png"))).isNull());
}

TEST(HostilePictures, HugeClaimedSizesAreRefusedWithoutAllocating)
{
    test::TempFolder dir;
    // 60000 x 60000 RGBA would need 14 GB; both readers refuse it from the header.
    const QByteArray huge = pngHeaderClaiming(60000, 60000);
    EXPECT_TRUE(DecodePngFast(huge).isNull());
    EXPECT_TRUE(LoadPicture(dir.write(QStringLiteral("huge.png"), huge)).isNull());
    // Sides near 2^31 once overflowed the size check itself (found by fuzzing).
    EXPECT_TRUE(DecodePngFast(pngHeaderClaiming(0x71742e67, 0x75692e02)).isNull());
    EXPECT_TRUE(DecodePngFast(pngHeaderClaiming(0x7fffffff, 0x7fffffff)).isNull());
    EXPECT_TRUE(DecodePngFast(pngHeaderClaiming(0x80000000u, 1)).isNull());
}
