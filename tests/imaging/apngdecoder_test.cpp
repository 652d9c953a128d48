#include "imaging/apngdecoder.h"

#include "imaging/animationprobe.h"
#include "imaging/animationreader.h"

#include "imaging/pngchunks.h"
#include "testsupport.h"

#include <QtEndian>

#include <optional>
#include <utility>

#include <gtest/gtest.h>

#include <vector>

namespace mrv::test {
namespace {

constexpr QRgb Red = 0xffff0000;
constexpr QRgb Green = 0xff00ff00;
constexpr QRgb Blue = 0xff0000ff;
constexpr QRgb White = 0xffffffff;
constexpr QRgb Yellow = 0xffffff00;
constexpr QRgb Clear = 0;

enum : uchar { None = 0, Background = 1, Previous = 2 };
enum : uchar { Source = 0, Over = 1 };

/// The zlib stream of unfiltered RGBA rows (colours given straight, as PNG stores them).
QByteArray rgbaStream(int width, const std::vector<QRgb> &pixels)
{
    QByteArray raw;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (i % size_t(width) == 0)
            raw.append('\0');
        const QRgb p = pixels[i];
        raw.append(char(qRed(p))).append(char(qGreen(p))).append(char(qBlue(p))).append(char(qAlpha(p)));
    }
    return qCompress(raw).mid(4); // qCompress puts the length before the zlib stream
}

/// Writes an APNG chunk by chunk, numbering the sequence itself.
class ApngWriter
{
public:
    ApngWriter(int width, int height, int frames, int plays) : m_width(width)
    {
        m_file.append(reinterpret_cast<const char *>(PngSignature.data()), 8);
        add("IHDR", Be32(width) + Be32(height) + QByteArray("\x08\x06\x00\x00\x00", 5));
        add("acTL", Be32(frames) + Be32(plays));
    }
    void Control(QRect r, quint16 num, quint16 den, uchar dispose, uchar blend)
    {
        add("fcTL", Be32(m_sequence++) + Be32(r.width()) + Be32(r.height()) + Be32(r.x())
                        + Be32(r.y()) + Be16(num) + Be16(den) + char(dispose) + char(blend));
        m_frameWidth = r.width();
    }
    void Data(const std::vector<QRgb> &pixels) { add("IDAT", rgbaStream(m_frameWidth, pixels)); }
    void FrameData(const std::vector<QRgb> &pixels)
    {
        add("fdAT", Be32(m_sequence++) + rgbaStream(m_frameWidth, pixels));
    }
    QByteArray Finish()
    {
        add("IEND", {});
        return m_file;
    }
    void SetFrameWidth(int width) { m_frameWidth = width; }

private:
    void add(const char *type, const QByteArray &body) { AppendPngChunk(m_file, type, body); }
    QByteArray m_file;
    int m_width;
    int m_frameWidth = 0;
    quint32 m_sequence = 0;
};

struct Decoded
{
    Result<AnimationInfo> info;
    std::vector<AnimationFrame> frames;
};

Decoded decode(const QByteArray &file)
{
    std::vector<AnimationFrame> frames;
    Result<AnimationInfo> info = DecodeApng(file, [&](const AnimationFrame &f) {
        frames.push_back(f);
        return true;
    });
    return {std::move(info), std::move(frames)};
}

std::vector<QRgb> pixelsOf(const QImage &image)
{
    std::vector<QRgb> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.push_back(image.pixel(x, y));
    return out;
}

TEST(ApngDecoder, ComposesEveryFrameWithItsBlendAndTheEarlierFramesDisposal)
{
    // A 4 x 2 canvas. A default image that is not part of the animation comes first.
    ApngWriter w(4, 2, 4, 0);
    w.SetFrameWidth(4);
    w.Data(std::vector<QRgb>(8, Yellow));
    w.Control({0, 0, 4, 2}, 1, 10, None, Over); // the first frame never blends
    w.FrameData({Red, Red, Red, Red, Red, Red, Red, Red});
    w.Control({1, 0, 2, 1}, 7, 0, Previous, Over); // drawn over, then taken back
    w.FrameData({Green, Clear});
    w.Control({0, 1, 1, 1}, 1, 3, Background, Source); // shown, then cleared
    w.FrameData({Blue});
    w.Control({3, 1, 1, 1}, 0, 1, None, Source);
    w.FrameData({White});
    const Decoded d = decode(w.Finish());

    ASSERT_TRUE(d.info.ok()) << d.info.message().toStdString();
    EXPECT_EQ(d.info->size, QSize(4, 2));
    EXPECT_EQ(d.info->frameCount, 4);
    EXPECT_EQ(d.info->plays, 0);
    ASSERT_EQ(d.frames.size(), 4u);
    const std::vector<std::vector<QRgb>> expected = {
        {Red, Red, Red, Red, Red, Red, Red, Red},
        {Red, Green, Red, Red, Red, Red, Red, Red},
        {Red, Red, Red, Red, Blue, Red, Red, Red},
        {Red, Red, Red, Red, Clear, Red, Red, White},
    };
    const int delays[] = {100, 70, 333, 0};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(d.frames[i].image.format(), QImage::Format_ARGB32);
        EXPECT_EQ(pixelsOf(d.frames[i].image), expected[i]) << "frame " << i + 1;
        EXPECT_EQ(d.frames[i].delayMs, delays[i]) << "frame " << i + 1;
    }
}

TEST(ApngDecoder, ImageDataAfterTheFirstControlIsTheFirstFrame)
{
    ApngWriter w(2, 1, 2, 3);
    w.Control({0, 0, 2, 1}, 5, 100, Background, Source);
    w.Data({Blue, Green});
    w.Control({1, 0, 1, 1}, 5, 100, None, Source);
    w.FrameData({White});
    const Decoded d = decode(w.Finish());
    ASSERT_TRUE(d.info.ok()) << d.info.message().toStdString();
    EXPECT_EQ(d.info->plays, 3);
    ASSERT_EQ(d.frames.size(), 2u);
    EXPECT_EQ(pixelsOf(d.frames[0].image), (std::vector<QRgb>{Blue, Green}));
    EXPECT_EQ(pixelsOf(d.frames[1].image), (std::vector<QRgb>{Clear, White}));
    EXPECT_EQ(d.frames[0].delayMs, 50);
    EXPECT_TRUE(IsAnimatedPng(w.Finish()));
}

TEST(ApngDecoder, DamagedAnimationsFailWithAReason)
{
    const auto failsWithReason = [](const QByteArray &file) {
        const Decoded d = decode(file);
        EXPECT_FALSE(d.info.ok());
        EXPECT_FALSE(d.info.message().isEmpty());
    };
    {
        ApngWriter outside(4, 4, 1, 0);
        outside.Control({3, 3, 2, 2}, 1, 10, None, Source);
        outside.Data(std::vector<QRgb>(4, Red));
        failsWithReason(outside.Finish());
    }
    {
        ApngWriter orphan(2, 1, 1, 0);
        orphan.SetFrameWidth(2);
        orphan.FrameData({Red, Red});
        failsWithReason(orphan.Finish());
    }
    {
        ApngWriter cut(2, 2, 2, 0);
        cut.Control({0, 0, 2, 2}, 1, 10, None, Source);
        cut.Data(std::vector<QRgb>(4, Red));
        cut.Control({0, 0, 2, 2}, 1, 10, None, Source);
        cut.FrameData({Red}); // one pixel where four belong
        failsWithReason(cut.Finish());
    }
    failsWithReason(QByteArray("\x89PNG\r\n\x1a\n", 8));
    failsWithReason(QByteArray(400, 'x'));
}

/// Overwrites the sequence number of the n-th (from 0) chunk of this type; CRCs are not checked.
QByteArray renumbered(QByteArray file, const char *type, int n, quint32 sequence)
{
    qsizetype at = -1;
    for (int i = 0; i <= n; ++i)
        at = file.indexOf(type, at + 1);
    qToBigEndian(sequence, file.data() + at + 4);
    return file;
}

TEST(ApngDecoder, CutOrShuffledAnimationsAreDamage)
{
    const auto write = [](int declared, int frames) {
        ApngWriter w(2, 1, declared, 0);
        for (int i = 0; i < frames; ++i) {
            w.Control({0, 0, 2, 1}, 1, 10, None, Source);
            if (i == 0)
                w.Data({Red, Green});
            else
                w.FrameData({Blue, QRgb(White - i)});
        }
        return w.Finish();
    };
    const QByteArray whole = write(3, 3); // fcTL 0, IDAT, fcTL 1, fdAT 2, fcTL 3, fdAT 4
    ASSERT_EQ(decode(whole).frames.size(), 3u);
    const struct
    {
        const char *what;
        QByteArray file;
    } damaged[] = {
        {"cut in half", whole.left(whole.size() / 2)},
        {"cut between chunks, before the last frame", whole.left(whole.lastIndexOf("fcTL") - 4)},
        {"without its end", whole.left(whole.size() - 12)},
        {"a frame fewer than declared", write(3, 2)},
        {"a frame more than declared", write(2, 3)},
        {"a repeated number", renumbered(whole, "fdAT", 0, 1)},
        {"a gap in the numbers", renumbered(whole, "fcTL", 2, 4)},
        {"two numbers swapped", renumbered(renumbered(whole, "fcTL", 1, 2), "fdAT", 0, 1)},
    };
    for (const auto &d : damaged) {
        EXPECT_TRUE(IsAnimatedPng(d.file)) << d.what;
        const Decoded result = decode(d.file);
        EXPECT_FALSE(result.info.ok()) << d.what;
        EXPECT_FALSE(result.info.message().isEmpty()) << d.what;
        EXPECT_TRUE(result.frames.empty()) << d.what;
    }
}

/// A two-frame 1 x 1 GIF, with a NETSCAPE loop block when `loops` is given.
QByteArray twoFrameGif(std::optional<quint16> loops)
{
    QByteArray gif = QByteArray::fromHex("474946383961010001008000000000ffffffff");
    if (loops)
        gif += QByteArray::fromHex("21ff0b4e45545343415045322e300301") + char(*loops & 0xff)
               + char(*loops >> 8) + '\0';
    const QByteArray frame = QByteArray::fromHex("21f904000a0000002c0000000001000100000202440100");
    return gif + frame + frame + ';';
}

TEST(AnimationReader, AGifFrameWithoutPixelsIsAFrameAndItsDataIsPassedOver)
{
    TempFolder folder;
    // A 1 x 1 frame, a 0 x 0 frame that still carries a block of data, a 1 x 1 frame (found by
    // fuzzing: the empty frame's data was read as the records after it).
    const QByteArray frame = QByteArray::fromHex("2c0000000001000100000202440100");
    const QByteArray header = QByteArray::fromHex("474946383961010001008000000000ffffffff");
    // No pixels at all, and none in a row of four rows.
    for (const char *empty : {"2c00000000000000000002024401"
                              "00",
                              "2c00000000000004000002024401"
                              "00"}) {
        const QString path =
            folder.write(QStringLiteral("empty.gif"),
                         header + frame + QByteArray::fromHex(empty) + frame + frame + ';');
        const Result<DecodedAnimation> read = ReadAnimation(path);
        ASSERT_TRUE(read.ok()) << read.message();
        EXPECT_EQ(read->frames.size(), 4);
        EXPECT_EQ(ProbeAnimation(path)->frameCount, 4);
    }
}

TEST(AnimationReader, PlaysFollowTheLoopBlockAndStillPicturesAreOneFrame)
{
    TempFolder folder;
    const auto playsOf = [&](const QByteArray &bytes) {
        const Result<DecodedAnimation> read = ReadAnimation(folder.write(QStringLiteral("a"), bytes));
        EXPECT_TRUE(read.ok()) << read.message();
        return read.ok() ? std::pair(int(read->frames.size()), read->plays) : std::pair(0, -1);
    };
    EXPECT_EQ(playsOf(twoFrameGif(std::nullopt)), std::pair(2, 1)); // no block: plays once
    EXPECT_EQ(playsOf(twoFrameGif(0)), std::pair(2, 0));            // forever
    EXPECT_EQ(playsOf(twoFrameGif(2)), std::pair(2, 3));            // two repeats after the first
    EXPECT_TRUE(IsAnimationFile(folder.file(QStringLiteral("a"))));

    QImage still(3, 2, QImage::Format_RGB32);
    still.fill(Qt::red);
    const QString jpeg = folder.file(QStringLiteral("still.jpg"));
    ASSERT_TRUE(still.save(jpeg));
    EXPECT_FALSE(IsAnimationFile(jpeg));
    EXPECT_EQ(playsOf(ReadAll(jpeg)), std::pair(1, 1));

    EXPECT_FALSE(ReadAnimation(folder.file(QStringLiteral("missing.gif"))).ok());
    EXPECT_FALSE(ReadAnimation(folder.write(QStringLiteral("text.gif"), "not a picture")).ok());
}

} // namespace
} // namespace mrv::test
