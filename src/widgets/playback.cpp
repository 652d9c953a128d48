#include "widgets/playback.h"

#include "support/bootgeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace mrv {

namespace {

/// The refresh rate of the screen the timer's window is on, or of the primary screen.
double refreshRateFor(const QObject *timer)
{
    const auto *window = qobject_cast<const QWidget *>(timer->parent());
    const QScreen *screen = window ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->refreshRate() : 0.0;
}

} // namespace

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

int RefreshInterval(double refreshRate)
{
    // Below 1 Hz or above 1000 Hz the figure cannot be a real screen's.
    if (!std::isfinite(refreshRate) || refreshRate < 1.0 || refreshRate > 1000.0)
        refreshRate = 60.0;
    return int(std::ceil(1000.0 / refreshRate));
}

int PlayInterval(int frameTime, int refreshInterval)
{
    return MaxOf(frameTime, refreshInterval);
}

FrameTimer::FrameTimer(QObject *parent) : QTimer(parent)
{
    setTimerType(Qt::PreciseTimer);
    setInterval(m_frameTime);
}

void FrameTimer::SetFrameTime(int ms)
{
    m_frameTime = ms;
    setInterval(PlayInterval(ms, RefreshInterval(refreshRateFor(this))));
}

} // namespace mrv
