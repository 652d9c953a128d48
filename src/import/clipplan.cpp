#include "import/clipplan.h"

#include "imaging/videoreader.h"
#include "import/frameimport.h"
#include "import/videoimport.h"
#include "support/bootgeometry.h"
#include "support/tr.h"


#include <algorithm>
#include <numeric>

namespace mrv {

ClipChoices ProposedChoices(const ClipSource &source, QSize projectSize)
{
    ClipChoices choices;
    choices.fit = DefaultFit(source.size, projectSize);
    choices.timing = FrameTiming::Boot;
    if (source.kind == ClipKind::Video) {
        choices.endMs =
            source.durationMs > 0 ? std::min(source.durationMs, DefaultVideoMs) : DefaultVideoMs;
    }
    return choices;
}

ClipPlan PlanClip(const OpenedClip &clip, const ClipChoices &choices, int frameTimeMs,
                  QSize projectSize)
{
    const ClipSource &source = clip.Source();
    ClipPlan plan;
    std::vector<int> delays = source.delaysMs;
    qint64 loopMs = choices.loopStartMs;
    if (source.kind == ClipKind::Video) {
        if (choices.endMs <= choices.startMs) {
            plan.problem = Tr::tr("结束时间须晚于开始时间");
            return plan;
        }
        const Result<VideoTimes> times =
            clip.Times(choices.startMs, choices.endMs, MaxImportedFrames);
        if (!times) {
            plan.problem = times.message();
            return plan;
        }
        delays = VideoDelays(*times, choices.startMs);
        if (source.durationMs > 0 && choices.endMs > source.durationMs)
            plan.cutAtMs = times->endMs;
        loopMs = std::max<qint64>(loopMs - choices.startMs, 0);
    }
    plan.pictureSize = PlaceInArea(source.size, projectSize, choices.fit).kept.size();
    if (choices.timing == FrameTiming::Frames) {
        plan.frames = int(delays.size());
        plan.pictures = plan.frames;
        plan.durationMs = qint64(plan.frames) * frameTimeMs;
        const qint64 length = std::accumulate(delays.begin(), delays.end(), qint64(0));
        plan.speed = plan.durationMs > 0 ? double(length) / double(plan.durationMs) : 1.0;
        return plan;
    }
    const BootSampling sampling = SampleForBoot(delays, frameTimeMs, int(loopMs));
    if (sampling.sourceFrames.empty()) {
        plan.problem = Tr::tr("循环起点不在原片以内，或第 1-60 帧播放不到它");
        return plan;
    }
    plan.frames = BootFrames;
    plan.durationMs = qint64(BootFrames) * frameTimeMs;
    plan.speed = sampling.speed;
    plan.passes = sampling.passes;
    std::vector<int> shown = sampling.sourceFrames;
    std::sort(shown.begin(), shown.end());
    plan.pictures = int(std::unique(shown.begin(), shown.end()) - shown.begin());
    return plan;
}

QString ClipPlanText(const ClipPlan &plan)
{
    if (!plan.problem.isEmpty())
        return plan.problem;
    const QString seconds = QString::number(plan.durationMs / 1000.0, 'f', 1);
    QStringList lines{
        plan.passes > 0
            ? Tr::tr("%1 帧，%2 秒（第 61-105 帧循环播放原片 %n 遍），%3", "", plan.passes)
                  .arg(plan.frames)
                  .arg(seconds, SpeedMessage(plan.speed))
            : Tr::tr("%1 帧，%2 秒，%3").arg(plan.frames).arg(seconds, SpeedMessage(plan.speed))};
    // Uncompressed, as PNG files of camera pictures come close to it; a cartoon takes less.
    const double megabytes =
        double(plan.pictures) * plan.pictureSize.width() * plan.pictureSize.height() * 4 / 1e6;
    lines << Tr::tr("将写入 %n 张 %1 × %2 像素的图片（未压缩 %3 MB）", "", plan.pictures)
                 .arg(plan.pictureSize.width())
                 .arg(plan.pictureSize.height())
                 .arg(QString::number(megabytes, 'f', megabytes < 10 ? 1 : 0));
    if (plan.cutAtMs)
        lines << Tr::tr("结束时间超过视频长度，只导入到第 %1 秒")
                     .arg(QString::number(*plan.cutAtMs / 1000.0, 'f', 2));
    return lines.join(u'\n');
}

void ApplyClipChoices(const ClipChoices &choices, ClipKind kind, FrameImportOptions &options)
{
    options.fit = choices.fit;
    options.timing = choices.timing;
    options.loopStartMs = int(choices.loopStartMs);
    if (kind == ClipKind::Video) {
        options.startMs = choices.startMs;
        options.endMs = choices.endMs;
    }
}

} // namespace mrv
