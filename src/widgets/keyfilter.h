#pragma once

#include "support/stringutil.h"

#include <QObject>

namespace mrv {

/// Discards typed characters that an input box does not take (see KeyAccepted); editing
/// keys that type nothing (arrows, Delete, shortcuts) always pass. Install it on the box.
class KeyFilterObject : public QObject
{
public:
    KeyFilterObject(KeyFilter filter, QObject *parent) : QObject(parent), m_filter(filter) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    KeyFilter m_filter;
};

} // namespace mrv
