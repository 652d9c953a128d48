#include "update/changelog.h"

#include "support/regexutil.h"
#include "support/tr.h"

#include <QList>

namespace mrv {

namespace {

const QString ListPattern = QStringLiteral("<ul[^>]*>([\\d\\D]*?)<\\/ul[^>]*>");
const QString ItemPattern = QStringLiteral("<li[^>]*?>([^<]*)");
const QString BreakPattern = QStringLiteral("<[^br<>]*br[^br<>]*>");

QString numberedItems(const QString &listBody)
{
    QList<MatchInfo> items;
    RegexMatches(listBody, ItemPattern, items, QStringLiteral("$1"));
    QString lines;
    for (qsizetype k = 0; k < items.size(); ++k)
        lines += Tr::tr("%1、%2").arg(QString::number(k + 1), items[k].Rewrites.value(0))
                 + UpdateLineBreak;
    return lines;
}

} // namespace

QString ParseChangeLog(const QString &log)
{
    QList<MatchInfo> lists;
    RegexMatches(log, ListPattern, lists, QStringLiteral("$1"));
    QString text = log;
    for (const MatchInfo &list : lists)
        text.replace(list.Value, numberedItems(list.Rewrites.value(0)), Qt::CaseSensitive);
    return RegexReplace(text, BreakPattern, UpdateLineBreak);
}

} // namespace mrv
