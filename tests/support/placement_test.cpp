#include "support/placement.h"

#include <gtest/gtest.h>

#include <climits>

namespace mrv {
namespace {

struct PlaceCase
{
    const char *what;
    PictureParams params;
    QSize picture;
    QSize target;
    QRect expected;
};

PictureParams P(int style, std::initializer_list<int> xyWh = {},
                std::initializer_list<int> align = {}, std::initializer_list<int> trbl = {},
                double sx = 1.0, double sy = 1.0)
{
    PictureParams p;
    p.PicDrawStyle = style;
    int *fields[] = {&p.PicX, &p.PicY, &p.PicWidth, &p.PicHeight};
    int i = 0;
    for (int v : xyWh)
        *fields[i++] = v;
    if (align.size() == 2) {
        p.PicxAlign = *align.begin();
        p.PicyAlign = *(align.begin() + 1);
    }
    int *margins[] = {&p.PicTop, &p.PicRight, &p.PicButtom, &p.PicLeft};
    i = 0;
    for (int v : trbl)
        *margins[i++] = v;
    p.ScaleX = sx;
    p.ScaleY = sy;
    return p;
}

TEST(Placement, EveryStyleWithItsWorkedExamples)
{
    const PlaceCase cases[] = {
        {"plain, own size", P(PicStylePlain, {3, 4}), {201, 101}, {500, 500}, {3, 4, 201, 101}},
        {"plain, half scale rounds up",
         P(PicStylePlain, {3, 4}, {}, {}, 0.5, 0.5),
         {201, 101},
         {500, 500},
         {3, 4, 101, 51}},
        {"plain, a given width ends the scale",
         P(PicStylePlain, {3, 4, 50, 0}, {}, {}, 2, 2),
         {201, 101},
         {500, 500},
         {3, 4, 50, 101}},
        {"plain, one scaled axis scales",
         P(PicStylePlain, {}, {}, {}, 1.0, 0.25),
         {40, 40},
         {500, 500},
         {0, 0, 40, 10}},
        {"stretch inside margins plus adjustments",
         P(PicStyleStretch, {1, 2, 3, -4}, {}, {5, 20, 15, 10}),
         {7, 9},
         {300, 200},
         {11, 7, 273, 176}},
        {"fit wide, centred", P(PicStyleFit, {0, 33}), {400, 100}, {200, 200}, {0, 75, 200, 50}},
        {"fit wide, top", P(PicStyleFit, {0, 33}, {0, 1}), {400, 100}, {200, 200}, {0, 0, 200, 50}},
        {"fit wide, bottom",
         P(PicStyleFit, {0, 33}, {0, 2}),
         {400, 100},
         {200, 200},
         {0, 150, 200, 50}},
        {"fit wide, own Y",
         P(PicStyleFit, {0, 33}, {0, 3}),
         {400, 100},
         {200, 200},
         {0, 33, 200, 50}},
        {"fit tall in margins, centred",
         P(PicStyleFit, {7}, {}, {20, 10, 0, 10}),
         {50, 100},
         {200, 200},
         {55, 20, 90, 180}},
        {"fit tall, right",
         P(PicStyleFit, {7}, {2, 0}, {20, 10, 0, 10}),
         {50, 100},
         {200, 200},
         {100, 20, 90, 180}},
        {"fit tall, own X",
         P(PicStyleFit, {7}, {9, 0}, {20, 10, 0, 10}),
         {50, 100},
         {200, 200},
         {7, 20, 90, 180}},
        {"fit centring 1.5 -> 2", P(PicStyleFit), {10, 10}, {13, 10}, {2, 0, 10, 10}},
        {"fit centring 2.5 -> 2", P(PicStyleFit), {10, 10}, {15, 10}, {2, 0, 10, 10}},
        {"fit, empty picture counts 1 x 1", P(PicStyleFit), {0, 0}, {40, 20}, {10, 0, 20, 20}},
        {"size target",
         P(PicStyleSizeTarget, {10}, {}, {1, 6, 2, 4}),
         {30, 20},
         {999, 999},
         {14, 1, 30, 20}},
        {"zoom region to target",
         P(PicStyleZoom, {10, 20, 50, 25}),
         {100, 100},
         {200, 200},
         {-40, -80, 400, 400}},
    };
    for (const PlaceCase &c : cases) {
        const PicturePlacement placed = PlacePicture(c.picture, c.target, c.params);
        EXPECT_TRUE(placed.draws) << c.what;
        EXPECT_EQ(placed.rect, c.expected) << c.what;
    }
    const PicturePlacement sized =
        PlacePicture({30, 20}, {999, 999}, P(PicStyleSizeTarget, {}, {}, {1, 6, 2, 4}));
    EXPECT_EQ(sized.targetSize, QSize(40, 23));
    EXPECT_EQ(PlacePicture({0, 0}, {5, 5}, P(PicStyleSizeTarget)).targetSize, QSize(1, 1));
    EXPECT_EQ(DrawImageRect({30, 20}, 5, 6, 10, 0), QRect(5, 6, 10, 20));
}

TEST(Placement, NothingIsDrawnForUnknownStylesEmptyZoomsOrHugeValues)
{
    EXPECT_FALSE(PlacePicture({10, 10}, {10, 10}, P(5)).draws);
    EXPECT_FALSE(PlacePicture({10, 10}, {10, 10}, P(-1)).draws);
    EXPECT_FALSE(PlacePicture({10, 10}, {10, 10}, P(PicStyleZoom, {0, 0, 0, 5})).draws);
    // Layout values at the 32-bit limits neither overflow nor draw somewhere absurd.
    const PicturePlacement huge = PlacePicture(
        {2, 2}, {10, 10}, P(PicStyleStretch, {}, {}, {INT_MAX, INT_MAX, INT_MAX, INT_MAX}));
    EXPECT_TRUE(!huge.draws || huge.rect.width() <= 0);
    EXPECT_FALSE(
        PlacePicture({2, 2}, {10, 10}, P(PicStyleSizeTarget, {}, {}, {0, 0, 0, INT_MAX})).draws);
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
    // A product that is whole but computes a hair above it is not rounded up a pixel.
    EXPECT_EQ(ScaledPlacement(0, 0, {1024, 187}, 1.0, 768.0 / 187).height(), 768);
    EXPECT_EQ(ScaledPlacement(0, 0, {201, 3}, 0.5, 1.0 / 3).size(), QSize(101, 1));
}

} // namespace
} // namespace mrv
