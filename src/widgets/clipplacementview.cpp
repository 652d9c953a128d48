#include "widgets/clipplacementview.h"

#include <QPainter>

#include <algorithm>

namespace mrv {

namespace {

constexpr double Margin = 16;

} // namespace

ClipPlacementView::ClipPlacementView(const QImage &picture, QSize sourceSize, QSize projectSize,
                                     QWidget *parent)
    : QWidget(parent), m_picture(picture), m_sourceSize(sourceSize), m_projectSize(projectSize)
{
    setObjectName(QStringLiteral("picClipPreview"));
    setMinimumSize(240, 180);
}

void ClipPlacementView::SetPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void ClipPlacementView::SetFit(FrameFit fit)
{
    m_fit = fit;
    update();
}

QRectF ClipPlacementView::AreaRect() const
{
    const QSizeF area = AreaInProject(m_projectSize);
    const double scale =
        std::min((width() - 2 * Margin) / area.width(), (height() - 2 * Margin) / area.height());
    const QSizeF shown = area * std::max(scale, 0.01);
    return {QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown};
}

QRectF ClipPlacementView::PictureRect() const
{
    const FitPlacement placement = PlaceInArea(m_sourceSize, m_projectSize, m_fit);
    const QRectF area = AreaRect();
    const double scale = area.width() / AreaInProject(m_projectSize).width();
    return {area.topLeft() + QPointF(placement.offset) * scale,
            QSizeF(placement.kept.size()) * scale};
}

void ClipPlacementView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QRectF area = AreaRect();
    const FitPlacement placement = PlaceInArea(m_sourceSize, m_projectSize, m_fit);
    if (!m_picture.isNull() && !placement.scaled.isEmpty()) {
        // The kept part of the scaled picture, in the preview picture's own pixels.
        const double fx = double(m_picture.width()) / placement.scaled.width();
        const double fy = double(m_picture.height()) / placement.scaled.height();
        const QRectF source(placement.kept.x() * fx, placement.kept.y() * fy,
                            placement.kept.width() * fx, placement.kept.height() * fy);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        // The boot screen shows the area only.
        painter.setClipRect(area);
        painter.drawImage(PictureRect(), m_picture, source);
        painter.setClipping(false);
    }
    QPen outline(QColor(255, 255, 255, 160));
    outline.setStyle(Qt::DashLine);
    painter.setPen(outline);
    painter.drawRect(area.adjusted(-0.5, -0.5, 0.5, 0.5));
}

} // namespace mrv
