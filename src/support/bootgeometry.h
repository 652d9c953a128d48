#pragma once

#include "support/stringutil.h"

#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>

namespace mrv {

/// The Windows 7 boot screen the animations are made for: a 1024 x 768 reference screen with
/// the 200 x 200 animation area at its centre, showing 105 frames of which 1..60 play once and
/// 61..105 loop.
inline constexpr int ReferenceWidth = 1024;
inline constexpr int ReferenceHeight = 768;
inline constexpr int AreaSize = 200;
inline constexpr int AreaLeft = (ReferenceWidth - AreaSize) / 2; ///< 412
inline constexpr int AreaTop = (ReferenceHeight - AreaSize) / 2; ///< 284
inline constexpr int BootFrames = 105;
inline constexpr int BootIntroFrames = 60;
inline constexpr int BootLoopFrames = BootFrames - BootIntroFrames; ///< 45

/// Frames of a count that play once, in the boot screen's proportion: round(60 / 105 * count),
/// ties to even.
inline int IntroFrameCount(int frameCount)
{
    return RoundHalfEven(double(BootIntroFrames) / BootFrames * frameCount);
}

/// Frames of a count that loop, in the boot screen's proportion: round(45 / 105 * count).
inline int LoopFrameCount(int frameCount)
{
    return RoundHalfEven(double(BootLoopFrames) / BootFrames * frameCount);
}

/// The frame playback returns to after the last: the start of the looping part at the
/// proportion of frame 61 of 105, round(61 / 105 * count), never below 0 (50 frames: 29;
/// 1 frame: 1).
inline int LoopStartFrame(int frameCount)
{
    return MaxOf(RoundHalfEven(double(BootIntroFrames + 1) / BootFrames * frameCount), 0);
}

/// The animation area on a surface that stands for the whole screen, at the exact fractions
/// 412/1024, 284/768, 200/1024 and 200/768 of it.
inline QRectF AnimationAreaOn(QSizeF surface)
{
    const double w = surface.width();
    const double h = surface.height();
    return QRectF(double(AreaLeft) / ReferenceWidth * w, double(AreaTop) / ReferenceHeight * h,
                  double(AreaSize) / ReferenceWidth * w, double(AreaSize) / ReferenceHeight * h);
}

/// The animation area on a screen in whole pixels, each edge of AnimationAreaOn rounded to
/// the nearest pixel (ties to even), as the full-screen preview and the screen exports place it.
inline QRect AnimationAreaPixels(QSize screen)
{
    const QRectF a = AnimationAreaOn(QSizeF(screen));
    return QRect(RoundHalfEven(a.left()), RoundHalfEven(a.top()), RoundHalfEven(a.width()),
                 RoundHalfEven(a.height()));
}

} // namespace mrv
