#pragma once

#include <QString>

namespace mrv {

/// The folder the settings live in: the executable's folder when MRVKConfig.xml is there
/// (portable mode), else the per-user folder, which gets the shipped default configuration
/// of that executable on first use.
QString SettingsFolder(const QString &exeFolder, const QString &userFolder);

/// SettingsFolder for the running program and the platform's per-user config location.
QString HostSettingsFolder();

/// The configuration shipped with the program in exeFolder: the installed copy in the data
/// folder beside bin/ (../share/mirovane) when there is one, else the one built in.
QByteArray DefaultConfiguration(const QString &exeFolder = {});

} // namespace mrv
