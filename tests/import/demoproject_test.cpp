// The demo project the command line writes.
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

TEST(CliDemo, DemoProjectIsCompleteAndItsLoopDiffersFromTheIntro)
{
    TempFolder folder;
    const Cli cli = RunCli({QStringLiteral("demo"), folder.file(QStringLiteral("demo"))});
    ASSERT_EQ(cli.code, cli::ExitOk) << cli.err.toStdString();
    MVK demo;
    ASSERT_TRUE(demo.OpenFile(folder.file(QStringLiteral("demo/demo.mrv"))));
    EXPECT_EQ(demo.aWidth, 1024);
    EXPECT_EQ(demo.aHeight, 768);
    ASSERT_EQ(demo.aFrame.Count(), 105);
    const QImage background = ReadBack(demo.BackgroundPath());
    EXPECT_EQ(background.size(), QSize(1024, 768));
    EXPECT_FALSE(background.hasAlphaChannel());

    QList<QImage> frames;
    for (const QString &path : demo.FramePaths()) {
        frames << ReadBack(path).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(frames.last().size(), QSize(200, 200)) << path.toStdString();
    }
    // Every frame is transparent around the animation; the loop's orbs are opaque.
    for (int i = 0; i < 105; ++i) {
        int opaque = 0, clear = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x) {
                const int alpha = qAlpha(frames[i].pixel(x, y));
                opaque += alpha == 255;
                clear += alpha == 0;
            }
        ASSERT_GT(clear, 1000) << i;
        if (i >= 60) {
            ASSERT_GT(opaque, 400) << i;
        }
    }
    // Every frame differs from the one before it, and no loop frame repeats an intro frame.
    for (int i = 1; i < 105; ++i)
        ASSERT_NE(frames[i], frames[i - 1]) << i;
    for (int loop = 60; loop < 105; ++loop)
        for (int intro = 0; intro < 60; ++intro)
            ASSERT_NE(frames[loop], frames[intro]) << loop << " " << intro;

    EXPECT_EQ(RunCli({QStringLiteral("demo")}).code, cli::ExitUsage);
    const QString blocked = folder.write(QStringLiteral("file"), "x");
    EXPECT_EQ(RunCli({QStringLiteral("demo"), blocked}).code, cli::ExitWriteFailed);
}

} // namespace
} // namespace mrv
