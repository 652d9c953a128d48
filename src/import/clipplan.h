#pragma once

#include "import/boottiming.h"
#include "import/framefit.h"
#include "support/result.h"

#include <QImage>
#include <QMap>
#include <QSize>
#include <QString>

#include <vector>

namespace mrv {

/// What kind of clip an import turns into frames.
enum class ClipKind
{
    Animation, ///< an animated GIF, WebP or APNG
    Video,
};

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

/// A clip as the dialog shows it before anything is imported.
struct ClipSource
{
    ClipKind kind = ClipKind::Animation;
    QString path;
    QSize size;
    /// The whole clip's length in ms; 0 when a video does not say.
    qint64 durationMs = 0;
    /// The first frame, at most PreviewSide pixels on its longer side.
    QImage firstFrame;
    /// An animation's frame times as shown (ms); empty for a video, whose depend on the range.
    std::vector<int> delaysMs;
};

/// The longer side of a ClipSource's first frame: enough for the dialog's picture.
inline constexpr int PreviewSide = 640;

/// Reads what the dialog shows of an animated picture or a video: its size, length and first
/// frame, within the import's bounds. Fails with the reason (no video stream, damaged ...).
Result<ClipSource> ReadClipSource(const QString &path);

/// The choices proposed for a clip in a project of this size: its default fit, boot timing,
/// a video's first DefaultVideoMs.
ClipChoices ProposedChoices(const ClipSource &source, QSize projectSize);

/// What an import with these choices makes.
struct ClipPlan
{
    int frames = 0;
    qint64 durationMs = 0; ///< at the frame time, one play through the frames
    double speed = 1.0;    ///< against the source's own
    /// Why these choices cannot be imported; empty when they can.
    QString problem;
};

/// The plan of an import (a video's range is read from its file, without decoding).
ClipPlan PlanClip(const ClipSource &source, const ClipChoices &choices, int frameTimeMs);

/// "105 帧，7.9 秒，播放速度为原片的 93%", or the problem.
QString ClipPlanText(const ClipPlan &plan);

/// The import-frames option values (FrameImporter's names) that make these choices.
QMap<QString, QString> ClipOptionValues(const ClipChoices &choices, ClipKind kind);

} // namespace mrv
