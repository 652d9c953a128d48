#include "editor/thumbnailstrip.h"

#include "editor/framelist.h"
#include "editor/framestripdelegate.h"
#include "editor/framemodel.h"
#include "support/tr.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListView>
#include <QMimeData>
#include <QScrollBar>
#include <QUrl>

#include <algorithm>

namespace mrv {

ThumbnailStrip::ThumbnailStrip(FrameModel &model, QWidget *parent)
    : QDockWidget(Tr::tr("缩略图"), parent), m_model(&model)
{
    setObjectName(QStringLiteral("dockThumbnails"));
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
    // The selection the frame rows and the frame menu use: nothing to keep in step.
    m_view->setSelectionModel(&m_model->Selection());
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
    connect(&m_model->Selection(), &QItemSelectionModel::currentChanged, this,
            &ThumbnailStrip::FollowCurrent);
}

void ThumbnailStrip::FollowCurrent(const QModelIndex &current)
{
    // A thumbnail leaving the view comes back in the middle, with its neighbours around it;
    // one in view stays put, so the strip does not move under the pointer.
    if (current.isValid() && !m_view->viewport()->rect().contains(m_view->visualRect(current)))
        m_view->scrollTo(current, QAbstractItemView::PositionAtCenter);
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
