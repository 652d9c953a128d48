#pragma once

#include "export/exportjob.h"
#include "export/exportoptions.h"
#include "export/exportsource.h"
#include "imaging/pictureformats.h"
#include "support/filetypes.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <optional>

namespace mrv {

class MVK;

/// What the editor asks for as an export's output.
enum class ExportDestination
{
    PictureFile, ///< a file name in one of the export picture types, whose type picks the format
    Folder,      ///< a folder the export writes into
    File,        ///< a file of the target's own type (fileType())
};

/// One export target: its names for the command line and the menu, the formats it writes,
/// its options, and the run that writes it. The editor and the command line gather the
/// options (through dialogs or arguments) and hand them to Run; the steps every export opens
/// with are done there once.
class Exporter
{
public:
    virtual ~Exporter() = default;

    /// The command-line subcommand ("export-long").
    virtual QString id() const = 0;
    /// The menu entry's text ("导出长图动画") and Qt object name ("mnuExportLongPic").
    virtual QString label() const = 0;
    virtual QString menuName() const = 0;
    /// The menu entry's shortcut ("Ctrl+E"), empty for none.
    virtual QString shortcut() const { return {}; }
    /// The command line's one-line description and the name of its output argument.
    virtual QString summary() const = 0;
    virtual QString outputName() const { return QStringLiteral("OUT"); }

    /// The formats the target writes; the save dialog preselects the default.
    virtual QList<PictureFormat> formats() const;
    virtual PictureFormat defaultFormat() const = 0;
    /// The format the command line writes: the one --format names when given (nameGiven),
    /// else the one of the output's extension, else the default.
    virtual Result<PictureFormat> cliFormat(const QString *nameGiven, const QString &out) const;
    /// The file types of the editor's save dialog, in order, when the target has types of its
    /// own; none for the export types of the settings.
    virtual QList<PictureFormat> dialogFormats() const { return {}; }
    /// The options, in the order the editor's options dialog shows them.
    virtual QList<ExportOptionSpec> options() const { return {}; }
    /// Fills the options whose proposal depends on the project (a name made of its name, its
    /// screen size) or on the frame time it is previewed at; the command line knows no
    /// preview and passes none.
    virtual void ProposeOptions(const MVK &project, std::optional<int> previewFrameTime,
                                ExportOptions &options) const;

    /// What the editor's dialog asks for; a picture file unless the target says otherwise.
    virtual ExportDestination destination() const { return ExportDestination::PictureFile; }
    /// The one type of a File destination's save dialog.
    virtual FileType fileType() const { return {}; }

    /// The editor's save dialog: its title and the file name it proposes.
    virtual QString dialogTitle() const = 0;
    virtual QString proposedName(const MVK &project) const = 0;
    /// The progress dialog's text while the export runs.
    virtual QString busyLabel() const = 0;
    /// The editor's message once the export has written everything, made of the options as
    /// the engine reads them for this project (a name left empty is the project's).
    virtual QString doneMessage(const MVK &project, const ExportOptions &options) const = 0;
    /// The command line's report of a successful run, one line per output, each ending "\n".
    virtual QString cliReport(const ExportResult &result, const ExportOptions &options) const = 0;
    /// Every file a run with these options writes for the project, in order; the editor asks
    /// before it replaces one of them.
    virtual QStringList outputFiles(const MVK &project, const ExportOptions &options) const = 0;

    /// The usage line: id, PROJECT, the output, --format (for a target of more than one
    /// format) and the options' flags.
    QString cliUsage() const;
    /// Options for a target and format, every option at its default.
    ExportOptions defaultOptions(const QString &target, PictureFormat format) const;
    /// The description of an option; none for a name the target does not have.
    std::optional<ExportOptionSpec> option(const QString &name) const;

    /// Why the option values cannot be used (a word the option does not know); checked by Run
    /// and, before anything is read, by the command line.
    virtual Status CheckOptions(const ExportOptions &options) const;
    /// Whether the option plays a part in a run with these values (a width that only the
    /// whole-screen area reads); every option does unless the target says otherwise.
    virtual bool OptionUsed(const QString &name, const ExportOptions &options) const;

    /// Writes the export. A format the target does not write or unusable options fail, a
    /// project it cannot export is refused, and an export cancelled before it starts is marked
    /// cancelled, all without writing anything; otherwise the target writes.
    ExportResult Run(const ExportSource &source, const ExportOptions &options,
                     const ExportProgress &progress = {},
                     const std::atomic_bool *cancel = nullptr) const;

protected:
    /// Why the project cannot be exported by this target (a screen size it cannot scale).
    virtual Status CheckProject(const MVK &project) const = 0;
    /// Writes the export once the opening checks have passed.
    virtual ExportResult Write(const ExportSource &source, const ExportOptions &options,
                               const ExportProgress &progress,
                               const std::atomic_bool *cancel) const = 0;
};

} // namespace mrv
