#include "editor/menushortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace mrv {

namespace {

bool ActionHasKey(const QAction &action, const QKeySequence &key)
{
    if (action.isEnabled()) {
        for (const QKeySequence &shortcut : action.shortcuts()) {
            if (shortcut == key)
                return true;
        }
    }
    if (const QMenu *menu = action.menu()) {
        for (const QAction *entry : menu->actions()) {
            if (ActionHasKey(*entry, key))
                return true;
        }
    }
    return false;
}

} // namespace

MenuShortcuts::MenuShortcuts(QWidget &window, QMenuBar &bar)
    : QObject(&window), m_window(window), m_bar(bar)
{
    qApp->installEventFilter(this);
}

bool MenuShortcuts::IsMenuShortcut(const QKeyEvent &key) const
{
    const QKeySequence sequence(key.keyCombination());
    for (const QAction *action : m_bar.actions()) {
        if (ActionHasKey(*action, sequence))
            return true;
    }
    return false;
}

bool MenuShortcuts::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::ShortcutOverride && type != QEvent::KeyPress) ||
        !watched->isWidgetType() || static_cast<QWidget *>(watched)->window() != &m_window)
        return false;
    const auto &key = *static_cast<QKeyEvent *>(event);
    const bool taken = m_taken.contains(QKeySequence(key.keyCombination()));
    // A taken key whose entry is disabled reaches the widget as a key press: dropped there.
    if (type == QEvent::KeyPress)
        return taken;
    if (!taken && !IsMenuShortcut(key))
        return false;
    // Unclaimed, the key goes on to the window's shortcuts.
    event->ignore();
    return true;
}

} // namespace mrv
