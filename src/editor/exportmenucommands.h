#pragma once

#include "editor/exportprogressrunner.h"
#include "widgets/prompts.h"
#include "export/exportjob.h"
#include "export/exportnames.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace mrv {

class frmEditer;

/// The question asked before an export replaces a file: "<path> 已存在，是否覆盖？".
QString OverwriteQuestion(const QString &path);

/// The first of the paths naming an existing file, leaving out the file the save dialog
/// already asked about; empty when none exists.
QString FirstExistingFile(const QStringList &paths, const FileDialogAnswer &chosen);

/// Every file the frame sequence writes for a project of `frameCount` frames, in order.
QStringList SequenceFiles(const SequenceTarget &target, int frameCount, int loopTimes);

/// The background picture and every frame picture the project-image export writes.
QStringList ProjectImageFiles(const ProjectImagesTarget &target, int frameCount);

/// The editor's export and import commands: the long picture, the frame sequence, the
/// project images (menu entry and button) and the long-picture import. Each asks its
/// questions through the editor's prompts and hands the work to the export engine; the
/// exports run off the window's thread behind a progress dialog.
class ExportMenuCommands : public QObject
{
    Q_OBJECT

public:
    /// Connects `mnuExportLongPic`, `mnuExAniFrame`, `mnuExport`, `cmdExport` and
    /// `mnuImportLongPic` to these commands and enables them. The commands live as long as
    /// the editor (they are its child).
    static ExportMenuCommands &Install(frmEditer &editor);

    explicit ExportMenuCommands(frmEditer &editor);

    /// Exports the 200 x 21000 long picture.
    void mnuExportLongPic_Click();
    /// Exports the numbered frame sequence in playing order.
    void mnuExAniFrame_Click();
    /// Exports the 1024 x 768 background picture and the folder of frame pictures.
    void mnuExport_Click();
    void cmdExport_Click() { mnuExport_Click(); }
    /// Points every frame at a long picture, each at its own cell.
    void mnuImportLongPic_Click();

    ExportProgressRunner &Runner() { return m_runner; }

    static QString LongPictureDoneMessage();
    static QString SequenceDoneMessage();
    static QString ProjectImagesDoneMessage(const QString &backgroundPath,
                                            const QString &baseName);

private:
    /// False (after saying so) when another export is still running.
    bool Idle();
    /// The completion message on success, otherwise what stopped the export.
    void Report(const ExportResult &result, const QString &doneText);
    std::optional<FileDialogAnswer> AskForExportFile(const QString &title, int filterIndex,
                                                     const QString &proposedName);
    /// A Yes/No/Cancel question; nothing when cancelled, else whether Yes was answered.
    std::optional<bool> AskYesNo(const QString &question);
    /// True when none of the paths exists, or the user agreed to replace the first that does
    /// (asked once, and never again about the file the save dialog already asked about).
    bool MayOverwrite(const QStringList &paths, const FileDialogAnswer &chosen);
    void ShowError(const QString &text);
    void ShowInformation(const QString &text, const QString &title);
    /// Shows the frames' new paths in their rows, resolves them and redraws the frame shown.
    void ShowImportedFrames();

    frmEditer &m_editor;
    ExportProgressRunner m_runner;
};

} // namespace mrv
