#pragma once

#include "edit/frameedit.h"
#include "editor/editorcontext.h"

#include <QList>
#include <QObject>

class QAction;
class QMenu;

namespace mrv {

/// The edits of the picked frames in the 帧 menu, each one undo step: 居中 (the visible part of
/// each picture in the middle of the animation area), 稳定 (each frame where it best matches the
/// one before it, within a search range asked for) and 颜色和大小 (hue, saturation, brightness
/// and size, asked in a dialog that previews the current frame); and the onion skin of 视图,
/// kept in the settings: while a frame is placed, the frames before and after it show faintly.
class FrameEditCommands : public QObject
{
    Q_OBJECT

public:
    /// Adds the entries to the 帧 menu and the toggle to `viewMenu`; they live as long as the
    /// editor (the commands are its child).
    static FrameEditCommands &Install(const EditorContext &context, QMenu &viewMenu);

    FrameEditCommands(const EditorContext &context, QMenu &viewMenu);

    void CentreFrames();
    void SteadyFrames();
    void AdjustFrames();
    void SetOnionSkin(bool on);

    QAction *CentreAction() const { return m_centre; }
    QAction *SteadyAction() const { return m_steady; }
    QAction *AdjustAction() const { return m_adjust; }
    QAction *OnionSkinAction() const { return m_onion; }

private:
    QList<int> Targets() const;
    /// The picked frames, new pictures beside the project file.
    FrameEditRequest Request() const;
    /// Makes the edit's frames the project's in one step named `name`, or says why not.
    void Apply(const FrameEditResult &result, const QString &name);

    const EditorContext m_ctx;
    QAction *m_centre;
    QAction *m_steady;
    QAction *m_adjust;
    QAction *m_onion;
};

} // namespace mrv
