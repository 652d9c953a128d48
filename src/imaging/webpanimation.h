#pragma once

#include "imaging/animationsequence.h"
#include "support/filebytes.h"
#include "support/result.h"

#include <QByteArray>

namespace mrv {

/// The quality that asks EncodeWebPAnimation for lossless frames.
inline constexpr int WebPLossless = -1;

/// An animated WebP of the sequence, every frame shown frameMs exactly: lossless for
/// WebPLossless, else lossy at quality 0..100. Frame 1 is the whole picture; each later frame
/// is the rectangle that changed since the picture before, kept on the canvas (no disposal),
/// and either replaces the canvas there or is blended over it with its unchanged pixels
/// transparent. A frame shown again after the same picture is encoded once, and the file is
/// laid out as libwebp's mux lays it out. The file loops forever when the sequence repeats,
/// else plays once.
/// Fails with the reason, or empty when `step` stopped it. A sequence moved in lets each
/// picture go once it is copied for the encoder.
Result<QByteArray> EncodeWebPAnimation(AnimationSequence sequence, int quality,
                                       const EncodeStep &step = {});
/// The same file as parts: every frame shown again shares the bytes of its first showing.
Result<FileBytes> EncodeWebPAnimationParts(AnimationSequence sequence, int quality,
                                           const EncodeStep &step = {});

} // namespace mrv
