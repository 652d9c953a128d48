// A video file is untrusted input: it may name other files, claim any work, hide junk after
// its stream or carry any number in its fields. The files are made here by ffmpeg.

#include "imaging/videoreader.h"

#include "videofiles.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/stat.h>

namespace mrv {
namespace {

using namespace test;

using UntrustedVideo = VideoFiles;

TEST_F(UntrustedVideo, AFileThatWouldReadOthersIsRefusedWithoutOpeningThem)
{
    folder.write(QStringLiteral("Pictures/x.png"),
                 ReadAll(Make(QStringLiteral("-f lavfi -i color=s=8x8 -frames:v 1 x.png"))));
    ASSERT_EQ(mkfifo(folder.file(QStringLiteral("fifo")).toLocal8Bit().constData(), 0600), 0);
    const struct
    {
        const char *name;
        QByteArray bytes;
        const char *format;
    } cases[] = {
        {"clip.mp4", "ffconcat version 1.0\nfile Pictures/x.png\n", "concat"},
        // Opening a FIFO would block until the time-out.
        {"fifo.mkv", "ffconcat version 1.0\nfile fifo\n", "concat"},
        {"list.mov", "#EXTM3U\n#EXT-X-TARGETDURATION:1\n#EXTINF:1,\nPictures/x.png\n", "hls"},
        {"picture.avi", ReadAll(folder.file(QStringLiteral("x.png"))), "png_pipe"},
    };
    for (const auto &c : cases) {
        const QString project = NewProject();
        const QByteArray before = ReadAll(project);
        const QString source = folder.write(QString::fromLatin1(c.name), c.bytes);
        const ProcessRun run =
            RunCliProcess({QStringLiteral("import-frames"), project, source}, 20000);
        EXPECT_EQ(run.code, 2) << c.name << run.err;
        EXPECT_TRUE(run.err.contains(QStringLiteral("“%1”格式").arg(QLatin1String(c.format))))
            << run.err;
        EXPECT_EQ(ReadAll(project), before) << c.name;
    }
}

TEST_F(UntrustedVideo, DecodingCountsEveryFrameAsItComesAndStopsAtTheLimitsNamingThem)
{
    // MJPEG frames change size mid-stream: 3 of 16 x 16, then 20 of 320 x 240.
    Make(QStringLiteral("-f lavfi -i color=c=blue:s=16x16:r=25:d=0.12 -c:v mjpeg a.mkv"));
    Make(QStringLiteral("-f lavfi -i testsrc2=s=320x240:r=25:d=0.8 -c:v mjpeg b.mkv"));
    folder.write(QStringLiteral("list.txt"), "file a.mkv\nfile b.mkv\n");
    const QString video = Make(QStringLiteral("-f concat -i list.txt -c copy both.mkv"));
    const qint64 large = 320 * 240;
    const struct
    {
        qint64 framePixels, decodedPixels;
        int frames; ///< handed over before the read stops
        QString message;
    } cases[] = {
        {MaxVideoFramePixels, MaxVideoDecodedPixels, 23, {}},
        {MaxVideoFramePixels, 3 * 256 + 10 * large, 13,
         QStringLiteral("%1 像素").arg(768 + 10 * large)},
        {large - 1, MaxVideoDecodedPixels, 3, QStringLiteral("320 × 240 像素，超过可以导入的")},
    };
    for (const auto &c : cases) {
        QFile file(video);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        VideoReader reader(file, {c.framePixels, c.decodedPixels});
        ASSERT_TRUE(reader.Open()) << c.framePixels;
        int frames = 0;
        const Status read = reader.Decode(
            0, 8000, {8, 8}, [](qint64) { return true; },
            [&](const VideoFrame &) { return ++frames > 0; });
        EXPECT_EQ(bool(read), c.message.isEmpty()) << read.message();
        EXPECT_TRUE(read.message().contains(c.message)) << read.message();
        EXPECT_EQ(frames, c.frames) << c.decodedPixels;
    }
    // Through the command line, frames the decoder is refused make the import fail, instead
    // of leaving their places to the small ones.
    Make(QStringLiteral("-f lavfi -i color=c=red:s=8000x8000:r=25:d=0.2 -c:v mjpeg b.mkv"));
    const QString huge = Make(QStringLiteral("-f concat -i list.txt -c copy huge.mkv"));
    const ProcessRun run = RunCliProcess({QStringLiteral("import-frames"), NewProject(), huge});
    EXPECT_EQ(run.code, 2) << run.err;
    EXPECT_TRUE(run.err.contains(QStringLiteral("8000 × 8000 像素"))) << run.err;
}

TEST_F(UntrustedVideo, JunkAfterTheStreamIsNotSearchedAndASignalEndsTheReadAtOnce)
{
    const QString video =
        Make(QStringLiteral("-f lavfi -i testsrc2=s=320x240:r=24:d=2 -pix_fmt yuv420p v.mkv"));
    const qint64 streamBytes = QFileInfo(video).size();
    // A sparse tail of 5 GB: the demuxer would search it all for the stream's next packet.
    ASSERT_TRUE(QFile::resize(video, 5LL << 30));
    const ProcessRun read = RunCliProcess({QStringLiteral("import-frames"), NewProject(), video,
                                           QStringLiteral("--timing"), QStringLiteral("frames")},
                                          30000);
    EXPECT_EQ(read.code, 0) << read.err;
    EXPECT_TRUE(read.err.contains(QStringLiteral("已逐帧导入 48 帧"))) << read.err;

    // SIGTERM while FFmpeg is reading the tail, 4 MB into it.
    const QString project = NewProject();
    const QByteArray before = ReadAll(project);
    QProcess cli;
    cli.start(QStringLiteral(MIROVANE_CLI_PATH), {QStringLiteral("import-frames"), project, video});
    ASSERT_TRUE(cli.waitForStarted());
    QFile io(QStringLiteral("/proc/%1/io").arg(cli.processId()));
    qint64 readBytes = 0;
    while (readBytes < streamBytes + (4 << 20) && io.open(QIODevice::ReadOnly)) {
        readBytes = io.readAll().split('\n').first().mid(7).toLongLong(); // "rchar: N"
        io.close();
        cli.waitForFinished(2);
    }
    ASSERT_EQ(cli.state(), QProcess::Running) << "the import ended before its signal";
    ::kill(pid_t(cli.processId()), SIGTERM);
    EXPECT_TRUE(cli.waitForFinished(1500));
    EXPECT_EQ(cli.exitCode(), 3);
    EXPECT_TRUE(cli.readAllStandardError().contains("导入已取消"));
    EXPECT_EQ(ReadAll(project), before);
    const QStringList left =
        QDir(folder.path())
            .entryList({QStringLiteral("*v_frames*")}, QDir::AllEntries | QDir::Hidden);
    EXPECT_EQ(left, QStringList{QStringLiteral("v_frames")}); // the first import's
}

TEST_F(UntrustedVideo, AColourMatrixNumberNoStandardHasReadsAsUnspecified)
{
    // Matroska's MatrixCoefficients element (0x55B1, one byte) set to 142.
    QByteArray bytes =
        ReadAll(Make(QStringLiteral("-f lavfi -i color=c=gray:s=64x48:r=10:d=0.3 -c:v mpeg4 "
                                    "-colorspace bt709 c.mkv")));
    bytes.replace(bytes.indexOf(QByteArray::fromHex("55b18101")) + 3, 1, "\x8e");
    QFile file(folder.write(QStringLiteral("c142.mkv"), bytes));
    VideoReader reader(file);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly) && reader.Open());
    EXPECT_NEAR(qGray(reader.FrameAt(0, {64, 48}).pixel(32, 24)), 128, 6);
}

} // namespace
} // namespace mrv
