#include "editor/previewcommands.h"

#include "settings/settings.h"
#include "editor/frmediter.h"
#include "preview/frametime.h"
#include "preview/frmfullscreen.h"
#include "preview/frmoptions.h"

#include <QAction>
#include <QPushButton>
#include <QSlider>

namespace mrv {

PreviewCommands &PreviewCommands::Install(frmEditer &editor)
{
    auto *commands = new PreviewCommands(editor);
    QPushButton *button = editor.Controls().cmdFullscreen;
    connect(button, &QPushButton::clicked, commands, &PreviewCommands::cmdFullscreen_Click);
    button->setEnabled(true);
    QAction *options = editor.Menus().mnuOptions;
    connect(options, &QAction::triggered, commands, &PreviewCommands::mnuOptions_Click);
    options->setEnabled(true);
    return *commands;
}

PreviewCommands::PreviewCommands(frmEditer &editor)
    : QObject(&editor), m_editor(editor),
      m_fullscreenFrameTime(
          StoredFrameTime(*editor.AppSettings().WindowDocument, QStringLiteral("frmFullscreen")))
{
    setObjectName(QStringLiteral("previewCommands"));
}

void PreviewCommands::cmdFullscreen_Click()
{
    const bool playing = m_editor.PlayTimer().isActive();
    if (playing)
        m_editor.cmdPlay_Click();

    frmFullscreen window(m_editor.Document(), m_editor.Cache(),
                         *m_editor.AppSettings().WindowDocument, &m_editor);
    if (playing)
        window.PlayTimer().start();
    window.nFrame = qint16(m_editor.Controls().sldFrame->value());
    window.Form_Load();
    // The layout restore has read the stored time; a time set in the options dialog during
    // this run is the one in force.
    window.PlayTimer().SetFrameTime(m_fullscreenFrameTime);
    window.exec();
}

void PreviewCommands::mnuOptions_Click()
{
    frmOptions dialog(m_editor.AppSettings(), m_editor.AppPrompts(), m_editor.PlayTimer(),
                      m_fullscreenFrameTime, &m_editor);
    dialog.Form_Load();
    dialog.exec();
}

} // namespace mrv
