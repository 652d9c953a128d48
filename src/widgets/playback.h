#pragma once

#include "support/frameduration.h"

#include <QString>
#include <QTimer>

namespace mrv {

/// The frame playback jumps back to after the last one: the start of the looping part, at
/// the same proportion as frame 61 of 105 (50 frames: 29; 1 frame: 1).
int LoopStart(int frameCount);

/// The frame after `frame` while playing: the next one, or the loop start after the last.
int NextPlayFrame(int frame, int frameCount);

/// The frame counter beside the slider: the current frame and the frame count ("12 / 105").
QString FrameCounterText(int frame, int frameCount);

/// The time between two refreshes of a screen at this rate, in whole milliseconds rounded up
/// so that no refresh gets two frames; a rate that is unknown or absurd counts as 60 Hz.
int RefreshInterval(double refreshRate);

/// The interval a play timer runs at for a frame time: the frame time, but at least one
/// screen refresh. A frame time of 0 ("as fast as you can") so plays one frame per refresh
/// instead of keeping a core busy drawing frames nobody sees.
int PlayInterval(int frameTime, int refreshInterval);

/// A play timer that remembers the frame time the user set and runs at PlayInterval of it,
/// measured against the refresh of the screen its window is on.
class FrameTimer : public QTimer
{
    Q_OBJECT

public:
    explicit FrameTimer(QObject *parent = nullptr);

    int FrameTime() const { return m_frameTime; }
    void SetFrameTime(int ms);

private:
    int m_frameTime = FrameDuration::Default;
};

} // namespace mrv
