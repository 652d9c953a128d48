#include "editor/helpcommands.h"

#include "editor/editormenus.h"
#include "editor/frmediter.h"
#include "editor/updateflow.h"

#include <QAction>

namespace mrv {

UpdateFlow &InstallHelpCommands(frmEditer &editor)
{
    auto *flow = new UpdateFlow(editor.AppPrompts(), editor.AppSettings(), &editor);
    const EditorMenus &menus = editor.Menus();
    QObject::connect(menus.mnuCheckUpdates, &QAction::triggered, flow, &UpdateFlow::CheckNow);
    QObject::connect(menus.mnuAbout, &QAction::triggered, flow, &UpdateFlow::ShowAbout);
    menus.mnuCheckUpdates->setEnabled(true);
    menus.mnuAbout->setEnabled(true);
    flow->StartAfterLaunch();
    return *flow;
}

} // namespace mrv
