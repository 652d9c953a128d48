// Videos are imported as players show them: upright, at their display aspect, deinterlaced.
// Each import through the command line is compared with ffmpeg's own output of the same file.

#include "videofiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace mrv {
namespace {

using namespace test;

class VideoAsShown : public VideoFiles
{
protected:
    /// Imports the video frame by frame, then checks each picture against ffmpeg's decoding
    /// (with the input options, through the filters) scaled to its size; the pictures' size.
    QSize ImportMatches(const QString &video, const QString &input, const QString &filters)
    {
        const QString path = NewProject();
        const ProcessRun run = RunCliProcess(
            {QStringLiteral("import-frames"), path, video, QStringLiteral("--fit"),
             QStringLiteral("contain"), QStringLiteral("--timing"), QStringLiteral("frames")});
        EXPECT_EQ(run.code, 0) << run.err;
        const QJsonArray frames =
            QJsonDocument::fromJson(
                RunCliProcess({QStringLiteral("info"), path, QStringLiteral("--json")})
                    .out.toUtf8())
                .object()[QStringLiteral("frames")]
                .toArray();
        if (frames.isEmpty())
            return {};
        const auto picture = [&](int i) {
            return QImage(folder.file(
                              frames[i][QStringLiteral("url")].toString().replace(u'\\', u'/')))
                .convertToFormat(QImage::Format_RGB888);
        };
        const QSize size = picture(0).size();
        const QByteArray reference = Ffmpeg(
            QStringLiteral("%1 -i %2 -vf %3scale=%4:%5:flags=area -f rawvideo -pix_fmt rgb24 -")
                .arg(input, video, filters)
                .arg(size.width())
                .arg(size.height()));
        const qsizetype bytes = 3 * qsizetype(size.width()) * size.height();
        EXPECT_EQ(reference.size(), bytes * frames.size()) << video.toStdString();
        for (int i = 0; i < frames.size() && (i + 1) * bytes <= reference.size(); ++i) {
            const QImage mine = picture(i);
            double error = 0;
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < 3 * size.width(); ++x) {
                    const int d = mine.constScanLine(y)[x] -
                                  uchar(reference[i * bytes + (y * size.width()) * 3 + x]);
                    error += d * d;
                }
            const double psnr = 10 * std::log10(255.0 * 255.0 * double(bytes) / (error + 1));
            EXPECT_GE(psnr, 35.0) << video.toStdString() << " frame " << i;
        }
        return size;
    }
};

TEST_F(VideoAsShown, ARotatedOrMirroredVideoIsImportedUpright)
{
    Ffmpeg(QStringLiteral("-f lavfi -i testsrc2=s=320x180:r=10:d=0.5 -pix_fmt yuv420p plain.mp4"));
    const struct
    {
        const char *name, *rotate, *input, *filters;
    } cases[] = {
        {"r90.mp4", "90", "", ""},
        {"r180.mov", "180", "", ""},
        {"r270.mov", "270", "", ""},
        // The 90-degree matrix with its first column negated: turned and mirrored.
        {"m.mp4", "90", "-noautorotate", "transpose=clock_flip,"},
    };
    for (const auto &c : cases) {
        const QString name = QString::fromLatin1(c.name);
        Ffmpeg(QStringLiteral("-i plain.mp4 -c copy -metadata:s:v:0 rotate=%1 %2")
                   .arg(QLatin1String(c.rotate), name));
        if (name == QStringLiteral("m.mp4")) {
            QByteArray bytes = ReadAll(folder.file(name));
            const qsizetype at = bytes.indexOf(QByteArray::fromHex("ffff00000000000000010000"));
            ASSERT_GT(at, 0);
            bytes.replace(at + 8, 4, QByteArray::fromHex("ffff0000"));
            folder.write(name, bytes);
        }
        const QSize size = ImportMatches(folder.file(name), QString::fromLatin1(c.input),
                                         QString::fromLatin1(c.filters));
        EXPECT_EQ(size.width() < size.height(), QLatin1String(c.rotate) != QLatin1String("180"))
            << c.name;
    }
}

TEST_F(VideoAsShown, NonSquarePixelsAreFittedAtTheDisplayAspect)
{
    const struct
    {
        const char *source, *aspect;
        QSize size;
    } cases[] = {
        {"320x240", "2/1", {200, 75}},
        {"720x576", "64/45", {200, 112}},
        {"720x576", "16/15", {200, 150}},
    };
    for (const auto &c : cases) {
        Ffmpeg(QStringLiteral("-f lavfi -i testsrc2=s=%1:r=10:d=0.3 -vf setsar=%2 -pix_fmt yuv420p "
                              "sar.mkv")
                   .arg(QLatin1String(c.source), QLatin1String(c.aspect)));
        EXPECT_EQ(ImportMatches(folder.file(QStringLiteral("sar.mkv")), {}, {}), c.size)
            << c.aspect;
    }
}

TEST_F(VideoAsShown, AnInterlacedStreamIsDeinterlaced)
{
    for (const char *codec : {"libx264", "mpeg2video"}) {
        // Two fields of a moving picture woven into each frame, coded as interlaced.
        Ffmpeg(QStringLiteral("-f lavfi -i testsrc2=s=320x240:r=50:d=0.6 -vf scroll=h=0.02,"
                              "tinterlace=interleave_top,fieldorder=tff -flags +ildct+ilme -c:v %1 "
                              "-q:v 2 -b:v 8M -pix_fmt yuv420p i.mkv")
                   .arg(QLatin1String(codec)));
        ImportMatches(folder.file(QStringLiteral("i.mkv")), {},
                      QStringLiteral("bwdif=mode=send_frame:parity=auto:deint=interlaced,"));
    }
}

TEST_F(VideoAsShown, TheNoticeNamesTheRangeOnlyWhenPartIsLeftOut)
{
    // Matroska's times are whole ms: the last of 120 frames at 24 a second ends at 4999.
    Ffmpeg(QStringLiteral("-f lavfi -i testsrc2=s=64x48:r=24:d=5 -pix_fmt yuv420p five.mkv"));
    const struct
    {
        const char *options, *notice;
    } cases[] = {
        {"", nullptr},
        {"--end 5", nullptr},
        {"--end 4", "视频长 5 秒，只导入了第 0-4 秒"},
        {"--start 1", "视频长 5 秒，只导入了第 1-5 秒"},
    };
    for (const auto &c : cases) {
        const ProcessRun run =
            RunCliProcess(QStringList{QStringLiteral("import-frames"), NewProject(),
                                      folder.file(QStringLiteral("five.mkv"))} +
                          QString::fromLatin1(c.options).split(u' ', Qt::SkipEmptyParts));
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.err.contains(QStringLiteral("只导入了")), c.notice != nullptr) << run.err;
        if (c.notice) {
            EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.notice))) << run.err;
        }
    }
}

} // namespace
} // namespace mrv
