#include "widgets/keyfilter.h"

#include <QKeyEvent>

namespace mrv {

bool KeyFilterObject::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        // Only keys that type a printable character are filtered; backspace (8) and the
        // control characters of shortcuts are not typed text.
        if (!text.isEmpty() && (text.at(0).isPrint() || text.at(0) == u'\b')
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            for (const QChar c : text) {
                if (!KeyAccepted(m_filter, c.unicode()))
                    return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace mrv
