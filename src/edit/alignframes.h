#pragma once

#include "edit/frameedit.h"

namespace mrv {

class MVK;

/// The search range of Steady when none is given, in pixels each way.
inline constexpr int DefaultSteadyRange = 20;
inline constexpr int MaxSteadyRange = 200;

/// Each picked frame moved, by its offset only, so that the visible part of its picture (the
/// pixels that are not fully transparent) is centred in the project's animation area.
FrameEditResult CentreFrames(const MVK &project, const FrameEditRequest &request);

/// Each picked frame moved, by its offset only and at most `range` pixels each way, to where
/// its picture best matches the frame before it as that one now stands: a shaking source stands
/// still. The first frame of the project has nothing before it and stays.
FrameEditResult SteadyFrames(const MVK &project, int range, const FrameEditRequest &request);

} // namespace mrv
