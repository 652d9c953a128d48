// Inputs that once made the program wait for ever or grow without bound: special files where
// pictures and projects belong. Each runs the real command line with a time-out, so that a
// hang fails instead of blocking the suite.
#include "project/mvk.h"

#include "cliprocess.h"
#include "exporttestdata.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace mrv {
namespace {

using namespace test;

constexpr int TimeoutMs = 20000;

struct SpecialCase
{
    const char *what;
    QStringList args; ///< "{dir}" stands for the test's folder
    int code;
    QString named; ///< the file the message must name
};

TEST(HostileInputs, SpecialFilesAreNamedAndNeverWaitedFor)
{
    TempFolder dir;
    const QString fifo = dir.file(QStringLiteral("fifo.png"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const char *name : {"fifo.mrv", "fifo.gif"})
        ASSERT_EQ(mkfifo(QFile::encodeName(dir.file(QString::fromLatin1(name))).constData(), 0600),
                  0);
    // A folder of pictures in which the second is a link to a FIFO.
    WritePng(dir.file(QStringLiteral("pictures/1.png")), Flat(20, 20, Yellow));
    ASSERT_TRUE(QFile::link(fifo, dir.file(QStringLiteral("pictures/2.png"))));
    // A project whose frame picture is the FIFO.
    MVK withFifo;
    withFifo.aWidth = 1024;
    withFifo.aHeight = 768;
    withFifo.aFrame.Add(QStringLiteral("fifo.png"), 0, 0);
    ASSERT_TRUE(withFifo.SaveFile(dir.file(QStringLiteral("fifo-frame.mrv")), {}));
    const QString project = dir.file(QStringLiteral("p.mrv"));
    ASSERT_EQ(RunCliProcess({QStringLiteral("new"), project}).code, 0);
    const QByteArray before = ReadAll(project);

    const std::vector<SpecialCase> cases = {
        {"a FIFO as the project", {QStringLiteral("info"), QStringLiteral("{dir}/fifo.mrv")}, 2,
         QStringLiteral("fifo.mrv")},
        {"a device as the project", {QStringLiteral("info"), QStringLiteral("/dev/zero")}, 2,
         QStringLiteral("/dev/zero")},
        {"a FIFO as the animation to import",
         {QStringLiteral("import-frames"), project, QStringLiteral("{dir}/fifo.gif")}, 2,
         QStringLiteral("fifo.gif")},
        {"a FIFO among the pictures of a folder",
         {QStringLiteral("import-frames"), project, QStringLiteral("{dir}/pictures"),
          QStringLiteral("--output"), QStringLiteral("{dir}/q.mrv")},
         0, QStringLiteral("2.png")},
        {"a FIFO as a frame picture",
         {QStringLiteral("export-long"), QStringLiteral("{dir}/fifo-frame.mrv"),
          QStringLiteral("{dir}/strip.png")},
         0, QStringLiteral("fifo.png")},
    };
    for (const SpecialCase &c : cases) {
        QStringList args = c.args;
        args.replaceInStrings(QStringLiteral("{dir}"), dir.path());
        const ProcessRun run = RunCliProcess(args, TimeoutMs);
        EXPECT_EQ(run.code, c.code) << c.what << ": " << run.err;
        EXPECT_TRUE(run.err.contains(c.named)) << c.what << ": " << run.err;
    }
    EXPECT_EQ(ReadAll(project), before);
    // The readable picture of the folder was taken, the FIFO left out by name and reason.
    const ProcessRun info = RunCliProcess({QStringLiteral("info"), dir.file(QStringLiteral("q.mrv"))});
    EXPECT_TRUE(info.out.contains(QStringLiteral("Frames:     1"))) << info.out;
}

} // namespace
} // namespace mrv
