#pragma once

#include "import/boottiming.h"
#include "import/framefit.h"
#include "import/openedclip.h"
#include "support/result.h"

#include <QSize>
#include <QString>

#include <memory>

namespace mrv {

struct FrameImportOptions;

/// How a clip is imported: the choices of the clip dialog and of import-frames' options.
struct ClipChoices
{
    FrameFit fit = FrameFit::None;
    FrameTiming timing = FrameTiming::Boot;
    /// The part of a video taken, in ms from its start; animations are taken whole.
    qint64 startMs = 0;
    qint64 endMs = 0;
    /// Where the loop part starts, in ms from the source's start.
    qint64 loopStartMs = 0;
};

/// The choices proposed for a clip in a project of this size: its default fit, boot timing,
/// a video's first DefaultVideoMs.
ClipChoices ProposedChoices(const ClipSource &source, QSize projectSize);

/// What an import with these choices makes.
struct ClipPlan
{
    int frames = 0;
    qint64 durationMs = 0; ///< at the frame time, one play through the frames
    double speed = 1.0;    ///< against the source's own
    /// Whole passes through the clip that frames 61-105 hold; 0 frame by frame.
    int passes = 0;
    /// The pictures the import writes (each shown frame once), and their size.
    int pictures = 0;
    QSize pictureSize;
    /// A video's chosen end lies past its length: the import ends there (ms).
    std::optional<qint64> cutAtMs;
    /// Why these choices cannot be imported; empty when they can.
    QString problem;
};

/// The plan of an import into a project of this size (a video's range is read from the
/// opened clip, without decoding).
ClipPlan PlanClip(const OpenedClip &clip, const ClipChoices &choices, int frameTimeMs,
                  QSize projectSize);

/// "105 帧，7.9 秒（第 61-105 帧循环播放原片 2 遍），播放速度为原片的 93%", what it writes,
/// and where a video's end is cut; or the problem.
QString ClipPlanText(const ClipPlan &plan);

/// A clip opened for the import and the choices made for it, as the import takes them.
struct ChosenClip
{
    std::shared_ptr<const OpenedClip> clip;
    ClipChoices choices;
};

/// The frame import's options that make these choices for this kind of clip.
void ApplyClipChoices(const ClipChoices &choices, ClipKind kind, FrameImportOptions &options);

} // namespace mrv
