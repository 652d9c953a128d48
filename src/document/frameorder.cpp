#include "document/frameorder.h"

#include <algorithm>
#include <numeric>

namespace mrv {

std::vector<int> NormalizeSelection(const QList<int> &frames, int count)
{
    std::vector<int> selection;
    for (int frame : frames)
        if (frame >= 1 && frame <= count)
            selection.push_back(frame);
    std::sort(selection.begin(), selection.end());
    selection.erase(std::unique(selection.begin(), selection.end()), selection.end());
    return selection;
}

std::vector<FrameRun> SelectionRuns(const std::vector<int> &selection)
{
    std::vector<FrameRun> runs;
    for (int frame : selection) {
        if (!runs.empty() && runs.back().first + runs.back().count == frame)
            ++runs.back().count;
        else
            runs.push_back({frame, 1});
    }
    return runs;
}

FrameOrder MoveOrder(const std::vector<int> &selection, int before, int count)
{
    std::vector<bool> selected(size_t(count), false);
    for (int frame : selection)
        selected[size_t(frame - 1)] = true;
    FrameOrder order;
    order.reserve(size_t(count));
    auto appendBlock = [&] {
        for (int frame : selection)
            order.push_back(frame - 1);
    };
    bool placed = false;
    for (int k = 0; k < count; ++k) {
        if (!placed && k + 1 >= before) {
            appendBlock();
            placed = true;
        }
        if (!selected[size_t(k)])
            order.push_back(k);
    }
    if (!placed)
        appendBlock();
    return order;
}

FrameOrder StepOrder(const std::vector<int> &selection, int step, int count)
{
    FrameOrder order(size_t(std::max(count, 0)));
    std::iota(order.begin(), order.end(), 0);
    // Runs are separated by unselected frames, so each passes a frame of its own.
    for (const FrameRun &run : SelectionRuns(selection)) {
        const auto first = order.begin() + (run.first - 1);
        const auto end = first + run.count;
        if (step < 0 && run.first > 1)
            std::rotate(first - 1, first, end);
        else if (step > 0 && run.first - 1 + run.count < count)
            std::rotate(first, end, end + 1);
    }
    return order;
}

FrameOrder ReverseOrder(const std::vector<int> &selection, int count)
{
    FrameOrder order(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k)
        order[size_t(k)] = k;
    const size_t n = selection.size();
    for (size_t j = 0; j < n; ++j)
        order[size_t(selection[j] - 1)] = selection[n - 1 - j] - 1;
    return order;
}

FrameOrder InverseOrder(const FrameOrder &order)
{
    FrameOrder inverse(order.size());
    for (size_t k = 0; k < order.size(); ++k)
        inverse[size_t(order[k])] = int(k);
    return inverse;
}

bool IsIdentityOrder(const FrameOrder &order)
{
    for (size_t k = 0; k < order.size(); ++k)
        if (order[k] != int(k))
            return false;
    return true;
}

} // namespace mrv
