// Writers that meet: two exports into one folder, moves broken off half-way, re-exports over
// an earlier set, signals during the final save and what a killed process left. Each case runs
// the real command line; strace delays or fails a system call, or sends the signal, at the
// moment the case needs.
#include "cliprocess.h"
#include "exporttestdata.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace mrv {
namespace {

using namespace test;

const QString Renames = QStringLiteral("rename,renameat,renameat2");

/// The command line under strace with the given fault injection ("inject=...").
QStringList Traced(const QString &inject, const QStringList &args)
{
    // LeakSanitizer cannot run under ptrace: a sanitizer build checks leaks in untraced runs.
    const QString asan = qEnvironmentVariable("ASAN_OPTIONS");
    const QString noLeakCheck = QStringLiteral("ASAN_OPTIONS=") + asan +
                                (asan.isEmpty() ? QString() : QStringLiteral(":")) +
                                QStringLiteral("detect_leaks=0");
    return QStringList{QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-o"),
                       QStringLiteral("/dev/null"), QStringLiteral("-E"), noLeakCheck,
                       QStringLiteral("-e"), inject, QStringLiteral("--"),
                       QStringLiteral(MIROVANE_CLI_PATH)} +
           args;
}

ProcessRun RunTraced(const QString &inject, const QStringList &args)
{
    return RunProgram(QStringLiteral("strace"), Traced(inject, args));
}

#define MIROVANE_SKIP_WITHOUT_STRACE()                                                             \
    if (RunProgram(QStringLiteral("strace"), {QStringLiteral("-V")}).code != 0)                    \
    GTEST_SKIP() << "SKIPPED: strace is not installed (scripts/deps.sh --test)"

/// The visible files of a folder, by name.
QStringList Files(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

/// A project of the frame count whose frames are all one flat colour.
QString FlatProject(const TempFolder &work, const QColor &colour, int frames)
{
    const QString picture = colour.name().mid(1) + QStringLiteral(".png");
    WritePng(work.file(picture), Flat(200, 200, colour));
    MVK project = MakeProject(work, 1024, 768, QStringList(frames, picture));
    return SaveProject(project, work, colour.name().mid(1) + QStringLiteral(".mrv"));
}

/// An animated GIF of the pictures, written by the command line; empty when it failed.
QString AnimationOf(const TempFolder &work, const QStringList &pictures)
{
    MVK project = MakeProject(work, 1024, 768, pictures);
    const QString gif = work.file(QStringLiteral("anim.gif"));
    const QString saved = SaveProject(project, work, QStringLiteral("anim.mrv"));
    return RunCliProcess({QStringLiteral("export-animation"), saved, gif}).code == 0 ? gif
                                                                                      : QString();
}

} // namespace

TEST(WriteRaces, TwoExportsIntoOneFolderLeaveOneWholeSet)
{
    MIROVANE_SKIP_WITHOUT_STRACE();
    TempFolder work;
    const QString red = FlatProject(work, Red, 105);
    const QString blue = FlatProject(work, Blue, 105);
    const QString seq = work.file(QStringLiteral("seq"));
    QDir().mkpath(seq);
    const QString prefix = seq + QStringLiteral("/f");
    // The first run's 240 moves are slowed; the second starts once they have begun, and its
    // 150 would land among them.
    QProcess slow;
    slow.start(QStringLiteral("strace"),
               Traced(QStringLiteral("inject=%1:delay_exit=10000").arg(Renames),
                      {QStringLiteral("export-sequence"), red, prefix, QStringLiteral("--loops"),
                       QStringLiteral("4")}));
    for (int wait = 0; wait < 6000 && Files(seq).isEmpty(); ++wait)
        QThread::msleep(5);
    ASSERT_FALSE(Files(seq).isEmpty());
    const ProcessRun second = RunCliProcess({QStringLiteral("export-sequence"), blue, prefix});
    ASSERT_TRUE(slow.waitForFinished(60000));
    EXPECT_EQ(slow.exitCode(), 0) << slow.readAllStandardError().toStdString();
    EXPECT_EQ(second.code, 0) << second.err;
    const QStringList files = Files(seq);
    ASSERT_EQ(files.size(), 240);
    // The second run's set is whole; the first run's rest is named as not of this run.
    const QByteArray blueBytes = ReadAll(QDir(seq).filePath(QStringLiteral("f001.png")));
    int mixed = 0;
    for (int n = 1; n <= 150; ++n)
        mixed += ReadAll(QDir(seq).filePath(files[n - 1])) != blueBytes;
    EXPECT_EQ(mixed, 0) << "of the second run's 150 files, from the first run";
    EXPECT_NE(ReadAll(QDir(seq).filePath(QStringLiteral("f240.png"))), blueBytes);
    EXPECT_EQ(QDir(seq).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot), files)
        << "a lock file or staging folder left behind";
}

TEST(WriteRaces, MovesBrokenOffHalfWaySayWhatWasMoved)
{
    MIROVANE_SKIP_WITHOUT_STRACE();
    TempFolder work;
    const QString project = FlatProject(work, Red, 105);
    struct Case
    {
        const char *command;
        QString output;
        QString lastMoved; // the 39th file of the set, the last one in place
    };
    for (const Case &c :
         {Case{"export-sequence", QStringLiteral("seq/f"), QStringLiteral("seq/f039.png")},
          Case{"export-images", QStringLiteral("img/p.png"), QStringLiteral("img/p_Frame/039.png")},
          Case{"export-plymouth", QStringLiteral("theme"), QStringLiteral("theme/golden/intro-0034.png")}}) {
        const QString out = work.file(c.output);
        QDir().mkpath(c.output.contains(u'/') ? QFileInfo(out).absolutePath() : out);
        ASSERT_EQ(RunCliProcess({QString::fromUtf8(c.command), project, out}).code, 0);
        // The 40th move fails as when another program removed the staged file.
        const ProcessRun run =
            RunTraced(QStringLiteral("inject=%1:error=ENOENT:when=40").arg(Renames),
                      {QString::fromUtf8(c.command), project, out});
        EXPECT_EQ(run.code, 3) << c.command << run.err;
        EXPECT_FALSE(run.err.contains(QStringLiteral("没有写入任何文件"))) << run.err;
        EXPECT_TRUE(run.err.contains(QStringLiteral("已有 39 个文件"))) << run.err;
        EXPECT_TRUE(run.err.contains(work.file(c.lastMoved))) << run.err;
    }
}


TEST(WriteRaces, AShorterExportNamesTheEarlierRunsRestAndRemovesItWhenAsked)
{
    TempFolder work;
    const QString long105 = FlatProject(work, Red, 105);
    const QString short100 = FlatProject(work, Blue, 100);
    struct Case
    {
        const char *command;
        QString output;
        QString folder;                 // where the numbered files are
        QStringList longer, shorter;    // the two runs, after PROJECT OUT
        int earlier, kept;              // files of the longer and of the shorter run
        QString first, last;            // the earlier run's rest
    };
    const QList<Case> cases = {
        {"export-sequence", QStringLiteral("seq/f"), QStringLiteral("seq"),
         {long105, QStringLiteral("--loops"), QStringLiteral("4")},
         {long105, QStringLiteral("--loops"), QStringLiteral("2")}, 240, 150,
         QStringLiteral("f151.png"), QStringLiteral("f240.png")},
        {"export-images", QStringLiteral("img/p.png"), QStringLiteral("img/p_Frame"), {long105},
         {short100}, 105, 100, QStringLiteral("101.png"), QStringLiteral("105.png")},
    };
    for (const Case &c : cases)
        for (const bool remove : {false, true}) {
            const QString out = work.file(c.output);
            const QString folder = work.file(c.folder);
            QDir(folder).removeRecursively();
            QDir().mkpath(QFileInfo(out).absolutePath());
            const QString command = QString::fromUtf8(c.command);
            ASSERT_EQ(RunCliProcess(QStringList{command, c.longer.first(), out} + c.longer.mid(1))
                          .code,
                      0);
            ASSERT_EQ(Files(folder).size(), c.earlier);
            // A file of another name stays whatever is asked.
            const QString own = QDir(folder).filePath(QStringLiteral("notes.txt"));
            QFile(own).open(QIODevice::WriteOnly);
            QStringList args = QStringList{command, c.shorter.first(), out} + c.shorter.mid(1);
            if (remove)
                args << QStringLiteral("--remove-stale");
            const ProcessRun run = RunCliProcess(args);
            EXPECT_EQ(run.code, 0) << run.err;
            const int rest = c.earlier - c.kept;
            const QString named = QStringLiteral("%1 个").arg(rest);
            EXPECT_TRUE(run.err.contains(named) && run.err.contains(c.first) &&
                        run.err.contains(c.last))
                << c.command << remove << run.err;
            EXPECT_EQ(run.err.contains(QStringLiteral("--remove-stale")), !remove) << run.err;
            EXPECT_EQ(Files(folder).size(), (remove ? c.kept : c.earlier) + 1) << c.command;
            EXPECT_TRUE(QFileInfo::exists(own));
        }
}

TEST(WriteRaces, AStopRequestDuringTheFinalSaveLeavesNothing)
{
    MIROVANE_SKIP_WITHOUT_STRACE();
    TempFolder work;
    WritePng(work.file(QStringLiteral("red.png")), Flat(200, 200, Red));
    WritePng(work.file(QStringLiteral("blue.png")), Flat(200, 200, Blue));
    const QString gif = AnimationOf(work, {QStringLiteral("red.png"), QStringLiteral("blue.png")});
    ASSERT_FALSE(gif.isEmpty());
    const QString folder = work.file(QStringLiteral("out"));
    QDir().mkpath(folder);
    const QString project = QDir(folder).filePath(QStringLiteral("p.mrv"));
    ASSERT_EQ(RunCliProcess({QStringLiteral("new"), project}).code, 0);
    const QByteArray before = ReadAll(project);
    // SIGTERM arrives while the project file is synced, before it is put in place.
    for (const QStringList &args :
         {QStringList{QStringLiteral("new"), QDir(folder).filePath(QStringLiteral("q.mrv"))},
          QStringList{QStringLiteral("import-frames"), project, gif}}) {
        const ProcessRun run = RunTraced(QStringLiteral("inject=fsync:signal=TERM"), args);
        EXPECT_EQ(run.code, 3) << args.first() << run.err;
        EXPECT_TRUE(run.err.contains(QStringLiteral("已取消"))) << run.err;
        EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("p.mrv")})
            << args.first();
        EXPECT_EQ(ReadAll(project), before);
    }
}

TEST(WriteRaces, WhatAKilledRunLeftIsRemovedByTheNextWriteThere)
{
    MIROVANE_SKIP_WITHOUT_STRACE();
    TempFolder work;
    const QString red = FlatProject(work, Red, 105);
    WritePng(work.file(QStringLiteral("blue.png")), Flat(200, 200, Blue));
    const QString gif =
        AnimationOf(work, {QStringLiteral("dc1e1e.png"), QStringLiteral("blue.png")});
    ASSERT_FALSE(gif.isEmpty());
    const QString folder = work.file(QStringLiteral("out"));
    QDir().mkpath(folder);
    const QString project = QDir(folder).filePath(QStringLiteral("p.mrv"));
    ASSERT_EQ(RunCliProcess({QStringLiteral("new"), project}).code, 0);
    struct Case
    {
        QStringList args;
        QString place; // where the run's temporary file or folder is
    };
    const QString seq = QDir(folder).filePath(QStringLiteral("seq"));
    QDir().mkpath(seq);
    for (const Case &c :
         {Case{{QStringLiteral("export-sequence"), red, seq + QStringLiteral("/f")}, seq},
          Case{{QStringLiteral("import-frames"), project, gif}, folder},
          Case{{QStringLiteral("new"), project, QStringLiteral("--force")}, folder}}) {
        const auto temporaries = [&] {
            return QDir(c.place).entryList({QStringLiteral("*.mrvtmp")},
                                           QDir::AllEntries | QDir::Hidden);
        };
        // Killed at its first move: the files are written, nothing is in place.
        const ProcessRun killed = RunTraced(
            QStringLiteral("inject=%1:error=EIO:signal=KILL:when=1").arg(Renames), c.args);
        ASSERT_NE(killed.code, 0) << c.args.first();
        ASSERT_EQ(temporaries().size(), 1) << c.args.first();
        const ProcessRun next = RunCliProcess(c.args);
        EXPECT_EQ(next.code, 0) << c.args.first() << next.err;
        EXPECT_EQ(temporaries(), QStringList()) << c.args.first();
    }
}

TEST(WriteRaces, InputsThatCannotBeUsedAreRefusedWithExit2AndWhy)
{
    TempFolder work;
    WritePng(work.file(QStringLiteral("red.png")), Flat(200, 200, Red));
    MVK huge = MakeProject(work, 30000, 30000, {QStringLiteral("red.png")});
    const QString hugeProject = SaveProject(huge, work, QStringLiteral("huge.mrv"));
    const QString project = work.file(QStringLiteral("p.mrv"));
    ASSERT_EQ(RunCliProcess({QStringLiteral("new"), project}).code, 0);
    const QString fifo = work.file(QStringLiteral("fifo.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const QString text = work.write(QStringLiteral("text.png"), "hello\n");
    const QString sparse = work.file(QStringLiteral("sparse.png"));
    {
        QFile file(sparse);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(qint64(2) << 30));
    }
    const QByteArray before = ReadAll(project);
    struct Case
    {
        QStringList args;
        QString why;
    };
    for (const Case &c : {
             Case{{QStringLiteral("export-plymouth"), hugeProject, work.file(QStringLiteral("t"))},
                  QStringLiteral("16384 × 16384")},
             Case{{QStringLiteral("import-long"), project, fifo}, QStringLiteral("管道")},
             Case{{QStringLiteral("import-long"), project, text},
                  QStringLiteral("不是可以读取的图片")},
             Case{{QStringLiteral("import-long"), project, sparse}, QStringLiteral("文件太大")},
         }) {
        const ProcessRun run = RunCliProcess(c.args, 20000);
        EXPECT_EQ(run.code, 2) << c.args.join(u' ') << run.err;
        EXPECT_TRUE(run.err.contains(c.why)) << run.err;
        if (c.args.first() == u"import-long") {
            EXPECT_TRUE(run.err.contains(c.args.last())) << run.err;
        }
        EXPECT_EQ(ReadAll(project), before);
    }
    EXPECT_FALSE(QFileInfo::exists(work.file(QStringLiteral("t"))));
}

} // namespace mrv
