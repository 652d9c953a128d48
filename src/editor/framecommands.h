#pragma once

#include "editor/editorcontext.h"
#include "import/frameimport.h"
#include "support/filetypes.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>

namespace mrv {

struct ImportRequest;

/// The file types of the frame import's dialog: every picture type the program reads, the
/// animated GIF, WebP and APNG among them.
DlgFTlist FrameImportTypes();

/// The frames a row command acts on: the picked rows when `row` is one of several picked,
/// else `row` alone.
QList<int> RowsToActOn(int row, const QList<int> &selection);

/// The files of a folder that are not of a picture type the import reads, in natural order,
/// each with the reason it is left out.

/// What a drop of several files or folders gives: each folder's pictures and the picture
/// files themselves, in natural order, and every other file, which is left out.
struct DroppedFiles
{
    QStringList pictures;
    QList<SkippedPicture> leftOut;
};
DroppedFiles SortDroppedFiles(const QStringList &dropped);

/// Frames in bulk: the import of a folder or an animated picture (File menu), the frame menu
/// with the same entries on each row's context menu, the Delete and Insert keys of the list,
/// and drops of many files onto the list. Each change is one undo step.
class FrameCommands : public QObject
{
    Q_OBJECT

public:
    /// Connects `mnuImportFrames`, the frame menu, the row menus, keys and drops, and enables
    /// them. The commands live as long as the editor (they are its child).
    static FrameCommands &Install(const EditorContext &context);

    explicit FrameCommands(const EditorContext &context);

    /// Asks for a folder or a picture file and makes its pictures the frames.
    void mnuImportFrames_Click();
    /// The import without the dialog: the chosen folder or picture. False when nothing changed.
    bool ImportFrom(const QString &source);

    void InsertBefore();
    void InsertAfter();
    void CopyFrames();
    void DeleteFrames();
    void MoveUp();
    void MoveDown();
    void ReverseFrames();

    /// Several files, or folders, dropped over row `row` fill the rows from there on.
    void DropFiles(int row, const QStringList &files);
    /// Files or folders dropped on the thumbnail strip: their pictures become new frames
    /// before frame `before`, in one step.
    void InsertFiles(int before, const QStringList &files);

    /// Shows the row menu for row `row` at the screen position (`lblFrame` context menu).
    void ShowRowMenu(int row, QPoint globalPos);

private:
    void ConnectEntries();
    void UpdateEntries();
    int CurrentRow() const;
    QList<int> Targets() const;
    /// Moves the picked rows (or the current one) one place up (step < 0) or down; each row
    /// stays picked.
    void StepRows(int step);
    /// Makes `first`..`first + count - 1` the picked rows and `first` the current frame.
    void Pick(int first, int count);
    /// The files left out and, when asked, what the frame count means for the boot screen.
    /// A clip's frames are written beside the project: asks to save a new one first. False
    /// when it stays unsaved.
    bool SavedForClip();
    /// The notice of what the import did, then the frame-count warning and the files left out.
    void ShowImportProblems(const QList<SkippedPicture> &skipped, bool warnCount,
                            const QString &notice = {});
    void ShowError(const QString &text);
    /// The frames for dropped files or folders and what was left out; none (after saying
    /// so) when there are more pictures than one import takes.
    std::optional<FrameImport> DroppedFrames(const QStringList &files);

    const EditorContext m_ctx;
    DlgFTlist m_types;
};

} // namespace mrv
