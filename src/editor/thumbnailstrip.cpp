#include "editor/thumbnailstrip.h"

#include "editor/framelist.h"
#include "editor/framestripdelegate.h"
#include "editor/framestripmodel.h"
#include "support/tr.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListView>
#include <QMimeData>
#include <QScrollBar>
#include <QUrl>

#include <algorithm>

namespace mrv {

ThumbnailStrip::ThumbnailStrip(ProjectDocument &document, std::function<QString(int)> problem,
                               QWidget *parent)
    : QDockWidget(Tr::tr("缩略图"), parent)
{
    setObjectName(QStringLiteral("dockThumbnails"));
    m_model =
        new FrameStripModel(document, std::move(problem), FrameStripDelegate::ThumbSide, this);
    m_view = new QListView(this);
    m_view->setObjectName(QStringLiteral("lstThumbnails"));
    m_view->setFlow(QListView::LeftToRight);
    m_view->setWrapping(false);
    m_view->setUniformItemSizes(true);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
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
    m_view->setFixedHeight(FrameStripDelegate::ThumbSide + FrameStripDelegate::NumberHeight +
                           2 * FrameStripDelegate::Pad +
                           m_view->horizontalScrollBar()->sizeHint().height() +
                           2 * m_view->frameWidth() + 2);
    setWidget(m_view);
    m_dropLine = new QWidget(m_view->viewport());
    m_dropLine->setObjectName(QStringLiteral("dropLine"));
    m_dropLine->setAutoFillBackground(true);
    m_dropLine->setBackgroundRole(QPalette::Highlight);
    m_dropLine->hide();
    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
    // Clicks and key steps in the strip choose the frame; the window then calls SetCurrent.
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &now) {
                if (!m_setting && now.isValid())
                    emit frameChosen(now.row() + 1);
            });
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_setting)
            emit picked(Picked());
    });
}

void ThumbnailStrip::SetCurrent(int frame)
{
    const QModelIndex index = m_model->index(frame - 1);
    if (!index.isValid())
        return;
    m_setting = true;
    m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_setting = false;
    // A thumbnail leaving the view comes back in the middle, with its neighbours around it;
    // one in view stays put, so the strip does not move under the pointer.
    if (!m_view->viewport()->rect().contains(m_view->visualRect(index)))
        m_view->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void ThumbnailStrip::SetPicked(const QList<int> &frames)
{
    if (frames == Picked())
        return;
    // Runs of frames as ranges: a long pick stays a few ranges, not one per frame.
    QItemSelection selection;
    for (qsizetype i = 0; i < frames.size();) {
        qsizetype end = i;
        while (end + 1 < frames.size() && frames.at(end + 1) == frames.at(end) + 1)
            ++end;
        const QModelIndex first = m_model->index(frames.at(i) - 1);
        const QModelIndex last = m_model->index(frames.at(end) - 1);
        if (first.isValid() && last.isValid())
            selection.select(first, last);
        i = end + 1;
    }
    m_setting = true;
    m_view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    m_setting = false;
}

QList<int> ThumbnailStrip::Picked() const
{
    QList<int> frames;
    for (const QItemSelectionRange &range : m_view->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            frames.append(row + 1);
    std::sort(frames.begin(), frames.end());
    return frames;
}

int ThumbnailStrip::DropPlace(QPoint pos) const
{
    const int count = m_model->rowCount();
    if (count == 0)
        return 1;
    // Only the position along the strip counts: the thumbnails need not fill its height.
    const QRect firstRect = m_view->visualRect(m_model->index(0));
    const QModelIndex index = m_view->indexAt(QPoint(pos.x(), firstRect.center().y()));
    if (!index.isValid())
        return pos.x() < firstRect.left() ? 1 : count + 1;
    return index.row() + (pos.x() < m_view->visualRect(index).center().x() ? 1 : 2);
}

void ThumbnailStrip::ShowDropLine(int before)
{
    const int count = m_model->rowCount();
    if (count == 0)
        return;
    const QRect cell = m_view->visualRect(m_model->index(std::min(before, count) - 1));
    const int x = before > count ? cell.right() + 1 : cell.left();
    m_dropLine->setGeometry(x - 2, cell.top(), 4, cell.height());
    m_dropLine->show();
    m_dropLine->raise();
}

bool ThumbnailStrip::TakeFiles(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::DragLeave)
        m_dropLine->hide();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    QStringList files;
    if (drop->mimeData() && drop->mimeData()->hasUrls())
        for (const QUrl &url : drop->mimeData()->urls())
            if (url.isLocalFile())
                files.append(url.toLocalFile());
    // Thumbnails dragged within the strip carry no files: the view moves them.
    if (files.isEmpty())
        return false;
    // The files are read where they are: a move would let the source delete them.
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    const int before = DropPlace(drop->position().toPoint());
    if (type == QEvent::Drop) {
        m_dropLine->hide();
        emit filesDropped(before, files);
    } else {
        ShowDropLine(before);
    }
    return true;
}

bool ThumbnailStrip::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view->viewport() && TakeFiles(event))
        return true;
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (const FrameKey frameKey = FrameKeyOf(*key); frameKey != FrameKey::None) {
            emit(frameKey == FrameKey::Delete ? deleteKeyPressed() : insertKeyPressed());
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

} // namespace mrv
