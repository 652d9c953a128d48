#pragma once

#include "imaging/animationreader.h"

#include <QByteArray>

namespace mrv {

/// True when a PNG file carries an animation control chunk (acTL) declaring more than one
/// frame before its image data. Only the chunks up to there are looked at, so a damaged or
/// cut-off animation still counts as one.
bool IsAnimatedPng(const QByteArray &file);

/// Decodes an animated PNG (acTL, fcTL, fdAT) frame by frame, composing each frame region onto
/// the canvas with its blend operation and disposing of it as its fcTL says, the way browsers
/// play it. A default image that is not part of the animation is skipped; a PNG without acTL
/// is one frame. Fails on damaged or inconsistent data before handing over any frame: a file
/// cut short (no IEND), fewer or more frames than acTL declares, fcTL/fdAT sequence numbers
/// out of order, repeated or missing, a frame outside the canvas; and at a frame whose data
/// is missing or does not decode.
Result<AnimationInfo> DecodeApng(const QByteArray &file, const AnimationFrameSink &sink);

} // namespace mrv
