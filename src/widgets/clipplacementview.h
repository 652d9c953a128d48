#pragma once

#include "import/framefit.h"

#include <QImage>
#include <QSize>
#include <QWidget>

namespace mrv {

/// A clip's first frame in the project's animation area, as a fit places it: the area on the
/// black of the boot screen, outlined, and only what the area shows of the picture.
class ClipPlacementView : public QWidget
{
    Q_OBJECT

public:
    /// `picture` may be a scaled-down copy of a source of `sourceSize`.
    ClipPlacementView(const QImage &picture, QSize sourceSize, QSize projectSize,
                      QWidget *parent = nullptr);

    void SetFit(FrameFit fit);
    /// Shows another frame of the same source.
    void SetPicture(const QImage &picture);
    const QImage &Picture() const { return m_picture; }
    /// Where the area lies in the widget, and where the placed picture lies (unclipped).
    QRectF AreaRect() const;
    QRectF PictureRect() const;

    QSize sizeHint() const override { return {320, 240}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QSize m_sourceSize;
    QSize m_projectSize;
    FrameFit m_fit = FrameFit::None;
};

} // namespace mrv
