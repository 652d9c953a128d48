#include "import/boottiming.h"

#include "support/bootgeometry.h"
#include "support/stringutil.h"
#include "support/tr.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace mrv {

std::optional<FrameTiming> ParseFrameTiming(const QString &text)
{
    if (text == u"frames")
        return FrameTiming::Frames;
    if (text == u"boot")
        return FrameTiming::Boot;
    return std::nullopt;
}

int ShownDelayMs(int delayMs)
{
    return delayMs <= 10 ? 100 : delayMs;
}

BootSampling SampleForBoot(const std::vector<int> &delaysMs, int frameTimeMs, int loopStartMs)
{
    BootSampling sampling;
    const qint64 length = std::accumulate(delaysMs.begin(), delaysMs.end(), qint64(0));
    if (delaysMs.empty() || length <= 0 || frameTimeMs <= 0 || loopStartMs < 0 ||
        loopStartMs >= length)
        return sampling;
    // Times are kept as 45 times their value in ms, so that every frame's time is a whole
    // number and a frame falling on a source frame's start shows that frame.
    std::vector<qint64> starts;
    qint64 at = 0;
    for (int delay : delaysMs) {
        starts.push_back(at * BootLoopFrames);
        at += delay;
    }
    // The loop starts with the frame shown at the chosen time, so that passes are whole frames.
    const qint64 loopStart =
        *(std::upper_bound(starts.begin(), starts.end(), qint64(loopStartMs) * BootLoopFrames) - 1);
    const qint64 loopLength = length - loopStart / BootLoopFrames;
    // The loop's 45 frames take 45 * frameTime of real time; passes * loopLength of source time.
    const double fit = double(BootLoopFrames) * frameTimeMs / double(loopLength);
    sampling.passes = std::max(RoundHalfEven(fit), 1);
    sampling.speed = sampling.passes / fit;
    const qint64 step = sampling.passes * loopLength; // 45 times the source time per frame
    if (step * BootIntroFrames < loopStart)
        return {};
    const qint64 end = length * BootLoopFrames;
    for (int k = 0; k < BootFrames; ++k) {
        qint64 time = k * step;
        if (time >= end)
            time = loopStart + (time - loopStart) % (loopLength * BootLoopFrames);
        const auto next = std::upper_bound(starts.begin(), starts.end(), time);
        sampling.sourceFrames.push_back(int(next - starts.begin()) - 1);
    }
    return sampling;
}

QString SpeedMessage(double speed)
{
    return Tr::tr("播放速度为原片的 %1%").arg(RoundHalfEven(speed * 100));
}

} // namespace mrv
