#include "widgets/playback.h"

#include "support/bootgeometry.h"

namespace mrv {

int LoopStart(int frameCount)
{
    return LoopStartFrame(frameCount);
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
