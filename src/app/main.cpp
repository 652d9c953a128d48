// The entry procedure: settings first, then the editor window, then the event loop.

#include "core/settings.h"
#include "core/settingslocation.h"
#include "editor/commandline.h"
#include "editor/frmediter.h"
#include "editor/qtprompts.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Mirovane"));
    mrv::QtPrompts prompts;

    auto settings = mrv::LoadSettings(mrv::HostSettingsFolder());
    if (!settings) {
        prompts.Message({settings.message(), {}, mrv::MsgIcon::Error, mrv::MsgButtons::Ok,
                         mrv::MsgAnswer::Ok});
        return 1;
    }

    mrv::frmEditer editor(*settings, prompts);
    prompts.setParent(&editor);
    QObject::connect(&editor, &mrv::frmEditer::ended, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    editor.Form_Load(mrv::HostCommandLinePaths());
    editor.show();
    return app.exec();
}
