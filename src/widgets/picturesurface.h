#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>

class QPainter;

namespace mrv {

/// A drawing surface with a persistent image, like a picture box that redraws itself.
///
/// Drawing goes into the persistent image; `Refresh` schedules it to be shown. The image
/// covers the inner drawing area, which lies inside an optional border, so the outer size
/// (the widget's size) exceeds the inner size by twice the border width.
///
/// A surface placed inside another surface measures its position from the parent's inner
/// drawing area (`Placement` / `SetPlacement`), as child surfaces of a framed box do.
class PictureSurface : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QColor BackColor READ BackColor WRITE SetBackColor)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)

public:
    static constexpr int DefaultBorder = 2;

    explicit PictureSurface(QWidget *parent = nullptr);

    /// Colour `Cls` clears to; black unless set.
    QColor BackColor() const { return m_backColor; }
    void SetBackColor(const QColor &color);

    /// Width of the sunken border on each side; 0 removes it.
    int BorderWidth() const { return m_border; }
    void SetBorderWidth(int width);

    QSize OuterSize() const { return size(); }
    QSize InnerSize() const;
    void SetOuterSize(const QSize &outer);
    void SetInnerSize(const QSize &inner);

    /// Geometry (outer) of this surface in its parent's coordinates. For a parent that is a
    /// PictureSurface the origin is the parent's inner top-left corner.
    QRect Placement() const;
    void SetPlacement(const QRect &outer);

    /// A picture shown under every drawing: `Cls` clears to the back colour and then puts
    /// this picture at the top-left corner at its own size. A null image removes it.
    const QImage &Picture() const { return m_picture; }
    void SetPicture(const QImage &picture);

    /// Clears the persistent image to the back colour (and the picture, if one is set).
    void Cls();
    /// Schedules the persistent image to be shown.
    void Refresh();

    /// Draws the whole image scaled into the rectangle (inner coordinates), blending its
    /// alpha. Scaled drawing is smoothed; at the image's own size the pixels are copied exactly.
    void DrawImage(const QImage &image, const QRect &target);
    /// Draws the whole image at its own size with its top-left corner at the point.
    void DrawImage(const QImage &image, const QPoint &at);

    /// Copies this surface's persistent image onto another surface at the point, at its
    /// natural size (pixels replace what was there: no blending with the target).
    void CopyImageTo(PictureSurface &target, const QPoint &at = {0, 0}) const;

    /// The persistent image, the size of the inner area. Paint into it with `Canvas` and call
    /// `Refresh` afterwards.
    const QImage &Image() const;
    QImage &Canvas();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void UpdateFrameStyle();
    // The image follows the inner size lazily: a hidden widget gets no resize events.
    void MatchImageToInnerSize() const;

    mutable QImage m_image;
    QImage m_picture;
    QColor m_backColor = Qt::black;
    int m_border = DefaultBorder;
};

} // namespace mrv
