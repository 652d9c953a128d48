#include "editor/exportmenucommands.h"

#include "settings/settings.h"
#include "widgets/editorpreview.h"
#include "editor/framelist.h"
#include "editor/frmediter.h"
#include "editor/pictureedit.h"
#include "export/exportgeometry.h"
#include "export/exportnames.h"
#include "export/framesequence.h"
#include "export/longimport.h"
#include "export/longpicture.h"
#include "export/projectimages.h"
#include "project/mvk.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>

#include <algorithm>

namespace mrv {

namespace {

const QString DoneTitle = QStringLiteral("导出完成");

} // namespace

QString OverwriteQuestion(const QString &path)
{
    return QDir::toNativeSeparators(path) + QStringLiteral(" 已存在，是否覆盖？");
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

QStringList SequenceFiles(const SequenceTarget &target, int frameCount, int loopTimes)
{
    const SequencePlan plan = SequencePlan::Make(frameCount, std::clamp(loopTimes, 1, 255));
    QStringList files;
    files.reserve(qMax(plan.total, 0));
    for (int n = 1; n <= plan.total; ++n)
        files << target.FileName(n, plan.numberWidth);
    return files;
}

QStringList ProjectImageFiles(const ProjectImagesTarget &target, int frameCount)
{
    QStringList files{target.backgroundPath};
    files.reserve(frameCount + 1);
    for (int i = 1; i <= frameCount; ++i)
        files << target.FramePath(i);
    return files;
}

ExportMenuCommands &ExportMenuCommands::Install(frmEditer &editor)
{
    auto *commands = new ExportMenuCommands(editor);
    const EditorMenus &menus = editor.Menus();
    const std::pair<QAction *, void (ExportMenuCommands::*)()> entries[] = {
        {menus.mnuExportLongPic, &ExportMenuCommands::mnuExportLongPic_Click},
        {menus.mnuExAniFrame, &ExportMenuCommands::mnuExAniFrame_Click},
        {menus.mnuExport, &ExportMenuCommands::mnuExport_Click},
        {menus.mnuImportLongPic, &ExportMenuCommands::mnuImportLongPic_Click},
    };
    for (const auto &[action, handler] : entries) {
        connect(action, &QAction::triggered, commands, handler);
        action->setEnabled(true);
    }
    QPushButton *button = editor.Controls().cmdExport;
    connect(button, &QPushButton::clicked, commands, &ExportMenuCommands::cmdExport_Click);
    button->setEnabled(true);
    return *commands;
}

ExportMenuCommands::ExportMenuCommands(frmEditer &editor)
    : QObject(&editor), m_editor(editor), m_runner(editor)
{
    setObjectName(QStringLiteral("exportMenuCommands"));
}

QString ExportMenuCommands::LongPictureDoneMessage()
{
    return QStringLiteral("动画长图导出完成，你可以使用“魔方”等软件应用到系统。");
}

QString ExportMenuCommands::SequenceDoneMessage()
{
    return QStringLiteral("帧序列已导出，你可以使用VirtualDub、Ulead GIF Animator等软件将其转换为GIF。");
}

QString ExportMenuCommands::ProjectImagesDoneMessage(const QString &backgroundPath,
                                                     const QString &baseName)
{
    return QStringLiteral("背景图片已保存到“") + QDir::toNativeSeparators(backgroundPath)
           + QStringLiteral("”，") + u'\n' + QStringLiteral("帧动画文件夹名“") + baseName
           + QStringLiteral("_Frame”");
}

void ExportMenuCommands::ShowError(const QString &text)
{
    m_editor.AppPrompts().Message({text, {}, MsgIcon::Error, MsgButtons::Ok, MsgAnswer::Ok});
}

void ExportMenuCommands::ShowInformation(const QString &text, const QString &title)
{
    m_editor.AppPrompts().Message(
        {text, title, MsgIcon::Information, MsgButtons::Ok, MsgAnswer::Ok});
}

bool ExportMenuCommands::Idle()
{
    if (!m_runner.Busy())
        return true;
    ShowInformation(ExportProgressRunner::BusyMessage(), {});
    return false;
}

std::optional<FileDialogAnswer> ExportMenuCommands::AskForExportFile(const QString &title,
                                                                     int filterIndex,
                                                                     const QString &proposedName)
{
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.title = title;
    request.types = &m_editor.AppSettings().ExportTypes;
    request.filterIndex = filterIndex;
    request.proposedName = proposedName;
    request.startFolder = m_editor.CurrentProject()->aFileFolder;
    return m_editor.AppPrompts().File(request);
}

std::optional<bool> ExportMenuCommands::AskYesNo(const QString &question)
{
    switch (m_editor.AppPrompts().Message(
        {question, {}, MsgIcon::Question, MsgButtons::YesNoCancel, MsgAnswer::Yes})) {
    case MsgAnswer::Yes: return true;
    case MsgAnswer::No: return false;
    default: return std::nullopt;
    }
}

bool ExportMenuCommands::MayOverwrite(const QStringList &paths, const FileDialogAnswer &chosen)
{
    const QString existing = FirstExistingFile(paths, chosen);
    if (existing.isEmpty())
        return true;
    return m_editor.AppPrompts().Message({OverwriteQuestion(existing), QStringLiteral("提示"),
                                          MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No}) ==
           MsgAnswer::Yes;
}

void ExportMenuCommands::Report(const ExportResult &result, const QString &doneText)
{
    if (result.status) {
        ShowInformation(doneText, DoneTitle);
        return;
    }
    QString text = result.cancelled ? result.status.message()
                                    : QStringLiteral("导出失败：") + u'\n' + result.status.message();
    // Whole files written before the stop stay; say so, so nobody takes them for a full set.
    if (!result.written.isEmpty())
        text += u'\n' + QStringLiteral("已完整写入的 %1 个文件保留在磁盘上。").arg(result.written.size());
    if (result.cancelled)
        ShowInformation(text, {});
    else
        ShowError(text);
}

// The exports work on copies of the project and its resolved paths, so that edits made
// while one runs do not reach it.

void ExportMenuCommands::mnuExportLongPic_Click()
{
    const MVK *current = m_editor.CurrentProject();
    if (!current || !Idle())
        return;
    const auto chosen = AskForExportFile(QStringLiteral("选择保存的长图文件名"),
                                         LongPictureDefaultType,
                                         QStringLiteral("Activity_") + current->aName);
    if (!chosen)
        return;
    const Result<LongPictureTarget> target =
        LongPictureTargetFor(chosen->path, chosen->filterIndex);
    if (!target) {
        ShowError(target.message());
        return;
    }
    const std::optional<bool> leaveOut = AskYesNo(QStringLiteral("是否去掉全屏背景"));
    if (!leaveOut)
        return;
    if (!MayOverwrite({target->path}, *chosen))
        return;
    const LongPictureOptions options{*target, !*leaveOut};
    const ExportResult result = m_runner.Run(
        QStringLiteral("正在导出动画长图…"),
        [project = *current, background = m_editor.BackgroundPath(),
         frames = m_editor.FramePaths(),
         options](const ExportProgress &progress, const std::atomic_bool *cancel) {
            return ExportLongPicture(project, background, frames, options, progress, cancel);
        });
    Report(result, LongPictureDoneMessage());
}

void ExportMenuCommands::mnuExAniFrame_Click()
{
    const MVK *current = m_editor.CurrentProject();
    if (!current || !Idle())
        return;
    const auto chosen = AskForExportFile(QStringLiteral("请输入动画序列前缀"), 0,
                                         current->aName + QStringLiteral("_序列"));
    if (!chosen)
        return;
    const Result<SequenceTarget> target = SequenceTargetFor(chosen->path, chosen->filterIndex);
    if (!target) {
        ShowError(target.message());
        return;
    }
    const std::optional<QString> loops = m_editor.AppPrompts().Input(
        {QStringLiteral("第61-105帧循环输出几次。最低1次，最高255次。若输入错误则会使用默认值1。"),
         QStringLiteral("请输入循环次数"), QStringLiteral("2")});
    SequenceOptions options;
    options.target = *target;
    options.loopTimes = LoopTimesFromAnswer(loops.value_or(QString()));
    const std::optional<bool> keepTransparency =
        AskYesNo(QStringLiteral("是否保持图片透明通道"));
    if (!keepTransparency)
        return;
    options.drawBackground = !*keepTransparency;
    if (!MayOverwrite(SequenceFiles(options.target, current->aFrame.Count(), options.loopTimes),
                      *chosen))
        return;
    const ExportResult result = m_runner.Run(
        QStringLiteral("正在导出动画帧序列…"),
        [project = *current, background = m_editor.BackgroundPath(),
         frames = m_editor.FramePaths(),
         options](const ExportProgress &progress, const std::atomic_bool *cancel) {
            return ExportFrameSequence(project, background, frames, options, progress, cancel);
        });
    Report(result, SequenceDoneMessage());
}

void ExportMenuCommands::mnuExport_Click()
{
    const MVK *current = m_editor.CurrentProject();
    if (!current || !Idle())
        return;
    const auto chosen = AskForExportFile(QStringLiteral("选择工程导出位置"), 0, current->aName);
    if (!chosen)
        return;
    const Result<ProjectImagesTarget> target =
        ProjectImagesTargetFor(chosen->path, chosen->filterIndex);
    if (!target) {
        ShowError(target.message());
        return;
    }
    if (!MayOverwrite(ProjectImageFiles(*target, current->aFrame.Count()), *chosen))
        return;
    const ExportResult result = m_runner.Run(
        QStringLiteral("正在导出工程图片…"),
        [project = *current, background = m_editor.BackgroundPath(),
         frames = m_editor.FramePaths(),
         target = *target](const ExportProgress &progress, const std::atomic_bool *cancel) {
            return ExportProjectImages(project, background, frames, target, progress, cancel);
        });
    Report(result, ProjectImagesDoneMessage(target->backgroundPath, target->baseName));
}

void ExportMenuCommands::mnuImportLongPic_Click()
{
    if (!m_editor.CurrentProject() || !Idle())
        return;
    if (const Status fits = CheckLongImport(*m_editor.CurrentProject()); !fits) {
        ShowError(fits.message());
        return;
    }
    // Saving may replace the project object (Save As reads the new file back); a save that
    // does not happen stops here, before anything is changed.
    if (!m_editor.Commands().AskToSave())
        return;
    const auto chosen = m_editor.AppPrompts().File(PictureOpenRequest(
        m_editor.AppSettings().ImageTypes, m_editor.CurrentProject()->aFileFolder));
    if (!chosen)
        return;

    MVK &project = *m_editor.CurrentProject();
    const QString stored = StoredStripPath(project.aFileFolder, chosen->path);
    const std::optional<QString> answer = m_editor.AppPrompts().Input(
        {QStringLiteral("请输入批量X偏移，仅允许整数"), QStringLiteral("导入动画长图"),
         QString::number(DefaultImportX(project.aWidth))});
    if (!answer)
        return;
    const Result<qint16> x = ParseImportOffset(*answer);
    if (!x) {
        m_editor.AppPrompts().Message(
            {x.message(), {}, MsgIcon::None, MsgButtons::Ok, MsgAnswer::Ok});
        return;
    }
    if (const Status applied = ApplyLongImport(project, stored, *x); !applied) {
        ShowError(applied.message());
        return;
    }
    ShowImportedFrames();
}

void ExportMenuCommands::ShowImportedFrames()
{
    const MVK &project = *m_editor.CurrentProject();
    QStringList urls;
    urls.reserve(project.aFrame.Count());
    for (const aImage &frame : project.aFrame)
        urls.append(frame.aURL);
    m_editor.Frames().SetRowTexts(std::move(urls));
    m_editor.Preview().FramePaths = project.FramePaths();
    m_editor.Pictures().ShowPathProblems();
    m_editor.dataChanged(true);
    m_editor.PicRedraw(1);
}

} // namespace mrv
