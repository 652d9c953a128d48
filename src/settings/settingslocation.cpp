#include "settings/settingslocation.h"

#include "settings/settings.h"
#include "support/appinfo.h"
#include "support/atomicfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace mrv {

QByteArray DefaultConfiguration(const QString &exeFolder)
{
    // An installed program reads the copy its package put under share/, so that the
    // administrator's edits reach every new user; a build or portable folder has none.
    if (!exeFolder.isEmpty()) {
        QFile installed(QDir(exeFolder).filePath(QStringLiteral(MIROVANE_DATA_FROM_BIN "/") +
                                                 ConfigFileName));
        if (installed.open(QIODevice::ReadOnly))
            if (const QByteArray text = installed.readAll(); !text.isEmpty())
                return text;
    }
    QFile resource(QStringLiteral(":/mirovane/MRVKConfig.xml"));
    return resource.open(QIODevice::ReadOnly) ? resource.readAll() : QByteArray();
}

QString SettingsFolder(const QString &exeFolder, const QString &userFolder)
{
    if (!exeFolder.isEmpty() && QFileInfo::exists(QDir(exeFolder).filePath(ConfigFileName)))
        return exeFolder;
    // An empty file is what a seed cut short by a full disk left in earlier versions: it is
    // seeded again, as a missing one is. A seed that fails leaves nothing and is retried at
    // the next start.
    const QFileInfo seeded(QDir(userFolder).filePath(ConfigFileName));
    if ((!seeded.exists() || (seeded.isFile() && seeded.size() == 0)) && QDir().mkpath(userFolder))
        (void)WriteFileAtomically(seeded.filePath(), DefaultConfiguration(exeFolder),
                                  Durability::Sync);
    return userFolder;
}

QString HostSettingsFolder()
{
    return SettingsFolder(AppInfo::ExeFolder(),
                          QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

} // namespace mrv
