#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace mrv::test {

/// Runs `open`, which shows a modal window and returns when it closes; `inside` runs while
/// that window is up (it gets the window). Whatever `inside` leaves open is closed after it,
/// so a failing check cannot leave the test waiting on a modal loop. Returns whether a modal
/// window was seen at all.
inline bool WithModal(const std::function<void()> &open, const std::function<void(QWidget &)> &inside)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        seen = true;
        inside(*modal);
        if (QApplication::activeModalWidget() == modal)
            modal->close();
    });
    open();
    return seen;
}

} // namespace mrv::test
