#pragma once

#include "support/bootgeometry.h"
#include "support/result.h"

#include <QImage>
#include <QString>

#include <atomic>

namespace mrv {

/// Frames of the demo animation: 1..60 play once, 61..105 loop.
inline constexpr int DemoFrameCount = BootFrames;
inline constexpr int DemoIntroFrames = BootIntroFrames;

/// The demo's 1024 x 768 background: a night-blue screen with a glow behind the animation
/// area, light beams, stars and a planet rim. Opaque.
QImage DemoBackground();

/// Demo frame n (1..105), 200 x 200 with transparency. The intro has four coloured orbs spiral
/// in with trails and gather into a ring; the loop turns the gathered orbs, the ring and its
/// satellites one full turn and pulses the glow, so frame 105 leads back into frame 61.
QImage DemoFrame(int frame);

/// Writes the demo project into the folder (created with its parents when missing):
/// demo.mrv, background.png and frames/001.png .. 105.png, put in place only when all are
/// written. Returns the project file's path.
Result<QString> WriteDemoProject(const QString &folder, const std::atomic_bool *cancel = nullptr);

} // namespace mrv
