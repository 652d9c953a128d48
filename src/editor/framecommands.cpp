#include "editor/framecommands.h"

#include "document/projectdocument.h"
#include "editor/clipimportdialog.h"
#include "editor/framelist.h"
#include "editor/thumbnailstrip.h"
#include "editor/frmediter.h"
#include "imaging/animationprobe.h"
#include "import/frameimporter.h"
#include "import/importer.h"
#include "support/naturalorder.h"
#include "widgets/prompts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QRegularExpression>
#include <QSlider>

#include <algorithm>

namespace mrv {

namespace {

const QString ImportTitle = QStringLiteral("导入帧序列");

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

FrameCommands &FrameCommands::Install(frmEditer &editor)
{
    auto *commands = new FrameCommands(editor);
    commands->ConnectEntries();
    return *commands;
}

FrameCommands::FrameCommands(frmEditer &editor)
    : QObject(&editor), m_editor(editor), m_types(FrameImportTypes())
{
    setObjectName(QStringLiteral("frameCommands"));
}

void FrameCommands::ConnectEntries()
{
    const EditorMenus &m = m_editor.Menus();
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
    // The entries follow the current frame, the picked rows and the frame count.
    connect(m_editor.Controls().sldFrame, &QSlider::valueChanged, this,
            &FrameCommands::UpdateEntries);
    connect(&m_editor.Frames(), &FrameList::labelClicked, this, &FrameCommands::UpdateEntries);
    ProjectDocument &document = m_editor.Document();
    for (auto signal : {&ProjectDocument::framesReset, &ProjectDocument::filePathChanged})
        connect(&document, signal, this, &FrameCommands::UpdateEntries);
    connect(&document, &ProjectDocument::framesInserted, this, &FrameCommands::UpdateEntries);
    connect(&document, &ProjectDocument::framesRemoved, this, &FrameCommands::UpdateEntries);
    UpdateEntries();

    FrameList &list = m_editor.Frames();
    connect(&list, &FrameList::rowMenuRequested, this, &FrameCommands::ShowRowMenu);
    connect(&list, &FrameList::deleteKeyPressed, this, &FrameCommands::DeleteFrames);
    connect(&list, &FrameList::insertKeyPressed, this, &FrameCommands::InsertBefore);
    // The strip shows the current frame, which the keys act on as they do in the list.
    connect(&m_editor.Strip(), &ThumbnailStrip::deleteKeyPressed, this,
            &FrameCommands::DeleteFrames);
    connect(&m_editor.Strip(), &ThumbnailStrip::insertKeyPressed, this,
            &FrameCommands::InsertBefore);
    connect(&list, &FrameList::filesDropped, this, &FrameCommands::DropFiles);
}

void FrameCommands::UpdateEntries()
{
    const EditorMenus &m = m_editor.Menus();
    const int count = m_editor.Document().FrameCount();
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
    const int count = m_editor.Document().FrameCount();
    return std::clamp(m_editor.Controls().sldFrame->value(), count > 0 ? 1 : 0, count);
}

QList<int> FrameCommands::Targets() const
{
    return RowsToActOn(CurrentRow(), m_editor.Frames().Selection());
}

void FrameCommands::Pick(int first, int count)
{
    const int frames = m_editor.Document().FrameCount();
    if (frames == 0)
        return;
    first = std::clamp(first, 1, frames);
    QList<int> rows;
    for (int r = first; r < first + count && r <= frames; ++r)
        rows.append(r);
    m_editor.Controls().sldFrame->setValue(first);
    m_editor.Frames().SetSelection(rows);
    UpdateEntries();
}

void FrameCommands::InsertBefore()
{
    const int at = std::max(Targets().first(), 1);
    if (m_editor.Document().InsertFrames(at, {aImage{}}))
        Pick(at, 1);
}

void FrameCommands::InsertAfter()
{
    const int at = Targets().last() + 1;
    if (m_editor.Document().InsertFrames(at, {aImage{}}))
        Pick(at, 1);
}

void FrameCommands::CopyFrames()
{
    const QList<int> targets = Targets();
    ProjectDocument &document = m_editor.Document();
    std::vector<aImage> copies;
    for (int row : targets)
        if (const aImage *frame = document.Frame(row))
            copies.push_back(*frame);
    const int at = targets.last() + 1;
    if (document.InsertFrames(at, copies, StepName(*m_editor.Menus().mnuFrameCopy)))
        Pick(at, int(copies.size()));
}

void FrameCommands::DeleteFrames()
{
    const QList<int> targets = Targets();
    if (m_editor.Document().RemoveFrames(targets))
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
    // them into a block would reorder frames the user never picked.
    const QList<int> targets = Targets();
    const int current = CurrentRow();
    const int count = m_editor.Document().FrameCount();
    if ((step < 0 && targets.first() <= 1) || (step > 0 && targets.last() >= count) ||
        !m_editor.Document().StepFrames(targets, step))
        return;
    QList<int> moved;
    for (int row : targets)
        moved << row + step;
    m_editor.Controls().sldFrame->setValue(current + step);
    m_editor.Frames().SetSelection(moved);
    UpdateEntries();
}

void FrameCommands::ReverseFrames()
{
    const QList<int> targets = Targets();
    if (targets.size() > 1 && m_editor.Document().ReverseFrames(targets))
        m_editor.Frames().SetSelection(targets);
    UpdateEntries();
}

void FrameCommands::ShowRowMenu(int row, QPoint globalPos)
{
    if (!m_editor.Frames().Selection().contains(row)) {
        m_editor.Controls().sldFrame->setValue(row);
        m_editor.Frames().SetSelection({row});
    } else {
        m_editor.Controls().sldFrame->setValue(row);
    }
    UpdateEntries();
    QMenu menu(&m_editor);
    menu.setObjectName(QStringLiteral("mnuFrameRow"));
    menu.addActions(m_editor.Menus().mnuFrame->actions());
    menu.exec(globalPos);
}

void FrameCommands::DropFiles(int row, const QStringList &files)
{
    ProjectDocument &document = m_editor.Document();
    const DroppedFiles dropped = SortDroppedFiles(files);
    const QStringList &pictures = dropped.pictures;
    if (pictures.size() > MaxImportedFrames) {
        ShowError(QStringLiteral("拖入了 %1 张图片，一次最多导入 %2 张，未作任何更改")
                      .arg(pictures.size())
                      .arg(MaxImportedFrames));
        return;
    }
    FrameImport import;
    {
        WaitCursor wait;
        import = FramesForPictures(
            pictures, document.Project().aFileFolder,
            QSize(document.Project().aWidth, document.Project().aHeight));
    }
    import.skipped += dropped.leftOut;
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
    if (!import.frames.empty() && document.ReplaceFrames(frames, QStringLiteral("拖入帧")))
        Pick(first, int(import.frames.size()));
    ShowImportProblems(import.skipped, document.FrameCount() != before);
}

void FrameCommands::mnuImportFrames_Click()
{
    const QString folder = m_editor.CurrentProject()->aFileFolder;
    FileDialogRequest request;
    request.kind = FileDialogKind::OpenFileOrFolder;
    request.title = QStringLiteral("选择帧图片所在的文件夹，或一个动画图片");
    request.types = &m_types;
    request.startFolder = folder;
    const auto chosen = m_editor.AppPrompts().File(request);
    if (chosen)
        ImportFrom(chosen->path);
}

bool FrameCommands::ImportFrom(const QString &source)
{
    if (IsAnimatedSource(source) && m_editor.CurrentProject()->aFileFolder.isEmpty()) {
        // The frames are written beside the project, which needs a folder first.
        const MsgAnswer answer = m_editor.AppPrompts().Message(
            {QStringLiteral("动画的每一帧将保存为图片，放在工程文件旁边。工程还没有保存，"
                            "请先选择工程的保存位置。"),
             ImportTitle, MsgIcon::Information, MsgButtons::OkCancel, MsgAnswer::Ok});
        if (answer != MsgAnswer::Ok || !m_editor.Commands().SaveAs() ||
            m_editor.CurrentProject()->aFileFolder.isEmpty())
            return false;
    }
    const Importer *importer = ImportRegistry::Find(u"import-frames");
    if (!importer)
        return false;
    ImportRequest request;
    if (IsAnimatedSource(source) && !AskClipChoices(source, request))
        return false;
    request.source = source;
    request.projectFolder = m_editor.CurrentProject()->aFileFolder;
    request.framesFolder = request.projectFolder;
    request.frameTimeMs = m_editor.PlayTimer().FrameTime();
    const ImportOutcome outcome = [&] {
        WaitCursor wait;
        return importer->Run(m_editor.Document().Project(), request);
    }();
    if (!outcome.status) {
        ShowError(outcome.status.message());
        return false;
    }
    const bool changed = m_editor.Document().ReplaceFrames(outcome.frames, ImportTitle);
    if (changed)
        Pick(1, 1);
    ShowImportProblems(outcome.skipped, true, outcome.notice);
    return changed;
}

bool FrameCommands::AskClipChoices(const QString &source, ImportRequest &request)
{
    const MVK &project = m_editor.Document().Project();
    ClipChoices proposed;
    if (const auto probe = ProbeAnimation(source))
        proposed.fit = DefaultFit(probe->size, QSize(project.aWidth, project.aHeight));
    ClipImportDialog dialog(proposed, &m_editor);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const ClipChoices chosen = dialog.Choices();
    static const char *const fits[] = {"contain", "cover", "none"};
    request.values.insert(FrameImporter::Fit, QString::fromLatin1(fits[int(chosen.fit)]));
    request.values.insert(FrameImporter::Timing,
                          chosen.timing == FrameTiming::Boot ? QStringLiteral("boot")
                                                             : QStringLiteral("frames"));
    return true;
}

void FrameCommands::ShowImportProblems(const QList<SkippedPicture> &skipped, bool warnCount,
                                       const QString &notice)
{
    QStringList parts{notice};
    if (warnCount)
        parts << FrameCountWarning(m_editor.Document().FrameCount());
    parts << SkippedPicturesMessage(skipped);
    parts.removeAll(QString());
    if (parts.isEmpty())
        return;
    const bool onlyNotice = parts.size() == 1 && parts.first() == notice;
    m_editor.AppPrompts().Message({parts.join(QStringLiteral("\n\n")), ImportTitle,
                                   onlyNotice ? MsgIcon::Information : MsgIcon::Warning,
                                   MsgButtons::Ok, MsgAnswer::Ok});
}

void FrameCommands::ShowError(const QString &text)
{
    m_editor.AppPrompts().Message(
        {text, ImportTitle, MsgIcon::Error, MsgButtons::Ok, MsgAnswer::Ok});
}

} // namespace mrv
