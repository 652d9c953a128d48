#pragma once

#include "export/exportjob.h"
#include "export/exportoptions.h"
#include "export/exportsource.h"
#include "export/leftoverfiles.h"
#include "imaging/pictureformats.h"
#include "support/filetypes.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <optional>
#include <span>

namespace mrv {

class MVK;

/// The command line's flag of the targets that write numbered sets: remove the files of the
/// set's pattern that the run did not write.
inline const QString RemoveStaleOptionName = QStringLiteral("remove-stale");

/// What the editor asks for as an export's output.
enum class ExportDestination
{
    PictureFile, ///< a file name in one of the target's picture types, whose type picks the format
    Folder,      ///< a folder the export writes into
    File,        ///< a file of the target's own type (ExportTexts::fileType)
};

/// Where a target's File menu entry sits: in the first group of export entries (after the
/// project commands) or the second (after the imports), by order within the group.
struct MenuPlace
{
    int group = 2;
    int order = 1000;
};

/// Everything a target says to the user, except the messages made of its options: its File
/// menu entry, the editor's dialogs and the command line's help. A target is made once, maybe
/// before the language is chosen, so its shown texts are kept as written in the source, marked
/// QT_TRANSLATE_NOOP("Mirovane", …), and translated where they are read.
struct ExportTexts
{
    /// The menu entry's text ("导出长图动画"); empty, the entry shows the id.
    const char *menuText = "";
    QString menuName; ///< the entry's Qt object name ("mnuExportLongPic"); "mnu" + id when empty
    QString shortcut; ///< "Ctrl+E", empty for none
    MenuPlace menuPlace;
    const char *dialogTitle = "";
    const char *busyLabel = ""; ///< the progress dialog's text while the export runs
    QString cliSummary;
    QString cliOutput = QStringLiteral("OUT"); ///< the output argument's name in the usage
    int cliOrder = 1000;                       ///< position in the command line's help
    ExportDestination destination = ExportDestination::PictureFile;
    FileType fileType; ///< a File destination's one type, its caption translated where shown
    /// The name the save dialog proposes for a project.
    QString (*proposedName)(const MVK &project) = nullptr;
};

/// A target's texts and the two messages it builds from the options its engine runs with, so
/// that what they say is what was written.
template <typename Engine> struct ExportDescriptor
{
    ExportTexts texts;
    /// The editor's message once the export has written everything.
    QString (*doneMessage)(const Engine &used) = nullptr;
    /// The command line's report of a successful run, one line per output, each ending "\n".
    QString (*cliReport)(const Engine &used, const ExportResult &result) = nullptr;
};

/// One export target: an id, the formats it writes, its options, the files a run writes and
/// the run itself, with its texts beside it. The editor and the command line gather the
/// options (through the options dialog or arguments) and hand them to Run; the steps every
/// export opens with are done there once.
class Exporter
{
public:
    virtual ~Exporter() = default;

    /// The command-line subcommand ("export-long") and the key of the stored choices.
    const QString &id() const { return m_id; }
    const ExportTexts &texts() const { return m_texts; }
    /// The formats the target writes, as the picture-format table describes them.
    std::span<const PictureFormatInfo> formatTable() const { return m_formats; }
    QList<PictureFormat> formats() const;
    /// The format the save dialog preselects and the command line writes without a choice.
    PictureFormat defaultFormat() const { return m_defaultFormat; }
    /// The options, in the order the editor's options dialog shows them.
    virtual QList<ExportOptionSpec> options() const { return {}; }
    /// The options as the editor asks for them for this project: their questions may name
    /// the project's own frames.
    virtual QList<ExportOptionSpec> optionsFor(const MVK &) const { return options(); }
    /// Every file a run with these options writes for the project, in order; the editor asks
    /// before it replaces one of them.
    virtual QStringList outputFiles(const MVK &project, const ExportOptions &options) const = 0;
    /// The editor's message once the export has written everything.
    virtual QString doneMessage(const MVK &project, const ExportOptions &options) const = 0;
    /// The command line's report of a successful run.
    virtual QString cliReport(const ExportResult &result, const MVK &project,
                              const ExportOptions &options) const = 0;

    /// Writes the export. A format the target does not write or unusable options fail, a
    /// project it cannot export is refused, and an export cancelled before it starts is marked
    /// cancelled, all without writing anything; otherwise the target writes.
    ExportResult Run(const ExportSource &source, const ExportOptions &options,
                     const ExportProgress &progress = {},
                     const std::atomic_bool *cancel = nullptr) const;

    // Read from the texts.
    QString label() const; ///< the menu entry's text, translated
    QString menuName() const;
    QString shortcut() const { return m_texts.shortcut; }
    QString summary() const { return m_texts.cliSummary; }
    QString outputName() const { return m_texts.cliOutput; }
    QString dialogTitle() const; ///< translated
    QString busyLabel() const;   ///< translated
    QString proposedName(const MVK &project) const;
    ExportDestination destination() const { return m_texts.destination; }
    FileType fileType() const { return m_texts.fileType; }

    /// The file types of the editor's save dialog, in order, when the target writes other
    /// formats than the still pictures of the settings' export types; none otherwise.
    QList<PictureFormat> dialogFormats() const;
    /// The format the command line writes: the one --format names when given (nameGiven),
    /// else the one of the output's extension, else the default.
    Result<PictureFormat> cliFormat(const QString *nameGiven, const QString &out) const;

    // Read from the option specs.
    /// The usage line: id, PROJECT, the output, --format (for a target of more than one
    /// format) and the options' flags.
    QString cliUsage() const;
    /// Options for a target and format, every option at its default.
    ExportOptions defaultOptions(const QString &target, PictureFormat format) const;
    /// The description of an option; none for a name the target does not have.
    std::optional<ExportOptionSpec> option(const QString &name) const;
    /// Fills the options whose proposal depends on the project or on the frame time it is
    /// previewed at; the command line knows no preview and passes none.
    void ProposeOptions(const MVK &project, std::optional<int> previewFrameTime,
                        ExportOptions &options) const;
    /// Why the option values cannot be used (a word a Choice option does not offer); checked
    /// by Run and, before anything is read, by the command line.
    Status CheckOptions(const ExportOptions &options) const;
    /// Whether the option plays a part in a run with these values.
    bool OptionUsed(const QString &name, const ExportOptions &options) const;

protected:
    Exporter(QString id, std::span<const PictureFormatInfo> formats, PictureFormat defaultFormat,
             const ExportTexts &texts);

    /// Why the project cannot be exported by this target (a screen size it cannot scale).
    virtual Status CheckProject(const MVK &project) const = 0;
    /// The files of the numbered set the run wrote into one folder that it did not write
    /// itself; none for a target that writes no such set.
    virtual QStringList Leftovers(const MVK &, const ExportOptions &, const QStringList &) const
    {
        return {};
    }
    /// Writes the export once the opening checks have passed.
    virtual ExportResult Write(const ExportSource &source, const ExportOptions &options,
                               const ExportProgress &progress,
                               const std::atomic_bool *cancel) const = 0;

private:
    QString m_id;
    std::span<const PictureFormatInfo> m_formats;
    PictureFormat m_defaultFormat;
    ExportTexts m_texts;
};

/// A target whose engine takes options of its own type (Engine): the option values are
/// resolved into them once, and the files, the run and both messages all follow from that.
template <typename Engine> class EngineExporter : public Exporter
{
public:
    QStringList outputFiles(const MVK &project, const ExportOptions &options) const final
    {
        const Result<Engine> used = Resolve(project, options);
        return used ? FilesOf(*used, project) : QStringList();
    }
    QString doneMessage(const MVK &project, const ExportOptions &options) const final
    {
        const Result<Engine> used = Resolve(project, options);
        return used ? m_descriptor.doneMessage(*used) : QString();
    }
    QString cliReport(const ExportResult &result, const MVK &project,
                      const ExportOptions &options) const final
    {
        const Result<Engine> used = Resolve(project, options);
        return used ? m_descriptor.cliReport(*used, result) : QString();
    }

protected:
    EngineExporter(QString id, std::span<const PictureFormatInfo> formats,
                   PictureFormat defaultFormat, const ExportDescriptor<Engine> &descriptor)
        : Exporter(std::move(id), formats, defaultFormat, descriptor.texts),
          m_descriptor(descriptor)
    {}

    /// The engine's options for the option values and the project; fails when the project
    /// cannot be exported with them (a screen size that names no screen).
    virtual Result<Engine> Resolve(const MVK &project, const ExportOptions &options) const = 0;
    virtual QStringList FilesOf(const Engine &used, const MVK &project) const = 0;
    /// The numbered set a run writes, when it writes one.
    virtual std::optional<NumberedSet> NumberedSetOf(const Engine &) const { return std::nullopt; }
    virtual ExportResult WriteWith(const ExportSource &source, const Engine &used,
                                   const ExportProgress &progress,
                                   const std::atomic_bool *cancel) const = 0;

    QStringList Leftovers(const MVK &project, const ExportOptions &options,
                          const QStringList &written) const final
    {
        const Result<Engine> used = Resolve(project, options);
        const std::optional<NumberedSet> set = used ? NumberedSetOf(*used) : std::nullopt;
        return set ? LeftoverFiles(*set, written) : QStringList();
    }
    ExportResult Write(const ExportSource &source, const ExportOptions &options,
                       const ExportProgress &progress, const std::atomic_bool *cancel) const final
    {
        const Result<Engine> used = Resolve(source.project, options);
        if (!used) {
            ExportResult refused;
            refused.Refuse(used.status());
            return refused;
        }
        return WriteWith(source, *used, progress, cancel);
    }

private:
    ExportDescriptor<Engine> m_descriptor;
};

} // namespace mrv
