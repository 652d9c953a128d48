#include "imaging/colouradjust.h"

#include "support/parallel.h"

#include <algorithm>
#include <cmath>

namespace mrv {

namespace {

// ImageMagick's Q16 arithmetic: 8-bit levels widened to 16 bits, the result rounded to a
// 16-bit quantum and narrowed again, so that our levels agree with its to the last one.
inline int ToLevel(double unit)
{
    const double q = 65535.0 * unit;
    const int quantum = q <= 0 ? 0 : q >= 65535.0 ? 65535 : int(q + 0.5);
    return (quantum + 128) / 257;
}

struct Modulator
{
    double hueTurn;
    double saturation;
    double lightness;

    QRgb operator()(QRgb pixel) const
    {
        const double r = qRed(pixel) / 255.0;
        const double g = qGreen(pixel) / 255.0;
        const double b = qBlue(pixel) / 255.0;
        const double max = std::max({r, g, b});
        const double min = std::min({r, g, b});
        const double c = max - min;
        double l = (max + min) / 2;
        double h = 0;
        double s = 0;
        if (c > 0) {
            if (max == r)
                h = (g - b) / c + (g < b ? 6 : 0);
            else if (max == g)
                h = 2 + (b - r) / c;
            else
                h = 4 + (r - g) / c;
            h /= 6;
            s = l <= 0.5 ? c / (2 * l) : c / (2 - 2 * l);
        }
        h += hueTurn;
        s *= saturation;
        l *= lightness;
        // Back from HSL; saturation and lightness beyond their range are not clipped before
        // the channels are, as ImageMagick does not clip them.
        const double chroma = l <= 0.5 ? 2 * l * s : (2 - 2 * l) * s;
        const double low = l - chroma / 2;
        double sector = h * 6;
        sector -= 6 * std::floor(sector / 6);
        const double x = chroma * (1 - std::fabs(sector - 2 * std::floor(sector / 2) - 1));
        double ro = 0, go = 0, bo = 0;
        switch (int(sector)) {
        case 0:
            ro = low + chroma;
            go = low + x;
            bo = low;
            break;
        case 1:
            ro = low + x;
            go = low + chroma;
            bo = low;
            break;
        case 2:
            ro = low;
            go = low + chroma;
            bo = low + x;
            break;
        case 3:
            ro = low;
            go = low + x;
            bo = low + chroma;
            break;
        case 4:
            ro = low + x;
            go = low;
            bo = low + chroma;
            break;
        default:
            ro = low + chroma;
            go = low;
            bo = low + x;
            break;
        }
        return qRgba(ToLevel(ro), ToLevel(go), ToLevel(bo), qAlpha(pixel));
    }
};

} // namespace

QImage AdjustColours(const QImage &picture, const ColourAdjust &adjust)
{
    if (picture.isNull())
        return {};
    QImage out = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                   : QImage::Format_RGB32);
    if (adjust.IsIdentity())
        return out;
    // The turn as ImageMagick takes it: a hue percentage of 100 + degrees * 100 / 180.
    const double huePercent = 100 + adjust.hueDegrees * 100 / 180;
    const Modulator modulate{std::fmod(huePercent - 100, 200) / 200, adjust.saturation / 100,
                             adjust.brightness / 100};
    const bool opaque = out.format() == QImage::Format_RGB32;
    ForEachBand(out.height(), [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
            // Neighbouring pixels are often the same colour: one conversion serves a run.
            QRgb lastIn = 0, lastOut = modulate(0);
            for (int x = 0; x < out.width(); ++x) {
                const QRgb pixel = opaque ? (row[x] | 0xff000000u) : row[x];
                if (qAlpha(pixel) == 0)
                    continue; // nothing to see: its colour is kept as stored
                if (pixel != lastIn) {
                    lastIn = pixel;
                    lastOut = modulate(pixel);
                }
                row[x] = lastOut;
            }
        }
    });
    return out;
}

QSize ScaledSize(QSize size, double percent)
{
    return QSize(std::max(1, int(std::lround(size.width() * percent / 100))),
                 std::max(1, int(std::lround(size.height() * percent / 100))));
}

QImage ScalePicture(const QImage &picture, double percent)
{
    if (picture.isNull() || percent == 100)
        return picture;
    const bool alpha = picture.hasAlphaChannel();
    const QImage source =
        picture.convertToFormat(alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    return source.scaled(ScaledSize(picture.size(), percent), Qt::IgnoreAspectRatio,
                         Qt::SmoothTransformation);
}

} // namespace mrv
