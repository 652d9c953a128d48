// A long picture taken as the frames, through the command line.
#include "cli/cliapp.h"
#include "cli/exportcli.h"
#include "project/mvk.h"

#include "cliinprocess.h"
#include "cliprocess.h"
#include "exporttestdata.h"
#include "testsupport.h"

#include <QDir>
#include <QTextStream>

#include <gtest/gtest.h>

namespace mrv {
namespace {

using namespace test;

TEST(CliImport, AnOutputInAnotherFolderStoresTheProjectFilesSeparator)
{
    CliProject project(3);
    const QString strip =
        WritePng(project.File(QStringLiteral("p1/art/strip.bmp")), Flat(200, 600, Green));
    const QString inner = project.File(QStringLiteral("p1/p.mrv"));
    ASSERT_EQ(RunCliProcess({QStringLiteral("new"), inner}).code, cli::ExitOk);
    const QString out = project.File(QStringLiteral("moved.mrv"));
    const ProcessRun cli = RunCliProcess(
        {QStringLiteral("import-long"), inner, strip, QStringLiteral("--output"), out});
    ASSERT_EQ(cli.code, cli::ExitOk) << cli.err;
    const QByteArray stored = ReadAll(out);
    EXPECT_TRUE(stored.contains(R"(Url="p1\art\strip.bmp")")) << stored.toStdString();
    MVK moved;
    ASSERT_TRUE(moved.OpenFile(out));
    EXPECT_EQ(moved.FramePaths().at(2), strip);
}

TEST(CliImport, OffsetsPathsAndRefusals)
{
    CliProject project(105, 2048);
    const QString strip =
        WritePng(project.File(QStringLiteral("art/strip.png")), Flat(200, 21000, Green));
    const QString out = project.File(QStringLiteral("imported.mrv"));
    const Cli done = RunCli(
        {QStringLiteral("import-long"), project.path, strip, QStringLiteral("--output"), out});
    ASSERT_EQ(done.code, cli::ExitOk) << done.err.toStdString();
    MVK imported;
    ASSERT_TRUE(imported.OpenFile(out));
    EXPECT_EQ(imported.aFrame.Item(1)->aURL, QStringLiteral("art\\strip.png"));
    EXPECT_EQ(imported.aFrame.Item(1)->aX, 100); // the default for a 2048-wide project
    EXPECT_EQ(imported.aFrame.Item(3)->aY, -400);
    EXPECT_EQ(imported.aFrame.Item(105)->aY, -20800);
    EXPECT_EQ(imported.FramePaths().at(50), strip);

    // A text outside the rule: the message, exit 2, and the project file untouched.
    const QByteArray before = ReadAll(project.path);
    for (const char *bad : {"+15", "1.5", " 15", "40000"}) {
        const Cli refused = RunCli({QStringLiteral("import-long"), project.path, strip,
                                    QStringLiteral("--x"), QString::fromLatin1(bad)});
        EXPECT_EQ(refused.code, cli::ExitInvalidInput) << bad;
        EXPECT_TRUE(refused.err.contains(QStringLiteral("偏移参数不符合规则"))) << bad;
    }
    EXPECT_EQ(ReadAll(project.path), before);

    // Over the project itself, with a negative offset; a strip in a sibling folder whose name
    // starts like the project folder keeps its full path.
    const QString sibling = project.folder.path() + QStringLiteral("2");
    QDir().mkpath(sibling);
    const QString far = WritePng(sibling + QStringLiteral("/strip.png"), Flat(200, 400, Blue));
    ASSERT_EQ(RunCli({QStringLiteral("import-long"), project.path, far, QStringLiteral("--x"),
                      QStringLiteral("-15")})
                  .code,
              cli::ExitOk);
    MVK overwritten;
    ASSERT_TRUE(overwritten.OpenFile(project.path));
    EXPECT_EQ(overwritten.aFrame.Item(7)->aURL, far);
    EXPECT_EQ(overwritten.aFrame.Item(7)->aX, -15);
    QDir(sibling).removeRecursively();

    EXPECT_EQ(RunCli({QStringLiteral("import-long"), project.path,
                      project.File(QStringLiteral("nope.png"))})
                  .code,
              cli::ExitInvalidInput);
}

TEST(CliImport, TooManyFramesChangeNothing)
{
    CliProject project(165);
    const QString strip = WritePng(project.File(QStringLiteral("s.png")), Flat(200, 200, Green));
    const QByteArray before = ReadAll(project.path);
    const Cli refused = RunCli({QStringLiteral("import-long"), project.path, strip});
    EXPECT_EQ(refused.code, cli::ExitInvalidInput);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("164")));
    EXPECT_EQ(ReadAll(project.path), before);
}

} // namespace
} // namespace mrv
