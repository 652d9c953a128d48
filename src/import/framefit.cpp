#include "import/framefit.h"

#include "support/bootgeometry.h"
#include "support/stringutil.h"

#include <QRect>

#include <algorithm>
#include <cmath>

namespace mrv {

std::optional<FrameFit> ParseFrameFit(const QString &text)
{
    if (text == u"contain")
        return FrameFit::Contain;
    if (text == u"cover")
        return FrameFit::Cover;
    if (text == u"none")
        return FrameFit::None;
    return std::nullopt;
}

QSizeF AreaInProject(QSize project)
{
    if (project.width() <= 0 || project.height() <= 0)
        project = QSize(ReferenceWidth, ReferenceHeight);
    return AnimationAreaOn(QSizeF(project)).size();
}

FrameFit DefaultFit(QSize picture, QSize project)
{
    const QSizeF area = AreaInProject(project);
    return picture.width() > area.width() || picture.height() > area.height() ? FrameFit::Contain
                                                                              : FrameFit::None;
}

FitPlacement PlaceInArea(QSize picture, QSize project, FrameFit fit)
{
    const QSizeF area = AreaInProject(project);
    const int w = std::max(picture.width(), 1);
    const int h = std::max(picture.height(), 1);
    FitPlacement placement;
    if (fit == FrameFit::None) {
        placement.scaled = picture;
    } else {
        const double sx = area.width() / w;
        const double sy = area.height() / h;
        const double scale = fit == FrameFit::Contain ? std::min(sx, sy) : std::max(sx, sy);
        placement.scaled = QSize(std::max(RoundHalfEven(w * scale), 1),
                                 std::max(RoundHalfEven(h * scale), 1));
    }
    QSize kept = placement.scaled;
    if (fit == FrameFit::Cover)
        // Whole pixels that cover the area: 188 rows for an area 187.5 high.
        kept = kept.boundedTo(QSize(int(std::ceil(area.width())), int(std::ceil(area.height()))));
    placement.kept = QRect(QPoint((placement.scaled.width() - kept.width()) / 2,
                                  (placement.scaled.height() - kept.height()) / 2),
                           kept);
    placement.offset = QPoint(int(std::trunc((area.width() - kept.width()) / 2)),
                              int(std::trunc((area.height() - kept.height()) / 2)));
    return placement;
}

QImage ApplyPlacement(const QImage &picture, const FitPlacement &placement)
{
    QImage result = picture;
    if (placement.scaled != picture.size())
        // Qt's smooth scaling averages every source pixel under a target pixel when shrinking.
        result = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                     .scaled(placement.scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (placement.kept != QRect(QPoint(0, 0), result.size()))
        result = result.copy(placement.kept);
    return result.convertToFormat(QImage::Format_ARGB32);
}

} // namespace mrv
