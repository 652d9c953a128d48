#include "support/placement.h"

#include <gtest/gtest.h>

#include <climits>

namespace mrv {
namespace {

PictureParams Style(int style)
{
    PictureParams p;
    p.PicDrawStyle = style;
    return p;
}

TEST(Placement, DrawImageTakesZeroAsThePicturesOwnSize)
{
    EXPECT_EQ(DrawImageRect({30, 20}, 5, 6, 0, 0), QRect(5, 6, 30, 20));
    EXPECT_EQ(DrawImageRect({30, 20}, 5, 6, 10, 0), QRect(5, 6, 10, 20));
    EXPECT_EQ(DrawImageRect({30, 20}, -5, 6, 0, 7), QRect(-5, 6, 30, 7));
}

TEST(Placement, PlainStyleUsesOwnGivenOrScaledSize)
{
    PictureParams p = Style(PicStylePlain);
    p.PicX = 3;
    p.PicY = 4;
    EXPECT_EQ(PlacePicture({201, 101}, {500, 500}, p).rect, QRect(3, 4, 201, 101));

    p.ScaleX = p.ScaleY = 0.5; // both sizes rounded up
    EXPECT_EQ(PlacePicture({201, 101}, {500, 500}, p).rect, QRect(3, 4, 101, 51));

    p.ScaleX = p.ScaleY = 2.0;
    p.PicWidth = 50; // a given size switches the scale off; 0 keeps the own height
    EXPECT_EQ(PlacePicture({201, 101}, {500, 500}, p).rect, QRect(3, 4, 50, 101));

    p = Style(PicStylePlain);
    p.ScaleX = 1.0;
    p.ScaleY = 0.25; // one axis scaled is enough to scale both
    EXPECT_EQ(PlacePicture({40, 40}, {500, 500}, p).rect, QRect(0, 0, 40, 10));
}

TEST(Placement, StretchFillsTheTargetInsideTheMargins)
{
    PictureParams p = Style(PicStyleStretch);
    p.PicLeft = 10;
    p.PicTop = 5;
    p.PicRight = 20;
    p.PicButtom = 15;
    p.PicX = 1;
    p.PicY = 2;
    p.PicWidth = 3; // size adjustments are added
    p.PicHeight = -4;
    const PicturePlacement placed = PlacePicture({7, 9}, {300, 200}, p);
    EXPECT_TRUE(placed.draws);
    EXPECT_EQ(placed.rect, QRect(11, 7, 300 - 30 + 3, 200 - 20 - 4));
}

TEST(Placement, FitKeepsTheAspectAndAlignsOnTheFreeAxis)
{
    // 400 x 100 into 200 x 200 fills the width: 200 x 50, free vertical space 150.
    PictureParams p = Style(PicStyleFit);
    p.PicY = 33;
    const QSize wide(400, 100), target(200, 200);
    EXPECT_EQ(PlacePicture(wide, target, p).rect, QRect(0, 75, 200, 50));
    p.PicyAlign = PicAlignStart;
    EXPECT_EQ(PlacePicture(wide, target, p).rect, QRect(0, 0, 200, 50));
    p.PicyAlign = PicAlignEnd;
    EXPECT_EQ(PlacePicture(wide, target, p).rect, QRect(0, 150, 200, 50));
    p.PicyAlign = 3;
    EXPECT_EQ(PlacePicture(wide, target, p).rect, QRect(0, 33, 200, 50));

    // A tall picture fills the height inside the margins and aligns horizontally.
    p = Style(PicStyleFit);
    p.PicLeft = 10;
    p.PicRight = 10;
    p.PicTop = 20;
    p.PicX = 7;
    const QSize tall(50, 100);
    EXPECT_EQ(PlacePicture(tall, target, p).rect, QRect(55, 20, 90, 180));
    p.PicxAlign = PicAlignEnd;
    EXPECT_EQ(PlacePicture(tall, target, p).rect, QRect(100, 20, 90, 180));
    p.PicxAlign = 9;
    EXPECT_EQ(PlacePicture(tall, target, p).rect, QRect(7, 20, 90, 180));

    // Centring rounds half to even.
    p = Style(PicStyleFit);
    const PicturePlacement odd = PlacePicture({10, 10}, {13, 10}, p);
    EXPECT_EQ(odd.rect, QRect(2, 0, 10, 10)); // (13 - 10) / 2 = 1.5 -> 2
    const PicturePlacement odd2 = PlacePicture({10, 10}, {15, 10}, p);
    EXPECT_EQ(odd2.rect, QRect(2, 0, 10, 10)); // 2.5 -> 2
}

TEST(Placement, SizeTargetGrowsTheTargetAroundThePicture)
{
    PictureParams p = Style(PicStyleSizeTarget);
    p.PicLeft = 4;
    p.PicRight = 6;
    p.PicTop = 1;
    p.PicButtom = 2;
    p.PicX = 10;
    const PicturePlacement placed = PlacePicture({30, 20}, {999, 999}, p);
    ASSERT_TRUE(placed.targetSize);
    EXPECT_EQ(*placed.targetSize, QSize(40, 23));
    EXPECT_EQ(placed.rect, QRect(14, 1, 30, 20));
}

TEST(Placement, ZoomMakesTheRegionFillTheTarget)
{
    PictureParams p = Style(PicStyleZoom);
    p.PicX = 10;
    p.PicY = 20;
    p.PicWidth = 50;
    p.PicHeight = 25;
    // s = min(200 / 50, 200 / 25) = 4.
    EXPECT_EQ(PlacePicture({100, 100}, {200, 200}, p).rect, QRect(-40, -80, 400, 400));

    p.PicWidth = 0; // no zoom factor: nothing drawn
    EXPECT_FALSE(PlacePicture({100, 100}, {200, 200}, p).draws);
}

TEST(Placement, OddInputsDrawNothingOrCountAsOnePixel)
{
    EXPECT_FALSE(PlacePicture({10, 10}, {10, 10}, Style(5)).draws);
    EXPECT_FALSE(PlacePicture({10, 10}, {10, 10}, Style(-1)).draws);

    // A picture measuring 0 x 0 counts as 1 x 1 for the ratios and the target size.
    PictureParams p = Style(PicStyleSizeTarget);
    EXPECT_EQ(*PlacePicture({0, 0}, {5, 5}, p).targetSize, QSize(1, 1));
    p = Style(PicStyleFit);
    EXPECT_EQ(PlacePicture({0, 0}, {40, 20}, p).rect.size(), QSize(20, 20));

    // Layout values at the 32-bit limits neither overflow nor draw somewhere absurd.
    p = Style(PicStyleStretch);
    p.PicLeft = p.PicRight = p.PicTop = p.PicButtom = INT_MAX;
    const PicturePlacement huge = PlacePicture({2, 2}, {10, 10}, p);
    EXPECT_TRUE(!huge.draws || huge.rect.width() <= 0);
    p = Style(PicStyleSizeTarget);
    p.PicLeft = INT_MAX;
    EXPECT_FALSE(PlacePicture({2, 2}, {10, 10}, p).draws);
}

TEST(Placement, ScaledPlacementOfPreviewsAndCells)
{
    // A 2048 x 1536 project: a 400 x 400 frame at (100, 50) lands at (50, 25), 200 x 200.
    EXPECT_EQ(ScaledPlacement(100, 50, {400, 400}, 0.5, 0.5), QRect(50, 25, 200, 200));
    // A full-screen background seen from the animation area's corner.
    EXPECT_EQ(ScaledPlacement(0, 0, {1024, 768}, 1.0, 1.0, 412, 284), QRect(-412, -284, 1024, 768));
    // Ties go to the even neighbour; sizes go up.
    EXPECT_EQ(ScaledPlacement(5, 7, {3, 3}, 0.5, 0.5), QRect(2, 4, 2, 2));
    // The origin is subtracted before rounding: 3 * 0.5 - 0.5 = 1.0 exactly.
    EXPECT_EQ(ScaledPlacement(3, 0, {1, 1}, 0.5, 1.0, 0.5, 0.0).x(), 1);
    // 1920 x 1080 onto the reference screen: 1024 / 1920 and 768 / 1080.
    const QRect r = ScaledPlacement(1920, 1080, {1920, 1080}, 1024.0 / 1920, 768.0 / 1080);
    EXPECT_EQ(r, QRect(1024, 768, 1024, 768));
    // A product that is whole but computes a hair above it is not rounded up a pixel.
    EXPECT_EQ(ScaledPlacement(0, 0, {1024, 187}, 1.0, 768.0 / 187).height(), 768);
    EXPECT_EQ(ScaledPlacement(0, 0, {201, 3}, 0.5, 1.0 / 3).size(), QSize(101, 1));
}

} // namespace
} // namespace mrv
