#include "editor/framestripmodel.h"

#include "document/projectdocument.h"
#include "support/bootgeometry.h"
#include "support/tr.h"

#include <QMimeData>

namespace mrv {

namespace {

// Most of a screenful at a time: enough for a fast scroll, small enough to stop soon.
constexpr int BatchSize = 48;

const QString FramesMime = QStringLiteral("application/x-mirovane-frames");

} // namespace

FrameStripModel::FrameStripModel(ProjectDocument &document, std::function<QString(int)> problem,
                                 int side, QObject *parent)
    : QAbstractListModel(parent), m_document(document), m_problem(std::move(problem)), m_maker(side)
{
    m_batch.setSingleShot(true);
    m_batch.setInterval(0);
    connect(&m_batch, &QTimer::timeout, this, &FrameStripModel::RequestPending);
    connect(&m_maker, &ThumbnailMaker::made, this, &FrameStripModel::Made);
    connect(&document, &ProjectDocument::framesReset, this, &FrameStripModel::Reset);
    connect(&document, &ProjectDocument::backgroundChanged, this, &FrameStripModel::NewScene);
    connect(&document, &ProjectDocument::screenSizeChanged, this, &FrameStripModel::NewScene);
    connect(&document, &ProjectDocument::frameChanged, this,
            [this](int frame) { RowsChanged(frame, frame); });
    connect(&document, &ProjectDocument::framesInserted, this, [this](int first, int count) {
        beginInsertRows({}, first - 1, first + count - 2);
        m_count = m_document.FrameCount();
        endInsertRows();
        // The loop start keeps its share of the frames, so the marks move.
        RowsChanged(1, m_count);
    });
    connect(&document, &ProjectDocument::framesRemoved, this, [this](int first, int count) {
        beginRemoveRows({}, first - 1, first + count - 2);
        m_count = m_document.FrameCount();
        endRemoveRows();
        RowsChanged(1, m_count);
    });
    Reset();
}

int FrameStripModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_count;
}

ThumbnailJob FrameStripModel::JobOf(int frame) const
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

QVariant FrameStripModel::data(const QModelIndex &index, int role) const
{
    const int frame = index.row() + 1;
    if (!index.isValid() || frame > m_count)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QStringLiteral("%1").arg(frame, 3, 10, QChar(u'0'));
    case Qt::DecorationRole: {
        const ThumbnailJob job = JobOf(frame);
        const QString key = ThumbnailKey(job);
        if (const auto it = m_cache.constFind(key); it != m_cache.cend())
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
        QString reason = m_problem ? m_problem(frame) : QString();
        if (reason.isEmpty()) {
            const auto it = m_cache.constFind(ThumbnailKey(JobOf(frame)));
            if (it != m_cache.cend() && !it->readable)
                reason = Tr::tr("图片无法读取");
        }
        return role == ProblemRole || !reason.isEmpty() ? QVariant(reason) : QVariant();
    }
    case LoopStartRole:
        return frame == LoopStartFrame(m_count);
    case LoopRole:
        return frame >= LoopStartFrame(m_count);
    default:
        return {};
    }
}

Qt::ItemFlags FrameStripModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags base = QAbstractListModel::flags(index) | Qt::ItemIsDropEnabled;
    return index.isValid() ? base | Qt::ItemIsDragEnabled : base;
}

Qt::DropActions FrameStripModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList FrameStripModel::mimeTypes() const
{
    return {FramesMime};
}

QMimeData *FrameStripModel::mimeData(const QModelIndexList &indexes) const
{
    QStringList frames;
    for (const QModelIndex &index : indexes)
        if (index.isValid())
            frames.append(QString::number(index.row() + 1));
    auto *data = new QMimeData;
    data->setData(FramesMime, frames.join(u',').toLatin1());
    return data;
}

bool FrameStripModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int,
                                   const QModelIndex &parent)
{
    if (!data || action != Qt::MoveAction || !data->hasFormat(FramesMime))
        return false;
    QList<int> frames;
    for (const QByteArray &number : data->data(FramesMime).split(','))
        if (const int frame = number.toInt(); frame >= 1 && frame <= m_count)
            frames.append(frame);
    // Between thumbnails: before the next one; on a thumbnail: before it; past the end: last.
    const int before = row >= 0 ? row + 1 : parent.isValid() ? parent.row() + 1 : m_count + 1;
    return !frames.isEmpty() && m_document.MoveFrames(frames, before);
}

void FrameStripModel::ProblemChanged(int frame)
{
    RowsChanged(frame, frame);
}

void FrameStripModel::Reset()
{
    beginResetModel();
    m_count = m_document.FrameCount();
    NewScene();
    endResetModel();
}

void FrameStripModel::NewScene()
{
    ThumbnailScene scene;
    scene.backgroundPath = m_document.BackgroundPath();
    scene.background = m_document.Project().aBackground.value_or(aImage{});
    if (const auto scale = ReferenceScale(m_document.Project()))
        scene.scale = *scale;
    m_maker.SetScene(scene);
    m_cache.clear();
    m_requested.clear();
    m_pending.clear();
    RowsChanged(1, m_count);
}

void FrameStripModel::RequestPending()
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

void FrameStripModel::Made(const QString &key, const QImage &image, bool readable)
{
    if (!m_requested.contains(key))
        return;
    m_cache.insert(key, {image, readable});
    // Every row showing this file at this offset; the view repaints only what it shows.
    RowsChanged(1, m_count);
}

void FrameStripModel::RowsChanged(int first, int last)
{
    if (m_count <= 0 || first > last)
        return;
    emit dataChanged(index(std::max(first, 1) - 1), index(std::min(last, m_count) - 1));
}

} // namespace mrv
