#include "widgets/screenfit.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace mrv {

namespace {

QMargins FrameMargins(const QWidget &window)
{
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    const QMargins known(inner.left() - frame.left(), inner.top() - frame.top(),
                         frame.right() - inner.right(), frame.bottom() - inner.bottom());
    if (!known.isNull() || window.isVisible())
        return known;
    const int border = window.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const int title = window.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return {border, title + border, border, border};
}

} // namespace

QRect FitFrameWithin(const QRect &frame, const QRect &available)
{
    const QSize size = frame.size().boundedTo(available.size());
    const int left = std::clamp(frame.left(), available.left(), available.right() + 1 - size.width());
    const int top = std::clamp(frame.top(), available.top(), available.bottom() + 1 - size.height());
    return {QPoint(left, top), size};
}

void FitOnScreen(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen || screen->availableGeometry().isEmpty())
        return;
    const QMargins margins = FrameMargins(window);
    const QRect frame = window.geometry().marginsAdded(margins);
    const QRect fitted = FitFrameWithin(frame, screen->availableGeometry());
    if (fitted == frame)
        return;
    window.resize(fitted.marginsRemoved(margins).size());
    window.move(fitted.topLeft());
}

} // namespace mrv
