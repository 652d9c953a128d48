#pragma once

#include <QStringList>

class QTranslator;

namespace mrv {

/// Whether the interface speaks English for the system's UI languages, in the order of
/// QLocale::uiLanguages(): only when the first one is English. Chinese, the language the
/// program is written in, stays for every other language and for the C locale.
bool PrefersEnglish(const QStringList &uiLanguages);

/// Loads the English texts of the interface, built into the program, into translator; false
/// when they are missing.
bool LoadEnglish(QTranslator &translator);

} // namespace mrv
