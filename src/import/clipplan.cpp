#include "import/clipplan.h"

#include "imaging/animationprobe.h"
#include "imaging/animationreader.h"
#include "imaging/videoreader.h"
#include "import/frameimport.h"
#include "import/frameimporter.h"
#include "import/videoimport.h"
#include "support/bootgeometry.h"
#include "support/regularfile.h"
#include "support/tr.h"

#include <QDir>
#include <QFile>

#include <numeric>

namespace mrv {

namespace {

QSize PreviewSize(QSize size)
{
    if (size.width() <= PreviewSide && size.height() <= PreviewSide)
        return size;
    return size.scaled(PreviewSide, PreviewSide, Qt::KeepAspectRatio).expandedTo({1, 1});
}

Result<ClipSource> ReadAnimationSource(const QString &path, const AnimationInfo &probe)
{
    if (QString problem = AnimationSizeProblem(path, probe); !problem.isEmpty())
        return Result<ClipSource>::Fail(problem);
    ClipSource source;
    source.kind = ClipKind::Animation;
    source.path = path;
    source.size = probe.size;
    const Result<AnimationInfo> read = ReadAnimationFrames(path, [&](const AnimationFrame &frame) {
        if (source.firstFrame.isNull())
            source.firstFrame = frame.image.scaled(PreviewSize(frame.image.size()),
                                                   Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        source.delaysMs.push_back(ShownDelayMs(frame.delayMs));
        return int(source.delaysMs.size()) <= MaxImportedFrames;
    });
    if (!read)
        return Result<ClipSource>::Fail(
            Tr::tr("“%1”无法读取：%2").arg(QDir::toNativeSeparators(path), read.message()));
    source.durationMs = std::accumulate(source.delaysMs.begin(), source.delaysMs.end(), qint64(0));
    return source;
}

Result<ClipSource> ReadVideoSource(const QString &path)
{
    const auto refused = [&](const QString &reason) {
        return Result<ClipSource>::Fail(
            Tr::tr("“%1”无法导入：%2").arg(QDir::toNativeSeparators(path), reason));
    };
    QFile file(path);
    if (const Status opened = OpenRegularFile(file); !opened)
        return refused(opened.message());
    VideoReader reader(file);
    if (const Status opened = reader.Open(); !opened)
        return refused(opened.message());
    ClipSource source;
    source.kind = ClipKind::Video;
    source.path = path;
    source.size = reader.Info().size;
    source.durationMs = reader.Info().durationMs;
    source.firstFrame = reader.FrameAt(0, PreviewSize(source.size));
    if (source.firstFrame.isNull())
        return refused(Tr::tr("视频数据已损坏，没有可以解码的画面"));
    return source;
}

} // namespace

Result<ClipSource> ReadClipSource(const QString &path)
{
    if (const auto probe = ProbeAnimation(path); probe && probe->frameCount > 1)
        return ReadAnimationSource(path, *probe);
    return ReadVideoSource(path);
}

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

ClipPlan PlanClip(const ClipSource &source, const ClipChoices &choices, int frameTimeMs)
{
    ClipPlan plan;
    std::vector<int> delays = source.delaysMs;
    qint64 loopMs = choices.loopStartMs;
    if (source.kind == ClipKind::Video) {
        if (choices.endMs <= choices.startMs) {
            plan.problem = Tr::tr("结束时间须晚于开始时间");
            return plan;
        }
        QFile file(source.path);
        if (const Status opened = OpenRegularFile(file); !opened) {
            plan.problem = opened.message();
            return plan;
        }
        VideoReader reader(file);
        Status opened = reader.Open();
        const Result<VideoTimes> times =
            opened ? reader.Times(choices.startMs, choices.endMs, MaxImportedFrames)
                   : Result<VideoTimes>::Fail(opened.message());
        if (!times) {
            plan.problem = times.message();
            return plan;
        }
        delays = VideoDelays(*times, choices.startMs);
        loopMs = std::max<qint64>(loopMs - choices.startMs, 0);
    }
    if (choices.timing == FrameTiming::Frames) {
        plan.frames = int(delays.size());
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
    return plan;
}

QString ClipPlanText(const ClipPlan &plan)
{
    if (!plan.problem.isEmpty())
        return plan.problem;
    return Tr::tr("%1 帧，%2 秒，%3")
        .arg(plan.frames)
        .arg(QString::number(plan.durationMs / 1000.0, 'f', 1))
        .arg(SpeedMessage(plan.speed));
}

QMap<QString, QString> ClipOptionValues(const ClipChoices &choices, ClipKind kind)
{
    static const char *const fits[] = {"contain", "cover", "none"};
    const auto seconds = [](qint64 ms) { return QString::number(ms / 1000.0, 'g', 12); };
    QMap<QString, QString> values;
    values.insert(FrameImporter::Fit, QString::fromLatin1(fits[int(choices.fit)]));
    values.insert(FrameImporter::Timing, choices.timing == FrameTiming::Boot
                                             ? QStringLiteral("boot")
                                             : QStringLiteral("frames"));
    values.insert(FrameImporter::LoopStart, seconds(choices.loopStartMs));
    if (kind == ClipKind::Video) {
        values.insert(FrameImporter::Start, seconds(choices.startMs));
        values.insert(FrameImporter::End, seconds(choices.endMs));
    }
    return values;
}

} // namespace mrv
