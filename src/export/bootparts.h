#pragma once

#include "export/exportoptions.h"
#include "support/bootgeometry.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace mrv {

/// How the frames of a project split for boot screens that play an intro once and then loop:
/// frames 1 .. LoopStartFrame(count) - 1 are the intro, the rest the loop.
struct BootParts
{
    int introCount = 0;
    int loopCount = 0;

    static BootParts Of(int frameCount)
    {
        if (frameCount <= 0)
            return {};
        const int loopStart = LoopStartFrame(frameCount);
        return {loopStart - 1, frameCount - loopStart + 1};
    }
    /// The 1-based project frame of the 0-based picture of the loop.
    int LoopFrame(int index) const { return introCount + 1 + index; }
};

class MVK;

/// The distinct pictures of a project's frames: frames showing the same picture at the same
/// offset look the same, so each such group is composed and encoded once.
struct DistinctFrames
{
    std::vector<int> pictureOf;  ///< entry frame-1: the index of the frame's picture
    std::vector<int> firstFrame; ///< entry i: the first frame (1-based) showing picture i

    static DistinctFrames Of(const MVK &project, const QStringList &framePaths);
    int Count() const { return int(firstFrame.size()); }
};

} // namespace mrv
