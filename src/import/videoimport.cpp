#include "import/videoimport.h"

#include "imaging/videosource.h"
#include "import/clipframewriter.h"
#include "import/openedclip.h"
#include "support/tr.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <map>

namespace mrv {

namespace {

FrameImportResult Refused(const QString &file, const QString &reason)
{
    return {Result<FrameImport>::Fail(
                Tr::tr("“%1”无法导入：%2").arg(QDir::toNativeSeparators(file), reason)),
            ImportFailure::Source};
}

QString Seconds(qint64 ms)
{
    return QString::number(ms / 1000.0, 'f', ms % 1000 == 0 ? 0 : (ms % 100 == 0 ? 1 : 3));
}

/// The notice of a video import: the range taken when part of the video is left out, and
/// the frame count and speed. `chosenEndMs` is the range's end as chosen, `endMs` where the
/// frames taken stop showing: before the chosen end when the video ends first.
QString VideoNotice(const VideoInfo &info, qint64 startMs, qint64 chosenEndMs, qint64 endMs,
                    int sourceFrames, const BootSampling *sampling)
{
    QStringList parts;
    if (sampling)
        parts << BootNotice(sourceFrames, *sampling);
    else
        parts << Tr::tr("已逐帧导入 %n 帧", nullptr, sourceFrames);
    const bool endLeftOut = info.durationMs > chosenEndMs && endMs >= chosenEndMs;
    if (startMs > 0 || endLeftOut)
        parts << Tr::tr("视频长 %1 秒，只导入了第 %2-%3 秒（可选择开始和结束时间）")
                     .arg(Seconds(info.durationMs), Seconds(startMs),
                          // To the video's end: its length, not its last frame's ms rounded.
                          Seconds(endMs < chosenEndMs ? std::max(endMs, info.durationMs) : endMs));
    return parts.join(u'\n');
}

} // namespace

qint64 VideoRangeEnd(qint64 startMs, std::optional<qint64> endMs)
{
    return endMs.value_or(startMs + DefaultVideoMs);
}

std::vector<int> VideoDelays(const VideoTimes &times, qint64 startMs)
{
    std::vector<int> delays;
    const std::vector<qint64> &t = times.timesMs;
    for (size_t i = 0; i < t.size(); ++i) {
        const qint64 from = std::max(t[i], startMs);
        const qint64 to = i + 1 < t.size() ? t[i + 1] : times.endMs;
        delays.push_back(int(std::max<qint64>(to - from, 0)));
    }
    return delays;
}

FrameImportResult ImportVideo(const OpenedClip &video, const FrameImportOptions &options)
{
    const QString &file = video.Source().path;
    VideoInfo info;
    info.size = video.Source().size;
    info.durationMs = video.Source().durationMs;
    const qint64 startMs = options.startMs;
    const qint64 endMs = VideoRangeEnd(startMs, options.endMs);
    if (startMs < 0 || endMs <= startMs)
        return Refused(file, Tr::tr("结束时间须晚于开始时间"));
    if (info.durationMs > 0 && startMs >= info.durationMs)
        return Refused(file, Tr::tr("开始时间 %1 秒不在视频长度 %2 秒以内")
                                 .arg(Seconds(startMs), Seconds(info.durationMs)));
    const Result<VideoTimes> times =
        video.Times(startMs, endMs, MaxImportedFrames, options.cancel);
    if (!times) {
        if (times.message() == VideoCancelledMessage())
            return {Result<FrameImport>::Fail(times.message()), ImportFailure::Write};
        return Refused(file, times.message());
    }
    if (times->packets * info.size.width() * info.size.height() > MaxVideoDecodedPixels)
        return Refused(file, Tr::tr("要解码 %1 帧 %2 × %3 像素的画面，超过一次导入的上限"
                                    "（宽 × 高 × 帧数不超过 %4 像素）")
                                 .arg(times->packets)
                                 .arg(info.size.width())
                                 .arg(info.size.height())
                                 .arg(MaxVideoDecodedPixels));
    const std::vector<int> delays = VideoDelays(*times, startMs);
    const std::vector<qint64> &frameTimes = times->timesMs;
    const FrameFit fit = options.fit.value_or(DefaultFit(info.size, options.projectSize));
    const FrameTiming timing = options.timing.value_or(FrameTiming::Boot);

    // Which source frames the project shows, in its order.
    std::vector<int> shown;
    BootSampling sampling;
    if (timing == FrameTiming::Boot) {
        const qint64 loopMs = std::max<qint64>(options.loopStartMs - startMs, 0);
        sampling = SampleForBoot(delays, options.frameTimeMs, int(loopMs));
        if (sampling.sourceFrames.empty())
            return Refused(file, Tr::tr("循环起点 %1 秒不在所选时间段内，或第 1-60 帧播放不到它")
                                     .arg(Seconds(options.loopStartMs)));
        shown = sampling.sourceFrames;
    } else {
        shown.resize(delays.size());
        for (size_t i = 0; i < shown.size(); ++i)
            shown[i] = int(i);
    }
    std::vector<bool> wanted(frameTimes.size(), false);
    for (int index : shown)
        wanted[size_t(index)] = true;

    if (options.framesFolder.isEmpty())
        return Refused(file, Tr::tr("视频的帧要保存在工程文件旁边，请先保存工程"));
    const FitPlacement placement = PlaceInArea(info.size, options.projectSize, fit);
    ClipFrameWriter writer(file, options.framesFolder, options.projectFolder, placement);
    if (const Status opened = writer.Open(); !opened)
        return {Result<FrameImport>::Fail(opened.message()), ImportFailure::Write};

    // Written pictures by source frame; a frame the decoder could not give is shown by the
    // nearest one before it.
    std::map<int, QString> written;
    Status failure;
    // The range's frame a decoded one is: the nearest time, as a decoder may stamp a frame a
    // ms off the container's time. Frames decoded from the key frame before the range are not.
    const auto indexOf = [&](qint64 ms) {
        if (ms < frameTimes.front() - 1)
            return -1;
        const auto next = std::lower_bound(frameTimes.begin(), frameTimes.end(), ms);
        if (next == frameTimes.end())
            return int(frameTimes.size()) - 1;
        if (next != frameTimes.begin() && ms - *std::prev(next) < *next - ms)
            return int(next - frameTimes.begin()) - 1;
        return int(next - frameTimes.begin());
    };
    const auto want = [&](qint64 ms) {
        const int index = indexOf(ms);
        return index >= 0 && wanted[size_t(index)] && !written.count(index);
    };
    const auto sink = [&](const VideoFrame &frame) {
        const Result<QString> path = writer.Write(frame.image);
        failure = path.status();
        if (!failure)
            return false;
        written[indexOf(frame.timeMs)] = *path;
        return true;
    };
    const Status decoded = video.Decode(startMs, endMs, placement.scaled, want, sink,
                                        options.progress, options.cancel);
    if (options.cancel && options.cancel->load())
        return {Result<FrameImport>::Fail(VideoCancelledMessage()), ImportFailure::Write};
    if (!failure)
        return {Result<FrameImport>::Fail(failure.message()), ImportFailure::Write};
    // A frame past a limit fails the import rather than leave its place to an earlier one.
    if (!decoded)
        return Refused(file, decoded.message());
    if (written.empty())
        return Refused(file, Tr::tr("视频数据已损坏，没有可以解码的画面"));

    FrameImport import;
    import.writtenFolder = writer.Folder();
    const auto pictureFor = [&](int index) {
        auto at = written.upper_bound(index);
        return at == written.begin() ? at->second : std::prev(at)->second;
    };
    for (int index : shown)
        import.frames.push_back(writer.FrameFor(pictureFor(index)));
    import.notice = VideoNotice(info, startMs, endMs, times->endMs, int(frameTimes.size()),
                                timing == FrameTiming::Boot ? &sampling : nullptr);
    if (const Status committed = writer.Commit(); !committed)
        return {Result<FrameImport>::Fail(committed.message()), ImportFailure::Write};
    return {std::move(import), ImportFailure::None};
}

} // namespace mrv
