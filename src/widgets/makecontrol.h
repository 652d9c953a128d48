#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

namespace mrv {

/// Creates a control of type W on the parent with its objectName (the name the window
/// document addresses it by) and its design-time geometry.
template <typename W>
W *MakeControl(QWidget &parent, const char *name, const QRect &geometry)
{
    auto *control = new W(&parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

} // namespace mrv
