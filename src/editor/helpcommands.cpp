#include "editor/helpcommands.h"

#include "editor/editorcontext.h"
#include "editor/editormenus.h"
#include "editor/updateflow.h"

#include <QAction>
#include <QWidget>

namespace mrv {

UpdateFlow &InstallHelpCommands(const EditorContext &context)
{
    auto *flow = new UpdateFlow(context.prompts, context.settings, &context.window);
    const EditorMenus &menus = context.menus;
    QObject::connect(menus.mnuCheckUpdates, &QAction::triggered, flow, &UpdateFlow::CheckNow);
    QObject::connect(menus.mnuAbout, &QAction::triggered, flow, &UpdateFlow::ShowAbout);
    menus.mnuCheckUpdates->setEnabled(true);
    menus.mnuAbout->setEnabled(true);
    flow->StartAfterLaunch();
    return *flow;
}

} // namespace mrv
