#pragma once

#include <QColor>
#include <QString>
#include <QVariant>

class QObject;

namespace mrv {

/// Sets one property, named as the window-layout document names it (compared without regard
/// to case), on a window, a control, a menu action or a timer. Each kind of object has its
/// table of names: geometry (`Left`, `Top`, `Width`, `Height` in pixels, `ScaleWidth` and
/// `ScaleHeight` for the area inside the border), `Visible`, `Enabled`, `ToolTipText`, the
/// font (`FontSize`, `FontName`, `FontBold`, ...), `BackColor`/`ForeColor`, `Caption` or
/// `Text`, `Picture`, a timer's `Interval`, a slider's `Value`/`Min`/`Max`/steps, and so on.
/// Our own widgets add theirs as Q_PROPERTY with a capitalised name.
///
/// The value is text, except for colours (a QColor) and pictures (a QImage). Returns false,
/// changing nothing, when the object has no such property or the value does not suit it.
bool SetLayoutProperty(QObject &target, const QString &name, const QVariant &value);

/// A Windows colour value (red in the lowest byte) as a colour.
QColor FromColorRef(qint32 value);

} // namespace mrv
