#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/mount.h>
#include <sys/statvfs.h>

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

SmallDisk::SmallDisk(int kilobytes)
{
    const QByteArray options = QStringLiteral("size=%1k").arg(kilobytes).toUtf8();
    m_mounted = ::mount("tmpfs", QFile::encodeName(path()).constData(), "tmpfs", 0,
                        options.constData()) == 0;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(path()).constData(), MNT_DETACH);
}

void SmallDisk::Fill(qint64 leave) const
{
    QFile filler(file(QStringLiteral("filler")));
    if (!filler.open(QIODevice::Append | QIODevice::Unbuffered))
        return;
    const QByteArray page(1024, 'x');
    for (;;) {
        struct statvfs stats
        {
        };
        if (::statvfs(QFile::encodeName(path()).constData(), &stats) != 0 ||
            qint64(stats.f_bavail) * qint64(stats.f_frsize) <= leave)
            return;
        if (filler.write(page) != page.size())
            return;
    }
}

} // namespace mrv::test
