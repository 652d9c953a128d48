#include "uilanguage.h"
#include "editor/editorcontrols.h"
#include "editor/editormenus.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace mrv;

TEST(UiLanguage, EnglishOnlyWhereTheFirstLanguageIsEnglish)
{
    const struct
    {
        QStringList languages;
        bool english;
    } cases[] = {
        {{QStringLiteral("en-US"), QStringLiteral("en-Latn-US"), QStringLiteral("en")}, true},
        {{QStringLiteral("EN_gb.UTF-8")}, true},
        {{QStringLiteral("C")}, false},
        {{}, false},
        {{QStringLiteral("zh-CN"), QStringLiteral("zh"), QStringLiteral("en")}, false},
        {{QStringLiteral("de-DE"), QStringLiteral("en")}, false},
        {{QStringLiteral("eo")}, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PrefersEnglish(c.languages), c.english) << c.languages.join(u',').toStdString();
}

namespace {

bool HasChinese(const QString &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

/// Every text of the editor's menus and of the controls of its main window, as built now.
QStringList InterfaceTexts()
{
    QMenuBar bar;
    QWidget client;
    BuildEditorMenus(bar);
    BuildEditorControls(client);
    QStringList texts;
    for (const QMenu *menu : bar.findChildren<QMenu *>())
        texts << menu->title();
    for (const QAction *action : bar.findChildren<QAction *>())
        if (!action->isSeparator())
            texts << action->text();
    for (const QLabel *label : client.findChildren<QLabel *>())
        texts << label->text();
    for (const QAbstractButton *button : client.findChildren<QAbstractButton *>())
        texts << button->text();
    return texts;
}

} // namespace

TEST(UiLanguage, EnglishReachesEveryMenuAndControlOfTheMainWindow)
{
    const QStringList chinese = InterfaceTexts();
    ASSERT_TRUE(std::any_of(chinese.begin(), chinese.end(), HasChinese));

    QTranslator english;
    ASSERT_TRUE(LoadEnglish(english));
    QCoreApplication::installTranslator(&english);
    const QStringList translated = InterfaceTexts();
    QCoreApplication::removeTranslator(&english);

    ASSERT_EQ(translated.size(), chinese.size());
    for (const QString &text : translated)
        EXPECT_FALSE(HasChinese(text)) << text.toStdString();
    // Without the translator the program is as it always was.
    EXPECT_EQ(InterfaceTexts(), chinese);
}
