#include "export/bootanimation.h"
#include "export/exportgeometry.h"
#include "export/exporter.h"
#include "export/exportregistry.h"
#include "export/plymouththeme.h"
#include "export/screencomposer.h"
#include "project/mvk.h"

#include "exporttestdata.h"
#include "cliprocess.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <unistd.h>

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

namespace mrv {
namespace {

using namespace test;

const QColor Backdrop(40, 40, 90);
// Five frames: 1-2 are the intro, 3-5 the loop.
const QList<QColor> FrameColours{Red, Green, Blue, Yellow, Magenta};

/// A saved 1024 x 768 project over a flat background whose frames each fill the animation
/// area with a colour of their own.
struct ColourProject
{
    TempFolder folder;
    MVK project;
    QString path;

    explicit ColourProject(const QList<QColor> &colours = FrameColours)
    {
        WritePng(folder.file(QStringLiteral("bg.png")), Flat(1024, 768, Backdrop));
        QStringList paths;
        for (qsizetype i = 0; i < colours.size(); ++i) {
            const QString name = QStringLiteral("f%1.png").arg(i + 1);
            WritePng(folder.file(name), Flat(200, 200, colours[i]));
            paths << name;
        }
        project = MakeProject(folder, 1024, 768, paths);
        project.aName = QStringLiteral("Golden 工程");
        path = SaveProject(project, folder);
    }
    ExportSource Source() const { return ExportSource::FromProject(project); }
    QString Out(const QString &name) const
    {
        QDir().mkpath(folder.file(QStringLiteral("out")));
        return folder.file(QStringLiteral("out/") + name);
    }
};

const Exporter &Registered(const char *id)
{
    const Exporter *exporter = ExportRegistry::Find(QString::fromLatin1(id));
    EXPECT_NE(exporter, nullptr) << id;
    return *exporter;
}

QStringList Names(std::initializer_list<const char *> names)
{
    QStringList list;
    for (const char *name : names)
        list << QString::fromUtf8(name);
    return list;
}

QString Script(const char *name)
{
    return QStringLiteral(MIROVANE_TEST_SCRIPTS) + u'/' + QString::fromLatin1(name);
}

TEST(PlymouthTheme, NamesAreSafeForFilesAndNeverEmpty)
{
    EXPECT_EQ(PlymouthThemeName(QStringLiteral("Golden 工程")), QStringLiteral("Golden"));
    EXPECT_EQ(PlymouthThemeName(QStringLiteral("../my theme_2!")), QStringLiteral("my-theme-2"));
    EXPECT_EQ(PlymouthThemeName(QStringLiteral("Ünïcode")), QStringLiteral("n-code"));
    EXPECT_EQ(PlymouthThemeName(QStringLiteral("演示")), QStringLiteral("mirovane"));
    EXPECT_EQ(PlymouthThemeName(QString()), QStringLiteral("mirovane"));
}

TEST(PlymouthTheme, WritesItsFilesUnderTheirNamesWithTheirKeys)
{
    ColourProject p;
    // Frame 3 reaches past the area's corner, where the preview cuts it off; frames 4 and 5
    // show one picture at one offset.
    WritePng(p.folder.file(QStringLiteral("big.png")), Flat(100, 100, Blue));
    *p.project.aFrame.Item(3) = aImage{QStringLiteral("big.png"), 150, 160};
    *p.project.aFrame.Item(5) = *p.project.aFrame.Item(4);
    const Exporter &plymouth = Registered("export-plymouth");
    ExportOptions options = plymouth.defaultOptions(p.Out(QString()), PictureFormat::Png);
    plymouth.ProposeOptions(p.project, 120, options);
    EXPECT_EQ(options.Text(QStringLiteral("name")), QStringLiteral("Golden"));
    EXPECT_EQ(options.Number(QStringLiteral("frame-time")), 120);
    options.values.insert(QStringLiteral("name"), QStringLiteral("My Theme!"));

    const ExportResult result = plymouth.Run(p.Source(), options);
    ASSERT_TRUE(result.status) << result.status.message();
    const QDir theme(p.Out(QStringLiteral("My-Theme")));
    QStringList names;
    for (const QString &file : result.written)
        names << QFileInfo(file).fileName();
    EXPECT_EQ(names, Names({"background.png", "intro-0001.png", "intro-0002.png", "loop-0001.png",
                            "loop-0002.png", "loop-0003.png", "entry.png", "bullet.png",
                            "My-Theme.script", "My-Theme.plymouth"}));
    EXPECT_EQ(result.written, plymouth.outputFiles(p.project, options));
    for (const QString &file : result.written)
        EXPECT_EQ(QFileInfo(file).absolutePath(), theme.absolutePath());

    EXPECT_EQ(ReadAll(theme.filePath(QStringLiteral("My-Theme.plymouth"))),
              QByteArray("[Plymouth Theme]\nName=My-Theme\n"
                         "Description=Boot animation made with Mirovane from \"Golden 工程\"\n"
                         "ModuleName=script\n\n[script]\n"
                         "ImageDir=/usr/share/plymouth/themes/My-Theme\n"
                         "ScriptFile=/usr/share/plymouth/themes/My-Theme/My-Theme.script\n"));
    const QString script =
        QString::fromUtf8(ReadAll(theme.filePath(QStringLiteral("My-Theme.script"))));
    for (const char *part :
         {"frame_time = 120;\n", "intro_count = 2;\n", "loop_count = 3;\n",
          "intro_files[1] = \"intro-0002.png\";\n", "loop_files[2] = \"loop-0003.png\";\n",
          "Plymouth.SetRefreshFunction(refresh_callback);",
          "Plymouth.SetDisplayPasswordFunction(display_password_callback);",
          "Plymouth.SetDisplayQuestionFunction(display_question_callback);",
          "Plymouth.SetDisplayNormalFunction(display_normal_callback);",
          "Plymouth.SetMessageFunction(message_callback);"})
        EXPECT_TRUE(script.contains(QString::fromUtf8(part))) << part;

    // The background at project size; each frame as the area at project scale.
    const QImage background = ReadBack(theme.filePath(QStringLiteral("background.png")));
    EXPECT_EQ(background.size(), QSize(1024, 768));
    EXPECT_EQ(At(background, 700, 500), Backdrop);
    const QImage intro = ReadBack(theme.filePath(QStringLiteral("intro-0002.png")));
    EXPECT_EQ(intro.size(), QSize(200, 200));
    EXPECT_EQ(At(intro, 0, 0), Green);
    EXPECT_EQ(At(intro, 199, 199), Green);
    const QImage cut = ReadBack(theme.filePath(QStringLiteral("loop-0001.png")));
    EXPECT_EQ(cut.size(), QSize(200, 200));
    EXPECT_EQ(At(cut, 149, 159).alpha(), 0);
    EXPECT_EQ(At(cut, 150, 160), Blue);
    EXPECT_EQ(At(cut, 199, 199), Blue);
    EXPECT_EQ(ReadAll(theme.filePath(QStringLiteral("loop-0002.png"))),
              ReadAll(theme.filePath(QStringLiteral("loop-0003.png"))));
}

TEST(PlymouthTheme, TheCommandLineNamesTheThemeAndItsFrameTime)
{
    ColourProject p;
    const QString out = p.Out(QStringLiteral("themes"));
    ProcessRun cli = RunCliProcess({QStringLiteral("export-plymouth"), p.path, out,
                                    QStringLiteral("--name"), QStringLiteral("boot/撒 ok"),
                                    QStringLiteral("--frame-time"), QStringLiteral("90")});
    ASSERT_EQ(cli.code, 0) << cli.err;
    EXPECT_EQ(cli.out.toStdString(),
              QString(out + QStringLiteral("/boot-ok (10 files)\n")).toStdString());
    EXPECT_EQ(cli.err, QStringLiteral("注意：--name “boot/撒 ok” 写为“boot-ok”\n"));
    // A name with nothing a theme name keeps is refused, not replaced.
    const ProcessRun unusable = RunCliProcess({QStringLiteral("export-plymouth"), p.path, out,
                                               QStringLiteral("--name"), QStringLiteral("我的 主题")});
    EXPECT_EQ(unusable.code, 2);
    EXPECT_TRUE(unusable.err.contains(QStringLiteral("“我的 主题”中没有英文字母或数字")))
        << unusable.err;
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("/mirovane")));
    EXPECT_TRUE(
        ReadAll(out + QStringLiteral("/boot-ok/boot-ok.script")).contains("frame_time = 90;"));

    // Without a name the project's; one format only, so --format is no option.
    cli = RunCliProcess({QStringLiteral("export-plymouth"), p.path, out});
    ASSERT_EQ(cli.code, 0) << cli.err;
    EXPECT_TRUE(QFile::exists(out + QStringLiteral("/Golden/Golden.plymouth")));
    cli = RunCliProcess({QStringLiteral("export-plymouth"), p.path, out, QStringLiteral("--format"),
                         QStringLiteral("bmp")});
    EXPECT_EQ(cli.code, 1);
    EXPECT_TRUE(cli.err.contains(
        QStringLiteral("Usage: mirovane-cli export-plymouth PROJECT DIR [--name NAME] "
                       "[--frame-time MS]")))
        << cli.err;
}

/// Runs the renderer on a theme through the test's harness; empty when it cannot run here.
QString RenderUnavailable()
{
    if (geteuid() != 0)
        return QStringLiteral("plymouthd runs as root only");
    for (const char *tool : {"plymouthd", "plymouth", "Xvfb", "unshare"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return QStringLiteral("%1 is not installed (scripts/deps.sh)")
                .arg(QString::fromLatin1(tool));
    if (!QFileInfo::exists(QStringLiteral(MIROVANE_RENDER_PLYMOUTH)))
        return QStringLiteral("no renderer script at %1")
            .arg(QStringLiteral(MIROVANE_RENDER_PLYMOUTH));
    if (RunProgram(QStringLiteral("unshare"), {QStringLiteral("-n"), QStringLiteral("true")})
            .code != 0)
        return QStringLiteral("no private network namespace can be made here");
    return {};
}

/// One screenshot of a render: milliseconds since the splash was asked for, the probe colour.
struct Shot
{
    int n = 0; ///< the screenshot's number
    int ms = 0;
    QColor probe;
};

QList<Shot> ReadShots(const QString &tsv)
{
    QList<Shot> shots;
    for (const QByteArray &line : ReadAll(tsv).split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() == 3)
            shots.push_back({fields[0].toInt(), fields[1].toInt(),
                             QColor(QString::fromLatin1("#" + fields[2]))});
    }
    return shots;
}

/// Whether any pixel of the rectangle differs from the colour.
bool DrawnOn(const QImage &shot, const QRect &rect, const QColor &colour)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (shot.pixelColor(x, y).rgb() != colour.rgb())
                return true;
    return false;
}

TEST(PlymouthTheme, PlymouthdPlaysTheIntroOnceThenTheLoopAtTheFrameTimeAndAsksBelowTheArea)
{
    if (const QString why = RenderUnavailable(); !why.isEmpty())
        GTEST_SKIP() << "Plymouth render skipped: " << why.toStdString();
    constexpr int FrameTime = 200;
    constexpr int CaptureFps = 20;
    ColourProject p;
    const Exporter &plymouth = Registered("export-plymouth");
    ExportOptions options = plymouth.defaultOptions(p.Out(QString()), PictureFormat::Png);
    // The renderer installs the theme under its name for the run: one name per process.
    const QString name =
        QStringLiteral("mirovane-render-%1").arg(QCoreApplication::applicationPid());
    options.values.insert(QStringLiteral("name"), name);
    options.values.insert(QStringLiteral("frame-time"), FrameTime);
    ASSERT_TRUE(plymouth.Run(p.Source(), options).status);
    const QString theme = p.Out(name);

    // Three seconds of playing, a password asked for half-way.
    const QString shots = p.folder.file(QStringLiteral("shots"));
    qputenv("FPS", QByteArray::number(CaptureFps));
    const ProcessRun render = RunProgram(Script("plymouthrender.sh"),
                                         {QStringLiteral(MIROVANE_RENDER_PLYMOUTH), theme, shots,
                                          QStringLiteral("3"), QStringLiteral("1.5")});
    ASSERT_EQ(render.code, 0) << render.err << render.out;

    // The probe at the screen's centre: each colour's first shot, in order.
    const QList<Shot> all = ReadShots(shots + QStringLiteral("/frames.tsv"));
    ASSERT_GE(all.size(), 40);
    // Shots taken before plymouthd's first paint show the blank screen.
    QList<Shot> changes;
    for (const Shot &shot : all)
        if (changes.isEmpty() ? shot.probe != QColor(Qt::black)
                              : changes.last().probe != shot.probe)
            changes << shot;
    ASSERT_GE(changes.size(), 10);
    QList<QColor> expected{Red, Green};
    while (expected.size() < changes.size())
        expected << FrameColours.mid(2);
    for (qsizetype i = 0; i < changes.size(); ++i)
        EXPECT_EQ(changes[i].probe.name().toStdString(), expected[i].name().toStdString())
            << "colour " << i;
    // Every whole frame lasts the frame time give or take a refresh (20 ms), a shot's spacing
    // and the scheduling of a shared machine; on average, within a refresh.
    const int slack = 20 + 1000 / CaptureFps + 30;
    for (qsizetype i = 1; i + 1 < changes.size(); ++i)
        EXPECT_NEAR(changes[i + 1].ms - changes[i].ms, FrameTime, slack) << "frame " << i;
    const double average = double(changes.last().ms - changes[1].ms) / double(changes.size() - 2);
    EXPECT_NEAR(average, FrameTime, 20.0);

    // The background around the area, the frame inside it; below it nothing before the
    // password is asked for, the prompt after.
    const QImage early = ReadBack(
        shots + QStringLiteral("/frame-%1.png").arg(changes[0].n, 4, 10, QLatin1Char('0')));
    const QImage late =
        ReadBack(shots + QStringLiteral("/frame-%1.png").arg(all.size(), 4, 10, QLatin1Char('0')));
    ASSERT_EQ(late.size(), QSize(1024, 768));
    EXPECT_EQ(At(late, 100, 100).rgb(), Backdrop.rgb());
    EXPECT_EQ(At(late, 411, 283).rgb(), Backdrop.rgb());
    EXPECT_NE(At(late, 412, 284).rgb(), Backdrop.rgb());
    EXPECT_NE(At(late, 611, 483).rgb(), Backdrop.rgb());
    EXPECT_EQ(At(late, 612, 484).rgb(), Backdrop.rgb());
    const QRect below(0, 485, 1024, 768 - 485);
    EXPECT_FALSE(DrawnOn(early, below, Backdrop));
    EXPECT_TRUE(DrawnOn(late, below, Backdrop));

    // A script plymouthd cannot parse fails the same check.
    QFile script(theme + u'/' + name + QStringLiteral(".script"));
    ASSERT_TRUE(script.open(QIODevice::Append));
    script.write("fun broken( {\n");
    script.close();
    const ProcessRun broken =
        RunProgram(Script("plymouthrender.sh"),
                   {QStringLiteral(MIROVANE_RENDER_PLYMOUTH), theme,
                    p.folder.file(QStringLiteral("broken")), QStringLiteral("1")});
    EXPECT_NE(broken.code, 0);
    EXPECT_TRUE(broken.err.contains(QStringLiteral("Parser error"))) << broken.err;
    qunsetenv("FPS");
}

TEST(BootAnimation, TheFrameRateIsTheNearestWholeOneAndWarnsWhenOffByMoreThanOnePercent)
{
    struct Case
    {
        int frameTime;
        AndroidTiming timing;
        bool warns;
    };
    const Case cases[] = {
        {7, {60, 1}, true},    // nothing is faster: 16.7 ms
        {10, {60, 1}, true},   // 16.7 ms
        {16, {60, 1}, true},   // 16.7 ms, +4.2 %
        {17, {59, 1}, false},  // 16.9 ms, -0.3 %, where 56 fps would be +5 %
        {33, {30, 1}, true},   // 33.3 ms, +1.01 %
        {40, {25, 1}, false},  // exact
        {61, {33, 2}, false},  // 60.6 ms: twice at 33 fps, not three times at 49
        {75, {40, 3}, false},  // exact, each picture three times
        {1000, {1, 1}, false}, // exact
        {130, {23, 3}, false}, // 130.4 ms
        {2000, {1, 2}, false}, // exact
        {0, {60, 1}, true},    // written as 1 ms
    };
    for (const Case &c : cases) {
        const AndroidTiming timing = AndroidTimingFor(c.frameTime);
        EXPECT_EQ(timing, c.timing)
            << c.frameTime << " ms: " << timing.fps << " fps x" << timing.repeat;
        EXPECT_EQ(AndroidTimingIsOff(c.frameTime, timing), c.warns) << c.frameTime;
        EXPECT_EQ(AndroidFrameTimeWarning(c.frameTime).isEmpty(), !c.warns) << c.frameTime;
    }
    EXPECT_TRUE(AndroidFrameTimeWarning(16).contains(QStringLiteral("16.7 毫秒（60 fps）")));
    EXPECT_TRUE(AndroidFrameTimeWarning(16).contains(QStringLiteral("+4.2%")));
}

TEST(BootAnimation, SizesNamesAndDescription)
{
    EXPECT_EQ(*ParseBootAnimationSize(QStringLiteral("1080x1920")), QSize(1080, 1920));
    EXPECT_EQ(*ParseBootAnimationSize(QStringLiteral(" 800 X 600 ")), QSize(800, 600));
    EXPECT_EQ(*ParseBootAnimationSize(QStringLiteral("4096*1")), QSize(4096, 1));
    for (const char *bad : {"", "1080", "0x100", "4097x10", "-5x5", "1e3x5", "99999999999x1"})
        EXPECT_FALSE(ParseBootAnimationSize(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(BootAnimationPathFor(QStringLiteral("/t/boot")), QStringLiteral("/t/boot.zip"));
    EXPECT_EQ(BootAnimationPathFor(QStringLiteral("/t/b.ZIP")), QStringLiteral("/t/b.ZIP"));
    EXPECT_EQ(BootAnimationPathFor(QStringLiteral("/t.zip/b")), QStringLiteral("/t.zip/b.zip"));
    EXPECT_EQ(BootAnimationDesc({720, 1280}, 40, true),
              QStringLiteral("720 1280 40\nc 1 0 part0\np 0 0 part1\n"));
    EXPECT_EQ(BootAnimationDesc({720, 1280}, 10, false),
              QStringLiteral("720 1280 10\np 0 0 part1\n"));
    EXPECT_EQ(BootAnimationEntries(2, 2), Names({"desc.txt", "part1/00001.png", "part1/00002.png",
                                                 "part1/00003.png", "part1/00004.png"}));
    EXPECT_EQ(BootAnimationEntries(0, 3), Names({"desc.txt", "part1/00001.png"}));
}

/// One entry of a zip as Python's zipfile reads it.
struct ZipEntry
{
    QString name;
    int method = -1;
};

/// Lists and extracts a zip with Python's zipfile, which also checks every entry's CRC.
QList<ZipEntry> ReadZip(const QString &zip, const QString &into)
{
    const ProcessRun read =
        RunProgram(QStringLiteral("python3"), {Script("readzip.py"), zip, into});
    EXPECT_EQ(read.code, 0) << read.err;
    QList<ZipEntry> entries;
    for (const QString &line : read.out.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(u'\t');
        if (fields.size() == 2)
            entries.push_back({fields[0], fields[1].toInt()});
    }
    return entries;
}

TEST(BootAnimation, TheCommandLineWritesAStoredZipOfWholeScreensInPlayingOrder)
{
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        GTEST_SKIP() << "python3 reads the zip back and is not installed";
    ColourProject p;
    // Frames 4 and 5 at an offset, so that the area cuts them and the background shows.
    *p.project.aFrame.Item(4) = aImage{QStringLiteral("f4.png"), 50, 120};
    SaveProject(p.project, p.folder);
    const QString zip = p.Out(QStringLiteral("boot"));
    const ProcessRun cli = RunCliProcess({QStringLiteral("export-bootanimation"), p.path, zip,
                                          QStringLiteral("--size"), QStringLiteral("320x240"),
                                          QStringLiteral("--frame-time"), QStringLiteral("75")});
    ASSERT_EQ(cli.code, 0) << cli.err;
    EXPECT_EQ(cli.out, zip + QStringLiteral(".zip (40 fps, each picture 3x)\n"));
    EXPECT_EQ(cli.err, QString());

    const QString unpacked = p.folder.file(QStringLiteral("unpacked"));
    const QList<ZipEntry> entries = ReadZip(zip + QStringLiteral(".zip"), unpacked);
    ASSERT_EQ(entries.size(), 1 + 2 * 3 + 3 * 3);
    EXPECT_EQ(entries.first().name, QStringLiteral("desc.txt"));
    EXPECT_EQ(ReadAll(unpacked + QStringLiteral("/desc.txt")),
              QByteArray("320 240 40\nc 1 0 part0\np 0 0 part1\n"));
    QStringList names;
    for (const ZipEntry &entry : entries) {
        EXPECT_EQ(entry.method, 0) << entry.name; // stored
        names << entry.name;
    }
    QStringList sorted = names;
    sorted.sort();
    EXPECT_EQ(names, sorted);

    // Each picture is the full-screen preview's composition of its frame at 320 x 240.
    const ScreenComposer composer(ExportSource::FromProject(p.project), {320, 240});
    for (qsizetype i = 1; i < entries.size(); ++i) {
        const bool intro = names[i].startsWith(QStringLiteral("part0/"));
        const int position = names[i].mid(6, 5).toInt() - 1;
        const int frame = (intro ? 1 : 3) + position / 3;
        const QImage picture = ReadBack(unpacked + u'/' + names[i]);
        const QImage expected = composer.Compose(frame).convertToFormat(picture.format());
        EXPECT_EQ(picture, expected) << names[i];
    }
    const QImage cut = ReadBack(unpacked + QStringLiteral("/part1/00004.png"));
    EXPECT_EQ(At(cut, 319, 239).rgb(), Backdrop.rgb());

    // A frame time no whole rate comes near is written at the nearest, with a warning.
    const ProcessRun fast = RunCliProcess({QStringLiteral("export-bootanimation"), p.path,
                                           p.Out(QStringLiteral("fast.zip")),
                                           QStringLiteral("--size"), QStringLiteral("32x24"),
                                           QStringLiteral("--frame-time"), QStringLiteral("10")});
    ASSERT_EQ(fast.code, 0) << fast.err;
    EXPECT_EQ(fast.err, QStringLiteral("警告：") + AndroidFrameTimeWarning(10) + u'\n');

    // A size that is no screen is refused before anything is written.
    const ProcessRun bad = RunCliProcess({QStringLiteral("export-bootanimation"), p.path,
                                          p.Out(QStringLiteral("bad.zip")),
                                          QStringLiteral("--size"), QStringLiteral("1080")});
    EXPECT_EQ(bad.code, 2);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("屏幕大小“1080”无效"))) << bad.err;
    EXPECT_FALSE(QFile::exists(p.Out(QStringLiteral("bad.zip"))));
}

TEST(BootAnimation, WithoutAWorkingLibzipTheExportSaysSoAndWritesNothing)
{
    // libzip is loaded when an archive is written; a broken one first in the search path
    // stands for a system without it.
    ColourProject p;
    p.folder.write(QStringLiteral("libs/libzip.so.4"), "not a library");
    const QByteArray searchPath = qgetenv("LD_LIBRARY_PATH");
    qputenv("LD_LIBRARY_PATH", QFile::encodeName(p.folder.file(QStringLiteral("libs"))));
    const QString zip = p.Out(QStringLiteral("boot.zip"));
    const ProcessRun cli = RunCliProcess({QStringLiteral("export-bootanimation"), p.path, zip,
                                          QStringLiteral("--size"), QStringLiteral("320x240")});
    qputenv("LD_LIBRARY_PATH", searchPath);
    EXPECT_EQ(cli.code, 3) << cli.err;
    EXPECT_TRUE(cli.err.contains(QStringLiteral("无法加载 libzip")) && cli.err.contains(zip))
        << cli.err;
    EXPECT_EQ(QDir(p.folder.file(QStringLiteral("out"))).entryList(QDir::Files | QDir::Hidden),
              QStringList());
}

TEST(BootAnimation, JpegQualityStoresJpegScreensCloseToThePngOnes)
{
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        GTEST_SKIP() << "python3 reads the zip back and is not installed";
    ColourProject p;
    SaveProject(p.project, p.folder);
    const QString zip = p.Out(QStringLiteral("boot.zip"));
    const ProcessRun cli = RunCliProcess({QStringLiteral("export-bootanimation"), p.path, zip,
                                          QStringLiteral("--size"), QStringLiteral("320x240"),
                                          QStringLiteral("--jpeg-quality"), QStringLiteral("90")});
    ASSERT_EQ(cli.code, 0) << cli.err;
    EXPECT_EQ(cli.out, zip + QStringLiteral(" (40 fps, each picture 3x, JPEG quality 90)\n"));

    const QString unpacked = p.folder.file(QStringLiteral("unpacked"));
    const QList<ZipEntry> entries = ReadZip(zip, unpacked);
    ASSERT_EQ(entries.size(), 1 + 2 * 3 + 3 * 3);
    const ScreenComposer composer(ExportSource::FromProject(p.project), {320, 240});
    for (qsizetype i = 1; i < entries.size(); ++i) {
        const QString &name = entries[i].name;
        EXPECT_TRUE(name.endsWith(QStringLiteral(".jpg"))) << name;
        EXPECT_EQ(entries[i].method, 0) << name;
        const QString path = unpacked + u'/' + name;
        EXPECT_TRUE(ReadAll(path).startsWith("\xff\xd8\xff")) << name;
        const QImage picture = QImage(path).convertToFormat(QImage::Format_RGB32);
        const int frame =
            (name.startsWith(QStringLiteral("part0/")) ? 1 : 3) + (name.mid(6, 5).toInt() - 1) / 3;
        const QImage expected = composer.Compose(frame).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(picture.size(), expected.size()) << name;
        qint64 error = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb a = picture.pixel(x, y), b = expected.pixel(x, y);
                error += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                         std::abs(qBlue(a) - qBlue(b));
            }
        EXPECT_LT(double(error) / (3.0 * picture.width() * picture.height()), 2.0) << name;
    }
}

TEST(BootAnimation, TheProjectsScreenFitsTheDeviceKeepingItsShape)
{
    EXPECT_EQ(FitScreen({1024, 768}, {1080, 1920}).rect, QRect(0, 555, 1080, 810));
    EXPECT_EQ(FitScreen({1024, 768}, {1920, 1080}).rect, QRect(240, 0, 1440, 1080));
    EXPECT_DOUBLE_EQ(FitScreen({1024, 768}, {1920, 1080}).scale, 1080.0 / 768);
    EXPECT_EQ(FitScreen({10, 10}, {5, 8}).rect, QRect(0, 1, 5, 5));  // the odd pixel goes below
    EXPECT_EQ(FitScreen({3, 1000}, {1, 1}).rect, QRect(0, 0, 1, 1)); // never less than a pixel
}

TEST(BootAnimation, ADeviceOfAnotherShapeShowsASquareAsASquareWithBlackBands)
{
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        GTEST_SKIP() << "python3 reads the zip back and is not installed";
    TempFolder folder;
    WritePng(folder.file(QStringLiteral("bg.png")), Flat(1024, 768, Backdrop));
    WritePng(folder.file(QStringLiteral("square.png")), Flat(100, 100, Red));
    MVK project = MakeProject(folder, 1024, 768, {QStringLiteral("square.png")}, {{50, 50}});
    const QString path = SaveProject(project, folder);
    for (const QSize device : {QSize(1080, 1920), QSize(1920, 1080), QSize(600, 600)}) {
        const QString size = QStringLiteral("%1x%2").arg(device.width()).arg(device.height());
        const QString zip = folder.file(size + QStringLiteral(".zip"));
        ASSERT_EQ(RunCliProcess({QStringLiteral("export-bootanimation"), path, zip,
                                 QStringLiteral("--size"), size})
                      .code,
                  0);
        ReadZip(zip, folder.file(size));
        const QImage screen = ReadBack(folder.file(size + QStringLiteral("/part1/00001.png")));
        ASSERT_EQ(screen.size(), device);
        QRect square;
        for (int y = 0; y < device.height(); ++y)
            for (int x = 0; x < device.width(); ++x)
                if (screen.pixel(x, y) == Red.rgb())
                    square |= QRect(x, y, 1, 1);
        const double scale = std::min(device.width() / 1024.0, device.height() / 768.0);
        EXPECT_EQ(square.size(), QSize(int(std::ceil(100 * scale)), int(std::ceil(100 * scale))))
            << size;
        EXPECT_EQ(screen.pixel(square.left() - 1, square.top()), Backdrop.rgb()) << size;
        EXPECT_EQ(screen.pixel(0, 0), QColor(Qt::black).rgb()) << size;
    }
}

TEST(BootAnimation, AProjectWithoutIntroOrFramesStillLoops)
{
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        GTEST_SKIP() << "python3 reads the zip back and is not installed";
    ColourProject two({Red, Green});
    const Exporter &android = Registered("export-bootanimation");
    ExportOptions options =
        android.defaultOptions(two.Out(QStringLiteral("two.zip")), PictureFormat::Png);
    android.ProposeOptions(two.project, 100, options);
    EXPECT_EQ(options.Text(QStringLiteral("size")), QStringLiteral("1024x768"));
    options.values.insert(QStringLiteral("size"), QStringLiteral("64x48"));
    ASSERT_TRUE(android.Run(two.Source(), options).status);
    QList<ZipEntry> entries =
        ReadZip(two.Out(QStringLiteral("two.zip")), two.Out(QStringLiteral("two")));
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(ReadAll(two.Out(QStringLiteral("two/desc.txt"))),
              QByteArray("64 48 10\np 0 0 part1\n"));

    two.project.aFrame = aFrame();
    ASSERT_TRUE(android.Run(two.Source(), options).status);
    entries = ReadZip(two.Out(QStringLiteral("two.zip")), two.Out(QStringLiteral("none")));
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(At(ReadBack(two.Out(QStringLiteral("none/part1/00001.png"))), 0, 0).rgb(),
              Backdrop.rgb());
}

} // namespace
} // namespace mrv
