#pragma once

#include "support/result.h"

#include <QByteArray>
#include <QImage>

namespace mrv {

/// A single-picture GIF89a with the palette of IndexColours: the picture's own colours when
/// they fit, else a quantised palette. Pixels less than half opaque all use one transparent
/// index, which the graphic control block names. A fully opaque picture has no transparent index.
Result<QByteArray> EncodeGif(const QImage &canvas);

} // namespace mrv
