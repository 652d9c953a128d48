#pragma once

#include "support/bootgeometry.h"

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

} // namespace mrv
