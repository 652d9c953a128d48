#include "editor/exportwarnings.h"

#include "export/exportsource.h"
#include "support/tr.h"

#include <QDir>
#include <QList>

namespace mrv {

namespace {

constexpr qsizetype ListedPictures = 10;

QString ListSeparator()
{
    return Tr::tr("、", "between the items of a list");
}

/// Ascending frame numbers as runs: "2", "2-4", "1-3、7".
QString FrameRuns(const QList<int> &frames)
{
    QStringList runs;
    for (qsizetype i = 0; i < frames.size();) {
        qsizetype last = i;
        while (last + 1 < frames.size() && frames[last + 1] == frames[last] + 1)
            ++last;
        runs << (last == i ? QString::number(frames[i])
                           : QStringLiteral("%1-%2").arg(frames[i]).arg(frames[last]));
        i = last + 1;
    }
    return runs.join(ListSeparator());
}

/// Where the picture shows: "背景", "第 3、5 帧", or both.
QString UsesOf(const QString &path, const ExportSource &source)
{
    QList<int> frames;
    for (qsizetype i = 0; i < source.framePaths.size(); ++i)
        if (source.framePaths[i] == path)
            frames.append(int(i) + 1);
    QStringList uses;
    if (path == source.backgroundPath)
        uses << Tr::tr("背景", "where an unreadable picture is used");
    if (!frames.isEmpty())
        uses << Tr::tr("第 %1 帧", "where an unreadable picture is used").arg(FrameRuns(frames));
    return uses.join(ListSeparator());
}

} // namespace

QString UnreadableWarnings(const QStringList &unreadable, const ExportSource &source)
{
    QStringList lines;
    for (qsizetype i = 0; i < unreadable.size() && i < ListedPictures; ++i) {
        const QString uses = UsesOf(unreadable[i], source);
        lines << Tr::tr("警告：无法读取图片“%1”%2，该区域保持透明")
                     .arg(QDir::toNativeSeparators(unreadable[i]),
                          uses.isEmpty() ? QString() : Tr::tr("（%1）").arg(uses));
    }
    if (unreadable.size() > ListedPictures)
        lines << Tr::tr("……以及另外 %1 张无法读取的图片").arg(unreadable.size() - ListedPictures);
    return lines.join(u'\n');
}

} // namespace mrv
