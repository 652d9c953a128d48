#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

namespace mrv {

/// The smallest rectangle holding every pixel that shows (alpha above 0); the whole picture
/// when it has no transparency, an empty rectangle when nothing shows.
QRect VisibleBounds(const QImage &picture);

/// Where a picture best matches another: the shift, each coordinate within -range..range,
/// that moving the picture from `at` by makes it differ least from `reference` placed at
/// `referenceAt` (mean absolute difference of premultiplied grey and alpha over the part both
/// cover, searched coarse to fine). Zero when the two never overlap by a quarter of the smaller.
QPoint BestShift(const QImage &picture, QPoint at, const QImage &reference, QPoint referenceAt,
                 int range);

} // namespace mrv
