#pragma once

#include <QString>

namespace mrv {

/// The folder the settings live in: the executable's folder when MRVKConfig.xml is there
/// (portable mode), else the per-user folder, which gets the shipped default configuration
/// on first use.
QString SettingsFolder(const QString &exeFolder, const QString &userFolder);

/// SettingsFolder for the running program and the platform's per-user config location.
QString HostSettingsFolder();

/// The configuration shipped with the program.
QByteArray DefaultConfiguration();

} // namespace mrv
