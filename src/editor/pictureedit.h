#pragma once

#include "editor/editorcontext.h"
#include "support/pathrules.h"

#include <QObject>
#include <QString>

class QWidget;

namespace mrv {

class FileDropTarget;
struct aImage;

/// True when the path ends in a picture extension the path boxes take from a drop: the text
/// after the last "." is jpeg, jpg, bmp, png, gif, tif or tiff, in lower case exactly.
bool HasDropPictureExtension(const QString &path);

/// True when a dropped file may go into a path box: it exists and has a drop extension.
bool IsDroppablePicture(const QString &path);

/// Editing of the pictures in the editor window: the background and frame path boxes, their
/// browse buttons, file drops onto them, the offset dialog behind the adjust buttons, and a
/// project dropped onto the preview. Every change goes to the project document as an undo
/// step; the boxes and their path marks follow the document's signals.
class PictureEdit : public QObject
{
    Q_OBJECT

public:
    /// Connects the editing controls of the window, the frame rows included.
    explicit PictureEdit(const EditorContext &context);

    /// The background path box's text becomes the background picture (while the UI is ready).
    void txtBackground_Change();
    /// Text typed into row `row`'s path box becomes frame `row`'s picture (while the UI is
    /// ready).
    void txtFrame_Change(int row, const QString &text);

    /// Shows the background's path in its box and marks the box when the picture cannot be
    /// read (decoding it), after the background changed.
    void ShowBackgroundPath();

    void cmdBackground_Browse_Click();
    void cmdFrame_Browse_Click(int row);

    /// A picture file dropped onto the background path box or its browse button.
    void txtBackground_OLEDragDrop(const QString &file);
    /// A picture file dropped onto row `row`'s path box or its browse button.
    void txtFrame_OLEDragDrop(int row, const QString &file);
    /// A file dropped onto the preview, opened as a project after the unsaved-changes
    /// question. False when nothing was opened.
    bool picBG_OLEDragDrop(const QString &file);

    /// Marks the background's box when its picture cannot be read (judged without decoding
    /// it), after a project or a new frame list was shown; the frame rows show their frames'
    /// marks.
    void ShowBackgroundProblem();

    /// Opens the offset dialog for the background (0) or frame `index`.
    void OpenSetting(int index);
    void cmdBackground_Setting_Click() { OpenSetting(0); }
    void cmdFrame_Setting_Click(int row) { OpenSetting(row); }

private:
    void ConnectControls();
    /// Why a path just typed, browsed or dropped names no drawable picture; empty when it does.
    QString EditedPathProblem(const QString &url, const QString &resolved) const;
    /// The relative-path rule applied to a chosen file; the text goes into the box.
    QString BoxTextFor(const QString &file) const;
    void PutBackgroundText(const QString &text);
    void PutFrameText(int row, const QString &text);
    /// Asks for a picture file; empty when the dialog was cancelled.
    QString BrowsePicture();
    /// Draws the picture at offsets the offset dialog shows but has not stored.
    void ShowOffset(int index, qint16 x, qint16 y);

    const EditorContext m_ctx;
    FileDropTarget *m_pictureDrops = nullptr;
    FileDropTarget *m_projectDrops = nullptr;
};

} // namespace mrv
