#include "appicon.h"

#include <QPainter>
#include <QPixmap>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace mrv {

void PaintAppIcon(QPainter &p, double size)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF screen(size * 0.04, size * 0.04, size * 0.92, size * 0.92);
    QLinearGradient sky(screen.topLeft(), screen.bottomLeft());
    sky.setColorAt(0, QColor(22, 58, 112));
    sky.setColorAt(1, QColor(6, 12, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(screen, size * 0.16, size * 0.16);

    const QPointF centre = screen.center();
    QRadialGradient glow(centre, size * 0.36);
    glow.setColorAt(0, QColor(120, 180, 255, 150));
    glow.setColorAt(1, QColor(120, 180, 255, 0));
    p.setBrush(glow);
    p.drawEllipse(centre, size * 0.36, size * 0.36);

    const QColor dots[] = {QColor(240, 80, 50), QColor(130, 210, 40), QColor(40, 170, 240),
                           QColor(250, 190, 30)};
    const double radius = size * 0.2;
    for (int i = 0; i < 4; ++i) {
        const double angle = (i * 90.0 - 45.0) * std::numbers::pi / 180.0;
        const QPointF at = centre + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
        p.setBrush(dots[i]);
        p.drawEllipse(at, size * 0.085, size * 0.085);
    }
}

QIcon AppIcon()
{
    QIcon icon;
    for (const int size : AppIconSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        PaintAppIcon(p, size);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace mrv
