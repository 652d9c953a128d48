#pragma once

#include "export/exportjob.h"
#include "export/exportsource.h"
#include "imaging/pictureformats.h"
#include "imaging/webpanimation.h"
#include "support/frameduration.h"

#include <QSize>
#include <QString>

#include <atomic>
#include <vector>

namespace mrv {

class MVK;

/// What each picture of the animation shows.
enum class AnimationArea
{
    Cell,   ///< the 200 x 200 animation area, as the long picture's cells
    Screen, ///< the whole screen, as the full-screen preview composes it, never distorted
};

struct AnimationOptions
{
    QString path; ///< the file written, extension included
    PictureFormat format = PictureFormat::Gif;
    int loops = 3; ///< how often the loop part plays after the intro
    AnimationArea area = AnimationArea::Cell;
    int screenWidth = 640; ///< Screen: the width; the height follows the project's ratio
    int frameMs = FrameDuration::Default;
    bool repeat = false; ///< the file starts again from the intro forever
    bool includeBackground = true;
    int quality = WebPLossless; ///< WebP only
};

/// Why the project cannot be shown as an animation: no frames, or a size that cannot be scaled.
Status CheckAnimationProject(const MVK &project);

/// The 1-based frames the animation shows, in order: 1 .. LoopStartFrame(count) - 1 once (the
/// intro), then LoopStartFrame(count) .. count `loops` times. Empty without frames.
std::vector<int> AnimationFrameOrder(int frameCount, int loops);

/// The screen of the Screen area: `width` wide, round(width * height / width) of the project
/// high, at least 1.
QSize AnimationScreenSize(const MVK &project, int width);

/// The most memory the composed pictures of one animation may take (4 bytes a pixel, every
/// frame of the project); larger exports are refused before anything is composed.
inline constexpr qint64 MaxComposedAnimationBytes = qint64(4) << 30;
/// The warning of a GIF asked for frames shorter than MinGifFrameMs, which it plays at that.
QString GifFrameTimeWarning(int frameMs);

/// Composes every frame once and writes the animation in the options' format. Nothing is
/// written when the project has no frames or a size that cannot be scaled (refused), or when
/// the export is cancelled; a failed write names the path and reason. A GIF of frames under
/// MinGifFrameMs shows each for that long and says so in the warnings.
ExportResult ExportAnimation(const ExportSource &source, const AnimationOptions &options,
                             const ExportProgress &progress = {},
                             const std::atomic_bool *cancel = nullptr);

} // namespace mrv
