#pragma once

#include "imaging/animationreader.h"

#include <QByteArray>

namespace mrv {

/// Decodes a WebP (animated or still) frame by frame with libwebp's own animation decoder,
/// which blends and disposes each frame as browsers do. Fails on damaged data.
Result<AnimationInfo> DecodeWebPAnimation(const QByteArray &file, const AnimationFrameSink &sink);

} // namespace mrv
