#include "editor/framemodel.h"

#include "document/projectdocument.h"
#include "editor/pathproblem.h"
#include "imaging/picturecache.h"
#include "support/bootgeometry.h"
#include "support/tr.h"

#include <QMimeData>
#include <QPoint>

#include <algorithm>

namespace mrv {

namespace {

// Most of a screenful at a time: enough for a fast scroll, small enough to stop soon.
constexpr int BatchSize = 48;

const QString FramesMime = QStringLiteral("application/x-mirovane-frames");

// What a new thumbnail or scene changes, and what a new frame count changes: views that show
// neither (the frame rows) skip these.
QList<int> ThumbnailRoles()
{
    return {Qt::DecorationRole, Qt::ToolTipRole, FrameModel::ProblemRole};
}

QList<int> PartRoles()
{
    return {FrameModel::LoopStartRole, FrameModel::LoopRole, Qt::DisplayRole};
}

} // namespace

FrameModel::FrameModel(ProjectDocument &document, PictureCache &cache, int thumbSide,
                       QObject *parent)
    : QAbstractListModel(parent), m_document(document), m_cache(cache), m_selection(this),
      m_maker(thumbSide)
{
    m_batch.setSingleShot(true);
    m_batch.setInterval(0);
    connect(&m_batch, &QTimer::timeout, this, &FrameModel::RequestPending);
    connect(&m_maker, &ThumbnailMaker::made, this, &FrameModel::Made);
    connect(&document, &ProjectDocument::framesReset, this, &FrameModel::Reset);
    connect(&document, &ProjectDocument::backgroundChanged, this, &FrameModel::NewScene);
    connect(&document, &ProjectDocument::screenSizeChanged, this, &FrameModel::NewScene);
    connect(&document, &ProjectDocument::frameChanged, this, &FrameModel::Change);
    connect(&document, &ProjectDocument::framesInserted, this, &FrameModel::Insert);
    connect(&document, &ProjectDocument::framesRemoved, this, &FrameModel::Remove);
    connect(&document, &ProjectDocument::framesReordered, this, &FrameModel::Reorder);
    Reset();
}

int FrameModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_judged.size());
}

FrameModel::Judged FrameModel::Judge(int frame, bool decode) const
{
    Judged judged;
    const aImage *image = m_document.Frame(frame);
    const QStringList &paths = m_document.FramePaths();
    if (!image || frame > paths.size())
        return judged;
    judged.url = image->aURL;
    judged.resolved = paths.at(frame - 1);
    const QString folder = m_document.Project().aFileFolder;
    if (!decode) {
        // A project never saved names its pictures relative to a folder it does not have
        // yet; its placeholder paths are not the user's doing, so only edited paths count.
        if (!folder.isEmpty())
            judged.problem = PathBoxProblem(folder, judged.url, judged.resolved);
        return judged;
    }
    judged.problem = PathBoxProblem(folder, judged.url, judged.resolved);
    // One picture was named: decoding it (into the cache the preview draws from) also finds
    // a file whose head looks right but whose data is broken.
    if (judged.problem.isEmpty() && !judged.url.isEmpty() &&
        m_cache.Picture(judged.resolved).isNull())
        judged.problem = UndecodableProblem();
    return judged;
}

ThumbnailJob FrameModel::JobOf(int frame) const
{
    ThumbnailJob job;
    const QStringList &paths = m_document.FramePaths();
    if (frame >= 1 && frame <= paths.size())
        job.path = paths.at(frame - 1);
    if (const aImage *image = m_document.Frame(frame)) {
        job.x = image->aX;
        job.y = image->aY;
    }
    return job;
}

QVariant FrameModel::data(const QModelIndex &index, int role) const
{
    const int frame = index.row() + 1;
    if (!index.isValid() || frame > rowCount())
        return {};
    const Judged &judged = m_judged[size_t(frame - 1)];
    switch (role) {
    case Qt::DisplayRole:
        return QStringLiteral("%1").arg(frame, 3, 10, QChar(u'0'));
    case StoredPathRole:
        return judged.url;
    case ResolvedPathRole:
        return judged.resolved;
    case PathProblemRole:
        return judged.problem;
    case OffsetRole: {
        const aImage *image = m_document.Frame(frame);
        return image ? QPoint(image->aX, image->aY) : QPoint();
    }
    case Qt::DecorationRole: {
        const ThumbnailJob job = JobOf(frame);
        const QString key = ThumbnailKey(job);
        if (const auto it = m_thumbs.constFind(key); it != m_thumbs.cend())
            return it->image;
        // Asked for as the view paints, so only the thumbnails in view are made.
        if (!m_requested.contains(key)) {
            m_requested.insert(key);
            m_pending.append(job);
            m_batch.start();
        }
        return {};
    }
    case Qt::ToolTipRole:
    case ProblemRole: {
        QString reason = judged.problem;
        if (reason.isEmpty()) {
            const auto it = m_thumbs.constFind(ThumbnailKey(JobOf(frame)));
            if (it != m_thumbs.cend() && !it->readable)
                reason = Tr::tr("图片无法读取");
        }
        return role == ProblemRole || !reason.isEmpty() ? QVariant(reason) : QVariant();
    }
    case LoopStartRole:
        return frame == LoopStartFrame(rowCount());
    case LoopRole:
        return frame >= LoopStartFrame(rowCount());
    default:
        return {};
    }
}

Qt::ItemFlags FrameModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags base = QAbstractListModel::flags(index) | Qt::ItemIsDropEnabled;
    return index.isValid() ? base | Qt::ItemIsDragEnabled : base;
}

Qt::DropActions FrameModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList FrameModel::mimeTypes() const
{
    return {FramesMime};
}

QMimeData *FrameModel::mimeData(const QModelIndexList &indexes) const
{
    QStringList frames;
    for (const QModelIndex &index : indexes)
        if (index.isValid())
            frames.append(QString::number(index.row() + 1));
    auto *data = new QMimeData;
    data->setData(FramesMime, frames.join(u',').toLatin1());
    return data;
}

bool FrameModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int,
                              const QModelIndex &parent)
{
    if (!data || action != Qt::MoveAction || !data->hasFormat(FramesMime))
        return false;
    QList<int> frames;
    for (const QByteArray &number : data->data(FramesMime).split(','))
        if (const int frame = number.toInt(); frame >= 1 && frame <= rowCount())
            frames.append(frame);
    // Between thumbnails: before the next one; on a thumbnail: before it; past the end: last.
    const int before = row >= 0 ? row + 1 : parent.isValid() ? parent.row() + 1 : rowCount() + 1;
    return !frames.isEmpty() && m_document.MoveFrames(frames, before);
}

int FrameModel::CurrentFrame() const
{
    const QModelIndex current = m_selection.currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

QList<int> FrameModel::PickedFrames() const
{
    QList<int> frames;
    for (const QItemSelectionRange &range : m_selection.selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            frames.append(row + 1);
    std::sort(frames.begin(), frames.end());
    frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
    return frames;
}

bool FrameModel::IsPicked(int frame) const
{
    return frame >= 1 && frame <= rowCount() && m_selection.isRowSelected(frame - 1);
}

void FrameModel::Pick(const QList<int> &frames, int current)
{
    QList<int> sorted = frames;
    std::sort(sorted.begin(), sorted.end());
    // Runs of frames as ranges: a long pick stays a few ranges, not one per frame.
    QItemSelection selection;
    for (qsizetype i = 0; i < sorted.size();) {
        qsizetype end = i;
        while (end + 1 < sorted.size() && sorted.at(end + 1) <= sorted.at(end) + 1)
            ++end;
        const QModelIndex first = IndexOf(std::max(sorted.at(i), 1));
        const QModelIndex last = IndexOf(std::min(sorted.at(end), rowCount()));
        if (first.isValid() && last.isValid() && first.row() <= last.row())
            selection.select(first, last);
        i = end + 1;
    }
    if (const QModelIndex now = IndexOf(current); now.isValid())
        m_selection.setCurrentIndex(now, QItemSelectionModel::NoUpdate);
    if (selection != m_selection.selection())
        m_selection.select(selection, QItemSelectionModel::ClearAndSelect);
}

void FrameModel::Reach(int frame)
{
    const QModelIndex index = IndexOf(frame);
    if (!index.isValid())
        return;
    if (IsPicked(frame))
        m_selection.setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    else
        m_selection.setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void FrameModel::Reset()
{
    beginResetModel();
    m_judged.clear();
    const int count = m_document.FrameCount();
    m_judged.reserve(size_t(count));
    for (int frame = 1; frame <= count; ++frame)
        m_judged.push_back(Judge(frame, false));
    NewScene();
    endResetModel();
}

void FrameModel::Insert(int first, int count)
{
    beginInsertRows({}, first - 1, first + count - 2);
    std::vector<Judged> added;
    for (int frame = first; frame < first + count; ++frame)
        added.push_back(Judge(frame, false));
    m_judged.insert(m_judged.begin() + (first - 1), added.begin(), added.end());
    endInsertRows();
    // The loop start keeps its share of the frames, so the marks move.
    RowsChanged(1, rowCount(), PartRoles());
}

void FrameModel::Remove(int first, int count)
{
    beginRemoveRows({}, first - 1, first + count - 2);
    m_judged.erase(m_judged.begin() + (first - 1), m_judged.begin() + (first - 1 + count));
    endRemoveRows();
    RowsChanged(1, rowCount(), PartRoles());
}

void FrameModel::Reorder(const FrameOrder &order)
{
    if (order.size() != m_judged.size())
        return;
    // A layout change moves every persistent index, so the picks and the current frame
    // travel with their frames.
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<Judged> judged(m_judged.size());
    for (size_t k = 0; k < order.size(); ++k)
        judged[k] = std::move(m_judged[size_t(order[k])]);
    m_judged = std::move(judged);
    const FrameOrder placeOf = InverseOrder(order);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &index : from)
        to.append(index.isValid() && size_t(index.row()) < placeOf.size()
                      ? this->index(placeOf[size_t(index.row())])
                      : QModelIndex());
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void FrameModel::Change(int frame)
{
    if (frame < 1 || frame > rowCount())
        return;
    Judged &judged = m_judged[size_t(frame - 1)];
    const aImage *image = m_document.Frame(frame);
    const QStringList &paths = m_document.FramePaths();
    // Only a new path is judged again; a frame that moved here or got an offset keeps its mark.
    if (!image || frame > paths.size() ||
        (image->aURL != judged.url || paths.at(frame - 1) != judged.resolved))
        judged = Judge(frame, true);
    RowsChanged(frame, frame);
}

void FrameModel::NewScene()
{
    ThumbnailScene scene;
    scene.backgroundPath = m_document.BackgroundPath();
    scene.background = m_document.Project().aBackground.value_or(aImage{});
    if (const auto scale = ReferenceScale(m_document.Project()))
        scene.scale = *scale;
    m_maker.SetScene(scene);
    m_thumbs.clear();
    m_requested.clear();
    m_pending.clear();
    RowsChanged(1, rowCount(), ThumbnailRoles());
}

void FrameModel::RequestPending()
{
    // The newest requests first: they are what the view shows now.
    QList<ThumbnailJob> batch;
    while (!m_pending.isEmpty() && batch.size() < BatchSize)
        batch.append(m_pending.takeLast());
    // Requests the view scrolled past long ago are asked for again when painted.
    for (const ThumbnailJob &job : std::as_const(m_pending))
        m_requested.remove(ThumbnailKey(job));
    m_pending.clear();
    m_maker.Make(batch);
}

void FrameModel::Made(const QString &key, const QImage &image, bool readable)
{
    if (!m_requested.contains(key))
        return;
    m_thumbs.insert(key, {image, readable});
    // Every row showing this file at this offset; the view repaints only what it shows.
    RowsChanged(1, rowCount(), ThumbnailRoles());
}

void FrameModel::RowsChanged(int first, int last, const QList<int> &roles)
{
    if (rowCount() <= 0 || first > last)
        return;
    emit dataChanged(index(std::max(first, 1) - 1), index(std::min(last, rowCount()) - 1), roles);
}

} // namespace mrv
