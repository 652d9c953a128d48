#include "support/appinfo.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace mrv {

QString AppInfo::Title()
{
    return QStringLiteral("Mirovane");
}

QString AppInfo::VersionText()
{
    return QStringLiteral("%1.%2.%3").arg(Major()).arg(Minor()).arg(Revision());
}

int AppInfo::Major() { return MIROVANE_VERSION_MAJOR; }
int AppInfo::Minor() { return MIROVANE_VERSION_MINOR; }
int AppInfo::Revision() { return MIROVANE_VERSION_PATCH; }

QString AppInfo::ExeFolder()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
}

QString AppInfo::ExeName()
{
    if (!QCoreApplication::instance())
        return {};
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

} // namespace mrv
