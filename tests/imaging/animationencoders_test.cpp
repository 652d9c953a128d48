#include "imaging/animationreader.h"
#include "imaging/canvas.h"
#include "imaging/gifanimation.h"
#include "imaging/pngcodec.h"
#include "imaging/webpanimation.h"

#include "testsupport.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>

#include <cmath>
#include <numeric>
#include <optional>

#include <gtest/gtest.h>

namespace mrv {
namespace {

using namespace test;

/// The frames a reader shows, each as a premultiplied canvas, with their delays.
struct Decoded
{
    QList<QImage> frames;
    QList<int> delays;
    int loopCount = 0;
};

Decoded Decode(const QByteArray &bytes, const QByteArray &format)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    Decoded out;
    out.loopCount = reader.loopCount();
    QImage frame;
    while (reader.read(&frame)) {
        out.frames << frame.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        out.delays << reader.nextImageDelay();
    }
    return out;
}

QImage Canvas(int width, int height, QColor fill)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void FillRect(QImage &image, QRect rect, QColor colour)
{
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect, colour);
}

/// Three pictures of a few flat colours: a red field with a blue block, the block moved with a
/// hole cut into the field (pixels that turn transparent), and a green spot added.
AnimationSequence FewColours()
{
    AnimationSequence sequence;
    QImage first = Canvas(40, 30, QColor(200, 20, 20));
    FillRect(first, QRect(0, 0, 40, 4), Qt::transparent);
    FillRect(first, QRect(5, 5, 8, 8), QColor(20, 20, 220));
    QImage second = Canvas(40, 30, QColor(200, 20, 20));
    FillRect(second, QRect(20, 10, 8, 8), QColor(20, 20, 220));
    FillRect(second, QRect(30, 20, 6, 6), Qt::transparent);
    QImage third = second;
    FillRect(third, QRect(2, 25, 3, 3), QColor(20, 200, 40));
    sequence.pictures = {first, second, third};
    sequence.order = {0, 1, 2, 1, 2, 1, 2};
    return sequence;
}

/// Pictures of smooth gradients with far more than 256 colours.
AnimationSequence ManyColours(int frames)
{
    AnimationSequence sequence;
    for (int f = 0; f < frames; ++f) {
        QImage image(64, 48, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb((x * 4 + f * 9) & 255, (y * 5) & 255, (x + y + f) & 255));
        sequence.pictures << image;
        sequence.order.push_back(f);
    }
    return sequence;
}

/// The sequence with every picture laid over black.
AnimationSequence Opaque(AnimationSequence sequence)
{
    for (QImage &picture : sequence.pictures)
        picture = FlattenOverBlack(picture).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return sequence;
}

bool HasTool(const char *name)
{
    return !QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty();
}

/// The frames as Pillow composes them (libwebp's demuxer, its own APNG code); nothing when
/// Pillow is not installed.
std::optional<Decoded> DecodeWithPillow(const QByteArray &bytes, const QString &name)
{
    // Debian's interpreter carries Pillow; another python3 first on the path may not.
    QString python = QStandardPaths::findExecutable(QStringLiteral("python3"),
                                                     {QStringLiteral("/usr/bin")});
    if (python.isEmpty())
        python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        return std::nullopt;
    TempFolder folder;
    QProcess run;
    run.start(python, {QStringLiteral(MIROVANE_TEST_SCRIPTS "/pilframes.py"),
                       folder.write(name, bytes), folder.path()});
    if (!run.waitForFinished(60000) || run.exitCode() == 77)
        return std::nullopt;
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    const QList<QByteArray> lines = run.readAllStandardOutput().trimmed().split('\n');
    Decoded out;
    out.loopCount = lines.first().mid(5).toInt();
    for (qsizetype n = 1; n < lines.size(); ++n) {
        out.delays << lines[n].toInt();
        out.frames << QImage(folder.file(QStringLiteral("%1.png").arg(n)))
                          .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    return out;
}

TEST(GifDelays, AlternateSoTheRunningTotalStaysExact)
{
    const std::vector<int> delays = GifDelays(6, 75);
    EXPECT_EQ(delays, (std::vector<int>{8, 7, 8, 7, 8, 7}));
    EXPECT_EQ(GifDelays(3, 100), (std::vector<int>{10, 10, 10}));
    EXPECT_TRUE(GifDelays(0, 75).empty());
    EXPECT_EQ(GifDelays(4, 16), (std::vector<int>{2, 2, 2, 2})); // browsers slow 1 cs to 10

    for (const int ms : {20, 21, 33, 41, 75, 99, 1234, 65535}) {
        const std::vector<int> all = GifDelays(500, ms);
        qint64 total = 0;
        for (size_t k = 0; k < all.size(); ++k) {
            total += all[k];
            EXPECT_LE(std::abs(total * 10 - qint64(k + 1) * ms), 5) << ms << " ms, frame " << k;
        }
    }
}

TEST(GifAnimation, FewColoursPlayBackExactlyWithTheirDelaysAndLoop)
{
    AnimationSequence sequence = FewColours();
    for (const bool repeat : {false, true}) {
        sequence.repeat = repeat;
        const Result<QByteArray> gif = EncodeGifAnimation(sequence);
        ASSERT_TRUE(gif) << gif.message();
        EXPECT_EQ(gif->contains("NETSCAPE2.0"), repeat);
        const Decoded decoded = Decode(*gif, "gif");
        ASSERT_EQ(decoded.frames.size(), qsizetype(sequence.order.size()));
        EXPECT_EQ(decoded.loopCount, repeat ? -1 : 0);
        const std::vector<int> cs = GifDelays(int(sequence.order.size()), sequence.frameMs);
        for (size_t f = 0; f < sequence.order.size(); ++f) {
            // Every pixel exact: the flat colours, and holes cleared back to transparency.
            EXPECT_EQ(decoded.frames[qsizetype(f)], sequence.pictures[sequence.order[f]])
                << "frame " << f;
            EXPECT_EQ(decoded.delays[qsizetype(f)], cs[f] * 10) << "frame " << f;
        }
    }
    // Frames after the first store only their changed rectangle (the 3 x 3 spot), a few bytes
    // more than their headers, where a whole frame would take hundreds.
    auto alternating = [&](int frames) {
        sequence.order.assign(size_t(frames), 1);
        for (size_t f = 1; f < sequence.order.size(); f += 2)
            sequence.order[f] = 2;
        return EncodeGifAnimation(sequence)->size();
    };
    EXPECT_LT((alternating(42) - alternating(2)) / 40, 40);
}

TEST(GifAnimation, ManyColoursGetAPaletteEachAndStayClose)
{
    const AnimationSequence sequence = ManyColours(4);
    const Result<QByteArray> gif = EncodeGifAnimation(sequence);
    ASSERT_TRUE(gif) << gif.message();
    const Decoded decoded = Decode(*gif, "gif");
    ASSERT_EQ(decoded.frames.size(), 4);
    for (int f = 0; f < 4; ++f) {
        const QImage &want = sequence.pictures[f];
        const QImage &got = decoded.frames[f];
        ASSERT_EQ(got.size(), want.size());
        double error = 0;
        for (int y = 0; y < want.height(); ++y)
            for (int x = 0; x < want.width(); ++x) {
                const QRgb a = want.pixel(x, y), b = got.pixel(x, y);
                error += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                         std::abs(qBlue(a) - qBlue(b));
            }
        EXPECT_LT(error / (want.width() * want.height() * 3), 6.0) << "frame " << f;
        EXPECT_EQ(qAlpha(got.pixel(10, 10)), 255);
    }
}

TEST(WebPAnimation, LosslessFramesAreExactWithMillisecondDelays)
{
    AnimationSequence sequence = FewColours();
    // Partly transparent pixels survive a lossless file.
    FillRect(sequence.pictures[2], QRect(10, 20, 5, 5), QColor(0, 100, 0, 100));
    sequence.frameMs = 41;
    for (const bool repeat : {false, true}) {
        sequence.repeat = repeat;
        const Result<QByteArray> webp = EncodeWebPAnimation(sequence, WebPLossless);
        ASSERT_TRUE(webp) << webp.message();
        const Decoded decoded = Decode(*webp, "webp");
        ASSERT_EQ(decoded.frames.size(), qsizetype(sequence.order.size()));
        EXPECT_EQ(decoded.loopCount, repeat ? -1 : 0);
        for (size_t f = 0; f < sequence.order.size(); ++f) {
            EXPECT_EQ(decoded.frames[qsizetype(f)], sequence.pictures[sequence.order[f]])
                << "frame " << f;
            EXPECT_EQ(decoded.delays[qsizetype(f)], 41);
        }
    }
    const Result<QByteArray> lossy = EncodeWebPAnimation(ManyColours(3), 60);
    ASSERT_TRUE(lossy);
    EXPECT_EQ(Decode(*lossy, "webp").frames.size(), 3);
}

TEST(ApngAnimation, FramesAreExactWithMillisecondDelaysAndPlays)
{
    TempFolder folder;
    AnimationSequence sequence = FewColours();
    FillRect(sequence.pictures[2], QRect(10, 20, 5, 5), QColor(0, 100, 0, 100));
    sequence.frameMs = 41;
    // Opaque pictures too: their blended frames' unchanged pixels take a colour tRNS clears.
    for (const bool repeat : {false, true, true}) {
        if (sequence.repeat)
            sequence = Opaque(sequence);
        sequence.repeat = repeat;
        const Result<QByteArray> apng = EncodeApng(sequence);
        ASSERT_TRUE(apng) << apng.message();
        // Each later frame is one changed rectangle.
        EXPECT_EQ(apng->count("fdAT"), qsizetype(sequence.order.size()) - 1);
        const Result<DecodedAnimation> read =
            ReadAnimation(folder.write(QStringLiteral("a.png"), *apng));
        ASSERT_TRUE(read) << read.message();
        EXPECT_EQ(read->plays, repeat ? 0 : 1);
        ASSERT_EQ(read->frames.size(), qsizetype(sequence.order.size()));
        for (size_t f = 0; f < sequence.order.size(); ++f) {
            EXPECT_EQ(read->frames[qsizetype(f)].image,
                      StraightCopy(sequence.pictures[sequence.order[f]]))
                << "frame " << f;
            EXPECT_EQ(read->frames[qsizetype(f)].delayMs, 41);
        }
        // A viewer without animation support shows the first frame.
        EXPECT_EQ(QImage::fromData(*apng).convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  sequence.pictures[0]);
    }
}

TEST(AnimationEncoders, PillowShowsEveryFrameOfAnOftenRepeatedLoopExactly)
{
    // Changes that blend over the frame before (the spot) and changes that must replace it (a
    // hole, a half-transparent block), each pair stored once and shown 40 times, and a last
    // change of one pixel at odd coordinates.
    AnimationSequence sequence = FewColours();
    FillRect(sequence.pictures[2], QRect(10, 20, 5, 5), QColor(0, 100, 0, 100));
    sequence.pictures << sequence.pictures[1];
    FillRect(sequence.pictures[3], QRect(7, 13, 1, 1), Qt::yellow);
    sequence.order = {0};
    for (int loop = 0; loop < 40; ++loop)
        sequence.order.insert(sequence.order.end(), {1, 2});
    sequence.order.insert(sequence.order.end(), {1, 3});
    sequence.frameMs = 41;
    sequence.repeat = true;
    // The same changes with every picture opaque. (Pillow 9 draws the transparent colour of an
    // opaque APNG's blended frames as holes, apngasm's files alike; apngdis reads those below.)
    const AnimationSequence opaque = Opaque(sequence);
    const std::tuple<QString, const AnimationSequence &, Result<QByteArray>> files[] = {
        {QStringLiteral("a.webp"), sequence, EncodeWebPAnimation(sequence, WebPLossless)},
        {QStringLiteral("a.png"), sequence, EncodeApng(sequence)},
        {QStringLiteral("opaque.webp"), opaque, EncodeWebPAnimation(opaque, WebPLossless)}};
    for (const auto &[name, sequence, bytes] : files) {
        ASSERT_TRUE(bytes) << bytes.message();
        const std::optional<Decoded> decoded = DecodeWithPillow(*bytes, name);
        if (!decoded)
            GTEST_SKIP() << "Pillow not installed";
        EXPECT_EQ(decoded->loopCount, 0) << name.toStdString();
        ASSERT_EQ(decoded->frames.size(), qsizetype(sequence.order.size())) << name.toStdString();
        for (size_t f = 0; f < sequence.order.size(); ++f) {
            EXPECT_EQ(decoded->frames[qsizetype(f)], sequence.pictures[sequence.order[f]])
                << name.toStdString() << " frame " << f;
            EXPECT_EQ(decoded->delays[qsizetype(f)], 41) << name.toStdString() << " frame " << f;
        }
    }
}

TEST(AnimationEncoders, StopWhenAskedAndRefuseBadInput)
{
    const AnimationSequence sequence = ManyColours(3);
    const EncodeStep stop = [](int, int) { return false; };
    const Result<QByteArray> gif = EncodeGifAnimation(sequence, stop);
    const Result<QByteArray> webp = EncodeWebPAnimation(sequence, WebPLossless, stop);
    const Result<QByteArray> apng = EncodeApng(sequence, stop);
    for (const Result<QByteArray> *stopped : {&gif, &webp, &apng}) {
        ASSERT_TRUE(*stopped);
        EXPECT_TRUE((*stopped)->isEmpty());
    }
    AnimationSequence mixed = sequence;
    mixed.pictures << QImage(10, 10, QImage::Format_ARGB32_Premultiplied);
    AnimationSequence outOfRange = sequence;
    outOfRange.order.push_back(7);
    AnimationSequence empty;
    for (const AnimationSequence *bad : {&mixed, &outOfRange, &empty}) {
        EXPECT_FALSE(EncodeGifAnimation(*bad));
        EXPECT_FALSE(EncodeWebPAnimation(*bad, WebPLossless));
        EXPECT_FALSE(EncodeApng(*bad));
    }
}

TEST(AnimationEncoders, DebianToolsAcceptTheFiles)
{
    if (!HasTool("webpinfo") || !HasTool("apngdis"))
        GTEST_SKIP() << "webpinfo or apngdis not installed";
    TempFolder folder;
    AnimationSequence sequence = FewColours();
    sequence.repeat = true;
    const QString webp =
        folder.write(QStringLiteral("a.webp"), *EncodeWebPAnimation(sequence, WebPLossless));
    QProcess info;
    info.start(QStringLiteral("webpinfo"), {webp});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_EQ(info.exitCode(), 0) << info.readAll().toStdString();
    const QByteArray report = info.readAllStandardOutput();
    EXPECT_EQ(report.count("Chunk ANMF"), 7);
    EXPECT_TRUE(report.contains("Loop count      : 0"));

    // apngdis, the APNG project's own reader, composes each frame: with transparency, and
    // opaque, where blended frames draw unchanged pixels in a colour tRNS makes transparent.
    for (const AnimationSequence &animation : {sequence, Opaque(sequence)}) {
        const QString apng = folder.write(QStringLiteral("a.png"), *EncodeApng(animation));
        QProcess dis;
        dis.setWorkingDirectory(folder.path());
        dis.start(QStringLiteral("apngdis"), {apng, QStringLiteral("f")});
        ASSERT_TRUE(dis.waitForFinished(30000));
        EXPECT_EQ(dis.exitCode(), 0);
        for (size_t f = 0; f < animation.order.size(); ++f) {
            const QImage frame(folder.file(QStringLiteral("f%1.png").arg(f + 1)));
            ASSERT_FALSE(frame.isNull()) << f;
            EXPECT_EQ(frame.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                      animation.pictures[animation.order[f]])
                << "frame " << f;
            EXPECT_EQ(ReadAll(folder.file(QStringLiteral("f%1.txt").arg(f + 1))).trimmed(),
                      QByteArray("delay=75/1000"));
        }
    }
}

} // namespace
} // namespace mrv
