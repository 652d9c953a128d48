#include "settings/settingslocation.h"

#include "settings/settings.h"
#include "support/appinfo.h"
#include "support/atomicfile.h"

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
    // An empty file is what a seed cut short by a full disk left in earlier versions: it is
    // seeded again, as a missing one is. A seed that fails leaves nothing and is retried at
    // the next start.
    const QFileInfo seeded(QDir(userFolder).filePath(ConfigFileName));
    if ((!seeded.exists() || (seeded.isFile() && seeded.size() == 0)) && QDir().mkpath(userFolder))
        (void)WriteFileAtomically(seeded.filePath(), DefaultConfiguration(), Durability::Sync);
    return userFolder;
}

QString HostSettingsFolder()
{
    return SettingsFolder(AppInfo::ExeFolder(),
                          QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

} // namespace mrv
