#include "uilanguage.h"
#include "export/exporter.h"
#include "export/exportregistry.h"
#include "project/mvk.h"
#include "settings/settings.h"
#include "settings/settingslocation.h"
#include "support/filetypes.h"
#include "widgets/exportoptionsdialog.h"
#include "widgets/playback.h"
#include "preview/frmoptions.h"
#include "preview/fullscreengeometry.h"
#include "editor/editorcontrols.h"
#include "editor/editormenus.h"
#include "editor/exportmenucommands.h"
#include "editor/framecommands.h"
#include "editor/frmediter.h"
#include "editor/frmsetting.h"
#include "scriptedprompts.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace mrv;

TEST(UiLanguage, TheFirstLanguageOfTheListThatTheProgramHasWins)
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
        {{QStringLiteral("de-DE"), QStringLiteral("en")}, true},
        {{QStringLiteral("de"), QStringLiteral("zh-TW"), QStringLiteral("en")}, false},
        {{QStringLiteral("eo"), QStringLiteral("fr")}, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PrefersEnglish(c.languages), c.english) << c.languages.join(u',').toStdString();
}

TEST(UiLanguage, TheOptionsChoiceOverridesTheSystem)
{
    const QStringList english{QStringLiteral("en-US")};
    const QStringList chinese{QStringLiteral("zh-CN")};
    const struct
    {
        LanguageChoice choice;
        const QStringList &system;
        bool english;
    } cases[] = {{LanguageChoice::System, english, true},
                 {LanguageChoice::System, chinese, false},
                 {LanguageChoice::Chinese, english, false},
                 {LanguageChoice::English, chinese, true}};
    for (const auto &c : cases)
        EXPECT_EQ(SpeaksEnglish(c.choice, c.system), c.english) << int(c.choice);
}

namespace {

bool HasChinese(const QString &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

void AddWidgetTexts(const QWidget &window, QStringList &texts)
{
    if (!window.windowTitle().isEmpty())
        texts << window.windowTitle();
    for (const QLabel *label : window.findChildren<QLabel *>())
        texts << label->text();
    for (const QAbstractButton *button : window.findChildren<QAbstractButton *>())
        texts << button->text();
    for (const QComboBox *box : window.findChildren<QComboBox *>())
        for (int i = 0; i < box->count(); ++i)
            // A language is listed by its own name, in any interface language.
            if (box->itemText(i) != u"简体中文")
                texts << box->itemText(i);
}

/// Every text of the editor's menus, the controls of its main window, the options, offset and
/// export dialogs, the full-screen help and the file dialogs' types, as built now.
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
    AddWidgetTexts(client, texts);

    Settings settings;
    test::ScriptedPrompts prompts;
    FrameTimer timer;
    int fullscreenTime = 75;
    frmOptions options(settings, prompts, timer, fullscreenTime);
    AddWidgetTexts(options, texts);
    MVK project;
    project.AddNew();
    frmSetting offset(project, pugi::xml_node(), prompts);
    offset.PicIndex = 3;
    offset.Form_Load();
    AddWidgetTexts(offset, texts);
    ExportOptionsDialog exportOptions(OptionsRequest{});
    AddWidgetTexts(exportOptions, texts);
    texts << FullscreenHelpText(1);
    for (const DlgFTlist &types : {MakeProjectTypes(), MakeImageTypes(), MakeExportTypes()})
        texts << types.NameFilters();
    return texts;
}

} // namespace

TEST(UiLanguage, EnglishReachesTheMainWindowAndTheDialogs)
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

namespace {

/// What the editor says along an import of frames and the questions after it: the dialog's
/// title, every message with its title and the undo entry the import made.
QStringList ImportTexts()
{
    test::TempFolder folder;
    folder.write(ConfigFileName, DefaultConfiguration());
    Settings settings = std::move(*LoadSettings(folder.path()));
    test::ScriptedPrompts prompts;
    frmEditer window(settings, prompts);
    window.Form_Load({});
    FrameCommands::Install(window.Context());
    folder.write(QStringLiteral("seq/2.png"), "broken");
    QImage picture(20, 20, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    picture.save(folder.file(QStringLiteral("seq/1.png")));
    folder.write(QStringLiteral("seq/notes.txt"), "not a picture");
    prompts.answerFile(FileDialogAnswer{folder.file(QStringLiteral("seq")), 1});
    window.Menus().mnuImportFrames->trigger();
    const QString undo = window.Menus().mnuUndo->text();
    window.Menus().mnuNew->trigger(); // unsaved changes: the question, cancelled
    prompts.answerFile(FileDialogAnswer{folder.file(QStringLiteral("missing")), 1});
    window.Menus().mnuImportFrames->trigger();

    QStringList texts{undo};
    for (const FileDialogRequest &request : prompts.files)
        texts << request.title;
    for (const MessageRequest &message : prompts.messages)
        texts << message.text << message.title;
    return texts;
}

} // namespace

TEST(UiLanguage, EnglishReachesTheImportMessagesAndTheQuestions)
{
    const QStringList chinese = ImportTexts();
    ASSERT_EQ(chinese.size(), 9) << chinese.join(u'|').toStdString();
    for (const QString &text : chinese)
        EXPECT_TRUE(HasChinese(text)) << text.toStdString();

    QTranslator english;
    ASSERT_TRUE(LoadEnglish(english));
    QCoreApplication::installTranslator(&english);
    const QStringList translated = ImportTexts();
    QCoreApplication::removeTranslator(&english);

    ASSERT_EQ(translated.size(), chinese.size());
    for (const QString &text : translated)
        EXPECT_FALSE(HasChinese(text)) << text.toStdString();
}

namespace {

/// What the editor says along a run of every export target over a project whose background
/// cannot be read: the save dialog's title and proposed name, the options it asks for and the
/// messages, the warnings among them.
QStringList ExportRunTexts()
{
    test::TempFolder folder;
    folder.write(ConfigFileName, DefaultConfiguration());
    Settings settings = std::move(*LoadSettings(folder.path()));
    QImage picture(40, 40, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    MVK project;
    project.AddNew();
    project.aName = QStringLiteral("anim");
    project.aFrame = aFrame();
    for (int i = 1; i <= 2; ++i) {
        picture.save(folder.file(QStringLiteral("f%1.png").arg(i)));
        project.aFrame.Add(QStringLiteral("f%1.png").arg(i), 0, 0);
    }
    const QString path = folder.file(QStringLiteral("anim.mrv"));
    EXPECT_TRUE(project.SaveFile(path, {}).ok());
    QDir(folder.path()).mkdir(QStringLiteral("out"));

    test::ScriptedPrompts prompts;
    frmEditer window(settings, prompts);
    window.Form_Load({{path, path}});
    ExportMenuCommands::Install(window.Context());
    QStringList texts;
    for (const Exporter *exporter : ExportRegistry::All()) {
        const QString out = folder.file(QStringLiteral("out"));
        prompts.answerFile(FileDialogAnswer{
            exporter->destination() == ExportDestination::Folder ? out
                                                                 : out + u'/' + exporter->id(),
            1});
        prompts.answerOptions(QVariantMap());
        window.Menus().mnuFile->findChild<QAction *>(exporter->menuName())->trigger();
    }
    for (const FileDialogRequest &request : prompts.files)
        texts << request.title << request.proposedName;
    for (const OptionsRequest &request : prompts.options) {
        texts << request.title;
        for (const ExportOptionSpec &spec : request.specs) {
            texts << spec.prompt << spec.promptTitle;
            for (const OptionChoice &choice : spec.choices)
                texts << choice.caption;
        }
    }
    for (const MessageRequest &message : prompts.messages)
        texts << message.text << message.title;
    return texts;
}

} // namespace

TEST(UiLanguage, EnglishReachesEveryExportTargetsDialogsAndMessages)
{
    const QStringList chinese = ExportRunTexts();
    ASSERT_TRUE(std::any_of(chinese.begin(), chinese.end(), HasChinese));

    QTranslator english;
    ASSERT_TRUE(LoadEnglish(english));
    QCoreApplication::installTranslator(&english);
    const QStringList translated = ExportRunTexts();
    QCoreApplication::removeTranslator(&english);

    ASSERT_EQ(translated.size(), chinese.size());
    for (const QString &text : translated)
        EXPECT_FALSE(HasChinese(text)) << text.toStdString();
}
