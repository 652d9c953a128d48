#include "export/exporter.h"
#include "export/exportnames.h"
#include "export/exportregistry.h"
#include "export/framesequence.h"
#include "export/longpicture.h"
#include "export/projectimages.h"

#include "exporttestdata.h"
#include "testsupport.h"

#include "support/parallel.h"

#include <QDir>
#include <QDirIterator>

#include <gtest/gtest.h>

namespace mrv {
namespace {

using namespace test;

const Exporter &Registered(const char *id)
{
    const Exporter *exporter = ExportRegistry::Find(QString::fromLatin1(id));
    if (!exporter)
        throw std::runtime_error(std::string("no exporter ") + id);
    return *exporter;
}

/// Every file under a folder, by its path relative to the folder, with its bytes.
QMap<QString, QByteArray> FilesUnder(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), ReadAll(path));
    }
    return files;
}

/// A 1024 x 768 project with the reference background and three frames, one of them missing.
struct SmallProject
{
    TempFolder folder;
    MVK project;
    SmallProject()
    {
        WritePng(folder.file(QStringLiteral("bg.png")), ReferenceBackground());
        WritePng(folder.file(QStringLiteral("f/yellow.png")), Flat(50, 50, Yellow));
        WritePng(folder.file(QStringLiteral("f/magenta.png")), Flat(300, 300, Magenta));
        project = MakeProject(folder, 1024, 768,
                              {QStringLiteral("f/yellow.png"), QStringLiteral("f/magenta.png"),
                               QStringLiteral("f/missing.png")},
                              {{10, 20}, {150, 150}, {0, 0}});
    }
    QString Out(const QString &run) const
    {
        QDir().mkpath(folder.file(run));
        return folder.file(run);
    }
};

TEST(ExportRegistry, ListsTheTargetsInMenuOrderWithTheirNames)
{
    QStringList ids, labels, menus, shortcuts;
    for (const Exporter *exporter : ExportRegistry::All()) {
        ids << exporter->id();
        labels << exporter->label();
        menus << exporter->menuName();
        shortcuts << exporter->shortcut();
        EXPECT_EQ(ExportRegistry::Find(exporter->id()), exporter);
    }
    EXPECT_EQ(ids, (QStringList{QStringLiteral("export-images"), QStringLiteral("export-sequence"),
                                QStringLiteral("export-long"), QStringLiteral("export-animation"),
                                QStringLiteral("export-plymouth"),
                                QStringLiteral("export-bootanimation")}));
    EXPECT_EQ(labels,
              (QStringList{QStringLiteral("导出工程(&E)"), QStringLiteral("导出动画帧序列(&F)"),
                           QStringLiteral("导出长图动画"), QStringLiteral("导出动画图片(&G)..."),
                           QStringLiteral("导出 Linux 开机主题(&P)..."),
                           QStringLiteral("导出 Android 开机动画(&D)...")}));
    EXPECT_EQ(menus,
              (QStringList{QStringLiteral("mnuExport"), QStringLiteral("mnuExAniFrame"),
                           QStringLiteral("mnuExportLongPic"), QStringLiteral("mnuExportAnimation"),
                           QStringLiteral("mnuExportPlymouth"),
                           QStringLiteral("mnuExportBootAnimation")}));
    EXPECT_EQ(shortcuts, (QStringList{QStringLiteral("Ctrl+E"), QStringLiteral("Ctrl+L"), QString(),
                                      QString(), QString(), QString()}));
    EXPECT_EQ(ExportRegistry::Find(u"export-gif"), nullptr);
    EXPECT_EQ(ExportRegistry::Find(u"Export-Long"), nullptr);
}

TEST(ExportRegistry, DefaultsOptionsAndCommandLinesOfEachTarget)
{
    const Exporter &images = Registered("export-images");
    const Exporter &sequence = Registered("export-sequence");
    const Exporter &longPicture = Registered("export-long");
    EXPECT_EQ(longPicture.defaultFormat(), PictureFormat::Bmp);
    EXPECT_EQ(FormatInfo(longPicture.defaultFormat()).typeIndex, LongPictureDefaultType);
    EXPECT_EQ(sequence.defaultFormat(), PictureFormat::Png);
    EXPECT_EQ(images.defaultFormat(), PictureFormat::Png);
    for (const Exporter *exporter : {&images, &sequence, &longPicture})
        EXPECT_EQ(exporter->formats().size(), 5) << exporter->id();
    const Exporter &animation = Registered("export-animation");
    EXPECT_EQ(animation.formats(),
              (QList<PictureFormat>{PictureFormat::Gif, PictureFormat::WebP, PictureFormat::Apng}));
    EXPECT_EQ(animation.cliUsage(),
              QStringLiteral("export-animation PROJECT OUT [--format F] [--loops N] "
                             "[--area cell|screen] [--width W] [--frame-time MS] [--repeat] "
                             "[--no-background] [--quality Q]"));
    // The boot screens write PNG only, so their command lines take no --format.
    const Exporter &plymouth = Registered("export-plymouth");
    const Exporter &android = Registered("export-bootanimation");
    for (const Exporter *exporter : {&plymouth, &android})
        EXPECT_EQ(exporter->formats(), QList<PictureFormat>{PictureFormat::Png}) << exporter->id();
    EXPECT_EQ(plymouth.cliUsage(),
              QStringLiteral("export-plymouth PROJECT DIR [--name NAME] [--frame-time MS]"));
    EXPECT_EQ(android.cliUsage(),
              QStringLiteral("export-bootanimation PROJECT OUT.zip "
                             "[--size WxH] [--frame-time MS] [--jpeg-quality Q]"));

    EXPECT_EQ(longPicture.cliUsage(),
              QStringLiteral("export-long PROJECT OUT [--format F] [--no-background]"));
    EXPECT_EQ(sequence.cliUsage(),
              QStringLiteral("export-sequence PROJECT PREFIX [--format F] [--loops TEXT] "
                             "[--no-background] [--remove-stale]"));
    EXPECT_EQ(images.cliUsage(),
              QStringLiteral("export-images PROJECT OUT [--format F] [--remove-stale]"));
    EXPECT_EQ(longPicture.summary(),
              QStringLiteral("write the 200 x 21000 long picture (default BMP)"));
    EXPECT_EQ(sequence.summary(),
              QStringLiteral("write the numbered frame sequence (default PNG, loops \"2\"; --loops "
                             "is read as the editor's loop question: its digits, 1-255, none 1)"));
    EXPECT_EQ(images.summary(),
              QStringLiteral("write the 1024 x 768 background picture and the _Frame folder"));

    // The questions the editor asks, in order, and what an unanswered option is; the last
    // option has no words of its own, so only the command line takes it.
    const QList<ExportOptionSpec> asked = sequence.options();
    ASSERT_EQ(asked.size(), 3);
    EXPECT_TRUE(asked[2].prompt.isEmpty());
    EXPECT_EQ(asked[0].name, QStringLiteral("loops"));
    EXPECT_EQ(asked[0].kind, OptionKind::Int);
    EXPECT_EQ(asked[0].promptTitle, QStringLiteral("请输入循环次数"));
    EXPECT_EQ(asked[1].prompt, QStringLiteral("是否保持图片透明通道"));
    EXPECT_EQ(longPicture.option(QStringLiteral("no-background"))->prompt,
              QStringLiteral("是否去掉全屏背景"));
    ASSERT_EQ(images.options().size(), 1);
    EXPECT_EQ(images.options().first().cliFlag, QStringLiteral("--remove-stale"));
    EXPECT_TRUE(images.options().first().prompt.isEmpty());
    EXPECT_FALSE(images.option(QStringLiteral("no-background")));

    const ExportOptions defaults =
        sequence.defaultOptions(QStringLiteral("/o/seq"), PictureFormat::Gif);
    EXPECT_EQ(defaults.target, QStringLiteral("/o/seq"));
    EXPECT_EQ(defaults.format, PictureFormat::Gif);
    EXPECT_EQ(defaults.Number(QStringLiteral("loops")), 2);
    EXPECT_FALSE(defaults.Flag(QStringLiteral("no-background")));

    MVK named;
    named.aName = QStringLiteral("demo");
    EXPECT_EQ(longPicture.proposedName(named), QStringLiteral("Activity_demo"));
    EXPECT_EQ(sequence.proposedName(named), QStringLiteral("demo_序列"));
    EXPECT_EQ(images.proposedName(named), QStringLiteral("demo"));
}

TEST(ExportOptions, TypedNumbersFollowTheLoopBoxRule)
{
    const ExportOptionSpec loops = *Registered("export-sequence").option(QStringLiteral("loops"));
    const std::pair<const char *, int> cases[] = {
        {"", 1},     {"abc", 1},   {"3x", 3},
        {"0", 1},    {"999", 255}, {"0003", 3},
        {"1 2", 12}, {"255", 255}, {"99999999999999", 255},
        {"-7", 7},
    };
    for (const auto &[typed, expected] : cases) {
        const QString text = QString::fromLatin1(typed);
        EXPECT_EQ(OptionFromText(loops, text).toInt(), expected) << typed;
        EXPECT_EQ(LoopTimesFromAnswer(text), expected) << typed;
    }
    ExportOptionSpec flag;
    flag.kind = OptionKind::Bool;
    EXPECT_TRUE(OptionFromText(flag, QStringLiteral("Yes")).toBool());
    EXPECT_FALSE(OptionFromText(flag, QStringLiteral("maybe")).toBool());
    ExportOptionSpec text;
    text.kind = OptionKind::Text;
    EXPECT_EQ(OptionFromText(text, QStringLiteral(" a b ")).toString(), QStringLiteral(" a b "));
}

TEST(ExportOptions, StoredValuesReplaceTheProposalOnlyWhenTheOptionCanTakeThem)
{
    const Exporter &animation = Registered("export-animation");
    const Exporter &android = Registered("export-bootanimation");
    const struct
    {
        const Exporter &target;
        const char *option;
        const char *stored;
        QVariant expected; ///< the value after applying; the proposal when not taken
    } cases[] = {
        {animation, "loops", "7", 7},
        {animation, "loops", "999", 3},
        {animation, "loops", "7x", 3},
        {animation, "repeat", "1", true},
        {animation, "repeat", "yes", false},
        {animation, "area", "screen", QStringLiteral("screen")},
        {animation, "area", "moon", QStringLiteral("cell")},
        {animation, "quality", "-1", -1},
        {animation, "quality", "-2", -1},
        {animation, "quality", "60", 60},
        {android, "size", "36x64", QStringLiteral("36x64")},
        {android, "size", "abc", QString()},
        {android, "frame-time", "0", 75},
    };
    for (const auto &c : cases) {
        const QString name = QString::fromLatin1(c.option);
        ExportOptions options = c.target.defaultOptions(QStringLiteral("/o/x"), PictureFormat::WebP);
        ApplyStoredOptionValues(c.target.options(), {{name, QString::fromLatin1(c.stored)}},
                                options);
        EXPECT_EQ(options.values.value(name), c.expected) << c.option << " " << c.stored;
    }

    // What is stored reads back as the same values.
    ExportOptions chosen = animation.defaultOptions(QStringLiteral("/o/x"), PictureFormat::WebP);
    chosen.values.insert(QStringLiteral("repeat"), true);
    chosen.values.insert(QStringLiteral("area"), QStringLiteral("screen"));
    chosen.values.insert(QStringLiteral("width"), 320);
    ExportOptions read = animation.defaultOptions(QStringLiteral("/o/x"), PictureFormat::WebP);
    ApplyStoredOptionValues(animation.options(), StoredOptionValues(animation.options(), chosen),
                            read);
    EXPECT_EQ(read.values, chosen.values);
}

/// One target run both ways: through the registry and straight into its engine.
struct Twin
{
    QMap<QString, QByteArray> viaExporter;
    QMap<QString, QByteArray> direct;
    ExportResult result;
};

TEST(Exporters, WriteTheSameBytesAsTheirEnginesForEveryFormat)
{
    SmallProject small;
    const ExportSource source = ExportSource::FromProject(small.project);
    ASSERT_EQ(source.framePaths.size(), 3);
    int run = 0;
    for (const PictureFormatInfo &info : PictureFormats()) {
        const QString name = info.cliName;
        auto twin = [&](const char *id, const QVariantMap &values, auto direct) {
            const QString a = small.Out(QStringLiteral("a%1").arg(++run));
            const QString b = small.Out(QStringLiteral("b%1").arg(run));
            const Exporter &exporter = Registered(id);
            ExportOptions options =
                exporter.defaultOptions(a + QStringLiteral("/out"), info.format);
            for (auto it = values.begin(); it != values.end(); ++it)
                options.values.insert(it.key(), it.value());
            Twin out;
            out.result = exporter.Run(source, options);
            const ExportResult engine = direct(b + QStringLiteral("/out"));
            EXPECT_TRUE(out.result.status) << id << ' ' << name << out.result.status.message();
            EXPECT_TRUE(engine.status) << id << ' ' << name;
            EXPECT_EQ(out.result.unreadable.size(), 1) << id;
            out.viaExporter = FilesUnder(a);
            out.direct = FilesUnder(b);
            // What the editor asks about before replacing files is what the run writes.
            QStringList listed;
            for (const QString &file : exporter.outputFiles(small.project, options))
                listed << QDir(a).relativeFilePath(file);
            listed.sort();
            EXPECT_EQ(listed, out.viaExporter.keys()) << id << ' ' << name;
            EXPECT_FALSE(out.viaExporter.isEmpty()) << id << ' ' << name;
            EXPECT_EQ(out.viaExporter.keys(), out.direct.keys()) << id << ' ' << name;
            EXPECT_TRUE(out.viaExporter == out.direct) << id << ' ' << name;
            return out;
        };

        const Twin strip =
            twin("export-long", {{QStringLiteral("no-background"), true}}, [&](const QString &out) {
                return ExportLongPicture(small.project, source.backgroundPath, source.framePaths,
                                         {LongPictureTargetFor(out, info.format), false});
            });
        EXPECT_EQ(strip.viaExporter.keys(), QStringList{QStringLiteral("out") + info.extension});

        if (info.format == PictureFormat::Bmp) {
            const Twin framed = twin("export-long", {}, [&](const QString &out) {
                return ExportLongPicture(small.project, source.backgroundPath, source.framePaths,
                                         {LongPictureTargetFor(out, info.format), true});
            });
            EXPECT_NE(framed.viaExporter.first(), strip.viaExporter.first());
        }

        const Twin sequence =
            twin("export-sequence", {{QStringLiteral("loops"), 3}}, [&](const QString &out) {
                SequenceOptions options;
                options.target = SequenceTargetFor(out, info.format);
                options.loopTimes = 3;
                options.drawBackground = true;
                return ExportFrameSequence(small.project, source.backgroundPath, source.framePaths,
                                           options);
            });
        EXPECT_EQ(sequence.result.written.size(), 5) << name; // 2 intro + 3 x 1 loop

        const Twin images = twin("export-images", {}, [&](const QString &out) {
            return ExportProjectImages(small.project, source.backgroundPath, source.framePaths,
                                       ProjectImagesTargetFor(out, info.format));
        });
        EXPECT_EQ(images.viaExporter.size(), 4) << name;
    }
}

TEST(Exporters, ReportWhatTheyWroteAsTheEditorAndTheCommandLineSayIt)
{
    SmallProject small;
    const ExportSource source = ExportSource::FromProject(small.project);
    const QString out = small.Out(QStringLiteral("r"));

    const Exporter &images = Registered("export-images");
    const ExportOptions proj =
        images.defaultOptions(out + QStringLiteral("/proj.jpg"), PictureFormat::Jpg);
    const ExportResult written = images.Run(source, proj);
    ASSERT_TRUE(written.status);
    EXPECT_EQ(images.doneMessage(small.project, proj),
              QStringLiteral("背景图片已保存到“") + out +
                  QStringLiteral("/proj.jpg”，\n帧动画文件夹名“proj_Frame”"));
    EXPECT_EQ(images.cliReport(written, small.project, proj),
              out + QStringLiteral("/proj.jpg\n") + out +
                  QStringLiteral("/proj_Frame (3 frames)\n"));

    const Exporter &sequence = Registered("export-sequence");
    const ExportOptions seq =
        sequence.defaultOptions(out + QStringLiteral("/seq"), PictureFormat::Png);
    const ExportResult frames = sequence.Run(source, seq);
    ASSERT_TRUE(frames.status);
    EXPECT_EQ(sequence.cliReport(frames, small.project, seq),
              QStringLiteral("4 files: %1/seq1.png .. %1/seq4.png\n").arg(out));
    EXPECT_EQ(sequence.cliReport(ExportResult{}, small.project, seq), QStringLiteral("0 files\n"));

    const Exporter &longPicture = Registered("export-long");
    const ExportOptions strip =
        longPicture.defaultOptions(out + QStringLiteral("/anim"), PictureFormat::Gif);
    EXPECT_EQ(longPicture.cliReport(ExportResult{}, small.project, strip),
              out + QStringLiteral("/anim.gif\n"));
    EXPECT_EQ(longPicture.doneMessage(small.project, strip),
              QStringLiteral("动画长图导出完成，你可以使用“魔方”等软件应用到系统。"));
}

TEST(Exporters, PicturesAreKeptInOrderUntilAFailureOrACancel)
{
    struct Case
    {
        const char *name;
        int failAt = -1;      ///< the encoder fails on this picture
        int noCanvasAt = -1;  ///< no memory for this picture's canvas
        int cancelAfter = -1; ///< the cancel flag is set once this many pictures are kept
        const char *error = nullptr;
    };
    const Case cases[] = {{"all written"},
                          {"encoder fails", 2, -1, -1, "坏"},
                          {"no canvas", -1, 1, -1, "内存不足"},
                          {"cancelled", -1, -1, 2}};
    for (const Case &c : cases) {
        std::atomic_bool cancel = false;
        // Picture i is i + 1 pixels wide, so that its bytes say which it was.
        const PictureJob job{[&](int i) {
                                 return i == c.noCanvasAt ? QImage()
                                                          : QImage(i + 1, 1, QImage::Format_ARGB32);
                             },
                             [&](const QImage &picture) -> Result<QByteArray> {
                                 if (picture.width() - 1 == c.failAt)
                                     return Result<QByteArray>::Fail(QStringLiteral("坏"));
                                 return QByteArray::number(picture.width() - 1);
                             },
                             [](int i) { return QStringLiteral("f%1").arg(i); }};
        int kept = 0;
        ExportResult result;
        ExportPool pool;
        const auto bytes = EncodeInOrder(
            pool, 6, job,
            [&] {
                if (++kept == c.cancelAfter)
                    cancel = true;
            },
            &cancel, result);
        if (c.failAt < 0 && c.noCanvasAt < 0 && c.cancelAfter < 0) {
            ASSERT_TRUE(bytes.has_value()) << c.name;
            EXPECT_EQ(*bytes, (std::vector<QByteArray>{"0", "1", "2", "3", "4", "5"}));
            EXPECT_TRUE(result.status);
            continue;
        }
        EXPECT_FALSE(bytes.has_value()) << c.name;
        EXPECT_FALSE(result.status) << c.name;
        EXPECT_EQ(result.cancelled, c.cancelAfter >= 0) << c.name;
        if (c.error) {
            // The failing picture's file is named, and nothing after it was kept.
            const int at = std::max(c.failAt, c.noCanvasAt);
            EXPECT_TRUE(result.status.message().contains(QString::fromUtf8(c.error))) << c.name;
            EXPECT_TRUE(result.status.message().contains(QStringLiteral("f%1").arg(at))) << c.name;
            EXPECT_EQ(kept, at) << c.name;
        } else {
            EXPECT_EQ(kept, c.cancelAfter) << c.name;
        }
    }
}

/// A target that records whether it was asked to write.
class ProbeExporter final : public Exporter
{
public:
    ProbeExporter()
        : Exporter(QStringLiteral("probe"), std::span(&FormatInfo(PictureFormat::Png), 1),
                   PictureFormat::Png, {})
    {}
    mutable int writes = 0;
    QStringList outputFiles(const MVK &, const ExportOptions &) const override { return {}; }
    QString doneMessage(const MVK &, const ExportOptions &) const override { return {}; }
    QString cliReport(const ExportResult &, const MVK &, const ExportOptions &) const override
    {
        return {};
    }

protected:
    Status CheckProject(const MVK &project) const override
    {
        return project.aWidth > 0 ? Status::Ok() : Status::Fail(QStringLiteral("too small"));
    }
    ExportResult Write(const ExportSource &, const ExportOptions &, const ExportProgress &,
                       const std::atomic_bool *) const override
    {
        ++writes;
        return {};
    }
};

TEST(Exporters, OpeningStepsStopBeforeAnythingIsWritten)
{
    ProbeExporter probe;
    ExportSource source;
    source.project.aWidth = 1024;
    source.project.aHeight = 768;
    const std::atomic_bool notCancelled = false;
    EXPECT_TRUE(
        probe.Run(source, probe.defaultOptions({}, PictureFormat::Png), {}, &notCancelled).status);
    EXPECT_EQ(probe.writes, 1);

    const ExportResult wrongFormat =
        probe.Run(source, probe.defaultOptions({}, PictureFormat::Gif));
    EXPECT_FALSE(wrongFormat.status);
    EXPECT_FALSE(wrongFormat.refused);
    EXPECT_TRUE(wrongFormat.status.message().contains(QStringLiteral("GIF")));

    const std::atomic_bool cancelled = true;
    const ExportResult early =
        probe.Run(source, probe.defaultOptions({}, PictureFormat::Png), {}, &cancelled);
    EXPECT_TRUE(early.cancelled);
    EXPECT_FALSE(early.status);

    source.project.aWidth = 0;
    const ExportResult refused = probe.Run(source, probe.defaultOptions({}, PictureFormat::Png));
    EXPECT_TRUE(refused.refused);
    EXPECT_EQ(refused.status.message(), QStringLiteral("too small"));
    EXPECT_EQ(probe.writes, 1);

    // The registered targets refuse a project they cannot scale and write nothing when
    // cancelled before they start, not even the frame folder.
    SmallProject small;
    MVK flat = small.project;
    flat.aHeight = 0;
    for (const Exporter *exporter : ExportRegistry::All()) {
        const QString out = small.Out(QStringLiteral("x-") + exporter->id());
        const ExportOptions options =
            exporter->defaultOptions(out + QStringLiteral("/o"), exporter->defaultFormat());
        EXPECT_TRUE(exporter->Run(ExportSource::FromProject(flat), options).refused)
            << exporter->id();
        EXPECT_TRUE(exporter->Run(ExportSource::FromProject(small.project), options, {}, &cancelled)
                        .cancelled);
        EXPECT_TRUE(QDir(out).isEmpty()) << exporter->id();
    }
}

} // namespace
} // namespace mrv
