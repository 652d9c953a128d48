#pragma once

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <vector>

namespace mrv::test {

/// One answer to a modal window: gets the window that came up and closes it as a user would.
using ModalStep = std::function<void(QWidget &)>;

/// How the windows of one AnswerModals run went.
struct ModalRun
{
    int answered = 0;   ///< windows a step answered
    int unexpected = 0; ///< windows that came up after the last step (rejected)
};

/// Runs `run`, which shows modal windows one after another (nested ones included, such as the
/// question a file dialog asks before it closes), and answers each with the next step. Progress
/// dialogs are left alone. A window a step leaves open, or one that comes up when no step is
/// left, is rejected, so a failing check never leaves the test waiting.
inline ModalRun AnswerModals(const std::function<void()> &run, std::vector<ModalStep> steps)
{
    ModalRun result;
    std::size_t next = 0;
    QList<QPointer<QWidget>> seen;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || qobject_cast<QProgressDialog *>(modal) || !modal->isVisible() ||
            seen.contains(modal))
            return;
        seen.append(modal);
        ModalStep step;
        if (next < steps.size()) {
            step = steps[next++];
            ++result.answered;
        } else {
            ++result.unexpected;
        }
        // The step runs outside this timer's slot: a timer does not fire while its slot is
        // still running, and a step may open a further window (a file dialog's question).
        QTimer::singleShot(0, modal, [step, guard = QPointer<QWidget>(modal)] {
            if (step)
                step(*guard);
            if (guard && guard->isVisible()) {
                if (auto *dialog = qobject_cast<QDialog *>(guard.data()))
                    dialog->reject();
                else
                    guard->close();
            }
        });
    });
    poll.start();
    run();
    poll.stop();
    return result;
}

/// Gives the widget the keyboard focus, as a click or Tab would.
inline QWidget &Focus(QWidget &widget)
{
    QWidget *window = widget.window();
    if (QApplication::activeWindow() != window) {
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window);
    }
    if (&widget != window)
        widget.setFocus(Qt::OtherFocusReason);
    return widget;
}

/// In an open file dialog, picks entry `entry` (1-based) of the type box with the arrow keys,
/// types the name into the file-name box and presses Enter.
inline void ChooseInFileDialog(QWidget &window, int entry, const QString &name)
{
    auto &dialog = static_cast<QFileDialog &>(window);
    auto *types = dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
    auto *nameBox = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    if (!types || !nameBox)
        return;
    Focus(*types);
    const Qt::Key key = entry - 1 > types->currentIndex() ? Qt::Key_Down : Qt::Key_Up;
    while (types->currentIndex() != entry - 1) {
        const int before = types->currentIndex();
        QTest::keyClick(QApplication::focusWidget(), key);
        if (types->currentIndex() == before)
            return;
    }
    Focus(*nameBox);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QTest::keyClicks(QApplication::focusWidget(), name);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

/// Presses a key in the window, where its focus is (a message box's default button).
inline void PressKey(QWidget &window, Qt::Key key)
{
    Focus(window);
    QTest::keyClick(QApplication::focusWidget(), key);
}

/// Answers a message box with one of its buttons.
inline void PressButton(QWidget &window, QMessageBox::StandardButton button)
{
    if (auto *box = qobject_cast<QMessageBox *>(&window); box && box->button(button))
        QTest::mouseClick(box->button(button), Qt::LeftButton);
}

} // namespace mrv::test
