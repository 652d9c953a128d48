#include "settings/settingslocation.h"

#include "settings/settings.h"
#include "support/appinfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace mrv {

QByteArray DefaultConfiguration()
{
    QFile resource(QStringLiteral(":/mirovane/MRVKConfig.xml"));
    return resource.open(QIODevice::ReadOnly) ? resource.readAll() : QByteArray();
}

QString SettingsFolder(const QString &exeFolder, const QString &userFolder)
{
    if (!exeFolder.isEmpty() && QFileInfo::exists(QDir(exeFolder).filePath(ConfigFileName)))
        return exeFolder;
    const QString seeded = QDir(userFolder).filePath(ConfigFileName);
    if (!QFileInfo::exists(seeded) && QDir().mkpath(userFolder)) {
        QFile file(seeded);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            file.write(DefaultConfiguration());
    }
    return userFolder;
}

QString HostSettingsFolder()
{
    return SettingsFolder(AppInfo::ExeFolder(),
                          QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

} // namespace mrv
