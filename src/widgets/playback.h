#pragma once

#include <QString>

namespace mrv {

/// The frame playback jumps back to after the last one: the start of the looping part, at
/// the same proportion as frame 61 of 105 (50 frames: 29; 1 frame: 1).
int LoopStart(int frameCount);

/// The frame after `frame` while playing: the next one, or the loop start after the last.
int NextPlayFrame(int frame, int frameCount);

/// The frame counter beside the slider: the current frame and the frame count ("12 / 105").
QString FrameCounterText(int frame, int frameCount);

/// The editor's frame time at start, in milliseconds.
inline constexpr int DefaultFrameTime = 75;

} // namespace mrv
