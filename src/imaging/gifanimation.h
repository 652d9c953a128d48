#pragma once

#include "imaging/animationsequence.h"
#include "support/result.h"

#include <QByteArray>

#include <vector>

namespace mrv {

/// The shortest frame time a GIF plays as written: browsers slow frames of 0 or 1 cs down to
/// about 100 ms.
inline constexpr int MinGifFrameMs = 20;

/// The delays, in centiseconds, of `frames` frames of frameMs each: frame k ends at
/// round(k * frameMs / 10) cs, so that the running total never strays more than 5 ms from the
/// exact time (75 ms: 8, 7, 8, 7, ...). Below MinGifFrameMs every frame gets 2 cs.
std::vector<int> GifDelays(int frames, int frameMs);

/// An animated GIF89a of the sequence. One global palette holds every colour exactly when the
/// whole animation has at most 255 opaque colours; otherwise each frame has its own palette
/// from IndexColours. Only the rectangle that changed since the frame before is stored, pixels
/// in it that did not change are transparent, and a frame whose successor makes pixels
/// transparent is cleared away (disposal "restore to background") before it. Pixels less than
/// half opaque are transparent. The NETSCAPE2.0 loop extension (forever) is written only when
/// the sequence repeats. A frame shown again after the same frames is encoded once. Fails with
/// the reason, or empty when `step` stopped it. A sequence moved in lets each picture go once
/// its pixels are taken.
Result<QByteArray> EncodeGifAnimation(AnimationSequence sequence, const EncodeStep &step = {});

} // namespace mrv
