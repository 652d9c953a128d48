#pragma once

#include "support/result.h"

#include <QByteArray>
#include <QImage>

namespace mrv {

/// A single-picture GIF89a. The palette of up to 256 colours is chosen by libimagequant with
/// dithering; pixels less than half opaque all use one transparent index, which the graphic
/// control block names. A fully opaque picture has no transparent index.
Result<QByteArray> EncodeGif(const QImage &canvas);

} // namespace mrv
