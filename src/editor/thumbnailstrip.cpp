#include "editor/thumbnailstrip.h"

#include "document/projectdocument.h"
#include "support/bootgeometry.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListView>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>

namespace mrv {

namespace {

constexpr int ThumbSide = 72;
constexpr int Pad = 4;
constexpr int NumberHeight = 16;

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
                reason = tr("图片无法读取");
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

QSize FrameStripDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return {ThumbSide + 2 * Pad, ThumbSide + NumberHeight + 2 * Pad};
}

void FrameStripDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    painter->save();
    const QRect cell(option.rect.topLeft(), sizeHint(option, index).boundedTo(option.rect.size()));
    const bool loop = index.data(FrameStripModel::LoopRole).toBool();
    const bool current = option.state & QStyle::State_Selected;
    // The loop part has a tint of its own, so the intro and the loop read apart.
    painter->fillRect(cell, loop ? QColor(0xe4, 0xef, 0xe0) : option.palette.base().color());
    if (current)
        painter->fillRect(cell, option.palette.highlight().color().lighter(160));

    const QRect thumb(cell.left() + Pad, cell.top() + Pad, ThumbSide, ThumbSide);
    // A checkerboard shows where neither background nor frame covers the area.
    painter->fillRect(thumb, QBrush(QColor(0xcc, 0xcc, 0xcc), Qt::Dense4Pattern));
    const QImage image = index.data(Qt::DecorationRole).value<QImage>();
    if (!image.isNull())
        painter->drawImage(thumb.topLeft() + QPoint((ThumbSide - image.width()) / 2,
                                                    (ThumbSide - image.height()) / 2),
                           image);

    const QString problem = index.data(FrameStripModel::ProblemRole).toString();
    if (!problem.isEmpty()) {
        // The same mark as the path box: red, with the reason in the tooltip.
        painter->setPen(QPen(QColor(0xd0, 0x20, 0x20), 2));
        painter->drawRect(thumb.adjusted(1, 1, -1, -1));
        painter->drawLine(thumb.topLeft(), thumb.bottomRight());
        painter->drawLine(thumb.topRight(), thumb.bottomLeft());
    }
    const QRect number(cell.left(), thumb.bottom() + 1, cell.width(), NumberHeight + Pad);
    painter->setPen(current ? option.palette.highlight().color().darker(150)
                            : option.palette.text().color());
    QFont font = option.font;
    font.setBold(current);
    painter->setFont(font);
    painter->drawText(number, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
    if (index.data(FrameStripModel::LoopStartRole).toBool())
        painter->fillRect(QRect(cell.left(), cell.top(), 3, cell.height()),
                          QColor(0x2e, 0x8b, 0x3a));
    if (current) {
        painter->setPen(QPen(option.palette.highlight().color(), 3));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(cell.adjusted(1, 1, -2, -2));
    }
    painter->restore();
}

ThumbnailStrip::ThumbnailStrip(ProjectDocument &document, std::function<QString(int)> problem,
                               QWidget *parent)
    : QDockWidget(tr("缩略图"), parent)
{
    setObjectName(QStringLiteral("dockThumbnails"));
    m_model = new FrameStripModel(document, std::move(problem), ThumbSide, this);
    m_view = new QListView(this);
    m_view->setObjectName(QStringLiteral("lstThumbnails"));
    m_view->setFlow(QListView::LeftToRight);
    m_view->setWrapping(false);
    m_view->setUniformItemSizes(true);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setItemDelegate(new FrameStripDelegate(m_view));
    m_view->setDragEnabled(true);
    m_view->setAcceptDrops(true);
    m_view->setDropIndicatorShown(true);
    m_view->setDragDropMode(QAbstractItemView::DragDrop);
    m_view->setDefaultDropAction(Qt::MoveAction);
    m_view->setModel(m_model);
    // One row of thumbnails and the scrollbar: the rest of the height belongs to the editor.
    m_view->setFixedHeight(ThumbSide + NumberHeight + 2 * Pad +
                           m_view->horizontalScrollBar()->sizeHint().height() +
                           2 * m_view->frameWidth() + 2);
    setWidget(m_view);
    m_view->installEventFilter(this);
    // Clicks and key steps in the strip choose the frame; the window then calls SetCurrent.
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &now) {
                if (!m_setting && now.isValid())
                    emit frameChosen(now.row() + 1);
            });
}

void ThumbnailStrip::SetCurrent(int frame)
{
    const QModelIndex index = m_model->index(frame - 1);
    if (!index.isValid())
        return;
    m_setting = true;
    m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_setting = false;
    // A thumbnail leaving the view comes back in the middle, with its neighbours around it;
    // one in view stays put, so the strip does not move under the pointer.
    if (!m_view->viewport()->rect().contains(m_view->visualRect(index)))
        m_view->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

bool ThumbnailStrip::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::NoModifier && key->key() == Qt::Key_Delete) {
            emit deleteKeyPressed();
            return true;
        }
        if (key->modifiers() == Qt::NoModifier && key->key() == Qt::Key_Insert) {
            emit insertKeyPressed();
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

} // namespace mrv
