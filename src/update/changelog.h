#pragma once

#include <QString>

namespace mrv {

/// The line break used in the update messages and the converted change log.
inline const QString UpdateLineBreak = QStringLiteral("\r\n");

/// Turns the change log's HTML fragment into plain text: each ul list becomes numbered lines
/// ("1、item"), each br tag a line break. Other markup is left as it is.
QString ParseChangeLog(const QString &log);

} // namespace mrv
