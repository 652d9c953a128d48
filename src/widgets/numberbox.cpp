#include "widgets/numberbox.h"

#include "export/exportoptions.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QStyle>

#include <algorithm>

namespace mrv {

NumberBox::NumberBox(int minimum, int maximum, QWidget *parent)
    : QLineEdit(parent), m_minimum(minimum), m_maximum(maximum)
{
    // A digit or two past the range is let in, so that the box shows it marked instead of
    // swallowing the key.
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(minimum < 0 ? QStringLiteral("-?[0-9]{0,9}")
                                       : QStringLiteral("[0-9]{0,9}")),
        this));
}

void NumberBox::setValue(int value)
{
    setText(QString::number(value));
}

Result<int> NumberBox::value() const
{
    return WholeNumberIn(text(), m_minimum, m_maximum);
}

void NumberBox::keyPressEvent(QKeyEvent *event)
{
    const int step = event->key() == Qt::Key_Up ? 1 : event->key() == Qt::Key_Down ? -1 : 0;
    if (step == 0 || event->modifiers() != Qt::NoModifier) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // A number out of the range steps into it from its nearer end; an empty box starts at
    // the minimum.
    bool ok = false;
    const qlonglong shown = text().toLongLong(&ok);
    setValue(ok ? int(std::clamp<qlonglong>(shown + step, m_minimum, m_maximum)) : m_minimum);
    selectAll();
}

void MarkInvalid(QWidget &box, bool invalid)
{
    if (box.property("invalid").toBool() == invalid)
        return;
    box.setProperty("invalid", invalid);
    // Property selectors are matched when a widget is polished.
    box.style()->unpolish(&box);
    box.style()->polish(&box);
}

QString InvalidBoxStyle()
{
    return QStringLiteral("[invalid=\"true\"] { border: 2px solid #d00000; background: #ffe4e4; }");
}

} // namespace mrv
