#include "support/placement.h"

#include "support/stringutil.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace mrv {

namespace {

// Sums and products are formed in 64 bits and doubles, so that any 32-bit layout value is
// safe; a rectangle that does not fit 32-bit coordinates is not drawn.
using Wide = long long;

constexpr double WideLimit = 4.0e18;

Wide roundEven(double value)
{
    return Wide(std::clamp(std::nearbyint(value), -WideLimit, WideLimit));
}

/// Ceiling of a scaled size. A product that is whole in exact arithmetic but lands a rounding
/// error above the integer (187 * (768 / 187) = 768.0000000000001) stays that integer, so that
/// a picture scaled to fill the screen is not drawn one pixel larger.
Wide roundUp(double value)
{
    const double whole = std::nearbyint(value);
    if (std::abs(value - whole) <= 1e-12 * std::max(1.0, std::abs(value)))
        value = whole;
    return Wide(std::clamp(std::ceil(value), -WideLimit, WideLimit));
}

bool fits(Wide v)
{
    return v >= INT_MIN && v <= INT_MAX;
}

// The ratios of the fit and zoom styles are kept in single precision; products with them are
// formed in double precision again before rounding.
float singleRatio(Wide numerator, Wide denominator)
{
    return static_cast<float>(static_cast<double>(numerator) / double(denominator));
}

struct WideRect
{
    Wide x, y, width, height;
};

/// DrawImage's rectangle in wide numbers; none when it leaves the 32-bit range.
std::optional<QRect> drawRect(QSize picture, WideRect r)
{
    if (r.width == 0)
        r.width = std::max(0, picture.width());
    if (r.height == 0)
        r.height = std::max(0, picture.height());
    if (!fits(r.x) || !fits(r.y) || !fits(r.width) || !fits(r.height) || !fits(r.x + r.width) ||
        !fits(r.y + r.height))
        return std::nullopt;
    return QRect(int(r.x), int(r.y), int(r.width), int(r.height));
}

Wide alignedStart(int align, Wide available, Wide drawn, Wide margin, Wide fallback)
{
    switch (align) {
    case PicAlignCentre:
        return roundEven(double(available - drawn) / 2.0 + double(margin));
    case PicAlignStart:
        return margin;
    case PicAlignEnd:
        return available - drawn + margin;
    default:
        return fallback;
    }
}

WideRect fitRect(QSize measured, QSize target, const PictureParams &p)
{
    const Wide availW = Wide(target.width()) - p.PicLeft - p.PicRight;
    const Wide availH = Wide(target.height()) - p.PicTop - p.PicButtom;
    const float rX = singleRatio(availW, measured.width());
    const float rY = singleRatio(availH, measured.height());
    if (rX < rY) {
        const Wide drawnH = roundEven(double(rX) * measured.height());
        return {p.PicLeft, alignedStart(p.PicyAlign, availH, drawnH, p.PicTop, p.PicY), availW,
                drawnH};
    }
    const Wide drawnW = roundEven(double(rY) * measured.width());
    return {alignedStart(p.PicxAlign, availW, drawnW, p.PicLeft, p.PicX), p.PicTop, drawnW, availH};
}

} // namespace

QRect DrawImageRect(QSize picture, int x, int y, int width, int height)
{
    return QRect(x, y, width == 0 ? std::max(0, picture.width()) : width,
                 height == 0 ? std::max(0, picture.height()) : height);
}

PicturePlacement PlacePicture(QSize picture, QSize target, const PictureParams &p)
{
    const QSize measured(std::max(1, picture.width()), std::max(1, picture.height()));
    WideRect wide{};
    std::optional<QSize> targetSize;
    switch (p.PicDrawStyle) {
    case PicStylePlain: {
        wide = {p.PicX, p.PicY, p.PicWidth, p.PicHeight};
        const bool scaled = !(p.ScaleX == 1.0 && p.ScaleY == 1.0);
        if (scaled && p.PicWidth == 0 && p.PicHeight == 0) {
            wide.width = roundUp(measured.width() * p.ScaleX);
            wide.height = roundUp(measured.height() * p.ScaleY);
        }
        break;
    }
    case PicStyleStretch:
        wide = {Wide(p.PicX) + p.PicLeft, Wide(p.PicY) + p.PicTop,
                Wide(target.width()) - p.PicLeft - p.PicRight + p.PicWidth,
                Wide(target.height()) - p.PicTop - p.PicButtom + p.PicHeight};
        break;
    case PicStyleFit:
        wide = fitRect(measured, target, p);
        break;
    case PicStyleSizeTarget: {
        const Wide w = Wide(p.PicLeft) + measured.width() + p.PicRight;
        const Wide h = Wide(p.PicTop) + measured.height() + p.PicButtom;
        if (!fits(w) || !fits(h))
            return {};
        targetSize = QSize(int(w), int(h));
        wide = {Wide(p.PicX) + p.PicLeft, Wide(p.PicY) + p.PicTop, p.PicWidth, p.PicHeight};
        break;
    }
    case PicStyleZoom: {
        // A region without area has no zoom factor.
        if (p.PicWidth <= 0 || p.PicHeight <= 0)
            return {};
        const float s = std::min(singleRatio(target.width(), p.PicWidth),
                                 singleRatio(target.height(), p.PicHeight));
        wide = {-roundEven(double(s) * p.PicX), -roundEven(double(s) * p.PicY),
                roundEven(double(s) * measured.width()), roundEven(double(s) * measured.height())};
        break;
    }
    default:
        return {};
    }
    const std::optional<QRect> rect = drawRect(picture, wide);
    if (!rect)
        return {};
    return PicturePlacement{true, *rect, targetSize};
}

QRect ScaledPlacement(int x, int y, QSize picture, double sx, double sy, double originX,
                      double originY)
{
    const std::optional<QRect> rect =
        drawRect(QSize(), {roundEven(x * sx - originX), roundEven(y * sy - originY),
                           roundUp(picture.width() * sx), roundUp(picture.height() * sy)});
    // Sizes only leave the 32-bit range for absurd scales; such a picture is not drawn.
    return rect.value_or(QRect());
}

} // namespace mrv
