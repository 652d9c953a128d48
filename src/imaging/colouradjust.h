#pragma once

#include <QImage>

namespace mrv {

/// A change of colour in the terms of ImageMagick's -modulate in its HSL space, so results can
/// be checked against it: the hue turns around the colour wheel, saturation and lightness are
/// scaled (100 = unchanged).
struct ColourAdjust
{
    double hueDegrees = 0;   ///< -180 .. 180
    double saturation = 100; ///< percent, 0 .. 200
    double brightness = 100; ///< percent, 0 .. 200

    bool IsIdentity() const { return hueDegrees == 0 && saturation == 100 && brightness == 100; }
};

/// The picture with its colours changed, alpha as it was. Straight ARGB32 for a picture with
/// transparency (the colours of soft edges keep their precision), RGB32 otherwise. Safe from any
/// thread.
QImage AdjustColours(const QImage &picture, const ColourAdjust &adjust);

/// The picture resized by a percentage about its centre with area averaging when shrinking and
/// smooth interpolation when growing (at least 1 x 1); premultiplied so that transparent pixels
/// lend no colour to their neighbours. The picture itself at 100.
QImage ScalePicture(const QImage &picture, double percent);

/// The size ScalePicture makes: each side times percent / 100, rounded, at least 1.
QSize ScaledSize(QSize size, double percent);

} // namespace mrv
