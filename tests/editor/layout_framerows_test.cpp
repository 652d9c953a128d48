#include "editor/framerowlayout.h"

#include <gtest/gtest.h>

namespace mrv {
namespace {

RowTemplate Template()
{
    RowTemplate t;
    t.label = {6, 11, 32, 13};
    t.path = {40, 6, 100, 23};
    t.browse = {0, 5, 44, 25};
    t.setting = {0, 5, 44, 25};
    t.highlightLeft = 2;
    return t;
}

TEST(RowMetrics, ComeFromTheTemplateRowAndTheListDistance)
{
    RowTemplate t;
    t.label = {0, 8, 30, 13};
    t.path = {0, 4, 100, 22};
    t.browse = {0, 5, 40, 21};
    t.setting = {0, 6, 40, 20};
    const RowMetrics m = MeasureRows(t, 6);
    EXPECT_EQ(m.RowTop, 4);
    EXPECT_EQ(m.RowBottom, 26);
    EXPECT_EQ(m.RowPitch, 28);
    EXPECT_EQ(m.HighlightHeight, 30);
    EXPECT_EQ(HighlightTop(1, m), 0);
    EXPECT_EQ(HighlightTop(3, m), 56);
    EXPECT_EQ(RowControlTop(8, 3, m.RowPitch), 8 + 56);
}

TEST(ArrangeRows, AListThatFitsStretchesTheInnerPanelAndDisablesTheScrollbar)
{
    const RowMetrics m = MeasureRows(Template(), 10); // pitch 35
    const RowArrangement a = ArrangeRows({300, 400}, 17, 0, Template(), m.RowPitch, 5, 32767);
    EXPECT_FALSE(a.scrollEnabled);
    EXPECT_EQ(a.innerHeight, 400);
    EXPECT_EQ(a.innerWidth, 283);
    EXPECT_EQ(a.settingLeft, 283 - 44 - 5);
    EXPECT_EQ(a.browseLeft, a.settingLeft - 44 - 5);
    EXPECT_EQ(a.pathWidth, a.browseLeft - 40 - 5);
    EXPECT_EQ(a.highlightWidth, 283 - 2 - 2);

    // No rows at all: nothing to scroll either.
    EXPECT_FALSE(ArrangeRows({300, 400}, 17, 0, Template(), m.RowPitch, 0, 32767).scrollEnabled);
}

TEST(ArrangeRows, ListWidthForPathGivesThePathBoxThatWidth)
{
    RowTemplate t = Template();
    for (const int path : {0, 100, 250}) {
        const int outer = ListWidthForPath(path, t, 17, 3, 2);
        const RowArrangement a = ArrangeRows({outer - 2, 400}, 17, 3, t, 35, 5, 32767);
        EXPECT_EQ(a.pathWidth, path);
        EXPECT_EQ(a.browseLeft, t.path.left() + path + 5);
    }
}

TEST(ArrangeRows, AnOverflowingListGetsScrollStepsFromTheOverflow)
{
    const RowMetrics m = MeasureRows(Template(), 10);
    // 105 rows: 11 + 35 * 105 = 3686 high in a panel 400 high, overflow 3286.
    const RowArrangement a = ArrangeRows({300, 400}, 17, 0, Template(), m.RowPitch, 105, 32767);
    ASSERT_TRUE(a.scrollEnabled);
    EXPECT_EQ(a.innerHeight, 3686);
    EXPECT_EQ(a.largeChange, 7645); // round(32767 / 4.286)
    EXPECT_EQ(a.smallChange, 765); // round(32767 / 42.86)
}

TEST(ArrangeRows, NarrowPanelsHoldWidthsAtZero)
{
    const RowArrangement a = ArrangeRows({10, 100}, 17, 2, Template(), 35, 3, 32767);
    EXPECT_EQ(a.innerWidth, 0);
    EXPECT_EQ(a.pathWidth, 0);
    EXPECT_EQ(a.highlightWidth, 0);
    EXPECT_LT(a.settingLeft, 0); // positions may go negative
}

TEST(InnerPanelTop, MovesTheListByTheDifferenceOfTheHeights)
{
    EXPECT_EQ(InnerPanelTop(3686, 404, 0, 32767), 0);
    EXPECT_EQ(InnerPanelTop(3686, 404, 32767, 32767), -(3686 - 404));
    EXPECT_EQ(InnerPanelTop(3686, 404, 16384, 32767), -1641);
    // A list lower than its panel (the scrollbar disabled) stays at the top.
    EXPECT_EQ(InnerPanelTop(400, 404, 32767, 32767), 0);
    EXPECT_EQ(InnerPanelTop(400, 404, 5, 0), 0);
}

TEST(FocusScrollValue, FollowsTheFrameProportionally)
{
    EXPECT_EQ(FocusScrollValue(1, 105, 32767), 0);
    EXPECT_EQ(FocusScrollValue(105, 105, 32767), 32767);
    EXPECT_EQ(FocusScrollValue(53, 105, 32767), 16384); // 52/104 of the way, ties to even
    // A single frame stays at the top instead of dividing by zero.
    EXPECT_EQ(FocusScrollValue(1, 1, 32767), 0);
}

TEST(VisibleRows, CoverEveryRowThatShowsAndLittleElse)
{
    const RowMetrics m = MeasureRows(Template(), 10); // top 5, height 25, pitch 35
    for (const int count : {1, 3, 105, 10000}) {
        for (int innerTop = 0; innerTop >= -(35 * count); innerTop -= 97) {
            const RowRange r = VisibleRows(innerTop, 400, m, count);
            for (int i = 1; i <= count; ++i) {
                const qint64 top = RowControlTop(m.RowTop, i, m.RowPitch) + innerTop;
                const bool shows = top < 400 && top + (m.RowBottom - m.RowTop) > 0;
                if (shows) {
                    EXPECT_GE(i, r.first) << "count " << count << " top " << innerTop;
                    EXPECT_LE(i, r.last) << "count " << count << " top " << innerTop;
                }
            }
            EXPECT_LE(r.last - r.first + 1, 400 / 35 + 3);
        }
    }
    const RowRange none = VisibleRows(0, 400, m, 0);
    EXPECT_GT(none.first, none.last);
}

} // namespace
} // namespace mrv
