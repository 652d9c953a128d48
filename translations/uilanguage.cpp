#include "uilanguage.h"

#include <QRegularExpression>
#include <QTranslator>

namespace mrv {

bool PrefersEnglish(const QStringList &uiLanguages)
{
    if (uiLanguages.isEmpty())
        return false;
    const QString first = uiLanguages.first();
    const qsizetype end = first.indexOf(QRegularExpression(QStringLiteral("[-_.@]")));
    return first.left(end).compare(u"en", Qt::CaseInsensitive) == 0;
}

bool LoadEnglish(QTranslator &translator)
{
    return translator.load(QStringLiteral(":/i18n/mirovane_en.qm"));
}

} // namespace mrv
