#include "editor/thumbnailstrip.h"

#include "editor/framelist.h"
#include "editor/framestripdelegate.h"
#include "editor/framestripmodel.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListView>
#include <QScrollBar>

namespace mrv {

ThumbnailStrip::ThumbnailStrip(ProjectDocument &document, std::function<QString(int)> problem,
                               QWidget *parent)
    : QDockWidget(tr("缩略图"), parent)
{
    setObjectName(QStringLiteral("dockThumbnails"));
    m_model =
        new FrameStripModel(document, std::move(problem), FrameStripDelegate::ThumbSide, this);
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
    m_view->setFixedHeight(FrameStripDelegate::ThumbSide + FrameStripDelegate::NumberHeight +
                           2 * FrameStripDelegate::Pad +
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
        if (const FrameKey frameKey = FrameKeyOf(*key); frameKey != FrameKey::None) {
            emit(frameKey == FrameKey::Delete ? deleteKeyPressed() : insertKeyPressed());
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

} // namespace mrv
