#pragma once

#include <QCoreApplication>

namespace mrv {

/// The program's texts for the translations. Every text is in the one context "Mirovane", so
/// a text keeps its translation when the code that says it moves to another file, class or
/// layer. Write `Tr::tr("中文")` where the text is made; a text kept in a table or made before
/// the language is chosen is marked `QT_TRANSLATE_NOOP("Mirovane", "中文")` and goes through
/// `Tr::tr` where it is shown. The same text with two meanings takes a disambiguation
/// (`Tr::tr("中文", "where")`).
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(Mirovane)
};

} // namespace mrv
