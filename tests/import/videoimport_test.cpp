// Videos become boot animations through the real command line. The videos are written here by
// the ffmpeg program, each frame one flat colour that names its number, so every imported
// picture says which source frame it shows.

#include "project/mvk.h"

#include "cliprocess.h"
#include "exporttestdata.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace mrv {
namespace {

using namespace test;

constexpr int VideoW = 480;
constexpr int VideoH = 270;
// Four levels a channel, far enough apart that compression never moves one to the next.
constexpr int Levels[4] = {16, 96, 176, 240};

/// Frame i's colour: its number in base 4, one digit a channel.
QRgb CounterColour(int i)
{
    return qRgb(Levels[i % 4], Levels[i / 4 % 4], Levels[i / 16 % 4]);
}

/// The frame number a decoded colour names.
int CounterOf(QRgb colour)
{
    const auto digit = [](int value) {
        int best = 0;
        for (int d = 1; d < 4; ++d)
            if (std::abs(Levels[d] - value) < std::abs(Levels[best] - value))
                best = d;
        return best;
    };
    return digit(qRed(colour)) + 4 * digit(qGreen(colour)) + 16 * digit(qBlue(colour));
}

/// Writes `count` frames at `fps` through the ffmpeg program, H.264 or for WebM VP9 (a key
/// frame every 12 frames, so that a start time needs a real seek); empty when ffmpeg fails.
QString WriteVideo(const QString &path, int count, int fps, QSize size = {VideoW, VideoH})
{
    QByteArray raw;
    for (int i = 0; i < count; ++i) {
        const QRgb c = CounterColour(i % 64);
        for (int p = 0; p < size.width() * size.height(); ++p)
            raw.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    }
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {QStringLiteral("-loglevel"),
                  QStringLiteral("error"),
                  QStringLiteral("-y"),
                  QStringLiteral("-f"),
                  QStringLiteral("rawvideo"),
                  QStringLiteral("-pix_fmt"),
                  QStringLiteral("rgb24"),
                  QStringLiteral("-s"),
                  QStringLiteral("%1x%2").arg(size.width()).arg(size.height()),
                  QStringLiteral("-r"),
                  QString::number(fps),
                  QStringLiteral("-i"),
                  QStringLiteral("-"),
                  QStringLiteral("-c:v"),
                  path.endsWith(QStringLiteral(".webm")) ? QStringLiteral("libvpx-vp9")
                                                         : QStringLiteral("libx264"),
                  QStringLiteral("-b:v"),
                  QStringLiteral("0"),
                  QStringLiteral("-g"),
                  QStringLiteral("12"),
                  QStringLiteral("-crf"),
                  QStringLiteral("12"),
                  QStringLiteral("-pix_fmt"),
                  QStringLiteral("yuv420p"),
                  path});
    ffmpeg.write(raw);
    ffmpeg.closeWriteChannel();
    ffmpeg.waitForFinished(60000);
    return ffmpeg.exitCode() == 0 && QFile::exists(path) ? path : QString();
}

struct Imported
{
    ProcessRun run;
    QJsonArray frames;
    QString project;
};

Imported ImportVideoCli(const TempFolder &folder, QSize screen, const QString &video,
                        const QStringList &options)
{
    MVK project = MakeProject(folder, screen.width(), screen.height(), {});
    Imported imported;
    imported.project = SaveProject(project, folder);
    imported.run = RunCliProcess(
        QStringList{QStringLiteral("import-frames"), imported.project, video} + options);
    const ProcessRun info =
        RunCliProcess({QStringLiteral("info"), imported.project, QStringLiteral("--json")});
    imported.frames =
        QJsonDocument::fromJson(info.out.toUtf8()).object()[QStringLiteral("frames")].toArray();
    return imported;
}

QImage PictureOf(const TempFolder &folder, const QJsonValue &frame)
{
    return QImage(folder.file(frame[QStringLiteral("url")].toString().replace(u'\\', u'/')));
}

int CounterAtCentre(const QImage &picture)
{
    return CounterOf(picture.pixel(picture.width() / 2, picture.height() / 2));
}

class VideoImport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty())
            GTEST_SKIP() << "the ffmpeg program (Debian package ffmpeg) writes the test videos";
    }
    TempFolder folder;
};

TEST_F(VideoImport, FrameKShowsTheSourceFrameItsTimeNamesWithWholePassesInTheLoop)
{
    // 2 seconds of 48 frames: the 45 loop frames take 3.375 s, closest to two passes, so each
    // project frame moves on 96/45 source frames and plays at 2000 * 2 / 3375 = 119 %.
    const QString video = WriteVideo(folder.file(QStringLiteral("count.mp4")), 48, 24);
    ASSERT_FALSE(video.isEmpty());
    const Imported imported = ImportVideoCli(folder, {1024, 768}, video, {});
    ASSERT_EQ(imported.run.code, 0) << imported.run.err;
    EXPECT_TRUE(imported.run.err.contains(QStringLiteral("播放速度为原片的 119%")))
        << imported.run.err;
    EXPECT_FALSE(imported.run.err.contains(QStringLiteral("只导入了"))) << imported.run.err;
    ASSERT_EQ(imported.frames.size(), 105);
    for (int k = 0; k < 105; ++k)
        EXPECT_EQ(CounterAtCentre(PictureOf(folder, imported.frames[k])), k * 96 / 45 % 48)
            << "frame " << k + 1;
    // The project frame after 105 is 61: it shows the frame one step on from 105's.
    EXPECT_EQ(CounterAtCentre(PictureOf(folder, imported.frames[60])), 105 * 96 / 45 % 48);
}

TEST_F(VideoImport, AStartAndEndTakeThatPartAndALongVideoSaysWhatWasLeftOut)
{
    const QString video = WriteVideo(folder.file(QStringLiteral("long.mkv")), 240, 24);
    ASSERT_FALSE(video.isEmpty());
    // Seconds 3.5 to 4.5 frame by frame: source frames 84-107, past key frames at 72 and 84.
    const Imported part = ImportVideoCli(folder, {1024, 768}, video,
                                         {QStringLiteral("--start"), QStringLiteral("3.5"),
                                          QStringLiteral("--end"), QStringLiteral("4.5"),
                                          QStringLiteral("--timing"), QStringLiteral("frames")});
    ASSERT_EQ(part.run.code, 0) << part.run.err;
    ASSERT_EQ(part.frames.size(), 24);
    for (int k = 0; k < 24; ++k)
        EXPECT_EQ(CounterAtCentre(PictureOf(folder, part.frames[k])), (84 + k) % 64) << k;

    // Ten seconds without an end: the first eight, and the message says so.
    const Imported whole = ImportVideoCli(folder, {1024, 768}, video, {});
    ASSERT_EQ(whole.run.code, 0) << whole.run.err;
    EXPECT_EQ(whole.frames.size(), 105);
    EXPECT_TRUE(whole.run.err.contains(QStringLiteral("视频长 10 秒，只导入了第 0-8 秒")))
        << whole.run.err;
}

TEST_F(VideoImport, TheChosenFitDecidesSizeAndPlaceIn43And169Projects)
{
    const QString video = WriteVideo(folder.file(QStringLiteral("wide.webm")), 4, 10);
    ASSERT_FALSE(video.isEmpty());
    struct Case
    {
        QSize screen;
        const char *fit;
        QSize size;
        QPoint offset;
    };
    const Case cases[] = {
        {{1024, 768}, "contain", {200, 112}, {0, 44}},
        {{1024, 768}, "cover", {200, 200}, {0, 0}},
        {{1024, 768}, "none", {480, 270}, {-140, -35}},
        {{1280, 720}, "contain", {250, 141}, {0, 23}},
        {{1280, 720}, "cover", {250, 188}, {0, 0}},
        {{1280, 720}, "none", {480, 270}, {-115, -41}},
    };
    for (const Case &c : cases) {
        const Imported imported =
            ImportVideoCli(folder, c.screen, video,
                           {QStringLiteral("--fit"), QString::fromLatin1(c.fit),
                            QStringLiteral("--timing"), QStringLiteral("frames")});
        ASSERT_EQ(imported.run.code, 0) << c.fit << imported.run.err;
        ASSERT_EQ(imported.frames.size(), 4) << c.fit;
        for (int k = 0; k < 4; ++k) {
            const QImage picture = PictureOf(folder, imported.frames[k]);
            EXPECT_EQ(picture.size(), c.size) << c.fit << " in " << c.screen.width();
            EXPECT_EQ(CounterAtCentre(picture), k);
            EXPECT_EQ(QPoint(imported.frames[k][QStringLiteral("x")].toInt(),
                             imported.frames[k][QStringLiteral("y")].toInt()),
                      c.offset)
                << c.fit << " in " << c.screen.width();
        }
    }
}

TEST_F(VideoImport, NoVideoStreamADamagedFileOrABadRangeExit2AndChangeNothing)
{
    const QString video = WriteVideo(folder.file(QStringLiteral("v.mp4")), 24, 24);
    ASSERT_FALSE(video.isEmpty());
    const QString sound = folder.file(QStringLiteral("sound.ogg"));
    ASSERT_EQ(RunProgram(QStringLiteral("ffmpeg"),
                         {QStringLiteral("-loglevel"), QStringLiteral("error"),
                          QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                          QStringLiteral("sine=duration=1"), sound})
                  .code,
              0);
    // An MP4 cut before its index, and one whose picture data is overwritten.
    const QByteArray whole = ReadAll(video);
    const QString cut = folder.write(QStringLiteral("cut.mp4"), whole.left(whole.size() / 2));
    QByteArray bytes;
    for (int i = 0; i < 5000; ++i)
        bytes.append(char(i * 37 % 251));
    const QString noise = folder.write(QStringLiteral("noise.mov"), bytes);
    struct Case
    {
        QString source;
        QStringList options;
        const char *reason;
    };
    const Case cases[] = {
        {sound, {}, "文件中没有视频流"},
        {cut, {}, "文件已损坏"},
        {noise, {}, "文件已损坏"},
        {video, {QStringLiteral("--start"), QStringLiteral("5")}, "不在视频长度"},
        {video,
         {QStringLiteral("--start"), QStringLiteral("0.5"), QStringLiteral("--end"),
          QStringLiteral("0.2")},
         "结束时间须晚于开始时间"},
        {video, {QStringLiteral("--end"), QStringLiteral("x")}, "结束时间的秒数"},
    };
    for (const Case &c : cases) {
        MVK project = MakeProject(folder, 1024, 768, {});
        const QString path = SaveProject(project, folder);
        const QByteArray before = ReadAll(path);
        const ProcessRun run =
            RunCliProcess(QStringList{QStringLiteral("import-frames"), path, c.source} + c.options);
        EXPECT_EQ(run.code, 2) << c.reason << run.err;
        EXPECT_TRUE(run.err.contains(QDir::toNativeSeparators(c.source)) ||
                    QString::fromUtf8(c.reason).contains(QStringLiteral("秒数")))
            << run.err;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.reason))) << c.reason << run.err;
        EXPECT_EQ(ReadAll(path), before) << c.reason;
        QDirIterator frames(folder.path(), {QStringLiteral("*_frames*")}, QDir::Dirs);
        EXPECT_FALSE(frames.hasNext()) << c.reason << frames.next();
    }
}

TEST_F(VideoImport, WithoutAWorkingVideoModuleTheImportNamesItSaysWhyAndExits2)
{
    // A copy of the command line in a folder of its own, where the module is missing, then
    // present but not a library.
    const QString video = WriteVideo(folder.file(QStringLiteral("v.mp4")), 12, 24);
    ASSERT_FALSE(video.isEmpty());
    const QString alone = folder.file(QStringLiteral("alone"));
    ASSERT_TRUE(QDir().mkpath(alone));
    const QString cli = alone + QStringLiteral("/mirovane-cli");
    ASSERT_TRUE(QFile::copy(QStringLiteral(MIROVANE_CLI_PATH), cli));
    ASSERT_TRUE(QFile::setPermissions(cli, QFile::ReadOwner | QFile::ExeOwner));
    const QString module = alone + QStringLiteral("/libmirovane_video.so");
    struct Case
    {
        QByteArray moduleBytes; // empty: no module file
        QString reason;
    };
    const Case cases[] = {
        {{}, QStringLiteral("“%1”和").arg(alone)},
        {"not a library", QStringLiteral("file too short")},
    };
    for (const Case &c : cases) {
        if (!c.moduleBytes.isEmpty())
            folder.write(QStringLiteral("alone/libmirovane_video.so"), c.moduleBytes);
        MVK project = MakeProject(folder, 1024, 768, {});
        const QString path = SaveProject(project, folder);
        const QByteArray before = ReadAll(path);
        const ProcessRun run = RunProgram(cli, {QStringLiteral("import-frames"), path, video});
        EXPECT_EQ(run.code, 2) << run.err;
        EXPECT_TRUE(run.err.contains(QStringLiteral("无法加载视频模块“"))) << run.err;
        EXPECT_TRUE(run.err.contains(QStringLiteral("libmirovane_video.so"))) << run.err;
        EXPECT_TRUE(run.err.contains(c.reason)) << run.err;
        // Where it is missing, the package that brings it.
        EXPECT_EQ(run.err.contains(QStringLiteral("请安装软件包 mirovane-video")),
                  c.moduleBytes.isEmpty())
            << run.err;
        EXPECT_EQ(ReadAll(path), before);
    }
    EXPECT_TRUE(QFile::exists(module));
}

TEST_F(VideoImport, AFullDiskOrAHugePictureLeavesNothingBehind)
{
    // Frames with detail, so that their PNGs do not fit in the 8 kB left.
    const QString detailed = folder.file(QStringLiteral("detail.mp4"));
    ASSERT_EQ(RunProgram(QStringLiteral("ffmpeg"),
                         {QStringLiteral("-loglevel"), QStringLiteral("error"),
                          QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                          QStringLiteral("testsrc2=size=480x270:rate=24:duration=2"),
                          QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"), detailed})
                  .code,
              0);
    {
        SmallDisk disk;
        MIROVANE_SKIP_WITHOUT_DISK(disk);
        const QString project = disk.file(QStringLiteral("p.mrv"));
        ASSERT_EQ(RunCliProcess({QStringLiteral("new"), project}).code, 0);
        const QByteArray before = ReadAll(project);
        disk.Fill(8 * 1024);
        const ProcessRun run = RunCliProcess({QStringLiteral("import-frames"), project, detailed});
        EXPECT_EQ(run.code, 3) << run.err;
        EXPECT_TRUE(run.err.contains(QStringLiteral("No space left"))) << run.err;
        EXPECT_EQ(ReadAll(project), before);
        EXPECT_EQ(
            QDir(disk.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList({QStringLiteral("filler"), QStringLiteral("p.mrv")}));
    }

    // 7000 x 6000 is past the bound: refused from the headers, without decoding a frame of
    // 42 million pixels (each would take 160 MB as RGB).
    const QString huge = folder.file(QStringLiteral("huge.mkv"));
    ASSERT_EQ(RunProgram(QStringLiteral("ffmpeg"),
                         {QStringLiteral("-loglevel"), QStringLiteral("error"),
                          QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                          QStringLiteral("color=c=red:s=7000x6000:d=0.08:r=25"),
                          QStringLiteral("-c:v"), QStringLiteral("libx264"),
                          QStringLiteral("-preset"), QStringLiteral("ultrafast"), huge})
                  .code,
              0);
    MVK project = MakeProject(folder, 1024, 768, {});
    const QString path = SaveProject(project, folder);
    const MeasuredRun run = RunCliMeasured({QStringLiteral("import-frames"), path, huge}, 60000);
    EXPECT_EQ(run.code, 2) << run.err;
    EXPECT_TRUE(run.err.contains(QStringLiteral("7000 × 6000"))) << run.err;
    EXPECT_LT(run.peakKb, 200 * 1024); // decoding it took 295 MB; 166 under a sanitizer
    EXPECT_TRUE(QDir(folder.path())
                    .entryList({QStringLiteral("huge_frames*")}, QDir::AllEntries)
                    .isEmpty());
}

} // namespace
} // namespace mrv
