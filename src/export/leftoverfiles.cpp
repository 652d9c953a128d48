#include "export/leftoverfiles.h"

#include "support/naturalorder.h"
#include "support/tr.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace mrv {

namespace {

// "“f151.png”" for one file, "“f151.png”到“f240.png”" for more.
QString NameRange(const QStringList &files)
{
    const auto name = [](const QString &path) { return QFileInfo(path).fileName(); };
    if (files.size() == 1)
        return Tr::tr("“%1”").arg(name(files.first()));
    return Tr::tr("“%1”到“%2”").arg(name(files.first()), name(files.last()));
}

} // namespace

QStringList LeftoverFiles(const NumberedSet &set, const QStringList &written)
{
    const QRegularExpression numbered(QStringLiteral("^%1[0-9]+%2$")
                                          .arg(QRegularExpression::escape(set.prefix),
                                               QRegularExpression::escape(set.extension)));
    QSet<QString> own;
    for (const QString &path : written)
        own.insert(QFileInfo(path).absoluteFilePath());
    const QDir folder(set.folder);
    QStringList names;
    for (const QString &name : folder.entryList(QDir::Files | QDir::System))
        if (numbered.match(name).hasMatch() && !own.contains(folder.absoluteFilePath(name)))
            names << name;
    NaturalSort(names);
    QStringList files;
    for (const QString &name : names)
        files << folder.filePath(name);
    return files;
}

Status RemoveFiles(const QStringList &files)
{
    Status first;
    for (const QString &path : files) {
        QFile file(path);
        if (!file.remove() && first)
            first = Status::Fail(Tr::tr("无法删除“%1”：%2")
                                     .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    return first;
}

QString LeftoverSentence(const QStringList &leftovers)
{
    if (leftovers.isEmpty())
        return {};
    return Tr::tr("“%1”中有 %n 个同一前缀的编号文件不是这次导出写入的（%2）", nullptr,
                  int(leftovers.size()))
        .arg(QDir::toNativeSeparators(QFileInfo(leftovers.first()).absolutePath()),
             NameRange(leftovers));
}

QString RemovedSentence(const QStringList &removed)
{
    return Tr::tr("已删除 %n 个不是这次导出写入的编号文件（%1）", nullptr, int(removed.size()))
        .arg(NameRange(removed));
}

} // namespace mrv
