#include "import/boottiming.h"

#include "support/bootgeometry.h"
#include "support/stringutil.h"

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

BootSampling SampleForBoot(const std::vector<int> &delaysMs, int frameTimeMs)
{
    BootSampling sampling;
    const qint64 length = std::accumulate(delaysMs.begin(), delaysMs.end(), qint64(0));
    if (delaysMs.empty() || length <= 0 || frameTimeMs <= 0)
        return sampling;
    // The loop's 45 frames take 45 * frameTime of real time; passes * length of source time.
    const double fit = double(BootLoopFrames) * frameTimeMs / double(length);
    sampling.passes = std::max(RoundHalfEven(fit), 1);
    sampling.speed = sampling.passes / fit;
    // Frame k shows source time k * passes * length / 45: kept as the exact numerator
    // k * passes * length over 45, so that a frame on a frame's start shows that frame.
    std::vector<qint64> starts; // 45 * the start time of each source frame
    qint64 at = 0;
    for (int delay : delaysMs) {
        starts.push_back(at * BootLoopFrames);
        at += delay;
    }
    const qint64 period = length * BootLoopFrames;
    for (int k = 0; k < BootFrames; ++k) {
        const qint64 time = qint64(k) * sampling.passes * length % period;
        const auto next = std::upper_bound(starts.begin(), starts.end(), time);
        sampling.sourceFrames.push_back(int(next - starts.begin()) - 1);
    }
    return sampling;
}

QString SpeedMessage(double speed)
{
    return QStringLiteral("播放速度为原片的 %1%").arg(RoundHalfEven(speed * 100));
}

} // namespace mrv
