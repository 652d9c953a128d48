#pragma once

#include "imaging/animationsequence.h"
#include "support/result.h"

#include <QByteArray>

namespace mrv {

/// The quality that asks EncodeWebPAnimation for lossless frames.
inline constexpr int WebPLossless = -1;

/// An animated WebP of the sequence through libwebp's animation encoder, every frame shown
/// frameMs exactly: lossless for WebPLossless, else lossy at quality 0..100. The file loops
/// forever when the sequence repeats, else plays once. Fails with the reason, or empty when
/// `step` stopped it.
Result<QByteArray> EncodeWebPAnimation(const AnimationSequence &sequence, int quality,
                                       const EncodeStep &step = {});

} // namespace mrv
