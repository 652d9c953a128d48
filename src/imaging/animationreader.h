#pragma once

#include "support/result.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <functional>

namespace mrv {

/// One frame of an animated picture as a viewer shows it: the whole canvas with the earlier
/// frames' disposal and this frame's blending applied, straight ARGB32, so that colours under
/// a low alpha stay exact when the frame is written as PNG.
struct AnimationFrame
{
    QImage image;
    int delayMs = 0; ///< how long the frame stays
};

/// What an animated picture says about itself.
struct AnimationInfo
{
    QSize size;
    int frameCount = 0;
    int plays = 1; ///< how often the whole animation plays; 0 = forever
};

struct DecodedAnimation
{
    QList<AnimationFrame> frames;
    int plays = 1;
};

/// Receives the frames in order; returning false stops the reading.
using AnimationFrameSink = std::function<bool(const AnimationFrame &frame)>;

/// True when the file is a GIF, WebP or PNG (recognised by content) holding more than one
/// frame.
bool IsAnimationFile(const QString &path);

/// Reads every frame of a GIF or WebP (through Qt's readers) or an APNG, handing each to the
/// sink as soon as it is composed, so that long animations need not fit in memory. Any other
/// picture Qt reads gives one frame. Fails with a reason for a missing file, a file that is no
/// picture, and damaged data; frames already handed over stay handed over.
Result<AnimationInfo> ReadAnimationFrames(const QString &path, const AnimationFrameSink &sink);

/// Every frame at once; for small animations.
Result<DecodedAnimation> ReadAnimation(const QString &path);

} // namespace mrv
