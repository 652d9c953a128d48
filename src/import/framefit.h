#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <optional>

namespace mrv {

/// How an imported picture meets the animation area.
enum class FrameFit
{
    Contain, ///< 适应: scaled to fit inside the area, keeping its proportions
    Cover,   ///< 填满: scaled to fill the area, keeping its proportions, the rest cut off
    None,    ///< 原始大小: unscaled
};

/// The command line's names: "contain", "cover", "none"; none for any other text.
std::optional<FrameFit> ParseFrameFit(const QString &text);

/// The animation area in a project's own pixels: 200/1024 of its width by 200/768 of its
/// height (250 x 187.5 for 1280 x 720). A project without a positive size counts as 1024 x 768.
QSizeF AreaInProject(QSize project);

/// The fit a source takes when none is chosen: Contain when it is larger than the area on
/// either side, None when it already fits.
FrameFit DefaultFit(QSize picture, QSize project);

/// Where an imported picture goes: the size it is written at and its offset in the area.
struct FitPlacement
{
    /// The size the picture is scaled to, before any cut.
    QSize scaled;
    /// The part of the scaled picture that is kept (Cover cuts what lies outside the area).
    QRect kept;
    /// The kept picture's offset from the area's top-left corner, centring it in the area
    /// (rounded toward zero, as a picture of odd size has always been centred).
    QPoint offset;
};

/// The placement of a picture of this size in a project's animation area.
FitPlacement PlaceInArea(QSize picture, QSize project, FrameFit fit);

/// The picture as the placement keeps it, scaled without aliasing (every source pixel
/// contributes when shrinking); the picture itself when nothing changes. Straight ARGB32.
QImage ApplyPlacement(const QImage &picture, const FitPlacement &placement);

} // namespace mrv
