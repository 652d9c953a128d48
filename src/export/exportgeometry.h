#pragma once

#include "support/bootgeometry.h"
#include "support/result.h"

#include <QRect>
#include <QSize>

namespace mrv {

class MVK;

/// The long picture: one cell of the animation area's size per boot-screen frame.
inline constexpr int CellSize = AreaSize;
inline constexpr int StripCells = BootFrames;

/// Factors that map project pixels onto the reference screen: 1024 / width and 768 / height.
struct ScreenScale
{
    double sx = 1.0;
    double sy = 1.0;
};

/// The scale of a project, refused when its width or height is not positive.
Result<ScreenScale> ReferenceScale(const MVK &project);

/// Where a project's screen lies on a device screen of another shape.
struct FittedScreen
{
    QRect rect;         ///< the project's screen on the device, in whole pixels
    double scale = 0.0; ///< device pixels per project pixel, the same on both axes
};

/// The project's screen scaled by one factor, as large as fits the device, centred (an odd
/// pixel left over goes to the right or bottom): 1024 x 768 on 1080 x 1920 is 1080 x 810 at
/// (0, 555). An empty rectangle and no scale when either size has no pixels.
FittedScreen FitScreen(QSize project, QSize device);

/// How a frame sequence plays out a project of a given frame count and loop times: the intro
/// is written once, the loop part loopTimes times. Counts are 32-bit, so a long sequence only
/// gets longer file numbers.
struct SequencePlan
{
    int introCount = 0;  ///< round(60 / 105 * frames)
    int loopLength = 0;  ///< round(45 / 105 * frames)
    int total = 0;       ///< loopTimes * loopLength + introCount
    int numberWidth = 1; ///< decimal digits of total

    static SequencePlan Make(int frameCount, int loopTimes);
    /// The 1-based frame shown by the 1-based sequence number n.
    int FrameOf(int n) const;
    /// Distinct pictures the sequence uses: frames 1 .. this number.
    int DistinctFrames() const;
};

/// The project-scale animation area used by the frame sequence.
struct SequenceArea
{
    QSize cell;   ///< round(200 / 1024 * width) x round(200 / 768 * height)
    int left = 0; ///< round(412 / 1024 * width)
    int top = 0;  ///< round(284 / 768 * height)
};

/// The sequence's area for a project; refused when the cell would have no pixels.
Result<SequenceArea> SequenceAreaOf(const MVK &project);

} // namespace mrv
