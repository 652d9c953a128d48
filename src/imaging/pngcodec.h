#pragma once

#include "imaging/animationsequence.h"
#include "support/filebytes.h"
#include "support/result.h"

#include <QByteArray>
#include <QImage>

namespace mrv {

/// How a decoded picture with transparency keeps its colours.
enum class PngAlpha
{
    Premultiplied, ///< ARGB32_Premultiplied, what drawing wants
    Straight,      ///< ARGB32 exactly as stored, for copies that must lose nothing
};

/// Decodes the PNG files exports meet most, fast: 8-bit grey, grey with alpha, RGB, RGBA and
/// palette pictures without interlacing. Returns a null image for anything else (other bit
/// depths, interlaced files, not a PNG, damaged data), which the caller then reads the general
/// way. The result is ARGB32 in the alpha's form when the file can hold transparency, else
/// RGB32. Colour-space and gamma chunks are ignored, as Qt's own reader ignores them.
QImage DecodePngFast(const QByteArray &file, PngAlpha alpha = PngAlpha::Premultiplied);

/// Encodes a canvas as an 8-bit PNG: RGB when every pixel is opaque, else RGBA; straight
/// (ARGB32) colours are written as they are, premultiplied ones through qUnpremultiply. Rows are
/// filtered with Sub or Up, whichever leaves the smaller differences, and compressed with
/// libdeflate; the speed of the exports matters more than the last few per cent of size.
QByteArray EncodePngFast(const QImage &canvas);

/// The same picture, pixel for pixel, compressed harder for files that are stored many times
/// or sent to a device: each row takes whichever of the five filters leaves the smallest
/// differences, and libdeflate compresses at one level for every size (6: docs/performance.md
/// weighs the levels), so the time follows the pixels. About 1.5 times the processor time.
QByteArray EncodePngSmall(const QImage &canvas);

/// An animated PNG (acTL, fcTL, fdAT) of the sequence, every frame shown frameMs exactly.
/// Frame 1 is the default image; each later frame stores only the rectangle that changed since
/// the frame before and replaces it (blend "source", no disposal), so partly transparent
/// pixels stay exact. The file plays forever when the sequence repeats, else once. A frame
/// shown again after the same picture is compressed once. Fails with the reason, or empty
/// when `step` stopped it.
Result<QByteArray> EncodeApng(const AnimationSequence &sequence, const EncodeStep &step = {});
/// The same file as parts: every frame shown again shares the compressed rows of its first
/// showing.
Result<FileBytes> EncodeApngParts(const AnimationSequence &sequence, const EncodeStep &step = {});

} // namespace mrv
