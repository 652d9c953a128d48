#pragma once

#include "editor/editorcontext.h"

#include <QObject>

namespace mrv {

/// Opens the full-screen preview and the options dialog from the editor: its full-screen
/// button and its Options menu entry. Holds the full-screen frame time between openings.
class PreviewCommands : public QObject
{
    Q_OBJECT

public:
    /// Connects the editor's `cmdFullscreen` and `mnuOptions` to these commands and enables
    /// them. The commands live as long as the editor (they are its child).
    static PreviewCommands &Install(const EditorContext &context);

    explicit PreviewCommands(const EditorContext &context);

    /// Shows the full-screen preview modally at the editor's current frame. Playback moves
    /// there when the editor was playing; the editor is left stopped afterwards.
    void cmdFullscreen_Click();

    /// Shows the options dialog modally.
    void mnuOptions_Click();

    /// The interval the full-screen play timer gets when the window opens, in milliseconds.
    int FullscreenFrameTime() const { return m_fullscreenFrameTime; }

private:
    const EditorContext m_ctx;
    int m_fullscreenFrameTime;
};

} // namespace mrv
