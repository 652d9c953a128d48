#include "support/placement.h"

#include "support/stringutil.h"

#include <algorithm>

namespace mrv {

namespace {

// The ratios of the fit and zoom styles are kept in single precision; products with them are
// formed in double precision again before rounding.
float singleRatio(int numerator, int denominator)
{
    return static_cast<float>(static_cast<double>(numerator) / denominator);
}

int alignedStart(int align, int available, int drawn, int margin, int fallback)
{
    switch (align) {
    case PicAlignCentre:
        return RoundHalfEven((available - drawn) / 2.0 + margin);
    case PicAlignStart:
        return margin;
    case PicAlignEnd:
        return available - drawn + margin;
    default:
        return fallback;
    }
}

QRect fitRect(QSize picture, QSize measured, QSize target, const PictureParams &p)
{
    const int availW = target.width() - p.PicLeft - p.PicRight;
    const int availH = target.height() - p.PicTop - p.PicButtom;
    const float rX = singleRatio(availW, measured.width());
    const float rY = singleRatio(availH, measured.height());
    if (rX < rY) {
        const int drawnH = RoundHalfEven(double(rX) * measured.height());
        const int y = alignedStart(p.PicyAlign, availH, drawnH, p.PicTop, p.PicY);
        return DrawImageRect(picture, p.PicLeft, y, availW, drawnH);
    }
    const int drawnW = RoundHalfEven(double(rY) * measured.width());
    const int x = alignedStart(p.PicxAlign, availW, drawnW, p.PicLeft, p.PicX);
    return DrawImageRect(picture, x, p.PicTop, drawnW, availH);
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
    PicturePlacement placed;
    placed.draws = true;
    switch (p.PicDrawStyle) {
    case PicStylePlain: {
        int w = p.PicWidth;
        int h = p.PicHeight;
        const bool scaled = !(p.ScaleX == 1.0 && p.ScaleY == 1.0);
        if (scaled && w == 0 && h == 0) {
            w = RoundUp(measured.width() * p.ScaleX);
            h = RoundUp(measured.height() * p.ScaleY);
        }
        placed.rect = DrawImageRect(picture, p.PicX, p.PicY, w, h);
        break;
    }
    case PicStyleStretch:
        placed.rect = DrawImageRect(picture, p.PicX + p.PicLeft, p.PicY + p.PicTop,
                                    target.width() - p.PicLeft - p.PicRight + p.PicWidth,
                                    target.height() - p.PicTop - p.PicButtom + p.PicHeight);
        break;
    case PicStyleFit:
        placed.rect = fitRect(picture, measured, target, p);
        break;
    case PicStyleSizeTarget:
        placed.targetSize = QSize(p.PicLeft + measured.width() + p.PicRight,
                                  p.PicTop + measured.height() + p.PicButtom);
        placed.rect = DrawImageRect(picture, p.PicX + p.PicLeft, p.PicY + p.PicTop, p.PicWidth,
                                    p.PicHeight);
        break;
    case PicStyleZoom: {
        // A region without area has no zoom factor.
        if (p.PicWidth <= 0 || p.PicHeight <= 0)
            return {};
        const float s = std::min(singleRatio(target.width(), p.PicWidth),
                                 singleRatio(target.height(), p.PicHeight));
        placed.rect = DrawImageRect(picture, -RoundHalfEven(double(s) * p.PicX),
                                    -RoundHalfEven(double(s) * p.PicY),
                                    RoundHalfEven(double(s) * measured.width()),
                                    RoundHalfEven(double(s) * measured.height()));
        break;
    }
    default:
        return {};
    }
    return placed;
}

QRect ScaledPlacement(int x, int y, QSize picture, double sx, double sy, double originX,
                      double originY)
{
    return QRect(RoundHalfEven(x * sx - originX), RoundHalfEven(y * sy - originY),
                 RoundUp(picture.width() * sx), RoundUp(picture.height() * sy));
}

} // namespace mrv
