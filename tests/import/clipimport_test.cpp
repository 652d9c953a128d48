// A clip of any size and length becomes a boot animation: its frames fitted into the project's
// animation area and sampled by time to the boot's 105 frames. The arithmetic by worked
// examples; the whole import through the real command line, on GIFs written here whose frames
// carry their number as a colour.

#include "imaging/gifanimation.h"
#include "import/boottiming.h"
#include "import/framefit.h"
#include "project/mvk.h"

#include "cliprocess.h"
#include "exporttestdata.h"
#include "testsupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <cmath>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace mrv {
namespace {

using namespace test;

TEST(FrameFit, PlacesAPictureInTheProjectsOwnArea)
{
    struct Case
    {
        QSize picture, project;
        FrameFit fit;
        QSize scaled;
        QRect kept;
        QPoint offset;
    };
    const QSize wide(480, 270);
    const QSize p43(1024, 768);
    const QSize p169(1280, 720); // area 250 x 187.5
    const Case cases[] = {
        {wide, p43, FrameFit::Contain, {200, 112}, {0, 0, 200, 112}, {0, 44}},
        {wide, p43, FrameFit::Cover, {356, 200}, {78, 0, 200, 200}, {0, 0}},
        {wide, p43, FrameFit::None, wide, {0, 0, 480, 270}, {-140, -35}},
        {wide, p169, FrameFit::Contain, {250, 141}, {0, 0, 250, 141}, {0, 23}},
        // 188 rows cover the 187.5 of the area.
        {wide, p169, FrameFit::Cover, {333, 188}, {41, 0, 250, 188}, {0, 0}},
        {wide, p169, FrameFit::None, wide, {0, 0, 480, 270}, {-115, -41}},
        {{100, 100}, p169, FrameFit::None, {100, 100}, {0, 0, 100, 100}, {75, 43}},
        // Chosen for a small picture, Contain enlarges it to the area.
        {{50, 100}, p43, FrameFit::Contain, {100, 200}, {0, 0, 100, 200}, {50, 0}},
        {{50, 100}, {0, -5}, FrameFit::None, {50, 100}, {0, 0, 50, 100}, {75, 50}},
    };
    for (const Case &c : cases) {
        const FitPlacement p = PlaceInArea(c.picture, c.project, c.fit);
        EXPECT_EQ(p.scaled, c.scaled) << c.picture.width() << " in " << c.project.width();
        EXPECT_EQ(p.kept, c.kept) << c.picture.width() << " in " << c.project.width();
        EXPECT_EQ(p.offset, c.offset) << c.picture.width() << " in " << c.project.width();
    }
    // A source that fits takes no scaling unless asked; the area is the project's.
    EXPECT_EQ(DefaultFit({240, 150}, p169), FrameFit::None);
    EXPECT_EQ(DefaultFit({240, 150}, p43), FrameFit::Contain);
    EXPECT_EQ(DefaultFit({200, 200}, p43), FrameFit::None);
}

TEST(BootTiming, SamplesTheSourceByTimeWithWholePassesInTheLoop)
{
    struct Case
    {
        std::vector<int> delays;
        int frameTime;
        int passes;
        int percent;
        std::vector<std::pair<int, int>> shown; // project frame (0-based), source frame
        int loopStart = 0;
    };
    const Case cases[] = {
        // 1200 ms; 45 x 75 ms hold 2.8 passes: 3, 80 ms of source per frame.
        {std::vector<int>(12, 100), 75, 3, 107, {{0, 0}, {1, 0}, {2, 1}, {15, 0}, {59, 11},
                                                  {60, 0}, {104, 11}}},
        // 1000 ms of two pictures: 3 passes, 66.7 ms per frame.
        {{500, 500}, 75, 3, 89, {{7, 0}, {8, 1}, {15, 0}, {104, 1}}},
        // A long clip plays once through the loop, faster.
        {std::vector<int>(100, 100), 75, 1, 296, {{1, 2}, {45, 0}, {60, 33}, {104, 31}}},
        // Exactly one frame per frame: frame k shows k, taken round the 45.
        {std::vector<int>(45, 75), 75, 1, 100, {{44, 44}, {45, 0}, {104, 14}}},
        // Uneven delays: 40 ms, then 100, then 200.
        {{40, 100, 200}, 100, 13, 98, {{0, 0}, {1, 1}, {2, 2}, {3, 2}, {4, 1}}},
        // The loop from 450 ms starts with the frame shown then, at 400: 600 ms, 6 passes.
        {std::vector<int>(10, 100), 75, 6, 107, {{12, 9}, {13, 4}, {104, 5}}, 450},
    };
    for (const Case &c : cases) {
        const BootSampling s = SampleForBoot(c.delays, c.frameTime, c.loopStart);
        ASSERT_EQ(s.sourceFrames.size(), 105u);
        EXPECT_EQ(s.passes, c.passes) << c.delays.size();
        EXPECT_EQ(std::lround(s.speed * 100), c.percent) << c.delays.size();
        for (auto [frame, source] : c.shown)
            EXPECT_EQ(s.sourceFrames[size_t(frame)], source) << c.delays.size() << " @" << frame;
        // Frames 61-105 are whole passes: 45 frames on, every frame from 16 shows the same
        // source frame again, so 105 -> 61 is a step like any other.
        for (int k = 15; k + 45 < 105; ++k)
            EXPECT_EQ(s.sourceFrames[size_t(k)], s.sourceFrames[size_t(k + 45)])
                << c.delays.size() << " @" << k;
    }
    EXPECT_TRUE(SampleForBoot({}, 75).sourceFrames.empty());
    EXPECT_TRUE(SampleForBoot({0, 0}, 75).sourceFrames.empty());
    EXPECT_TRUE(SampleForBoot({100}, 0).sourceFrames.empty());
    // A loop start past the end, or one frames 1-60 do not reach at the loop's speed.
    EXPECT_TRUE(SampleForBoot({100, 100}, 75, 200).sourceFrames.empty());
    EXPECT_TRUE(SampleForBoot(std::vector<int>(100, 100), 75, 9000).sourceFrames.empty());
    EXPECT_EQ(ShownDelayMs(0), 100);
    EXPECT_EQ(ShownDelayMs(10), 100);
    EXPECT_EQ(ShownDelayMs(20), 20);
}

constexpr int ClipW = 480;
constexpr int ClipH = 270;

/// Frame i's counter colour, filling the clip's top half: i in its red.
QRgb CounterColour(int i)
{
    return qRgb(i * 16 + 8, 160, 60);
}

/// Frame i of the clip: its counter above; below, a one-pixel checkerboard, which shrinking
/// aliases unless every pixel counts, beside a grey ramp.
QImage ClipFrame(int frame)
{
    QImage image(ClipW, ClipH, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < ClipH; ++y)
        for (int x = 0; x < ClipW; ++x) {
            const int grey = x < ClipW / 2 ? ((x + y) & 1) * 255 : (x - ClipW / 2) * 255 / 239;
            image.setPixel(x, y, y < ClipH / 2 ? CounterColour(frame) : qRgb(grey, grey, grey));
        }
    return image;
}

/// A looping GIF of `count` frames of `frameMs` each.
QString WriteClip(const QString &path, int count, int frameMs)
{
    AnimationSequence clip;
    for (int i = 0; i < count; ++i) {
        clip.pictures.append(ClipFrame(i));
        clip.order.push_back(i);
    }
    clip.frameMs = frameMs;
    clip.repeat = true;
    const Result<QByteArray> gif = EncodeGifAnimation(clip);
    QFile file(path);
    return gif && file.open(QIODevice::WriteOnly) && file.write(*gif) == gif->size() ? path
                                                                                      : QString();
}

/// The source frame a written picture shows: the counter at its top middle.
int CounterOf(const QImage &picture)
{
    return qRed(picture.pixel(picture.width() / 2, picture.height() / 5)) / 16;
}

double Psnr(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 0;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                sum += d * d;
        }
    const double mse = sum / (3.0 * a.width() * a.height());
    return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

struct Imported
{
    ProcessRun run;
    QJsonArray frames;
};

/// Imports the clip into a new project of the given size with the command line's options.
Imported ImportClip(const TempFolder &folder, QSize screen, const QString &clip,
                    const QStringList &options)
{
    MVK project = MakeProject(folder, screen.width(), screen.height(), {});
    const QString path = SaveProject(project, folder);
    Imported imported;
    imported.run = RunCliProcess(QStringList{QStringLiteral("import-frames"), path, clip} + options);
    const ProcessRun info = RunCliProcess({QStringLiteral("info"), path, QStringLiteral("--json")});
    imported.frames =
        QJsonDocument::fromJson(info.out.toUtf8()).object()[QStringLiteral("frames")].toArray();
    return imported;
}

QImage PictureOf(const TempFolder &folder, const QJsonValue &frame)
{
    return QImage(folder.file(frame[QStringLiteral("url")].toString().replace(u'\\', u'/')));
}

TEST(ClipImportCli, AWideGifBecomesTheBootsFramesFittedAndTimed)
{
    TempFolder folder;
    const QString clip = WriteClip(folder.file(QStringLiteral("wide.gif")), 12, 100);
    // 16:9: the area is 250 x 187.5, the clip shrinks to 250 x 141 and plays three passes.
    const Imported imported = ImportClip(folder, {1280, 720}, clip, {});
    ASSERT_EQ(imported.run.code, 0) << imported.run.err;
    EXPECT_TRUE(imported.run.err.contains(QStringLiteral("播放速度为原片的 107%")))
        << imported.run.err;
    ASSERT_EQ(imported.frames.size(), 105);
    for (int k = 0; k < 105; ++k) {
        const QJsonValue frame = imported.frames[k];
        const QImage picture = PictureOf(folder, frame);
        ASSERT_EQ(picture.size(), QSize(250, 141)) << k;
        EXPECT_EQ(frame[QStringLiteral("x")].toInt(), 0);
        EXPECT_EQ(frame[QStringLiteral("y")].toInt(), 23);
        // 80 ms of the clip per frame.
        EXPECT_EQ(CounterOf(picture), k * 80 % 1200 / 100) << "frame " << k + 1;
    }
    // The user's clip is read, never written; the pictures are new.
    EXPECT_TRUE(imported.frames[0][QStringLiteral("url")].toString().startsWith(
        QStringLiteral("wide_frames\\")));

    const QString convert = QStandardPaths::findExecutable(QStringLiteral("convert"));
    if (convert.isEmpty())
        GTEST_SKIP() << "ImageMagick's convert (Debian package imagemagick) is the reference";
    const QString source = WritePng(folder.file(QStringLiteral("source.png")), ClipFrame(0));
    const QString reference = folder.file(QStringLiteral("reference.png"));
    ASSERT_EQ(RunProgram(convert, {source, QStringLiteral("-resize"), QStringLiteral("250x141!"),
                                   reference})
                  .code,
              0);
    const QImage ours = PictureOf(folder, imported.frames[0]).convertToFormat(QImage::Format_RGB32);
    EXPECT_GE(Psnr(ours, QImage(reference).convertToFormat(QImage::Format_RGB32)), 30.0);
}

TEST(ClipImportCli, TheChosenFitAndTimingDecideSizePlaceAndCount)
{
    TempFolder folder;
    const QString clip = WriteClip(folder.file(QStringLiteral("wide.gif")), 5, 100);
    struct Case
    {
        QSize screen;
        QStringList options;
        QSize size;
        QPoint offset;
    };
    const QString fit = QStringLiteral("--fit");
    const QStringList frames{QStringLiteral("--timing"), QStringLiteral("frames")};
    const Case cases[] = {
        {{1024, 768}, QStringList{fit, QStringLiteral("cover")} + frames, {200, 200}, {0, 0}},
        {{1280, 720}, QStringList{fit, QStringLiteral("cover")} + frames, {250, 188}, {0, 0}},
        {{1024, 768}, QStringList{fit, QStringLiteral("none")} + frames, {480, 270}, {-140, -35}},
        {{1280, 720}, QStringList{fit, QStringLiteral("contain")} + frames, {250, 141}, {0, 23}},
    };
    for (const Case &c : cases) {
        const Imported imported = ImportClip(folder, c.screen, clip, c.options);
        ASSERT_EQ(imported.run.code, 0) << imported.run.err;
        ASSERT_EQ(imported.frames.size(), 5);
        for (int k = 0; k < 5; ++k) {
            const QImage picture = PictureOf(folder, imported.frames[k]);
            EXPECT_EQ(picture.size(), c.size) << c.options.join(u' ').toStdString();
            EXPECT_EQ(CounterOf(picture), k);
            EXPECT_EQ(QPoint(imported.frames[k][QStringLiteral("x")].toInt(),
                             imported.frames[k][QStringLiteral("y")].toInt()),
                      c.offset);
        }
    }
    // A still picture stays as it is, centred in the project's own area.
    const QString still = WritePng(folder.file(QStringLiteral("still.png")), ClipFrame(1));
    const Imported centred = ImportClip(folder, {1280, 720}, still, {});
    ASSERT_EQ(centred.frames.size(), 1);
    EXPECT_EQ(centred.frames[0][QStringLiteral("x")].toInt(), -115);
    EXPECT_EQ(centred.frames[0][QStringLiteral("y")].toInt(), -41);
    // Words it does not know, and retiming a still picture, are refused.
    for (const auto &[source, options] :
         {std::pair(clip, QStringList{fit, QStringLiteral("stretch")}),
          std::pair(clip, QStringList{QStringLiteral("--timing"), QStringLiteral("fast")}),
          std::pair(clip, QStringList{QStringLiteral("--loop-start"), QStringLiteral("0.5")}),
          std::pair(still, QStringList{QStringLiteral("--timing"), QStringLiteral("boot")})}) {
        const Imported refused = ImportClip(folder, {1024, 768}, source, options);
        EXPECT_EQ(refused.run.code, 2) << refused.run.err.toStdString();
        EXPECT_EQ(refused.frames.size(), 0);
    }
}

} // namespace
} // namespace mrv
