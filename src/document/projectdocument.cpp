#include "document/projectdocument.h"

#include "document/framelistcommands.h"
#include "document/valuecommands.h"
#include "support/pathrules.h"
#include "support/tr.h"

namespace mrv {

namespace {

std::vector<aImage> applyOrderTo(const std::vector<aImage> &frames, const FrameOrder &order)
{
    std::vector<aImage> ordered;
    ordered.reserve(order.size());
    for (int from : order)
        ordered.push_back(frames[size_t(from)]);
    return ordered;
}

} // namespace

struct ProjectDocument::Shown
{
    std::optional<aImage> background;
    QString backgroundPath;
    std::vector<aImage> frames;
    QStringList framePaths;
};

ProjectDocument::ProjectDocument(QObject *parent)
    : QObject(parent), m_project(std::make_unique<MVK>())
{
    connect(&m_stack, &QUndoStack::cleanChanged, this, &ProjectDocument::cleanChanged);
}

ProjectDocument::~ProjectDocument()
{
    // The stack announces its clean state while it is torn down; the views listening to the
    // document may already be gone by then.
    m_stack.blockSignals(true);
    blockSignals(true);
}

void ProjectDocument::Reset(std::unique_ptr<MVK> project)
{
    m_project = project ? std::move(project) : std::make_unique<MVK>();
    m_backgroundPath = m_project->BackgroundPath();
    m_framePaths = m_project->FramePaths();
    m_stack.clear();
    m_project->aChanged = false;
    emit nameChanged();
    emit screenSizeChanged();
    emit backgroundChanged();
    emit framesReset();
    emit filePathChanged();
}

Status ProjectDocument::Save(const QString &path, bool pretty)
{
    SaveOptions options;
    options.pretty = pretty;
    options.projectFolder = m_project->aFileFolder;
    // Saving into the project's own folder makes paths relative in the model too; that names
    // the same pictures, so the views keep the texts they show.
    const Status saved = m_project->SaveFile(path, options);
    if (saved)
        MarkSaved(path);
    else
        announceChanges(shown());
    return saved;
}

void ProjectDocument::MarkSaved(const QString &path)
{
    const QString oldFolder = m_project->aFileFolder;
    const QString folder = FolderOfFile(path).value_or(oldFolder);
    const bool pathChanged = path != m_project->aFilePath;
    const Shown before = shown();
    if (folder != oldFolder && !oldFolder.isEmpty()) {
        rebaseOnto(folder);
        m_stack.clear();
    }
    m_project->aFilePath = path;
    m_project->aFileFolder = folder;
    announceChanges(before);
    m_stack.setClean();
    m_project->aChanged = false;
    if (pathChanged)
        emit filePathChanged();
}

bool ProjectDocument::SetName(const QString &name, EditSession session)
{
    if (name == m_project->aName)
        return false;
    m_stack.push(new NameCommand(*this, session, m_project->aName, name));
    return true;
}

bool ProjectDocument::SetScreenSize(qint16 width, qint16 height, EditSession session)
{
    const ValuePair before{m_project->aWidth, m_project->aHeight};
    const ValuePair after{width, height};
    if (width < 1 || height < 1 || after == before)
        return false;
    m_stack.push(new ScreenSizeCommand(*this, session, before, after));
    return true;
}

bool ProjectDocument::SetBackgroundUrl(const QString &url, EditSession session)
{
    const QString before = m_project->aBackground ? m_project->aBackground->aURL : QString();
    if (url == before)
        return false;
    m_stack.push(new BackgroundUrlCommand(*this, session, before, url));
    return true;
}

bool ProjectDocument::SetBackgroundOffset(qint16 x, qint16 y)
{
    const aImage current = m_project->aBackground.value_or(aImage{});
    const ValuePair before{current.aX, current.aY};
    const ValuePair after{x, y};
    if (after == before)
        return false;
    m_stack.push(new BackgroundOffsetCommand(*this, before, after));
    return true;
}

bool ProjectDocument::SetFrameUrl(int frame, const QString &url, EditSession session)
{
    const aImage *current = Frame(frame);
    if (!current || current->aURL == url)
        return false;
    m_stack.push(new FrameUrlCommand(*this, frame, session, current->aURL, url));
    return true;
}

bool ProjectDocument::SetFrameOffset(int frame, qint16 x, qint16 y)
{
    const aImage *current = Frame(frame);
    if (!current)
        return false;
    const ValuePair before{current->aX, current->aY};
    const ValuePair after{x, y};
    if (after == before)
        return false;
    m_stack.push(new FrameOffsetCommand(*this, frame, before, after));
    return true;
}

bool ProjectDocument::ReplaceFrames(const std::vector<aImage> &frames, const QString &text)
{
    std::vector<aImage> before = framesFrom(1, FrameCount());
    if (before == frames)
        return false;
    m_stack.push(new ReplaceFramesCommand(*this, text, std::move(before), frames));
    return true;
}

bool ProjectDocument::InsertFrames(int before, const std::vector<aImage> &frames,
                                   const QString &text)
{
    if (frames.empty() || before < 1 || before > FrameCount() + 1)
        return false;
    m_stack.push(new InsertFramesCommand(*this, text, before, frames));
    return true;
}

bool ProjectDocument::RemoveFrames(const QList<int> &frames)
{
    const std::vector<int> selection = NormalizeSelection(frames, FrameCount());
    if (selection.empty())
        return false;
    std::vector<RemoveFramesCommand::Run> runs;
    for (const FrameRun &run : SelectionRuns(selection))
        runs.push_back({run.first, framesFrom(run.first, run.count)});
    m_stack.push(new RemoveFramesCommand(*this, std::move(runs)));
    return true;
}

bool ProjectDocument::MoveFrames(const QList<int> &frames, int before)
{
    const std::vector<int> selection = NormalizeSelection(frames, FrameCount());
    if (selection.empty() || before < 1 || before > FrameCount() + 1)
        return false;
    FrameOrder order = MoveOrder(selection, before, FrameCount());
    const std::vector<aImage> current = framesFrom(1, FrameCount());
    if (applyOrderTo(current, order) == current)
        return false;
    m_stack.push(new ReorderFramesCommand(*this, Tr::tr("移动帧"), std::move(order)));
    return true;
}

bool ProjectDocument::StepFrames(const QList<int> &frames, int step)
{
    FrameOrder order = StepOrder(NormalizeSelection(frames, FrameCount()), step, FrameCount());
    if (IsIdentityOrder(order))
        return false;
    m_stack.push(new ReorderFramesCommand(*this, Tr::tr("移动帧"), std::move(order)));
    return true;
}

bool ProjectDocument::ReverseFrames(const QList<int> &frames)
{
    const std::vector<int> selection = NormalizeSelection(frames, FrameCount());
    FrameOrder order = ReverseOrder(selection, FrameCount());
    const std::vector<aImage> current = framesFrom(1, FrameCount());
    if (applyOrderTo(current, order) == current)
        return false;
    m_stack.push(new ReorderFramesCommand(*this, Tr::tr("反转帧顺序"), std::move(order)));
    return true;
}

void ProjectDocument::applyName(const QString &name)
{
    m_project->aName = name;
    emit nameChanged();
}

void ProjectDocument::applyScreenSize(qint16 width, qint16 height)
{
    m_project->aWidth = width;
    m_project->aHeight = height;
    emit screenSizeChanged();
}

void ProjectDocument::applyBackgroundUrl(const QString &url)
{
    background().aURL = url;
    m_backgroundPath = m_project->BackgroundPath();
    emit backgroundChanged();
}

void ProjectDocument::applyBackgroundOffset(qint16 x, qint16 y)
{
    background().aX = x;
    background().aY = y;
    emit backgroundChanged();
}

void ProjectDocument::applyFrameUrl(int frame, const QString &url)
{
    m_project->aFrame.Item(frame)->aURL = url;
    m_framePaths[frame - 1] = m_project->ResolvePicture(url);
    emit frameChanged(frame);
}

void ProjectDocument::applyFrameOffset(int frame, qint16 x, qint16 y)
{
    aImage *image = m_project->aFrame.Item(frame);
    image->aX = x;
    image->aY = y;
    emit frameChanged(frame);
}

void ProjectDocument::applyFrames(const std::vector<aImage> &frames)
{
    if (int(frames.size()) == FrameCount()) {
        // Same length: only the frames that differ are announced, as single edits would be.
        std::vector<int> changed;
        for (int k = 0; k < FrameCount(); ++k) {
            aImage *image = m_project->aFrame.Item(k + 1);
            if (*image == frames[size_t(k)])
                continue;
            *image = frames[size_t(k)];
            m_framePaths[k] = m_project->ResolvePicture(image->aURL);
            changed.push_back(k + 1);
        }
        for (int frame : changed)
            emit frameChanged(frame);
        return;
    }
    ::mrv::aFrame list;
    list.Reserve(int(frames.size()));
    for (const aImage &image : frames)
        list.Add(image.aURL, image.aX, image.aY);
    m_project->aFrame = std::move(list);
    m_framePaths = m_project->FramePaths();
    emit framesReset();
}

void ProjectDocument::applyInsert(int first, const std::vector<aImage> &frames)
{
    // aFrame appends only, so the list is rebuilt; the program's frames carry no keys.
    std::vector<aImage> all = framesFrom(1, FrameCount());
    all.insert(all.begin() + (first - 1), frames.begin(), frames.end());
    ::mrv::aFrame list;
    list.Reserve(int(all.size()));
    for (const aImage &image : all)
        list.Add(image.aURL, image.aX, image.aY);
    m_project->aFrame = std::move(list);
    QStringList paths;
    for (const aImage &image : frames)
        paths << m_project->ResolvePicture(image.aURL);
    m_framePaths.insert(first - 1, paths.size(), QString());
    for (int k = 0; k < paths.size(); ++k)
        m_framePaths[first - 1 + k] = paths[k];
    emit framesInserted(first, int(frames.size()));
}

void ProjectDocument::applyRemove(int first, int count)
{
    for (int k = 0; k < count; ++k)
        m_project->aFrame.Remove(first);
    m_framePaths.remove(first - 1, count);
    emit framesRemoved(first, count);
}

void ProjectDocument::applyOrder(const FrameOrder &order)
{
    const std::vector<aImage> frames = framesFrom(1, FrameCount());
    const QStringList paths = m_framePaths;
    std::vector<int> changed;
    for (size_t k = 0; k < order.size(); ++k) {
        const size_t from = size_t(order[k]);
        if (from == k)
            continue;
        *m_project->aFrame.Item(int(k) + 1) = frames[from];
        m_framePaths[qsizetype(k)] = paths[qsizetype(from)];
        changed.push_back(int(k) + 1);
    }
    // Views that follow frames (a selection, a current frame) move first; those that show
    // places redraw them after.
    emit framesReordered(order);
    for (int frame : changed)
        emit frameChanged(frame);
}

std::vector<aImage> ProjectDocument::framesFrom(int first, int count) const
{
    std::vector<aImage> frames;
    frames.reserve(size_t(count));
    for (int frame = first; frame < first + count; ++frame)
        frames.push_back(*m_project->aFrame.Item(frame));
    return frames;
}

aImage &ProjectDocument::background()
{
    if (!m_project->aBackground)
        m_project->aBackground = aImage{};
    return *m_project->aBackground;
}

void ProjectDocument::rebaseOnto(const QString &folder)
{
    // The same rebase the project file got when it was written into the other folder.
    const QString oldFolder = m_project->aFileFolder;
    auto rebase = [&](aImage &image) {
        image.aURL = MakeRelative(folder, ResolvePath(oldFolder, image.aURL));
    };
    if (m_project->aBackground)
        rebase(*m_project->aBackground);
    for (aImage &image : m_project->aFrame)
        rebase(image);
}

ProjectDocument::Shown ProjectDocument::shown() const
{
    return {m_project->aBackground, m_backgroundPath, framesFrom(1, FrameCount()), m_framePaths};
}

void ProjectDocument::announceChanges(const Shown &before)
{
    m_backgroundPath = m_project->BackgroundPath();
    m_framePaths = m_project->FramePaths();
    if (m_project->aBackground != before.background || m_backgroundPath != before.backgroundPath)
        emit backgroundChanged();
    for (int k = 0; k < FrameCount(); ++k)
        if (*m_project->aFrame.Item(k + 1) != before.frames[size_t(k)] ||
            m_framePaths[k] != before.framePaths[k])
            emit frameChanged(k + 1);
}

void ProjectDocument::cleanChanged(bool clean)
{
    m_project->aChanged = !clean;
    emit modifiedChanged(!clean);
}

} // namespace mrv
