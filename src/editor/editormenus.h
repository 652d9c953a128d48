#pragma once

#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QUndoStack;

namespace mrv {

/// The editor's menu bar entries, named by their objectNames.
struct EditorMenus
{
    QMenu *mnuFile = nullptr;
    QAction *mnuNew = nullptr;
    QAction *mnuOpen = nullptr;
    QAction *mnuSave = nullptr;
    QAction *mnuSaveNew = nullptr;
    QAction *mnuBack = nullptr;
    QAction *mnuExport = nullptr;
    QAction *mnuExAniFrame = nullptr;
    QAction *mnuImportLongPic = nullptr;
    QAction *mnuImportFrames = nullptr;
    QAction *mnuExportLongPic = nullptr;
    QAction *mnuExportAnimation = nullptr;
    QAction *mnuExportPlymouth = nullptr;
    QAction *mnuExportBootAnimation = nullptr;
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
};

/// Fills the menu bar: the File menu, the Edit menu, the Options entry and the Help menu, with
/// their captions and shortcuts. Entries whose commands the editor does not offer yet (exports,
/// import, options, about, update check) are disabled, and so are undo and redo until bound.
EditorMenus BuildEditorMenus(QMenuBar &bar);

/// The caption of the undo or redo entry: the caption with its mnemonic (`idle`, e.g.
/// "撤销(&U)") while there is no step, else the verb and the step's name ("撤销 移动背景图片").
QString HistoryActionText(const QString &idle, const QString &verb, const QString &step);

/// Makes the entries undo and redo the stack's steps, enabled and named after them.
void BindUndoActions(QUndoStack &stack, QAction &undo, QAction &redo);

} // namespace mrv
