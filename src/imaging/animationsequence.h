#pragma once

#include "support/frameduration.h"

#include <QImage>
#include <QList>

#include <functional>
#include <vector>

namespace mrv {

/// An animation to encode: its distinct pictures, once each, and the order they are shown in,
/// so that an encoder can reuse what it made for a picture shown again.
struct AnimationSequence
{
    /// Premultiplied ARGB32 pictures, all of one size.
    QList<QImage> pictures;
    /// The pictures shown, one index into `pictures` per frame.
    std::vector<int> order;
    /// How long each frame stays, in milliseconds.
    int frameMs = FrameDuration::Default;
    /// Whether the file plays again from its first frame after the last, forever; otherwise it
    /// plays once and stays on the last frame.
    bool repeat = false;
};

/// Reports encoding steps done out of the total; returning false stops the encoder.
using EncodeStep = std::function<bool(int done, int total)>;

} // namespace mrv
