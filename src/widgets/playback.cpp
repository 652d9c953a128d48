#include "widgets/playback.h"

#include "support/stringutil.h"

namespace mrv {

int LoopStart(int frameCount)
{
    return MaxOf(RoundHalfEven(61.0 / 105.0 * frameCount), 0);
}

int NextPlayFrame(int frame, int frameCount)
{
    return frame < frameCount ? frame + 1 : LoopStart(frameCount);
}

QString FrameCounterText(int frame, int frameCount)
{
    return QString::number(frame) + QStringLiteral(" / ") + QString::number(frameCount);
}

} // namespace mrv
