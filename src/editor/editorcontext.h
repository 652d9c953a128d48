#pragma once

#include "document/projectdocument.h"

class QLineEdit;
class QPushButton;
class QSlider;
class QWidget;

namespace mrv {

class EditorPreview;
class FrameList;
class FrameModel;
class FrameTimer;
class PictureCache;
class ProjectCommands;
class Prompts;
class ThumbnailStrip;
struct EditorMenus;
struct Settings;

/// What the window does for its commands beyond the document: whether its boxes take edits
/// now, the edit session of the focused box, redrawing the preview and stopping playback.
class EditorView
{
public:
    /// False while the window fills its boxes itself: their change handlers store nothing.
    virtual bool UiReady() const = 0;
    /// The edit session of the box that has the focus (a new one each time a box gets it).
    virtual EditSession CurrentEditSession() const = 0;
    /// Mode 0 redraws the background (and then the frame), mode 1 the current frame.
    virtual void PicRedraw(quint8 mode) = 0;
    /// Stops the editor's playback (and shows the play button's start text); nothing when
    /// it is not playing.
    virtual void StopPlaying() = 0;

protected:
    ~EditorView() = default;
};

/// What an editor command works with, in place of the whole window: the open project, the
/// services around it, and the few parts of the window the commands attach to. The window
/// fills it; every reference lives as long as the window.
struct EditorContext
{
    QWidget &window; ///< owns the commands, parents their dialogs and menus
    ProjectDocument &document;
    Prompts &prompts;
    Settings &settings;
    PictureCache &cache;
    EditorPreview &preview;
    ProjectCommands &projects; ///< New/Open/Save As and the unsaved-changes question
    EditorView &view;
    FrameTimer &playTimer;
    const EditorMenus &menus;
    QSlider &frameSlider; ///< the current frame as the user sees it
    FrameModel &frameModel; ///< the frames and their selection, the current frame among it
    FrameList &frames;
    ThumbnailStrip &strip;
    QLineEdit &backgroundBox;
    QPushButton &backgroundBrowse;
    QPushButton &backgroundSetting;
    QWidget &previewSurface; ///< `picBG` and `picA` 0, where a project is dropped
    QWidget &activitySurface;
    QPushButton &exportButton;
    QPushButton &fullscreenButton;
};

} // namespace mrv
