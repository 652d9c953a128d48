#pragma once

#include "imaging/animationreader.h"

#include <QByteArray>

namespace mrv {

/// Decodes a GIF frame by frame (giflib) and composes each frame as browsers play it: a
/// transparent canvas of the screen size, the frame's pixels drawn over it except its
/// transparent index, then its disposal (restore to background clears the frame's rectangle
/// to transparent, whatever the background colour; restore to previous brings back the canvas
/// as it was before the frame). Fails on damaged data; a file that ends after a complete frame
/// without its trailer byte is whole.
Result<AnimationInfo> DecodeGifAnimation(const QByteArray &file, const AnimationFrameSink &sink);

} // namespace mrv
