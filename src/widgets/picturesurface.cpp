#include "widgets/picturesurface.h"

#include <QPainter>
#include <QPaintEvent>

namespace mrv {

PictureSurface::PictureSurface(QWidget *parent) : QFrame(parent)
{
    // The persistent image covers the whole inner area, so nothing underneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    UpdateFrameStyle();
}

void PictureSurface::SetBackColor(const QColor &color)
{
    m_backColor = color.isValid() ? color : QColor(Qt::black);
}

void PictureSurface::SetBorderWidth(int width)
{
    const QSize inner = InnerSize();
    m_border = std::max(0, width);
    UpdateFrameStyle();
    // The inner area keeps its size: a border is added around it, as a box's border is.
    SetInnerSize(inner);
}

void PictureSurface::UpdateFrameStyle()
{
    if (m_border == 2) {
        // The classic sunken well: dark and black above and left, light below and right.
        setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    } else if (m_border > 0) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(m_border);
    } else {
        setFrameStyle(QFrame::NoFrame);
        setLineWidth(0);
    }
}

QSize PictureSurface::InnerSize() const
{
    return (size() - QSize(2 * frameWidth(), 2 * frameWidth())).expandedTo(QSize(0, 0));
}

void PictureSurface::SetOuterSize(const QSize &outer)
{
    resize(outer.expandedTo(QSize(0, 0)));
}

void PictureSurface::SetInnerSize(const QSize &inner)
{
    SetOuterSize(inner + QSize(2 * frameWidth(), 2 * frameWidth()));
}

QRect PictureSurface::Placement() const
{
    QRect r = geometry();
    if (auto *host = qobject_cast<const PictureSurface *>(parentWidget()))
        r.translate(-host->frameWidth(), -host->frameWidth());
    return r;
}

void PictureSurface::SetPlacement(const QRect &outer)
{
    QRect r(outer.topLeft(), outer.size().expandedTo(QSize(0, 0)));
    if (auto *host = qobject_cast<const PictureSurface *>(parentWidget()))
        r.translate(host->frameWidth(), host->frameWidth());
    setGeometry(r);
}

void PictureSurface::SetPicture(const QImage &picture)
{
    m_picture = picture;
    Cls();
    Refresh();
}

void PictureSurface::MatchImageToInnerSize() const
{
    const QSize inner = InnerSize();
    if (m_image.size() == inner && !m_image.isNull())
        return;
    // Keep what was drawn when the area changes size, as a persistent image does.
    QImage next(inner.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    if (next.isNull()) {
        // Too large to hold: the surface then draws nothing rather than failing later.
        m_image = QImage();
        return;
    }
    next.fill(m_backColor);
    if (!m_image.isNull()) {
        QPainter p(&next);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(0, 0), m_image);
    }
    m_image = std::move(next);
}

const QImage &PictureSurface::Image() const
{
    MatchImageToInnerSize();
    return m_image;
}

QImage &PictureSurface::Canvas()
{
    MatchImageToInnerSize();
    return m_image;
}

void PictureSurface::Cls()
{
    MatchImageToInnerSize();
    m_image.fill(m_backColor);
    if (!m_picture.isNull())
        DrawImage(m_picture, QPoint(0, 0));
}

void PictureSurface::Refresh()
{
    update();
}

void PictureSurface::DrawImage(const QImage &image, const QPoint &at)
{
    MatchImageToInnerSize();
    if (image.isNull() || m_image.isNull())
        return;
    QPainter p(&m_image);
    p.drawImage(at, image);
}

void PictureSurface::DrawImage(const QImage &image, const QRect &target)
{
    if (image.isNull() || target.width() <= 0 || target.height() <= 0)
        return;
    if (target.size() == image.size()) {
        DrawImage(image, target.topLeft());
        return;
    }
    MatchImageToInnerSize();
    const QRect visible = target.intersected(m_image.rect());
    if (visible.isEmpty())
        return;
    QPainter p(&m_image);
    const qint64 targetArea = qint64(target.width()) * target.height();
    if (targetArea <= qint64(image.width()) * image.height()) {
        // Shrinking: an area-averaged copy keeps detail that bilinear sampling would drop.
        p.drawImage(target.topLeft(), image.scaled(target.size(), Qt::IgnoreAspectRatio,
                                                   Qt::SmoothTransformation));
    } else {
        // Enlarging: let the painter sample only what lands on the surface.
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRectF(target), image);
    }
}

void PictureSurface::CopyImageTo(PictureSurface &target, const QPoint &at) const
{
    const QImage &source = Image();
    QImage &canvas = target.Canvas();
    if (source.isNull() || canvas.isNull())
        return;
    QPainter p(&canvas);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(at, source);
}

void PictureSurface::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QRect inner = contentsRect();
    p.setClipRegion(event->region());
    if (Image().isNull())
        p.fillRect(inner, m_backColor);
    else
        p.drawImage(inner.topLeft(), Image(), QRect(QPoint(0, 0), inner.size()));
    p.setClipping(false);
    drawFrame(&p);
}

} // namespace mrv
