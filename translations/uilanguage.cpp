#include "uilanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>

namespace mrv {

bool PrefersEnglish(const QStringList &uiLanguages)
{
    static const QRegularExpression languageEnd(QStringLiteral("[-_.@]"));
    for (const QString &entry : uiLanguages) {
        const QStringView language = QStringView(entry).left(entry.indexOf(languageEnd));
        if (language.compare(u"en", Qt::CaseInsensitive) == 0)
            return true;
        if (language.compare(u"zh", Qt::CaseInsensitive) == 0)
            return false;
    }
    return false;
}

bool SpeaksEnglish(LanguageChoice choice, const QStringList &uiLanguages)
{
    switch (choice) {
    case LanguageChoice::Chinese: return false;
    case LanguageChoice::English: return true;
    case LanguageChoice::System: break;
    }
    return PrefersEnglish(uiLanguages);
}

bool LoadEnglish(QTranslator &translator)
{
    return translator.load(QStringLiteral(":/i18n/mirovane_en.qm"));
}

void InterfaceTranslators::Use(bool english)
{
    QCoreApplication::removeTranslator(&m_program);
    QCoreApplication::removeTranslator(&m_qt);
    if (english) {
        if (LoadEnglish(m_program))
            QCoreApplication::installTranslator(&m_program);
    } else if (m_withQtTexts &&
               m_qt.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&m_qt);
    }
}

} // namespace mrv
