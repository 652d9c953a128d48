#pragma once

#include <QString>
#include <QStringView>

#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QUndoStack;

namespace mrv {

class Exporter;

/// A File menu entry of an export target.
struct ExportEntry
{
    const Exporter *exporter = nullptr;
    QAction *action = nullptr;
};

/// The editor's menu bar entries, named by their objectNames.
struct EditorMenus
{
    QMenu *mnuFile = nullptr;
    QAction *mnuNew = nullptr;
    QAction *mnuOpen = nullptr;
    QAction *mnuSave = nullptr;
    QAction *mnuSaveNew = nullptr;
    QAction *mnuBack = nullptr;
    /// One entry per registered export target, in menu order.
    std::vector<ExportEntry> exports;
    QAction *mnuImportLongPic = nullptr;
    QAction *mnuImportFrames = nullptr;
    QAction *mnuExit = nullptr;
    QMenu *mnuEdit = nullptr;
    QAction *mnuUndo = nullptr;
    QAction *mnuRedo = nullptr;
    QMenu *mnuFrame = nullptr;
    QAction *mnuFrameInsertBefore = nullptr;
    QAction *mnuFrameInsertAfter = nullptr;
    QAction *mnuFrameCopy = nullptr;
    QAction *mnuFrameDelete = nullptr;
    QAction *mnuFrameUp = nullptr;
    QAction *mnuFrameDown = nullptr;
    QAction *mnuFrameReverse = nullptr;
    QAction *mnuOptions = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnuCheckUpdates = nullptr;

    /// The export entry of that object name ("mnuExportLongPic"), nullptr for none.
    QAction *Export(QStringView menuName) const;
};

/// Fills the menu bar: the File menu, the Edit menu, the Options entry and the Help menu, with
/// their captions and shortcuts. The File menu has an entry for every registered export
/// target, placed, named and captioned as the target's texts say: the first group after the
/// project commands, every other one after the imports. Entries whose commands the editor does not
/// offer yet (exports, import, options, about, update check) are disabled, and so are undo and redo
/// until bound.
EditorMenus BuildEditorMenus(QMenuBar &bar);
/// The same with these export targets instead of the registered ones.
EditorMenus BuildEditorMenus(QMenuBar &bar, const std::vector<const Exporter *> &targets);

/// The caption of the undo or redo entry: the caption with its mnemonic (`idle`, e.g.
/// "撤销(&U)") while there is no step, else the verb and the step's name ("撤销 移动背景图片").
QString HistoryActionText(const QString &idle, const QString &verb, const QString &step);

/// Makes the entries undo and redo the stack's steps, enabled and named after them.
void BindUndoActions(QUndoStack &stack, QAction &undo, QAction &redo);

} // namespace mrv
