#pragma once

#include <QList>

#include <vector>

namespace mrv {

/// A run of consecutive frames: 1-based first frame and the number of frames.
struct FrameRun
{
    int first = 0;
    int count = 0;

    bool operator==(const FrameRun &) const = default;
};

/// A playing order of n frames: entry k holds the 0-based position, before the change, of the
/// frame that ends up at position k.
using FrameOrder = std::vector<int>;

/// The frames of a selection that exist in a list of count frames, ascending, each once.
std::vector<int> NormalizeSelection(const QList<int> &frames, int count);

/// The runs of consecutive frames in a normalized selection, in ascending order.
std::vector<FrameRun> SelectionRuns(const std::vector<int> &selection);

/// The order after the selected frames move, keeping their own order, as one block to the
/// place before frame `before` (1..count+1, numbered as before the move).
FrameOrder MoveOrder(const std::vector<int> &selection, int before, int count);

/// The order after every run of selected frames moves one place up (step < 0) or down
/// (step > 0) past the frame beside it, so scattered frames stay scattered; a run already at
/// that end of the list stays where it is.
FrameOrder StepOrder(const std::vector<int> &selection, int step, int count);

/// The order after the selected frames are reversed among the places they hold; the other
/// frames stay where they are.
FrameOrder ReverseOrder(const std::vector<int> &selection, int count);

/// The order that brings the frames back: applied after `order`, it restores the old order.
FrameOrder InverseOrder(const FrameOrder &order);

/// True when the order leaves every frame where it is.
bool IsIdentityOrder(const FrameOrder &order);

} // namespace mrv
