#pragma once

#include "edit/frameedit.h"
#include "imaging/colouradjust.h"

#include <QImage>
#include <QPoint>
#include <QString>

namespace mrv {

class MVK;

/// The bounds of the colour and size edit's values.
inline constexpr double MaxHueTurn = 180;
inline constexpr double MaxModulatePercent = 200;
inline constexpr double MinScalePercent = 1;
inline constexpr double MaxScalePercent = 400;

/// Colour and size of the picked frames' pictures.
struct FrameAdjust
{
    ColourAdjust colour;
    /// Each picture resized about its centre, which stays where it sits in the area.
    double scalePercent = 100;

    bool IsIdentity() const { return colour.IsIdentity() && scalePercent == 100; }
};

/// Why the values cannot be used (a value outside its bounds), naming it; empty when they can.
QString FrameAdjustProblem(const FrameAdjust &adjust);

/// One picture as the edit makes it: colours first, then the size.
QImage AdjustedPicture(const QImage &picture, const FrameAdjust &adjust);

/// Where a picture resized from `before` to `after` goes so that its centre stays put.
QPoint CentreKeepingOffset(QPoint offset, QSize before, QSize after);

/// The picked frames' pictures, adjusted, written as PNG files into a new folder
/// "<framesFolder>/<project name>_adjusted" (all of them or none), and the frame list that
/// shows them: the other frames and the pictures on disk stay as they were. A picture shown by
/// several picked frames is made once.
FrameEditResult AdjustFrames(const MVK &project, const FrameAdjust &adjust,
                             const FrameEditRequest &request);

} // namespace mrv
