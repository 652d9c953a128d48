// The entry procedure: settings first, then the editor window, then the event loop.

#include "appicon.h"
#include "uilanguage.h"
#include "settings/settings.h"
#include "settings/settingslocation.h"
#include "editor/commandline.h"
#include "editor/exportmenucommands.h"
#include "editor/framecommands.h"
#include "editor/frameeditcommands.h"
#include "editor/frmediter.h"
#include "editor/helpcommands.h"
#include "widgets/qtprompts.h"
#include "editor/previewcommands.h"

#include "support/appinfo.h"

#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <optional>

namespace {

// Answers --help and --version without a window; nullopt when the editor should start.
std::optional<int> AnswerWithoutWindow(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--version") {
            std::printf("mirovane %s\n", qPrintable(mrv::AppInfo::VersionText()));
            return 0;
        }
        if (arg == "--help" || arg == "-h") {
            std::printf("Usage: mirovane [PROJECT.mrv ...]\n"
                        "The Mirovane editor for Windows 7 boot animations; each project named\n"
                        "opens in a window of its own. Without a window: mirovane-cli --help.\n");
            return 0;
        }
    }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt would abort with a long message; one line says what is missing.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "mirovane: no display (DISPLAY or WAYLAND_DISPLAY is not set); "
                             "mirovane-cli works without one\n");
        return 2;
    }
#endif
    return std::nullopt;
}

} // namespace

int main(int argc, char **argv)
{
    if (const std::optional<int> answered = AnswerWithoutWindow(argc, argv))
        return *answered;
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Mirovane"));
    // Wayland compositors find the installed desktop entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.mirovane.Mirovane"));
    QApplication::setWindowIcon(mrv::AppIcon());

    // English where the options say so or, following the system, where English comes before
    // Chinese in the user's languages; everywhere else the program speaks Chinese, and so do
    // Qt's own buttons and dialogs. Until the settings are read, the system decides.
    const QStringList systemLanguages = QLocale::system().uiLanguages();
    mrv::InterfaceTranslators translators(true);
    translators.Use(mrv::PrefersEnglish(systemLanguages));

    mrv::QtPrompts prompts;
    auto settings = mrv::LoadSettings(mrv::HostSettingsFolder());
    if (!settings) {
        prompts.Message({settings.message(), {}, mrv::MsgIcon::Error, mrv::MsgButtons::Ok,
                         mrv::MsgAnswer::Ok});
        return 1;
    }
    if (settings->Language != mrv::LanguageChoice::System)
        translators.Use(mrv::SpeaksEnglish(settings->Language, systemLanguages));

    mrv::frmEditer editor(*settings, prompts);
    prompts.setParent(&editor);
    QObject::connect(&editor, &mrv::frmEditer::ended, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    editor.Form_Load(mrv::HostCommandLinePaths());
    // Commands of the other windows attach after the load step, which disables what the
    // editor itself does not offer.
    mrv::PreviewCommands::Install(editor.Context());
    mrv::ExportMenuCommands::Install(editor.Context());
    mrv::InstallHelpCommands(editor.Context());
    mrv::FrameCommands::Install(editor.Context());
    mrv::FrameEditCommands::Install(editor.Context(), *editor.ViewMenu());
    editor.show();
    return app.exec();
}
