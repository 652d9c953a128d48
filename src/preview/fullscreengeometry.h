#pragma once

#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>

namespace mrv {

/// Where the full-screen preview puts its boxes for a window of a given inner size.
struct FullscreenGeometry
{
    /// The background box: the whole window.
    QRect picBG;
    /// The animation area at its exact fractions of the window.
    QRectF activityExact;
    /// The animation area in whole pixels (nearest, ties to even), inside `picBG`.
    QRect activity;
    /// Window pixels per project pixel.
    double scaleX = 0.0;
    double scaleY = 0.0;
    /// False for a project size of 0 or less on either axis: nothing can be drawn to scale.
    bool drawable = false;
};

/// The full-screen layout: the background over the whole window, the animation area at
/// 412/1024, 284/768, 200/1024, 200/768 of it, and the scales window / project size.
FullscreenGeometry LayoutFullscreen(QSize window, int projectWidth, int projectHeight);

/// The key help shown in the full-screen window, ending with the current frame number.
QString FullscreenHelpText(int frame);

} // namespace mrv
