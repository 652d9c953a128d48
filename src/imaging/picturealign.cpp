#include "imaging/picturealign.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace mrv {

QRect VisibleBounds(const QImage &picture)
{
    if (picture.isNull())
        return {};
    if (!picture.hasAlphaChannel())
        return picture.rect();
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    int left = argb.width(), right = -1, top = argb.height(), bottom = -1;
    for (int y = 0; y < argb.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        int first = -1, last = -1;
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(row[x]) != 0) {
                if (first < 0)
                    first = x;
                last = x;
            }
        if (first < 0)
            continue;
        left = std::min(left, first);
        right = std::max(right, last);
        top = std::min(top, y);
        bottom = y;
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

namespace {

/// Two samples per pixel, premultiplied grey and alpha: what a person sees of the picture
/// and where it is transparent.
struct Plane
{
    int width = 0;
    int height = 0;
    std::vector<std::uint16_t> grey;
    std::vector<std::uint16_t> alpha;
};

Plane ToPlane(const QImage &picture)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Plane plane{argb.width(), argb.height(), {}, {}};
    plane.grey.resize(size_t(plane.width) * size_t(plane.height));
    plane.alpha.resize(plane.grey.size());
    for (int y = 0; y < plane.height; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < plane.width; ++x) {
            const size_t i = size_t(y) * size_t(plane.width) + size_t(x);
            plane.grey[i] = std::uint16_t(qRed(row[x]) * 2 + qGreen(row[x]) * 5 + qBlue(row[x]));
            plane.alpha[i] = std::uint16_t(qAlpha(row[x]) * 8);
        }
    }
    return plane;
}

/// Half the size, each sample the mean of two by two (a last odd row or column dropped).
Plane Halved(const Plane &p)
{
    Plane h{std::max(1, p.width / 2), std::max(1, p.height / 2), {}, {}};
    h.grey.resize(size_t(h.width) * size_t(h.height));
    h.alpha.resize(h.grey.size());
    for (int y = 0; y < h.height; ++y)
        for (int x = 0; x < h.width; ++x) {
            const int x0 = std::min(2 * x, p.width - 1), x1 = std::min(2 * x + 1, p.width - 1);
            const int y0 = std::min(2 * y, p.height - 1), y1 = std::min(2 * y + 1, p.height - 1);
            const auto at = [&](int xx, int yy) {
                return size_t(yy) * size_t(p.width) + size_t(xx);
            };
            const size_t o = size_t(y) * size_t(h.width) + size_t(x);
            h.grey[o] = std::uint16_t((p.grey[at(x0, y0)] + p.grey[at(x1, y0)] +
                                       p.grey[at(x0, y1)] + p.grey[at(x1, y1)] + 2) /
                                      4);
            h.alpha[o] = std::uint16_t((p.alpha[at(x0, y0)] + p.alpha[at(x1, y0)] +
                                        p.alpha[at(x0, y1)] + p.alpha[at(x1, y1)] + 2) /
                                       4);
        }
    return h;
}

/// The mean difference of the two planes where `moving`, placed at `at`, overlaps `fixed`,
/// placed at the origin; the largest double when they overlap too little.
double Difference(const Plane &moving, QPoint at, const Plane &fixed)
{
    const int left = std::max(0, at.x()), top = std::max(0, at.y());
    const int right = std::min(fixed.width, at.x() + moving.width);
    const int bottom = std::min(fixed.height, at.y() + moving.height);
    const qint64 area = qint64(right - left) * (bottom - top);
    const qint64 smaller =
        std::min(qint64(moving.width) * moving.height, qint64(fixed.width) * fixed.height);
    if (right <= left || bottom <= top || area * 4 < smaller)
        return std::numeric_limits<double>::max();
    qint64 sum = 0;
    for (int y = top; y < bottom; ++y) {
        const size_t f = size_t(y) * size_t(fixed.width);
        const size_t m = size_t(y - at.y()) * size_t(moving.width) - size_t(at.x());
        for (int x = left; x < right; ++x)
            sum += std::abs(int(fixed.grey[f + size_t(x)]) - int(moving.grey[m + size_t(x)])) +
                   std::abs(int(fixed.alpha[f + size_t(x)]) - int(moving.alpha[m + size_t(x)]));
    }
    return double(sum) / double(area);
}

QPoint Search(const Plane &moving, QPoint at, const Plane &fixed, QPoint around, int radius,
              int range)
{
    QPoint best = around;
    double bestDifference = std::numeric_limits<double>::max();
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint shift = around + QPoint(dx, dy);
            if (std::abs(shift.x()) > range || std::abs(shift.y()) > range)
                continue;
            const double d = Difference(moving, at + shift, fixed);
            // Ties go to the smaller move, so a picture that matches anywhere stays put.
            if (d < bestDifference ||
                (d == bestDifference && shift.manhattanLength() < best.manhattanLength())) {
                bestDifference = d;
                best = shift;
            }
        }
    return bestDifference == std::numeric_limits<double>::max() ? around : best;
}

} // namespace

QPoint BestShift(const QImage &picture, QPoint at, const QImage &reference, QPoint referenceAt,
                 int range)
{
    if (picture.isNull() || reference.isNull() || range <= 0)
        return {};
    // A pyramid down to where the search range is a few samples: each level looks around
    // twice the shift the coarser one found.
    std::vector<Plane> moving{ToPlane(picture)};
    std::vector<Plane> fixed{ToPlane(reference)};
    while ((range >> (moving.size() - 1)) > 4 && moving.back().width >= 32 &&
           moving.back().height >= 32 && fixed.back().width >= 32 && fixed.back().height >= 32) {
        moving.push_back(Halved(moving.back()));
        fixed.push_back(Halved(fixed.back()));
    }
    const QPoint offset = at - referenceAt;
    QPoint shift;
    for (int level = int(moving.size()) - 1; level >= 0; --level) {
        const int scale = 1 << level;
        const QPoint levelOffset(offset.x() / scale, offset.y() / scale);
        const int levelRange = (range + scale - 1) / scale;
        const bool coarsest = level == int(moving.size()) - 1;
        shift = Search(moving[size_t(level)], levelOffset, fixed[size_t(level)], shift,
                       coarsest ? levelRange : 2, levelRange);
        if (level > 0)
            shift *= 2;
    }
    return QPoint(std::clamp(shift.x(), -range, range), std::clamp(shift.y(), -range, range));
}

} // namespace mrv
