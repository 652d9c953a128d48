// The command line on a real full disk, on special files and with two writers at once: a
// failed write says which file and why, exits 3 and leaves what was there before as it was.
#include "cliprocess.h"
#include "exporttestdata.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/stat.h>

namespace mrv {
namespace {

using namespace test;

/// Every file below the folder with its bytes, so a run can be checked to have changed nothing.
QMap<QString, QByteArray> Snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = it.next();
        if (QFileInfo(path).fileName() != QStringLiteral("filler"))
            files.insert(QDir(folder).relativeFilePath(path), ReadAll(path));
    }
    return files;
}

/// A 2 x 2 grid of coloured 100 x 100 pictures as a folder of frames, and an animated GIF made
/// of the same pictures by the program itself.
struct Sources
{
    TempFolder folder;
    QString frames = folder.file(QStringLiteral("frames"));
    QString strip = folder.file(QStringLiteral("strip.png"));
    QString gif = folder.file(QStringLiteral("anim.gif"));

    Sources()
    {
        int n = 0;
        for (const QColor &colour : {Red, Green, Blue})
            WritePng(QDir(frames).filePath(QStringLiteral("%1.png").arg(++n)),
                     Flat(100, 100, colour));
        WritePng(strip, Flat(200, 21000, Yellow));
        MVK project = MakeProject(folder, 1024, 768,
                                  {QStringLiteral("frames/1.png"), QStringLiteral("frames/2.png")});
        const QString path = SaveProject(project, folder);
        RunCliProcess({QStringLiteral("export-animation"), path, gif, QStringLiteral("--loops"),
                       QStringLiteral("1")});
    }
};

} // namespace

TEST(FullDisk, ASaveThatDoesNotFitLeavesTheProjectAsItWasAndExits3)
{
    const Sources sources;
    ASSERT_TRUE(QFileInfo::exists(sources.gif));
    struct Case
    {
        const char *name;
        QStringList args; // after the project path
        qint64 freeBytes; // room left: enough for the frames of an animation, not the project
        const char *named = "p.mrv"; // what the message names, inside the disk
    };
    const QList<Case> cases = {
        {"new", {QStringLiteral("--force")}, 0},
        {"import-long", {sources.strip}, 0},
        {"import-frames", {sources.frames}, 0},
        {"import-frames", {sources.gif}, 8 * 1024},
        {"import-frames", {sources.gif}, 0, "anim_frames/"},
    };
    for (const Case &c : cases) {
        SmallDisk disk;
        MIROVANE_SKIP_WITHOUT_DISK(disk);
        const QString project = disk.file(QStringLiteral("p.mrv"));
        ASSERT_EQ(RunCliProcess({QStringLiteral("new"), project}).code, 0);
        disk.Fill(c.freeBytes);
        const QMap<QString, QByteArray> before = Snapshot(disk.path());
        const ProcessRun run =
            RunCliProcess(QStringList{QString::fromUtf8(c.name), project} + c.args);
        EXPECT_EQ(run.code, 3) << c.name << run.err;
        EXPECT_TRUE(run.err.contains(disk.file(QString::fromUtf8(c.named)))) << run.err;
        EXPECT_FALSE(run.err.contains(QStringLiteral(".mrvtmp"))) << run.err;
        EXPECT_TRUE(run.err.contains(QStringLiteral("No space left"))) << run.err;
        EXPECT_EQ(Snapshot(disk.path()), before) << c.name;
        EXPECT_EQ(
            QDir(disk.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList({QStringLiteral("filler"), QStringLiteral("p.mrv")}))
            << c.name;
    }
}

TEST(FullDisk, AFailedSetExportLeavesTheEarlierSetWhole)
{
    TempFolder work;
    for (const QColor &colour : {Red, Blue})
        WritePng(work.file(QStringLiteral("%1.png").arg(colour.name().mid(1))),
                 Flat(200, 200, colour));
    MVK project = MakeProject(work, 1024, 768, {QStringLiteral("dc1e1e.png")});
    for (int i = 0; i < 30; ++i)
        project.aFrame.Add(QStringLiteral("dc1e1e.png"), 0, 0);
    const QString first = SaveProject(project, work, QStringLiteral("first.mrv"));
    for (aImage &frame : project.aFrame)
        frame.aURL = QStringLiteral("1428e6.png");
    const QString second = SaveProject(project, work, QStringLiteral("second.mrv"));

    struct Case
    {
        const char *command;
        QString output; // inside the disk
    };
    for (const Case &c : {Case{"export-sequence", QStringLiteral("seq/f.png")},
                          Case{"export-images", QStringLiteral("img/p.png")},
                          Case{"export-plymouth", QStringLiteral("theme")}}) {
        SmallDisk disk(1024);
        MIROVANE_SKIP_WITHOUT_DISK(disk);
        const QString out = disk.file(c.output);
        QDir().mkpath(c.output.contains(u'/') ? QFileInfo(out).absolutePath() : out);
        const ProcessRun earlier = RunCliProcess({QString::fromUtf8(c.command), first, out});
        ASSERT_EQ(earlier.code, 0) << c.command << earlier.err;
        disk.Fill(48 * 1024);
        const QMap<QString, QByteArray> before = Snapshot(disk.path());
        const ProcessRun run = RunCliProcess({QString::fromUtf8(c.command), second, out});
        EXPECT_EQ(run.code, 3) << c.command << run.err;
        EXPECT_TRUE(run.err.contains(QStringLiteral("No space left"))) << run.err;
        EXPECT_EQ(Snapshot(disk.path()), before) << c.command;
    }
}

TEST(FullDisk, ALongAnimationThatDoesNotFitLeavesTheEarlierOne)
{
    TempFolder work;
    WritePng(work.file(QStringLiteral("red.png")), Flat(200, 200, Red));
    WritePng(work.file(QStringLiteral("blue.png")), Flat(200, 200, Blue));
    QStringList frames;
    for (int i = 0; i < 105; ++i)
        frames << (i % 2 ? QStringLiteral("blue.png") : QStringLiteral("red.png"));
    MVK alternating = MakeProject(work, 1024, 768, frames);
    const QString project = SaveProject(alternating, work);
    // The loop's frames are written once for every repeat, from the bytes of their first.
    for (const char *format : {"webp", "apng"}) {
        SmallDisk disk(1024);
        MIROVANE_SKIP_WITHOUT_DISK(disk);
        const QString out = disk.file(QStringLiteral("anim.") + QString::fromUtf8(format));
        const QStringList args = {QStringLiteral("export-animation"), project, out,
                                  QStringLiteral("--format"), QString::fromUtf8(format),
                                  QStringLiteral("--repeat"), QStringLiteral("--loops")};
        const ProcessRun earlier = RunCliProcess(args + QStringList{QStringLiteral("1")});
        ASSERT_EQ(earlier.code, 0) << format << earlier.err;
        disk.Fill(256 * 1024);
        const QMap<QString, QByteArray> before = Snapshot(disk.path());
        const ProcessRun run = RunCliProcess(args + QStringList{QStringLiteral("255")});
        EXPECT_EQ(run.code, 3) << format << run.err;
        EXPECT_TRUE(run.err.contains(out) && run.err.contains(QStringLiteral("No space left")))
            << run.err;
        EXPECT_EQ(Snapshot(disk.path()), before) << format;
    }
}

TEST(FullDisk, SpecialFilesAreNeverReplaced)
{
    TempFolder work;
    const QString project = work.file(QStringLiteral("p.mrv"));
    ASSERT_EQ(RunCliProcess({QStringLiteral("new"), project}).code, 0);
    for (const QStringList &args :
         {QStringList{QStringLiteral("new"), work.file(QStringLiteral("fifo.mrv"))},
          QStringList{QStringLiteral("export-long"), project,
                      work.file(QStringLiteral("fifo.bmp"))},
          QStringList{QStringLiteral("export-animation"), project,
                      work.file(QStringLiteral("fifo.gif"))},
          QStringList{QStringLiteral("export-bootanimation"), project,
                      work.file(QStringLiteral("fifo.zip"))}}) {
        const QString fifo = args.last();
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
        const ProcessRun run = RunCliProcess(args);
        EXPECT_EQ(run.code, 3) << args.join(u' ') << run.err;
        EXPECT_TRUE(run.err.contains(fifo)) << run.err;
        struct stat info
        {
        };
        ASSERT_EQ(::lstat(QFile::encodeName(fifo).constData(), &info), 0);
        EXPECT_TRUE(S_ISFIFO(info.st_mode)) << args.join(u' ');
    }
}

TEST(FullDisk, TwoExportsToOneFileLeaveOneWholePicture)
{
    TempFolder work;
    WritePng(work.file(QStringLiteral("red.png")), Flat(200, 200, Red));
    WritePng(work.file(QStringLiteral("blue.png")), Flat(200, 200, Blue));
    MVK red = MakeProject(work, 1024, 768, QStringList(105, QStringLiteral("red.png")));
    MVK blue = MakeProject(work, 1024, 768, QStringList(105, QStringLiteral("blue.png")));
    const QString redPath = SaveProject(red, work, QStringLiteral("red.mrv"));
    const QString bluePath = SaveProject(blue, work, QStringLiteral("blue.mrv"));
    const QString out = work.file(QStringLiteral("l.bmp"));
    for (int round = 0; round < 4; ++round) {
        QProcess a;
        QProcess b;
        a.start(QStringLiteral(MIROVANE_CLI_PATH), {QStringLiteral("export-long"), redPath, out});
        b.start(QStringLiteral(MIROVANE_CLI_PATH), {QStringLiteral("export-long"), bluePath, out});
        ASSERT_TRUE(a.waitForFinished(60000) && b.waitForFinished(60000));
        EXPECT_EQ(a.exitCode(), 0);
        EXPECT_EQ(b.exitCode(), 0);
        const QImage strip = ReadBack(out);
        ASSERT_EQ(strip.size(), QSize(200, 21000));
        const QColor top = At(strip, 100, 100);
        EXPECT_TRUE(top == Red || top == Blue);
        EXPECT_EQ(At(strip, 100, 20900), top) << "a picture made of both runs";
    }
    EXPECT_EQ(QDir(work.path()).entryList(QDir::Hidden | QDir::Files).filter(u".mrvtmp"),
              QStringList());
}

TEST(FullDisk, CtrlCInTheMiddleOfASetLeavesNothing)
{
    TempFolder work;
    WritePng(work.file(QStringLiteral("red.png")), Flat(200, 200, Red));
    MVK project = MakeProject(work, 1024, 768, QStringList(105, QStringLiteral("red.png")));
    const QString path = SaveProject(project, work);
    const QString out = work.file(QStringLiteral("out"));
    QDir().mkpath(out);
    QProcess cli;
    cli.start(QStringLiteral(MIROVANE_CLI_PATH),
              {QStringLiteral("export-sequence"), path, out + QStringLiteral("/f.png"),
               QStringLiteral("--loops"), QStringLiteral("255")});
    ASSERT_TRUE(cli.waitForStarted());
    // Interrupted once the writing has begun: the staging folder is there.
    for (int wait = 0; wait < 3000 && QDir(out).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); ++wait)
        QThread::msleep(5);
    ::kill(pid_t(cli.processId()), SIGINT);
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit) << "the signal ended the process at once";
    EXPECT_EQ(cli.exitCode(), 3);
    EXPECT_TRUE(QDir(out).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        << QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).join(u' ');
}

TEST(FullDisk, AFullDiskNamesTheFileAskedForAndLeavesNoHalfSet)
{
    TempFolder work;
    WritePng(work.file(QStringLiteral("red.png")), Flat(200, 200, Red));
    MVK red = MakeProject(work, 1024, 768, QStringList(105, QStringLiteral("red.png")));
    const QString project = SaveProject(red, work);
    struct Case
    {
        QStringList args; // the output last, inside the disk
        QString named;    // the file or folder the message names, inside the disk
    };
    for (const Case &c : {Case{{QStringLiteral("demo"), QStringLiteral("demo")},
                               QStringLiteral("demo/")},
                          Case{{QStringLiteral("export-sequence"), project,
                                QStringLiteral("seq/f")},
                               QStringLiteral("seq/f")},
                          Case{{QStringLiteral("export-images"), project,
                                QStringLiteral("img/p.png")},
                               QStringLiteral("img/p")}}) {
        SmallDisk disk(1024);
        MIROVANE_SKIP_WITHOUT_DISK(disk);
        QStringList args = c.args;
        args.last() = disk.file(args.last());
        QDir().mkpath(QFileInfo(args.last()).absolutePath());
        disk.Fill(48 * 1024);
        const QMap<QString, QByteArray> before = Snapshot(disk.path());
        const ProcessRun run = RunCliProcess(args);
        EXPECT_EQ(run.code, 3) << args.first() << run.err;
        EXPECT_TRUE(run.err.contains(QStringLiteral("No space left"))) << run.err;
        EXPECT_TRUE(run.err.contains(disk.file(c.named))) << run.err;
        EXPECT_FALSE(run.err.contains(QStringLiteral(".mrvtmp"))) << run.err;
        EXPECT_EQ(Snapshot(disk.path()), before) << args.first();
        EXPECT_EQ(QDir(disk.path()).entryList(QDir::AllEntries | QDir::Hidden |
                                              QDir::NoDotAndDotDot),
                  QStringList({QStringLiteral("filler")}) +
                      (args.first() == u"demo" ? QStringList() : QStringList{c.named.section(u'/', 0, 0)}))
            << args.first();
    }
}

} // namespace mrv
