#include "editor/framecommands.h"

#include "document/projectdocument.h"
#include "editor/clipimportflow.h"
#include "editor/editormenus.h"
#include "editor/framemodel.h"
#include "editor/projectcommands.h"
#include "editor/framelist.h"
#include "editor/thumbnailstrip.h"
#include "import/frameimporter.h"
#include "import/importer.h"
#include "support/naturalorder.h"
#include "support/tr.h"
#include "widgets/playback.h"
#include "widgets/prompts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QRegularExpression>

#include <algorithm>

namespace mrv {

namespace {

QString ImportTitle()
{
    return Tr::tr("导入帧序列");
}

// Reading thousands of picture heads takes a moment; the cursor says so.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

/// A menu entry's words as the name of the undo step it makes: without its key letter and
/// the key shown beside it.
QString StepName(const QAction &entry)
{
    static const QRegularExpression letter(QStringLiteral("\\(&.\\)|&"));
    return entry.text().section(u'\t', 0, 0).remove(letter);
}

} // namespace

DlgFTlist FrameImportTypes()
{
    return MakeFrameImportTypes();
}

QList<int> RowsToActOn(int row, const QList<int> &selection)
{
    if (selection.size() > 1 && selection.contains(row))
        return selection;
    return {row};
}

DroppedFiles SortDroppedFiles(const QStringList &dropped)
{
    DroppedFiles files;
    for (const QString &path : dropped) {
        if (QFileInfo(path).isDir()) {
            files.pictures += FolderPictures(path);
            files.leftOut += NonPictureFiles(path);
        } else if (HasImportPictureExtension(path)) {
            files.pictures.append(path);
        } else {
            files.leftOut.append({QDir::toNativeSeparators(path), NotAPictureReason()});
        }
    }
    NaturalSort(files.pictures);
    return files;
}

FrameCommands &FrameCommands::Install(const EditorContext &context)
{
    auto *commands = new FrameCommands(context);
    commands->ConnectEntries();
    return *commands;
}

FrameCommands::FrameCommands(const EditorContext &context)
    : QObject(&context.window), m_ctx(context), m_types(FrameImportTypes())
{
    setObjectName(QStringLiteral("frameCommands"));
}

void FrameCommands::ConnectEntries()
{
    const EditorMenus &m = m_ctx.menus;
    connect(m.mnuImportFrames, &QAction::triggered, this, &FrameCommands::mnuImportFrames_Click);
    m.mnuImportFrames->setEnabled(true);
    const std::pair<QAction *, void (FrameCommands::*)()> entries[] = {
        {m.mnuFrameInsertBefore, &FrameCommands::InsertBefore},
        {m.mnuFrameInsertAfter, &FrameCommands::InsertAfter},
        {m.mnuFrameCopy, &FrameCommands::CopyFrames},
        {m.mnuFrameDelete, &FrameCommands::DeleteFrames},
        {m.mnuFrameUp, &FrameCommands::MoveUp},
        {m.mnuFrameDown, &FrameCommands::MoveDown},
        {m.mnuFrameReverse, &FrameCommands::ReverseFrames},
    };
    for (const auto &[action, run] : entries)
        connect(action, &QAction::triggered, this, run);
    connect(m.mnuFrame, &QMenu::aboutToShow, this, &FrameCommands::UpdateEntries);
    // The entries follow the current frame, the picked rows, their places and the count.
    QItemSelectionModel &selection = m_ctx.frameModel.Selection();
    connect(&selection, &QItemSelectionModel::currentChanged, this, &FrameCommands::UpdateEntries);
    connect(&selection, &QItemSelectionModel::selectionChanged, this,
            &FrameCommands::UpdateEntries);
    connect(&m_ctx.frameModel, &QAbstractItemModel::layoutChanged, this,
            &FrameCommands::UpdateEntries);
    ProjectDocument &document = m_ctx.document;
    for (auto signal : {&ProjectDocument::framesReset, &ProjectDocument::filePathChanged})
        connect(&document, signal, this, &FrameCommands::UpdateEntries);
    connect(&document, &ProjectDocument::framesInserted, this, &FrameCommands::UpdateEntries);
    connect(&document, &ProjectDocument::framesRemoved, this, &FrameCommands::UpdateEntries);
    UpdateEntries();

    FrameList &list = m_ctx.frames;
    connect(&list, &FrameList::rowMenuRequested, this, &FrameCommands::ShowRowMenu);
    connect(&list, &FrameList::deleteKeyPressed, this, &FrameCommands::DeleteFrames);
    connect(&list, &FrameList::insertKeyPressed, this, &FrameCommands::InsertBefore);
    // The strip shows the current frame, which the keys act on as they do in the list.
    connect(&m_ctx.strip, &ThumbnailStrip::deleteKeyPressed, this, &FrameCommands::DeleteFrames);
    connect(&m_ctx.strip, &ThumbnailStrip::insertKeyPressed, this, &FrameCommands::InsertBefore);
    connect(&list, &FrameList::filesDropped, this, &FrameCommands::DropFiles);
    // Messages wait until the drop has returned: the program the files came from waits for it.
    connect(&m_ctx.strip, &ThumbnailStrip::filesDropped, this, &FrameCommands::InsertFiles,
            Qt::QueuedConnection);
}

void FrameCommands::UpdateEntries()
{
    const EditorMenus &m = m_ctx.menus;
    const int count = m_ctx.document.FrameCount();
    const QList<int> targets = Targets();
    if (targets.isEmpty())
        return;
    m.mnuFrameInsertBefore->setEnabled(true);
    m.mnuFrameInsertAfter->setEnabled(true);
    m.mnuFrameCopy->setEnabled(count > 0);
    m.mnuFrameDelete->setEnabled(count > 0);
    m.mnuFrameUp->setEnabled(count > 0 && targets.first() > 1);
    m.mnuFrameDown->setEnabled(count > 0 && targets.last() < count);
    m.mnuFrameReverse->setEnabled(targets.size() > 1);
}

int FrameCommands::CurrentRow() const
{
    const int count = m_ctx.document.FrameCount();
    return std::clamp(m_ctx.frameModel.CurrentFrame(), count > 0 ? 1 : 0, count);
}

QList<int> FrameCommands::Targets() const
{
    return RowsToActOn(CurrentRow(), m_ctx.frameModel.PickedFrames());
}

void FrameCommands::Pick(int first, int count)
{
    const int frames = m_ctx.document.FrameCount();
    if (frames == 0)
        return;
    first = std::clamp(first, 1, frames);
    QList<int> rows;
    for (int r = first; r < first + count && r <= frames; ++r)
        rows.append(r);
    m_ctx.frameModel.Pick(rows, first);
    UpdateEntries();
}

void FrameCommands::InsertBefore()
{
    const int at = std::max(Targets().first(), 1);
    if (m_ctx.document.InsertFrames(at, {aImage{}}))
        Pick(at, 1);
}

void FrameCommands::InsertAfter()
{
    const int at = Targets().last() + 1;
    if (m_ctx.document.InsertFrames(at, {aImage{}}))
        Pick(at, 1);
}

void FrameCommands::CopyFrames()
{
    const QList<int> targets = Targets();
    ProjectDocument &document = m_ctx.document;
    std::vector<aImage> copies;
    for (int row : targets)
        if (const aImage *frame = document.Frame(row))
            copies.push_back(*frame);
    const int at = targets.last() + 1;
    if (document.InsertFrames(at, copies, StepName(*m_ctx.menus.mnuFrameCopy)))
        Pick(at, int(copies.size()));
}

void FrameCommands::DeleteFrames()
{
    const QList<int> targets = Targets();
    if (m_ctx.document.RemoveFrames(targets))
        Pick(targets.first(), 1);
}

void FrameCommands::MoveUp()
{
    StepRows(-1);
}

void FrameCommands::MoveDown()
{
    StepRows(1);
}

void FrameCommands::StepRows(int step)
{
    // Each picked row moves by one, the rows between them staying between them: gathering
    // them into a block would reorder frames the user never picked. The picks and the
    // current frame move with their frames.
    const QList<int> targets = Targets();
    const int count = m_ctx.document.FrameCount();
    if ((step < 0 && targets.first() <= 1) || (step > 0 && targets.last() >= count))
        return;
    if (!m_ctx.frameModel.IsPicked(CurrentRow()))
        m_ctx.frameModel.Reach(CurrentRow());
    m_ctx.document.StepFrames(targets, step);
}

void FrameCommands::ReverseFrames()
{
    const QList<int> targets = Targets();
    if (targets.size() > 1)
        m_ctx.document.ReverseFrames(targets);
}

void FrameCommands::ShowRowMenu(int row, QPoint globalPos)
{
    m_ctx.frameModel.Reach(row);
    UpdateEntries();
    QMenu menu(&m_ctx.window);
    menu.setObjectName(QStringLiteral("mnuFrameRow"));
    menu.addActions(m_ctx.menus.mnuFrame->actions());
    menu.exec(globalPos);
}

std::optional<FrameImport> FrameCommands::DroppedFrames(const QStringList &files)
{
    const MVK &project = m_ctx.document.Project();
    const DroppedFiles dropped = SortDroppedFiles(files);
    const QStringList &pictures = dropped.pictures;
    if (pictures.size() > MaxImportedFrames) {
        ShowError(Tr::tr("拖入了 %1 张图片，一次最多导入 %2 张，未作任何更改")
                      .arg(pictures.size())
                      .arg(MaxImportedFrames));
        return std::nullopt;
    }
    FrameImport import;
    {
        WaitCursor wait;
        import = FramesForPictures(pictures, project.aFileFolder,
                                   QSize(project.aWidth, project.aHeight));
    }
    import.skipped += dropped.leftOut;
    return import;
}

void FrameCommands::DropFiles(int row, const QStringList &files)
{
    ProjectDocument &document = m_ctx.document;
    const std::optional<FrameImport> dropped = DroppedFrames(files);
    if (!dropped)
        return;
    const FrameImport &import = *dropped;
    std::vector<aImage> frames = document.Frames();
    const int first = std::clamp(row, 1, int(frames.size()) + 1);
    for (size_t k = 0; k < import.frames.size(); ++k) {
        const size_t at = size_t(first - 1) + k;
        if (at < frames.size())
            frames[at] = import.frames[k];
        else
            frames.push_back(import.frames[k]);
    }
    const int before = document.FrameCount();
    if (!import.frames.empty() && document.ReplaceFrames(frames, Tr::tr("拖入帧")))
        Pick(first, int(import.frames.size()));
    ShowImportProblems(import.skipped, document.FrameCount() != before);
}

void FrameCommands::InsertFiles(int before, const QStringList &files)
{
    ProjectDocument &document = m_ctx.document;
    const std::optional<FrameImport> dropped = DroppedFrames(files);
    if (!dropped)
        return;
    const int at = std::clamp(before, 1, document.FrameCount() + 1);
    const bool changed =
        !dropped->frames.empty() && document.InsertFrames(at, dropped->frames, Tr::tr("拖入帧"));
    if (changed)
        Pick(at, int(dropped->frames.size()));
    ShowImportProblems(dropped->skipped, changed);
}

void FrameCommands::mnuImportFrames_Click()
{
    const QString folder = m_ctx.document.Project().aFileFolder;
    FileDialogRequest request;
    request.kind = FileDialogKind::OpenFileOrFolder;
    request.title = Tr::tr("选择帧图片所在的文件夹，或一个动画图片或视频");
    request.types = &m_types;
    request.startFolder = folder;
    const auto chosen = m_ctx.prompts.File(request);
    if (chosen)
        ImportFrom(chosen->path);
}

bool FrameCommands::ImportFrom(const QString &source)
{
    const Importer *importer = ImportRegistry::Find(u"import-frames");
    if (!importer)
        return false;
    ImportRequest request;
    const std::optional<ClipKind> kind = ClipKindOf(source);
    if (kind) {
        const Result<std::shared_ptr<OpenedClip>> clip = OpenClipInBackground(source, *kind);
        if (!clip) {
            ShowError(clip.message());
            return false;
        }
        if (!SavedForClip())
            return false;
        request.clip = ClipImportFlow(m_ctx.window, m_ctx.prompts)
                           .Ask(*clip, m_ctx.document.Project(), m_ctx.playTimer.FrameTime());
        if (!request.clip)
            return false;
    }
    request.source = source;
    request.projectFolder = m_ctx.document.Project().aFileFolder;
    request.framesFolder = request.projectFolder;
    request.frameTimeMs = m_ctx.playTimer.FrameTime();
    const ImportOutcome outcome = [&] {
        // A clip's frames are decoded and written behind a progress dialog with Cancel.
        if (request.clip)
            return ClipImportFlow(m_ctx.window, m_ctx.prompts)
                .Run(*importer, m_ctx.document.Project(), request);
        WaitCursor wait;
        return importer->Run(m_ctx.document.Project(), request);
    }();
    if (!outcome.status) {
        // Stopping an import is the user's choice, not a fault.
        const MsgIcon icon =
            outcome.failure == ImportFailure::Cancelled ? MsgIcon::Information : MsgIcon::Error;
        m_ctx.prompts.Message(
            {outcome.status.message(), ImportTitle(), icon, MsgButtons::Ok, MsgAnswer::Ok});
        return false;
    }
    const bool changed = m_ctx.document.ReplaceFrames(outcome.frames, ImportTitle());
    if (changed)
        Pick(1, 1);
    ShowImportProblems(outcome.skipped, true, outcome.notice);
    return changed;
}

bool FrameCommands::SavedForClip()
{
    if (!m_ctx.document.Project().aFileFolder.isEmpty())
        return true;
    // The frames are written beside the project, which needs a folder first.
    const MsgAnswer answer = m_ctx.prompts.Message(
        {Tr::tr("动画或视频的每一帧将保存为图片，放在工程文件旁边。工程还没有保存，"
                "请先选择工程的保存位置。"),
         ImportTitle(), MsgIcon::Information, MsgButtons::OkCancel, MsgAnswer::Ok});
    return answer == MsgAnswer::Ok && m_ctx.projects.SaveAs() &&
           !m_ctx.document.Project().aFileFolder.isEmpty();
}

void FrameCommands::ShowImportProblems(const QList<SkippedPicture> &skipped, bool warnCount,
                                       const QString &notice)
{
    QStringList parts{notice};
    if (warnCount)
        parts << FrameCountWarning(m_ctx.document.FrameCount());
    parts << SkippedPicturesMessage(skipped);
    parts.removeAll(QString());
    if (parts.isEmpty())
        return;
    const bool onlyNotice = parts.size() == 1 && parts.first() == notice;
    m_ctx.prompts.Message({parts.join(QStringLiteral("\n\n")), ImportTitle(),
                           onlyNotice ? MsgIcon::Information : MsgIcon::Warning, MsgButtons::Ok,
                           MsgAnswer::Ok});
}

void FrameCommands::ShowError(const QString &text)
{
    m_ctx.prompts.Message({text, ImportTitle(), MsgIcon::Error, MsgButtons::Ok, MsgAnswer::Ok});
}

} // namespace mrv
