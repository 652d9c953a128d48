#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace mrv {

/// How an animation's frames become the project's frames.
enum class FrameTiming
{
    Frames, ///< 逐帧: one source frame per project frame
    Boot,   ///< 按开机时间: the boot's 105 frames, sampled by time
};

/// The command line's names: "frames", "boot"; none for any other text.
std::optional<FrameTiming> ParseFrameTiming(const QString &text);

/// How long a source frame stays, as browsers show it: a delay of 10 ms or less (GIFs often
/// say 0) stays 100 ms.
int ShownDelayMs(int delayMs);

/// The boot's frames sampled from an animation by time.
struct BootSampling
{
    /// For each of the 105 project frames, the 0-based source frame it shows.
    std::vector<int> sourceFrames;
    /// Whole passes through the source that frames 61-105 hold.
    int passes = 0;
    /// Source time played per real time: 0.93 plays at 93 % of the source's speed.
    double speed = 1.0;
};

/// Samples a source whose frames stay the given times (ms, as shown) at a frame time of
/// frameTimeMs. The source's loop part runs from the start of the frame shown at loopStartMs
/// to its end. The 45 loop frames hold the whole number of passes through the loop part that
/// keeps the speed closest to the source's; frames 1-60 play the source from its start into
/// the loop at the same speed, so every step, 105 -> 61 too, moves on by the same source time.
/// Project frame k (0-based) shows the source frame shown at time k * frameTime * speed, past
/// the end taken round the loop part. Empty for no frames, a non-positive length or frame
/// time, a loop start outside the source, or one that frames 1-60 do not reach.
BootSampling SampleForBoot(const std::vector<int> &delaysMs, int frameTimeMs,
                           int loopStartMs = 0);

/// The result message's speed: "播放速度为原片的 93%".
QString SpeedMessage(double speed);

} // namespace mrv
