#pragma once

class QAction;
class QMenu;
class QMenuBar;

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
    QAction *mnuExportLongPic = nullptr;
    QAction *mnuExit = nullptr;
    QAction *mnuOptions = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnuCheckUpdates = nullptr;
};

/// Fills the menu bar: the File menu, the Options entry and the Help menu, with their
/// captions and shortcuts. Entries whose commands the editor does not offer yet (exports,
/// import, options, about, update check) are disabled.
EditorMenus BuildEditorMenus(QMenuBar &bar);

} // namespace mrv
