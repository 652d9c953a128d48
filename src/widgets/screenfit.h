#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

namespace mrv {

/// Where a window's frame goes to lie on the available area of its screen: no larger than
/// the area, and moved inside it where it stuck out.
QRect FitFrameWithin(const QRect &frame, const QRect &available);

/// Keeps a top-level window, frame included, on the available area of its screen (the
/// screen less its task bars). Before the window is shown its frame is not known yet, so
/// the style's title bar and border stand in for it.
void FitOnScreen(QWidget &window);

} // namespace mrv
