#pragma once

#include "imaging/animationreader.h"

#include <QString>

#include <optional>

class QIODevice;

namespace mrv {

/// What an animated picture's headers say, read without decoding a single picture and without
/// holding the file in memory: the canvas size and the frame count (for APNG the count its
/// acTL chunk declares, for GIF and WebP the frames found up to the end or the first damage).
/// A PNG without acTL and a WebP without an animation are one frame. None when the file is
/// none of GIF, WebP and PNG (recognised by content) or its header is unreadable.
std::optional<AnimationInfo> ProbeAnimation(QIODevice &file);

/// The same for a file; none also for a file that is not a regular file or is larger than
/// MaxPictureFileBytes.
std::optional<AnimationInfo> ProbeAnimation(const QString &path);

} // namespace mrv
