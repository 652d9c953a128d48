#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

class QKeyEvent;
class QMenuBar;
class QWidget;

namespace mrv {

/// Lets the menu shortcuts of a window win over its text boxes. A text box claims many
/// control keys for editing (on Linux Ctrl+E, Ctrl+B and others move the cursor) and so keeps
/// the menu's shortcut from firing; this filter leaves a key unclaimed when an enabled entry
/// of the menu bar has it as its shortcut. Editing keys no entry uses stay with the box.
/// It watches the whole application but acts only on widgets of its window.
class MenuShortcuts : public QObject
{
public:
    MenuShortcuts(QWidget &window, QMenuBar &bar);

    /// Keys that never reach the window's widgets, even while their menu entry is disabled:
    /// the window's undo and redo, so a text box does not keep a history of its own.
    void TakeFromWidgets(const QList<QKeySequence> &keys) { m_taken = keys; }

    /// True when an enabled entry of the menu bar (its menus included) has the key as its
    /// shortcut.
    bool IsMenuShortcut(const QKeyEvent &key) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_window;
    QMenuBar &m_bar;
    QList<QKeySequence> m_taken;
};

} // namespace mrv
