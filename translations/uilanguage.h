#pragma once

#include "settings/settings.h"

#include <QStringList>
#include <QTranslator>

namespace mrv {

/// Whether the interface speaks English for the user's languages, in the order of
/// QLocale::uiLanguages(): the first of them the program has, English or Chinese, wins.
/// Chinese, the language the program is written in, stays where the list has neither, the
/// C locale included.
bool PrefersEnglish(const QStringList &uiLanguages);

/// Whether the interface speaks English: as chosen in the options dialog, or, where the choice
/// follows the system, as PrefersEnglish says.
bool SpeaksEnglish(LanguageChoice choice, const QStringList &uiLanguages);

/// Loads the English texts of the interface, built into the program, into translator; false
/// when they are missing.
bool LoadEnglish(QTranslator &translator);

/// The translators of the interface's language, installed into the application while this
/// object lives.
class InterfaceTranslators
{
public:
    /// withQtTexts: Qt's own texts (dialog buttons, file dialogs, the system's reasons) follow
    /// the language too; the command line keeps them as Qt writes them.
    explicit InterfaceTranslators(bool withQtTexts) : m_withQtTexts(withQtTexts) {}

    /// English: the program's English texts (Qt's own are English already). Chinese: Qt's own
    /// texts from Qt's translations, where they are installed and wanted.
    void Use(bool english);

private:
    bool m_withQtTexts;
    QTranslator m_program;
    QTranslator m_qt;
};

} // namespace mrv
