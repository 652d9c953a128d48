#include "document/frameorder.h"

#include <gtest/gtest.h>

using namespace mrv;

TEST(FrameOrder, SelectionsAreSortedDistinctAndInRange)
{
    EXPECT_EQ(NormalizeSelection({5, 0, 2, 2, 9, -1, 5}, 5), (std::vector<int>{2, 5}));
    EXPECT_TRUE(NormalizeSelection({1, 2}, 0).empty());
    EXPECT_EQ(SelectionRuns({1, 2, 3, 5, 7, 8}), (std::vector<FrameRun>{{1, 3}, {5, 1}, {7, 2}}));
    EXPECT_TRUE(SelectionRuns({}).empty());
}

TEST(FrameOrder, MovesKeepTheBlockInItsOwnOrder)
{
    struct Case
    {
        std::vector<int> selection;
        int before;
        FrameOrder expected;
    };
    const std::vector<Case> cases = {
        {{2, 3}, 1, {1, 2, 0, 3, 4}}, // to the front
        {{1}, 6, {1, 2, 3, 4, 0}},    // behind the last frame
        {{2, 4}, 4, {0, 2, 1, 3, 4}}, // a gapped selection closes up before frame 4
        {{1, 5}, 3, {1, 0, 4, 2, 3}}, // from both ends into the middle
        {{2, 3}, 3, {0, 1, 2, 3, 4}}, // into its own place: nothing moves
        {{2, 3}, 4, {0, 1, 2, 3, 4}}, // just behind itself: nothing moves either
    };
    for (const Case &c : cases) {
        const FrameOrder order = MoveOrder(c.selection, c.before, 5);
        EXPECT_EQ(order, c.expected) << "before " << c.before;
        EXPECT_EQ(InverseOrder(InverseOrder(order)), order);
    }
    EXPECT_TRUE(IsIdentityOrder(MoveOrder({2, 3}, 3, 5)));
    EXPECT_FALSE(IsIdentityOrder(MoveOrder({2, 3}, 5, 5)));
}

TEST(FrameOrder, StepsMoveEachRunByOnePlace)
{
    // Scattered rows stay scattered; a run at the end it moves to stays.
    EXPECT_EQ(StepOrder({2, 4, 5}, -1, 5), (FrameOrder{1, 0, 3, 4, 2}));
    EXPECT_EQ(StepOrder({2, 4}, 1, 5), (FrameOrder{0, 2, 1, 4, 3}));
    EXPECT_EQ(StepOrder({1, 3}, -1, 5), (FrameOrder{0, 2, 1, 3, 4}));
    EXPECT_TRUE(IsIdentityOrder(StepOrder({4, 5}, 1, 5)));
}

TEST(FrameOrder, ReversalsStayInTheSelectedPlacesAndInvert)
{
    EXPECT_EQ(ReverseOrder({2, 3, 4}, 5), (FrameOrder{0, 3, 2, 1, 4}));
    EXPECT_EQ(ReverseOrder({1, 3, 5}, 5), (FrameOrder{4, 1, 2, 3, 0}));
    EXPECT_TRUE(IsIdentityOrder(ReverseOrder({4}, 5)));

    const FrameOrder order{3, 0, 4, 1, 2};
    const FrameOrder inverse = InverseOrder(order);
    for (size_t k = 0; k < order.size(); ++k)
        EXPECT_EQ(inverse[size_t(order[k])], int(k));
}
