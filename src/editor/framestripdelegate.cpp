#include "editor/framestripdelegate.h"

#include "editor/framemodel.h"

#include <QAbstractItemView>
#include <QPainter>

namespace mrv {

QSize FrameStripDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return {ThumbSide + 2 * Pad, ThumbSide + NumberHeight + 2 * Pad};
}

void FrameStripDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    painter->save();
    const QRect cell(option.rect.topLeft(), sizeHint(option, index).boundedTo(option.rect.size()));
    const bool loop = index.data(FrameModel::LoopRole).toBool();
    const bool picked = option.state & QStyle::State_Selected;
    const auto *view = qobject_cast<const QAbstractItemView *>(option.widget);
    const bool current = view && view->currentIndex() == index;
    // The loop part has a tint of its own, so the intro and the loop read apart.
    painter->fillRect(cell, loop ? QColor(0xe4, 0xef, 0xe0) : option.palette.base().color());
    if (picked)
        painter->fillRect(cell, option.palette.highlight().color().lighter(160));

    const QRect thumb(cell.left() + Pad, cell.top() + Pad, ThumbSide, ThumbSide);
    // A checkerboard shows where neither background nor frame covers the area.
    painter->fillRect(thumb, QBrush(QColor(0xcc, 0xcc, 0xcc), Qt::Dense4Pattern));
    const QImage image = index.data(Qt::DecorationRole).value<QImage>();
    if (!image.isNull())
        painter->drawImage(thumb.topLeft() + QPoint((ThumbSide - image.width()) / 2,
                                                    (ThumbSide - image.height()) / 2),
                           image);

    const QString problem = index.data(FrameModel::ProblemRole).toString();
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
    if (index.data(FrameModel::LoopStartRole).toBool())
        painter->fillRect(QRect(cell.left(), cell.top(), 3, cell.height()),
                          QColor(0x2e, 0x8b, 0x3a));
    if (current) {
        painter->setPen(QPen(option.palette.highlight().color(), 3));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(cell.adjusted(1, 1, -2, -2));
    }
    painter->restore();
}

} // namespace mrv
