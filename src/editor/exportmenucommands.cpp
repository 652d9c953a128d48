#include "editor/exportmenucommands.h"

#include "settings/exportchoices.h"
#include "settings/settings.h"
#include "document/projectdocument.h"
#include "support/tr.h"
#include "widgets/editorpreview.h"
#include "editor/exportwarnings.h"
#include "editor/editormenus.h"
#include "editor/projectcommands.h"
#include "export/exporter.h"
#include "export/exportnames.h"
#include "export/exportregistry.h"
#include "import/longimport.h"
#include "import/longpictureimporter.h"
#include "preview/frametime.h"
#include "project/mvk.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>

namespace mrv {

namespace {

QString DoneTitle()
{
    return Tr::tr("导出完成");
}

/// The entry the save dialog preselects: the target's default format. The first entry is
/// what the dialog shows anyway, so then no entry is set, as the dialogs always have.
int DialogTypeIndex(const Exporter &exporter)
{
    const QList<PictureFormat> own = exporter.dialogFormats();
    const int index = own.isEmpty() ? FormatInfo(exporter.defaultFormat()).typeIndex
                                    : int(own.indexOf(exporter.defaultFormat())) + 1;
    return index == 1 ? 0 : index;
}

/// The save dialog's types of a target that has types of its own.
DlgFTlist OwnTypes(const Exporter &exporter)
{
    DlgFTlist types;
    for (const PictureFormat format : exporter.dialogFormats()) {
        const PictureFormatInfo *info = nullptr;
        for (const PictureFormatInfo &entry : AnimationFormats())
            if (entry.format == format)
                info = &entry;
        const PictureFormatInfo &named = info ? *info : FormatInfo(format);
        // An APNG may also be named .apng, which the export keeps.
        (void)types.Add(named.caption, format == PictureFormat::Apng
                                           ? named.extension.mid(1) + QStringLiteral(",apng")
                                           : named.extension.mid(1));
    }
    return types;
}

/// The format of the chosen save dialog entry.
Result<PictureFormat> ChosenFormat(const Exporter &exporter, int filterIndex)
{
    const QList<PictureFormat> own = exporter.dialogFormats();
    if (own.isEmpty())
        return ExportFormatOfType(filterIndex);
    return filterIndex >= 1 && filterIndex <= own.size() ? own[filterIndex - 1] : own.first();
}

} // namespace

QString OptionsTitle(const Exporter &exporter)
{
    QString shared;
    for (const ExportOptionSpec &spec : exporter.options()) {
        if (spec.promptTitle.isEmpty())
            continue;
        if (!shared.isEmpty() && shared != spec.promptTitle)
            return MenuCommandText(exporter.label());
        shared = spec.promptTitle;
    }
    return shared.isEmpty() ? MenuCommandText(exporter.label()) : shared;
}

QString MenuCommandText(const QString &label)
{
    QString text = label;
    static const QRegularExpression accelerator(QStringLiteral("\\(&.\\)"));
    text.remove(accelerator);
    if (text.endsWith(QStringLiteral("...")))
        text.chop(3);
    return text.remove(u'&').trimmed();
}

QString OverwriteQuestion(const QString &path)
{
    return Tr::tr("%1 已存在，是否覆盖？").arg(QDir::toNativeSeparators(path));
}

QString FirstExistingFile(const QStringList &paths, const FileDialogAnswer &chosen)
{
    for (const QString &path : paths) {
        if (!QFileInfo::exists(path))
            continue;
        if (chosen.overwriteConfirmed && QFileInfo(path) == QFileInfo(chosen.path))
            continue;
        return path;
    }
    return {};
}

ExportMenuCommands &ExportMenuCommands::Install(const EditorContext &context)
{
    auto *commands = new ExportMenuCommands(context);
    const EditorMenus &menus = context.menus;
    for (const ExportEntry &entry : menus.exports) {
        connect(entry.action, &QAction::triggered, commands,
                [commands, exporter = entry.exporter] { commands->RunExporter(*exporter); });
        entry.action->setEnabled(true);
    }
    connect(menus.mnuImportLongPic, &QAction::triggered, commands,
            &ExportMenuCommands::mnuImportLongPic_Click);
    menus.mnuImportLongPic->setEnabled(true);
    QPushButton *button = &context.exportButton;
    connect(button, &QPushButton::clicked, commands, &ExportMenuCommands::cmdExport_Click);
    button->setEnabled(true);
    return *commands;
}

ExportMenuCommands::ExportMenuCommands(const EditorContext &context)
    : QObject(&context.window), m_ctx(context), m_runner(context.window)
{
    setObjectName(QStringLiteral("exportMenuCommands"));
}

std::optional<ExportSource> ExportMenuCommands::CurrentSource() const
{
    const MVK *project = &m_ctx.document.Project();
    if (!project)
        return std::nullopt;
    return ExportSource{*project, m_ctx.document.BackgroundPath(), m_ctx.document.FramePaths()};
}

void ExportMenuCommands::ShowError(const QString &text)
{
    m_ctx.prompts.Message({text, {}, MsgIcon::Error, MsgButtons::Ok, MsgAnswer::Ok});
}

void ExportMenuCommands::ShowInformation(const QString &text, const QString &title)
{
    m_ctx.prompts.Message({text, title, MsgIcon::Information, MsgButtons::Ok, MsgAnswer::Ok});
}

bool ExportMenuCommands::Idle()
{
    if (!m_runner.Busy())
        return true;
    ShowInformation(ImportExportRunner::BusyMessage(), {});
    return false;
}

std::optional<FileDialogAnswer> ExportMenuCommands::AskForExportFile(const Exporter &exporter,
                                                                     const MVK &project)
{
    m_ownTypes = OwnTypes(exporter);
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.title = exporter.dialogTitle();
    request.types = &PictureTypes();
    request.filterIndex = DialogTypeIndex(exporter);
    request.proposedName = exporter.proposedName(project);
    request.startFolder = project.aFileFolder;
    DlgFTlist ownType;
    switch (exporter.destination()) {
    case ExportDestination::PictureFile:
        break;
    case ExportDestination::Folder:
        request.kind = FileDialogKind::Folder;
        request.types = nullptr;
        request.filterIndex = 0;
        break;
    case ExportDestination::File:
        (void)ownType.Add(exporter.fileType().TypeName, exporter.fileType().Extensions);
        request.types = &ownType;
        request.filterIndex = 0;
        break;
    }
    return m_ctx.prompts.File(request);
}

const DlgFTlist &ExportMenuCommands::PictureTypes() const
{
    return m_ownTypes.Count() > 0 ? m_ownTypes : m_ctx.settings.ExportTypes;
}

bool ExportMenuCommands::AskOptions(const Exporter &exporter, ExportOptions &options)
{
    QList<ExportOptionSpec> specs = exporter.optionsFor(m_ctx.document.Project());
    // An option without a label of its own is the command line's alone; the editor leaves it
    // at its proposal.
    specs.removeIf([](const ExportOptionSpec &spec) { return spec.prompt.isEmpty(); });
    if (specs.isEmpty())
        return true;
    Settings &settings = m_ctx.settings;
    ApplyStoredOptionValues(specs, StoredExportChoices(settings, exporter.id()), options);
    const OptionsRequest request{
        OptionsTitle(exporter), exporter.id(), specs, options,
        [&exporter](const QString &name, const ExportOptions &values) {
            return exporter.OptionUsed(name, values);
        }};
    const std::optional<ExportOptions> chosen = m_ctx.prompts.Options(request);
    if (!chosen)
        return false;
    options = *chosen;
    // Kept for the next export of this target; not worth an error of its own when it fails.
    (void)StoreExportChoices(settings, exporter.id(), StoredOptionValues(specs, options));
    return true;
}

bool ExportMenuCommands::MayOverwrite(const QStringList &paths, const FileDialogAnswer &chosen)
{
    const QString existing = FirstExistingFile(paths, chosen);
    if (existing.isEmpty())
        return true;
    return m_ctx.prompts.Message({OverwriteQuestion(existing), Tr::tr("提示"), MsgIcon::Question,
                                  MsgButtons::YesNo, MsgAnswer::No}) == MsgAnswer::Yes;
}

void ExportMenuCommands::Report(const ExportResult &result, const QString &doneText,
                                const QString &warnings)
{
    if (result.status) {
        if (warnings.isEmpty())
            ShowInformation(doneText, DoneTitle());
        else
            m_ctx.prompts.Message({doneText + QStringLiteral("\n\n") + warnings, DoneTitle(),
                                   MsgIcon::Warning, MsgButtons::Ok, MsgAnswer::Ok});
        return;
    }
    QString text = result.cancelled ? result.status.message()
                                    : Tr::tr("导出失败：\n%1").arg(result.status.message());
    // Exports put their files in place only when all are written: nothing to look for.
    if (!result.refused)
        text += u'\n' + LeftBehindNote(result);
    if (!warnings.isEmpty())
        text += QStringLiteral("\n\n") + warnings;
    if (result.cancelled)
        ShowInformation(text, {});
    else
        ShowError(text);
}

// The exports work on copies of the project and its resolved paths, so that edits made
// while one runs do not reach it.
void ExportMenuCommands::RunExporter(const Exporter &exporter)
{
    std::optional<ExportSource> source = CurrentSource();
    if (!source || !Idle())
        return;
    const auto chosen = AskForExportFile(exporter, source->project);
    if (!chosen)
        return;
    // Only a picture file's type picks the format; the other targets write their own. A name
    // typed with the extension of another offered type asks for that type, so the file
    // written is the one the dialog named (and asked about replacing).
    const Result<PictureFormat> format =
        exporter.destination() == ExportDestination::PictureFile
            ? ChosenFormat(exporter, PictureTypes().IndexForTypedName(
                                         chosen->filterIndex, QFileInfo(chosen->path).fileName()))
            : Result<PictureFormat>(exporter.defaultFormat());
    if (!format) {
        ShowError(format.message());
        return;
    }
    ExportOptions options = exporter.defaultOptions(chosen->path, *format);
    exporter.ProposeOptions(
        source->project,
        StoredFrameTime(*m_ctx.settings.WindowDocument, QStringLiteral("frmFullscreen")), options);
    if (!AskOptions(exporter, options))
        return;
    if (!MayOverwrite(exporter.outputFiles(source->project, options), *chosen))
        return;
    const QString done = exporter.doneMessage(source->project, options);
    // The warnings name frames by the paths the export reads; the run takes the source.
    const ExportSource paths{{}, source->backgroundPath, source->framePaths};
    const ExportResult result = m_runner.Run(
        exporter.busyLabel(), [&exporter, source = std::move(*source), options](
                                  const ExportProgress &progress, const std::atomic_bool *cancel) {
            return exporter.Run(source, options, progress, cancel);
        });
    // The engine's own warnings (a GIF frame time it cannot play) come first.
    QStringList warnings = result.warnings;
    if (const QString unreadable = UnreadableWarnings(result.unreadable, paths);
        !unreadable.isEmpty())
        warnings << unreadable;
    Report(result, done, warnings.join(u'\n'));
    if (result.status)
        OfferToRemoveLeftovers(result.leftovers);
}

void ExportMenuCommands::OfferToRemoveLeftovers(const QStringList &leftovers)
{
    if (leftovers.isEmpty())
        return;
    const QString question = Tr::tr("%1。播放整个序列时它们会混进来。\n是否删除它们？")
                                 .arg(LeftoverSentence(leftovers));
    if (m_ctx.prompts.Message({question, Tr::tr("提示"), MsgIcon::Question, MsgButtons::YesNo,
                               MsgAnswer::No}) != MsgAnswer::Yes)
        return;
    if (const Status removed = RemoveFiles(leftovers); !removed)
        ShowError(removed.message());
}

void ExportMenuCommands::cmdExport_Click()
{
    if (const Exporter *images = ExportRegistry::Find(u"export-images"))
        RunExporter(*images);
}

void ExportMenuCommands::mnuImportLongPic_Click()
{
    const Importer *importer = ImportRegistry::Find(u"import-long");
    if (!importer || !Idle())
        return;
    if (const Status fits = importer->Check(m_ctx.document.Project()); !fits) {
        ShowError(fits.message());
        return;
    }
    // Saving may replace the project object (Save As reads the new file back); a save that
    // does not happen stops here, before anything is changed.
    if (!m_ctx.projects.AskToSave())
        return;
    const auto chosen = m_ctx.prompts.File(
        PictureOpenRequest(m_ctx.settings.ImageTypes, m_ctx.document.Project().aFileFolder));
    if (!chosen)
        return;

    // The import runs on a copy and becomes one step; it fails without changing anything.
    const MVK &project = m_ctx.document.Project();
    const std::optional<QString> answer =
        m_ctx.prompts.Input({Tr::tr("请输入批量X偏移，仅允许整数"), Tr::tr("导入动画长图"),
                             importer->Proposal(project, LongPictureImporter::X)});
    if (!answer)
        return;
    // A mistyped offset is a note to retype it, not an error.
    if (const Result<qint16> x = ParseImportOffset(*answer); !x) {
        m_ctx.prompts.Message({x.message(), {}, MsgIcon::None, MsgButtons::Ok, MsgAnswer::Ok});
        return;
    }
    ImportRequest request;
    request.source = chosen->path;
    request.projectFolder = project.aFileFolder;
    request.framesFolder = project.aFileFolder;
    request.values.insert(LongPictureImporter::X, *answer);
    const ImportOutcome outcome = importer->Run(project, request);
    if (!outcome.status) {
        ShowError(outcome.status.message());
        return;
    }
    m_ctx.document.ReplaceFrames(outcome.frames, Tr::tr("导入长图动画"));
}

} // namespace mrv
