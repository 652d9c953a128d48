#include "cli/cliapp.h"
#include "export/animationexport.h"
#include "export/animationexporter.h"
#include "export/exportregistry.h"
#include "export/screencomposer.h"
#include "imaging/animationreader.h"
#include "imaging/canvas.h"
#include "project/mvk.h"

#include "exporttestdata.h"
#include "cliprocess.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <atomic>

#include <gtest/gtest.h>

namespace mrv {
namespace {

using namespace test;

/// A saved 1024 x 768 project with the reference background and seven frames of flat squares
/// at different places, some half off the area, so every cell differs and the whole animation
/// has a few colours only.
struct AnimatedProject
{
    TempFolder folder;
    MVK project;
    QString path;
    AnimatedProject()
    {
        WritePng(folder.file(QStringLiteral("bg.png")), ReferenceBackground());
        WritePng(folder.file(QStringLiteral("y.png")), Flat(30, 30, Yellow));
        WritePng(folder.file(QStringLiteral("m.png")), Flat(50, 20, Magenta));
        QStringList paths;
        QList<QPoint> offsets;
        for (int i = 0; i < 7; ++i) {
            paths << (i % 2 ? QStringLiteral("m.png") : QStringLiteral("y.png"));
            offsets << QPoint(20 * i - 20, 15 * i);
        }
        project = MakeProject(folder, 1024, 768, paths, offsets);
        path = SaveProject(project, folder);
    }
    QString File(const QString &name) const { return folder.file(name); }
};

/// Cell `index` (0-based) of a long picture, in straight colours as animation frames are read.
QImage Cell(const QImage &strip, int index)
{
    return strip.copy(0, index * CellSize, CellSize, CellSize)
        .convertToFormat(QImage::Format_ARGB32);
}

TEST(AnimationExport, PlaysTheIntroOnceThenTheLoopPart)
{
    const std::vector<int> boot = AnimationFrameOrder(105, 3);
    ASSERT_EQ(boot.size(), size_t(60 + 3 * 45));
    EXPECT_EQ(boot[0], 1);
    EXPECT_EQ(boot[59], 60);
    EXPECT_EQ(boot[60], 61);
    EXPECT_EQ(boot[104], 105);
    EXPECT_EQ(boot[105], 61);
    EXPECT_EQ(boot.back(), 105);
    // Seven frames start looping at round(61 / 105 * 7) = 4.
    EXPECT_EQ(AnimationFrameOrder(7, 2), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 4, 5, 6, 7}));
    EXPECT_EQ(AnimationFrameOrder(1, 3), (std::vector<int>{1, 1, 1}));
    EXPECT_TRUE(AnimationFrameOrder(0, 3).empty());

    MVK project;
    project.aWidth = 1366;
    project.aHeight = 768;
    EXPECT_EQ(AnimationScreenSize(project, 640), QSize(640, 360));
}

TEST(AnimationExport, EveryFormatShowsTheLongPictureCellsInBootOrderAndTiming)
{
    AnimatedProject golden;
    const QString strip = golden.File(QStringLiteral("strip.png"));
    ASSERT_EQ(RunCliProcess({QStringLiteral("export-long"), golden.path, strip}).code, cli::ExitOk);
    const QImage cells = ReadBack(strip);
    ASSERT_FALSE(cells.isNull());
    const std::vector<int> order = AnimationFrameOrder(7, 2);

    struct Case
    {
        const char *out;
        QStringList flags;
        int frameMs;
        int plays;
    };
    const Case cases[] = {
        {"a.gif", {QStringLiteral("--loops"), QStringLiteral("2")}, 75, 1},
        {"a.webp",
         {QStringLiteral("--loops"), QStringLiteral("2"), QStringLiteral("--repeat")},
         75,
         0},
        {"a.apng",
         {QStringLiteral("--loops"), QStringLiteral("2"), QStringLiteral("--frame-time"),
          QStringLiteral("40"), QStringLiteral("--repeat")},
         40,
         0},
        {"b",
         {QStringLiteral("--format"), QStringLiteral("gif"), QStringLiteral("--loops"),
          QStringLiteral("2"), QStringLiteral("--repeat"), QStringLiteral("--frame-time"),
          QStringLiteral("33")},
         33,
         0},
    };
    for (const Case &c : cases) {
        const QString out = golden.File(QString::fromLatin1(c.out));
        const ProcessRun run = RunCliProcess(
            QStringList{QStringLiteral("export-animation"), golden.path, out} << c.flags);
        ASSERT_EQ(run.code, cli::ExitOk) << c.out << run.err;
        // A name without an extension gets the format's.
        const QString written =
            QFileInfo(out).suffix().isEmpty() ? out + QStringLiteral(".gif") : out;
        EXPECT_EQ(run.out, written + u'\n');
        const Result<DecodedAnimation> read = ReadAnimation(written);
        ASSERT_TRUE(read) << c.out << read.message();
        ASSERT_EQ(read->frames.size(), qsizetype(order.size())) << c.out;
        EXPECT_EQ(read->plays, c.plays) << c.out;
        qint64 total = 0;
        for (size_t f = 0; f < order.size(); ++f) {
            const AnimationFrame &frame = read->frames[qsizetype(f)];
            EXPECT_EQ(frame.image, Cell(cells, order[f] - 1)) << c.out << " frame " << f;
            total += frame.delayMs;
            if (!written.endsWith(QStringLiteral(".gif")))
                EXPECT_EQ(frame.delayMs, c.frameMs) << c.out;
            else
                EXPECT_LE(std::abs(total - qint64(f + 1) * c.frameMs), 5)
                    << c.out << " frame " << f;
        }
    }
}

TEST(AnimationExport, WithoutBackgroundTheAreaAroundTheFramesIsTransparent)
{
    AnimatedProject golden;
    const QString strip = golden.File(QStringLiteral("clear.png"));
    ASSERT_EQ(RunCliProcess({QStringLiteral("export-long"), golden.path, strip,
                             QStringLiteral("--no-background")})
                  .code,
              cli::ExitOk);
    const QImage cells = ReadBack(strip);
    for (const char *name : {"c.gif", "c.webp", "c.png"}) {
        const QString out = golden.File(QString::fromLatin1(name));
        ASSERT_EQ(RunCliProcess({QStringLiteral("export-animation"), golden.path, out,
                                 QStringLiteral("--no-background"), QStringLiteral("--repeat")})
                      .code,
                  cli::ExitOk);
        const Result<DecodedAnimation> read = ReadAnimation(out);
        ASSERT_TRUE(read) << name;
        const std::vector<int> order = AnimationFrameOrder(7, 3);
        ASSERT_EQ(read->frames.size(), qsizetype(order.size()));
        for (size_t f = 0; f < order.size(); ++f) {
            const QImage &frame = read->frames[qsizetype(f)].image;
            EXPECT_EQ(frame, Cell(cells, order[f] - 1)) << name << " frame " << f;
            EXPECT_EQ(qAlpha(frame.pixel(199, 0)), 0) << name;
        }
    }
}

TEST(AnimationExport, LosslessFormatsKeepSemiTransparentPixelsOfTheLongPicture)
{
    AnimatedProject golden;
    QImage soft(200, 200, QImage::Format_ARGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            soft.setPixel(x, y, qRgba(x * 37 % 256, y * 53 % 256, x * y % 256, 1 + (x + y) % 255));
    WritePng(golden.File(QStringLiteral("soft.png")), soft);
    MVK project = MakeProject(golden.folder, 1024, 768, {QStringLiteral("soft.png")});
    const QString path = SaveProject(project, golden.folder, QStringLiteral("soft.mrv"));
    const QString strip = golden.File(QStringLiteral("strip.png")),
                  noBackground = QStringLiteral("--no-background");
    ASSERT_EQ(RunCliProcess({QStringLiteral("export-long"), path, strip, noBackground}).code,
              cli::ExitOk);
    for (const char *name : {"soft.webp", "soft.apng"}) {
        const QString out = golden.File(QString::fromLatin1(name));
        ASSERT_EQ(RunCliProcess({QStringLiteral("export-animation"), path, out, noBackground}).code,
                  cli::ExitOk);
        const Result<DecodedAnimation> read = ReadAnimation(out);
        ASSERT_TRUE(read) << name;
        EXPECT_TRUE(read->frames.first().image == Cell(ReadBack(strip), 0)) << name;
    }
}

TEST(AnimationExport, TheCommandLineWarnsOnlyAboutWhatTheRunUses)
{
    AnimatedProject golden;
    const auto warnings = [&](const char *name, const QStringList &flags) {
        const QString out = golden.File(QString::fromLatin1(name));
        const ProcessRun run = RunCliProcess(
            QStringList{QStringLiteral("export-animation"), golden.path, out} << flags);
        EXPECT_EQ(run.code, cli::ExitOk) << name << run.err;
        return run.err;
    };
    const QStringList fast{QStringLiteral("--frame-time"), QStringLiteral("10")};
    EXPECT_TRUE(warnings("fast.gif", fast).contains(GifFrameTimeWarning(10)));
    EXPECT_EQ(ReadAnimation(golden.File(QStringLiteral("fast.gif")))->frames[1].delayMs, 20);
    EXPECT_EQ(warnings("fast.webp", fast), QString());
    const QStringList narrow{QStringLiteral("--width"), QStringLiteral("16")};
    EXPECT_EQ(warnings("cell.gif", narrow),
              QStringLiteral("警告：此次导出不使用 --width，已忽略\n"));
    EXPECT_EQ(warnings("screen.gif",
                       QStringList{QStringLiteral("--area"), QStringLiteral("screen")} << narrow),
              QString());
}

TEST(AnimationExport, ScreenAreaShowsWhatTheFullScreenPreviewComposes)
{
    AnimatedProject golden;
    const ExportSource source = ExportSource::FromProject(golden.project);
    const ScreenComposer screens(source, QSize(320, 240));
    const Exporter &exporter = *ExportRegistry::Find(u"export-animation");
    ExportOptions options =
        exporter.defaultOptions(golden.File(QStringLiteral("s.webp")), PictureFormat::WebP);
    options.values.insert(AnimationExporter::Area, AnimationExporter::AreaScreen);
    options.values.insert(AnimationExporter::Width, 320);
    options.values.insert(AnimationExporter::Loops, 1);
    const ExportResult result = exporter.Run(source, options);
    ASSERT_TRUE(result.status) << result.status.message();
    const Result<DecodedAnimation> read = ReadAnimation(result.written.value(0));
    ASSERT_TRUE(read);
    ASSERT_EQ(read->frames.size(), 7);
    for (int f = 0; f < 7; ++f)
        EXPECT_EQ(read->frames[f].image, StraightCopy(screens.Compose(f + 1))) << "frame " << f;
}

TEST(AnimationExport, CommandLineRefusesWhatItCannotWriteAndWritesNothing)
{
    AnimatedProject golden;
    const QString out = golden.File(QStringLiteral("bad.gif"));
    const ProcessRun area = RunCliProcess({QStringLiteral("export-animation"), golden.path, out,
                                           QStringLiteral("--area"), QStringLiteral("box")});
    EXPECT_EQ(area.code, cli::ExitUsage);
    EXPECT_TRUE(area.err.contains(QStringLiteral("box"))) << area.err;
    const ProcessRun format = RunCliProcess({QStringLiteral("export-animation"), golden.path, out,
                                             QStringLiteral("--format"), QStringLiteral("bmp")});
    EXPECT_EQ(format.code, cli::ExitUsage);
    EXPECT_TRUE(format.err.contains(QStringLiteral("gif, webp or apng"))) << format.err;

    MVK empty = MakeProject(golden.folder, 1024, 768, {});
    const QString emptyPath = SaveProject(empty, golden.folder, QStringLiteral("empty.mrv"));
    const ProcessRun none = RunCliProcess({QStringLiteral("export-animation"), emptyPath, out});
    EXPECT_EQ(none.code, cli::ExitInvalidInput);
    EXPECT_FALSE(none.err.isEmpty());

    // More composed pictures than memory holds: refused with the bound before composing.
    MVK huge = MakeProject(golden.folder, 1024, 768, QStringList(30000, QStringLiteral("x.png")));
    const QString hugePath = SaveProject(huge, golden.folder, QStringLiteral("huge.mrv"));
    const ProcessRun tooMany = RunCliProcess({QStringLiteral("export-animation"), hugePath, out});
    EXPECT_EQ(tooMany.code, cli::ExitInvalidInput);
    EXPECT_TRUE(tooMany.err.contains(QString::number(MaxComposedAnimationBytes >> 20)))
        << tooMany.err;

    // An out-of-range number is a usage error naming its range; nothing is written.
    const ProcessRun loops = RunCliProcess({QStringLiteral("export-animation"), golden.path,
                                            golden.File(QStringLiteral("many.gif")),
                                            QStringLiteral("--loops"), QStringLiteral("900")});
    EXPECT_EQ(loops.code, cli::ExitUsage);
    EXPECT_TRUE(loops.err.contains(QStringLiteral("1 到 255"))) << loops.err;
    EXPECT_FALSE(QFileInfo::exists(golden.File(QStringLiteral("many.gif"))));
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST(AnimationExport, ValuesSetOutsideTheRangesAreKeptToThem)
{
    // The editor hands over its own frame time, which may be 0.
    AnimatedProject golden;
    const Exporter &exporter = *ExportRegistry::Find(u"export-animation");
    ExportOptions options =
        exporter.defaultOptions(golden.File(QStringLiteral("fast.webp")), PictureFormat::WebP);
    options.values.insert(AnimationExporter::FrameTime, 0);
    options.values.insert(AnimationExporter::Loops, 0);
    const ExportResult result = exporter.Run(ExportSource::FromProject(golden.project), options);
    ASSERT_TRUE(result.status) << result.status.message();
    const Result<DecodedAnimation> read = ReadAnimation(result.written.value(0));
    ASSERT_TRUE(read);
    ASSERT_EQ(read->frames.size(), 3 + 4);
    for (const AnimationFrame &frame : read->frames)
        EXPECT_EQ(frame.delayMs, 1);
}

TEST(AnimationExport, CancelledExportLeavesNoFile)
{
    AnimatedProject golden;
    const Exporter &exporter = *ExportRegistry::Find(u"export-animation");
    for (const PictureFormat format : exporter.formats()) {
        const ExportOptions options =
            exporter.defaultOptions(golden.File(QStringLiteral("stop")), format);
        std::atomic_bool cancel = false;
        int last = 0, steps = 0;
        // Cancelled while encoding, after every frame was composed.
        const ExportResult result = exporter.Run(
            ExportSource::FromProject(golden.project), options,
            [&](int done, int total) {
                last = done;
                steps = total;
                if (done > 7)
                    cancel = true;
            },
            &cancel);
        EXPECT_TRUE(result.cancelled);
        EXPECT_TRUE(result.written.isEmpty());
        EXPECT_GT(last, 7);
        EXPECT_LT(last, steps);
        EXPECT_EQ(QDir(golden.folder.path()).entryList({QStringLiteral("stop*")}, QDir::Files),
                  QStringList());
    }
}

} // namespace
} // namespace mrv
