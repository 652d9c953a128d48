#pragma once

#include "support/result.h"

#include <QImage>

#include <vector>

namespace mrv {

/// A picture as indices into a palette of at most 256 colours.
struct IndexedPicture
{
    struct Colour
    {
        uchar r = 0, g = 0, b = 0;
    };
    std::vector<Colour> palette;
    std::vector<uchar> indices; ///< one per pixel, rows top to bottom
    int transparentIndex = -1;  ///< -1 when every pixel is opaque
};

/// The palette of a GIF picture. Pixels less than half opaque all take one transparent index,
/// the others count as fully opaque. A picture of at most 255 opaque colours (256 when none is
/// transparent) keeps every colour exactly. A picture of more colours is quantised by
/// libimagequant and dithered, except in flat areas (blocks of 4 x 4 pixels or more of one
/// colour), whose pixels all take their colour's nearest palette entry and so stay flat.
/// Fails with the reason when the quantiser does. `Fast`, for the many frames of an animation,
/// trades a little of the palette's fit for several times the speed and dithers at half
/// strength: full-strength noise changes from frame to frame, shimmers and compresses badly.
enum class QuantiseEffort
{
    Best,
    Fast,
};
Result<IndexedPicture> IndexColours(const QImage &canvas,
                                    QuantiseEffort effort = QuantiseEffort::Best);

/// The pixels of a picture as a GIF sees them, rows top to bottom: the bytes R, G, B, 255 in
/// memory for a pixel at least half opaque, 0 for the others, so that equal values mean equal
/// colours.
std::vector<quint32> GifPixels(const QImage &canvas);

/// The colour of a pixel of GifPixels.
IndexedPicture::Colour GifPixelColour(quint32 pixel);

} // namespace mrv
