#pragma once

#include "settings/settings.h"

#include <QMap>
#include <QString>

namespace mrv {

/// The option values of a target's last export from the editor, as text by option name; empty
/// when none were kept. They live in the configuration document, one element per target
/// ("/Soft/Export/export-long", an attribute per option).
QMap<QString, QString> StoredExportChoices(const Settings &settings, const QString &targetId);

/// Keeps the values for the target's next export, replacing the ones kept before; they reach
/// the file with the configuration document at exit. Fails for a target or option name that
/// cannot be an XML name, and for a document without a root.
Status StoreExportChoices(Settings &settings, const QString &targetId,
                          const QMap<QString, QString> &values);

} // namespace mrv
