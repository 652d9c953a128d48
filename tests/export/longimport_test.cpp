#include "export/longimport.h"
#include "project/mvk.h"

#include <gtest/gtest.h>

namespace mrv {
namespace {

MVK WithFrames(int count)
{
    MVK project;
    project.AddNew();
    project.aFrame = aFrame();
    for (int i = 0; i < count; ++i)
        project.aFrame.Add(QStringLiteral("old\\%1.png").arg(i), 3, 4);
    return project;
}

TEST(LongImport, EveryFramePointsAtItsCell)
{
    MVK project = WithFrames(105);
    ASSERT_TRUE(ApplyLongImport(project, QStringLiteral("art\\strip.png"), -15));
    EXPECT_TRUE(project.aChanged);
    int i = 0;
    for (const aImage &frame : project.aFrame) {
        ++i;
        ASSERT_EQ(frame.aURL, QStringLiteral("art\\strip.png"));
        ASSERT_EQ(frame.aX, -15);
        ASSERT_EQ(frame.aY, 200 - i * 200);
    }
    EXPECT_EQ(project.aFrame.Item(2)->aY, -200);
    EXPECT_EQ(project.aFrame.Item(105)->aY, -20800);
    EXPECT_EQ(project.aFrame.Count(), 105);
    EXPECT_EQ(project.aBackground->aURL, QStringLiteral("NewMRV\\Background.jpg"));
}

TEST(LongImport, MoreFramesThanSixteenBitOffsetsHoldAreRefused)
{
    MVK most = WithFrames(164);
    ASSERT_TRUE(ApplyLongImport(most, QStringLiteral("s.png"), 0));
    EXPECT_EQ(most.aFrame.Item(164)->aY, -32600);

    MVK tooMany = WithFrames(165);
    const MVK before = tooMany;
    const Status refused = ApplyLongImport(tooMany, QStringLiteral("s.png"), 0);
    EXPECT_FALSE(refused);
    EXPECT_TRUE(refused.message().contains(QStringLiteral("165")));
    EXPECT_FALSE(tooMany.aChanged);
    for (int i = 1; i <= 165; ++i)
        ASSERT_EQ(*tooMany.aFrame.Item(i), *before.aFrame.Item(i));
    EXPECT_FALSE(CheckLongImport(tooMany));
    EXPECT_TRUE(CheckLongImport(most));
}

} // namespace
} // namespace mrv
