#pragma once

#include <QRect>
#include <QSize>

#include <optional>

namespace mrv {

/// Placement styles of ShowPicture.
enum PicDrawStyle : int
{
    PicStylePlain = 0,      ///< at (PicX, PicY), own size, given size or scaled
    PicStyleStretch = 1,    ///< stretched over the target inside the margins
    PicStyleFit = 2,        ///< fitted inside the margins keeping the aspect ratio, aligned
    PicStyleSizeTarget = 3, ///< the target takes the picture's size plus the margins
    PicStyleZoom = 4,       ///< a region of the picture zoomed to fill the target
};

/// Alignment values of PicxAlign / PicyAlign for the fit style. Any other value keeps
/// PicX / PicY on the free axis.
enum PicAlign : int
{
    PicAlignCentre = 0,
    PicAlignStart = 1, ///< left / top margin
    PicAlignEnd = 2,   ///< right / bottom margin
};

/// ShowPicture's placement parameters, named as the window-layout document names them.
struct PictureParams
{
    int PicDrawStyle = PicStylePlain;
    int PicX = 0;
    int PicY = 0;
    int PicWidth = 0;  ///< 0: the picture's own width (plain, size-target); region width (zoom)
    int PicHeight = 0; ///< 0: the picture's own height (plain, size-target); region height (zoom)
    int PicxAlign = 0;
    int PicyAlign = 0;
    int PicTop = 0;
    int PicRight = 0;
    int PicButtom = 0;
    int PicLeft = 0;
    double ScaleX = 1.0; ///< plain style only; 1.0 means unscaled
    double ScaleY = 1.0;
};

/// Where ShowPicture puts a picture, in target pixels.
struct PicturePlacement
{
    /// False when nothing is drawn: an unknown style, a zoom region of zero or negative size,
    /// or a rectangle (or target size) beyond 32-bit coordinates.
    bool draws = false;
    /// The rectangle the whole picture is scaled into, with DrawImage's "0 means own size"
    /// already applied. A width or height that is still zero or negative draws nothing.
    QRect rect;
    /// Size-target style only: the new size of the target in pixels (margins plus picture).
    /// A caller whose target measures its outer size in other units converts it.
    std::optional<QSize> targetSize;
};

/// DrawImage's rectangle: (x, y, width, height), where a width of 0 becomes the picture's own
/// width and a height of 0 its own height.
QRect DrawImageRect(QSize picture, int x, int y, int width, int height);

/// ShowPicture's arithmetic for a picture of the given size on a target of the given size.
/// A picture dimension of 0 (or less) counts as 1 for every ratio, as an unreadable or empty
/// picture measures; such a picture then draws nothing anyway. Rounding is to the nearest with
/// ties to even; the plain style's scaled sizes are rounded up. Ratios of the fit and zoom
/// styles are single precision, as the placement has always been computed.
PicturePlacement PlacePicture(QSize picture, QSize target, const PictureParams &params);

/// A picture placed at project offset (x, y) and drawn scaled by (sx, sy) onto a surface whose
/// origin lies at (originX, originY) in scaled coordinates:
/// (round(x * sx - originX), round(y * sy - originY), ceil(width * sx), ceil(height * sy)).
/// The subtraction happens before rounding. With sx = sy = 1 the size is the picture's own.
/// An empty rectangle when the result leaves the 32-bit range.
/// This is the placement of the previews and of every export cell.
QRect ScaledPlacement(int x, int y, QSize picture, double sx, double sy, double originX = 0.0,
                      double originY = 0.0);

} // namespace mrv
