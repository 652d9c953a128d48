#include "editor/previewcommands.h"

#include "settings/settings.h"
#include "editor/editormenus.h"
#include "preview/frametime.h"
#include "preview/frmfullscreen.h"
#include "preview/frmoptions.h"
#include "widgets/playback.h"

#include <QAction>
#include <QPushButton>
#include <QSlider>

namespace mrv {

PreviewCommands &PreviewCommands::Install(const EditorContext &context)
{
    auto *commands = new PreviewCommands(context);
    QPushButton *button = &context.fullscreenButton;
    connect(button, &QPushButton::clicked, commands, &PreviewCommands::cmdFullscreen_Click);
    button->setEnabled(true);
    QAction *options = context.menus.mnuOptions;
    connect(options, &QAction::triggered, commands, &PreviewCommands::mnuOptions_Click);
    options->setEnabled(true);
    return *commands;
}

PreviewCommands::PreviewCommands(const EditorContext &context)
    : QObject(&context.window), m_ctx(context),
      m_fullscreenFrameTime(
          StoredFrameTime(*context.settings.WindowDocument, QStringLiteral("frmFullscreen")))
{
    setObjectName(QStringLiteral("previewCommands"));
}

void PreviewCommands::cmdFullscreen_Click()
{
    const bool playing = m_ctx.playTimer.isActive();
    if (playing)
        m_ctx.view.StopPlaying();

    frmFullscreen window(m_ctx.document, m_ctx.cache, *m_ctx.settings.WindowDocument,
                         &m_ctx.window);
    if (playing)
        window.PlayTimer().start();
    window.nFrame = qint16(m_ctx.frameSlider.value());
    window.Form_Load();
    // The layout restore has read the stored time; a time set in the options dialog during
    // this run is the one in force.
    window.PlayTimer().SetFrameTime(m_fullscreenFrameTime);
    window.exec();
}

void PreviewCommands::mnuOptions_Click()
{
    frmOptions dialog(m_ctx.settings, m_ctx.prompts, m_ctx.playTimer, m_fullscreenFrameTime,
                      &m_ctx.window);
    dialog.Form_Load();
    dialog.exec();
}

} // namespace mrv
