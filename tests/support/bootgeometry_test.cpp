#include "support/bootgeometry.h"

#include <gtest/gtest.h>

namespace mrv {
namespace {

TEST(BootGeometry, PlayingOrderKeepsTheProportionsOf105Frames)
{
    struct Case
    {
        int frames, intro, loop, loopStart;
    };
    const Case cases[] = {
        {105, 60, 45, 61}, {50, 29, 21, 29}, {1, 1, 0, 1},        {0, 0, 0, 0},
        {3, 2, 1, 2},      {7, 4, 3, 4},     {210, 120, 90, 122}, {-5, -3, -2, 0},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(IntroFrameCount(c.frames), c.intro) << c.frames;
        EXPECT_EQ(LoopFrameCount(c.frames), c.loop) << c.frames;
        EXPECT_EQ(LoopStartFrame(c.frames), c.loopStart) << c.frames;
    }
}

TEST(BootGeometry, AnimationAreaSitsAtTheCentreOfAnyScreen)
{
    EXPECT_EQ(AnimationAreaOn(QSizeF(1024, 768)), QRectF(412, 284, 200, 200));
    EXPECT_EQ(AnimationAreaOn(QSizeF(2048, 1536)), QRectF(824, 568, 400, 400));
    const QRectF hd = AnimationAreaOn(QSizeF(1920, 1080));
    EXPECT_EQ(RoundHalfEven(hd.left()), 772);
    EXPECT_EQ(RoundHalfEven(hd.top()), 399);
    EXPECT_EQ(RoundHalfEven(hd.width()), 375);
    EXPECT_EQ(RoundHalfEven(hd.height()), 281);
}

} // namespace
} // namespace mrv
