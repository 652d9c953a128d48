#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace mrv::test {

TempFolder::TempFolder() : m_dir(QDir::tempPath() + QStringLiteral("/mirovane-test-XXXXXX")) {}

QString TempFolder::file(const QString &name) const
{
    return m_dir.filePath(name);
}

QString TempFolder::write(const QString &name, const QByteArray &bytes) const
{
    const QString path = file(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace mrv::test
