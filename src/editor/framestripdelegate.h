#pragma once

#include <QStyledItemDelegate>

namespace mrv {

/// Paints a thumbnail with its frame number, the loop part's tint and divider, and the mark
/// of a picture that cannot be shown; a picked frame is tinted, the current one framed.
class FrameStripDelegate : public QStyledItemDelegate
{
public:
    static constexpr int ThumbSide = 72;
    static constexpr int Pad = 4;
    static constexpr int NumberHeight = 16;

    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

} // namespace mrv
