#pragma once

#include "editor/editorcontext.h"
#include "editor/importexportrunner.h"
#include "widgets/prompts.h"
#include "export/exportjob.h"
#include "export/exportnames.h"
#include "export/exportoptions.h"
#include "export/exportsource.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace mrv {

class Exporter;

/// The title of a target's options dialog: the one its questions share, else its menu text.
QString OptionsTitle(const Exporter &exporter);
/// A menu entry's text without its accelerator and its trailing "...":
/// "导出动画图片(&G)..." gives "导出动画图片".
QString MenuCommandText(const QString &label);

/// The question asked before an export replaces a file: "<path> 已存在，是否覆盖？".
QString OverwriteQuestion(const QString &path);

/// The first of the paths naming an existing file, leaving out the file the save dialog
/// already asked about; empty when none exists.
QString FirstExistingFile(const QStringList &paths, const FileDialogAnswer &chosen);

/// The editor's export and import commands: every registered export target (its menu entry,
/// and the project-image button) and the long-picture import. An export asks for its file and
/// its options through the editor's prompts, asks before replacing files, and runs off the
/// window's thread behind a progress dialog.
class ExportMenuCommands : public QObject
{
    Q_OBJECT

public:
    /// Connects each export target's File menu entry, `cmdExport` and
    /// `mnuImportLongPic` to these commands and enables them. The commands live as long as the
    /// editor (they are its child).
    static ExportMenuCommands &Install(const EditorContext &context);

    explicit ExportMenuCommands(const EditorContext &context);

    /// Asks for the file and the options of an export target, then writes it: the shared steps
    /// of every export entry.
    void RunExporter(const Exporter &exporter);
    /// Exports the 1024 x 768 background picture and the folder of frame pictures.
    void cmdExport_Click();
    /// Points every frame at a long picture, each at its own cell.
    void mnuImportLongPic_Click();

    ImportExportRunner &Runner() { return m_runner; }

private:
    /// A copy of the open project with its resolved picture paths; none without a project.
    std::optional<ExportSource> CurrentSource() const;
    /// False (after saying so) when another export is still running.
    bool Idle();
    /// The completion message on success, otherwise what stopped the export; either with the
    /// warnings about pictures that could not be read.
    void Report(const ExportResult &result, const QString &doneText, const QString &warnings);
    /// Names the numbered files of the written set that the export did not write (an earlier,
    /// longer run's) and removes them when the user agrees; never unasked.
    void OfferToRemoveLeftovers(const QStringList &leftovers);
    std::optional<FileDialogAnswer> AskForExportFile(const Exporter &exporter, const MVK &project);
    /// The types of the picture-file dialog AskForExportFile showed last.
    const DlgFTlist &PictureTypes() const;
    /// Asks for all the target's options in one dialog, which opens with the values chosen
    /// in its last export (else the proposed ones) and keeps the new ones for the next; false
    /// when cancelled. A target without options asks nothing.
    bool AskOptions(const Exporter &exporter, ExportOptions &options);
    /// True when none of the paths exists, or the user agreed to replace the first that does
    /// (asked once, and never again about the file the save dialog already asked about).
    bool MayOverwrite(const QStringList &paths, const FileDialogAnswer &chosen);
    void ShowError(const QString &text);
    void ShowInformation(const QString &text, const QString &title);

    const EditorContext m_ctx;
    ImportExportRunner m_runner;
    /// The types of the last save dialog of a target with types of its own.
    DlgFTlist m_ownTypes;
};

} // namespace mrv
