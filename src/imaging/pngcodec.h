#pragma once

#include <QByteArray>
#include <QImage>

namespace mrv {

/// Decodes the PNG files exports meet most, fast: 8-bit grey, grey with alpha, RGB, RGBA and
/// palette pictures without interlacing. Returns a null image for anything else (other bit
/// depths, interlaced files, not a PNG, damaged data), which the caller then reads the general
/// way. The result is ARGB32_Premultiplied when the file can hold transparency, else RGB32.
/// Colour-space and gamma chunks are ignored, as Qt's own reader ignores them.
QImage DecodePngFast(const QByteArray &file);

/// Encodes a canvas as an 8-bit PNG: RGB when every pixel is opaque, else RGBA. Rows are
/// filtered with Sub or Up, whichever leaves the smaller differences, and compressed with
/// libdeflate; the speed of the exports matters more than the last few per cent of size.
QByteArray EncodePngFast(const QImage &canvas);

} // namespace mrv
