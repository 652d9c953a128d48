#include "import/openedclip.h"

#include "imaging/animationprobe.h"
#include "imaging/animationreader.h"
#include "imaging/videoreader.h"
#include "import/frameimport.h"
#include "support/regularfile.h"
#include "support/tr.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <numeric>

namespace mrv {

std::optional<ClipKind> ClipKindOf(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return std::nullopt;
    if (const auto probe = ProbeAnimation(path); probe && probe->frameCount > 1)
        return ClipKind::Animation;
    if (!HasImportPictureExtension(path))
        return ClipKind::Video;
    return std::nullopt;
}

QSize PreviewSize(QSize size)
{
    if (size.width() <= PreviewSide && size.height() <= PreviewSide)
        return size;
    return size.scaled(PreviewSide, PreviewSide, Qt::KeepAspectRatio).expandedTo({1, 1});
}

OpenedClip::OpenedClip() = default;
OpenedClip::~OpenedClip() = default;

Result<std::shared_ptr<OpenedClip>> OpenedClip::Open(const QString &path, ClipKind kind,
                                                     const std::atomic_bool *cancel)
{
    using Opened = Result<std::shared_ptr<OpenedClip>>;
    std::shared_ptr<OpenedClip> clip(new OpenedClip);
    ClipSource &source = clip->m_source;
    source.kind = kind;
    source.path = path;
    if (kind == ClipKind::Animation) {
        const auto probe = ProbeAnimation(path);
        if (!probe)
            return Opened::Fail(Tr::tr("“%1”无法读取：%2")
                                    .arg(QDir::toNativeSeparators(path), Tr::tr("图片内容无法解码")));
        if (QString problem = AnimationSizeProblem(path, *probe); !problem.isEmpty())
            return Opened::Fail(problem);
        source.size = probe->size;
        const Result<AnimationInfo> read =
            ReadAnimationFrames(path, [&](const AnimationFrame &frame) {
                if (source.firstFrame.isNull())
                    source.firstFrame =
                        frame.image.scaled(PreviewSize(frame.image.size()), Qt::IgnoreAspectRatio,
                                           Qt::SmoothTransformation);
                source.delaysMs.push_back(ShownDelayMs(frame.delayMs));
                return int(source.delaysMs.size()) <= MaxImportedFrames;
            });
        if (!read)
            return Opened::Fail(
                Tr::tr("“%1”无法读取：%2").arg(QDir::toNativeSeparators(path), read.message()));
        source.durationMs =
            std::accumulate(source.delaysMs.begin(), source.delaysMs.end(), qint64(0));
        return clip;
    }
    const auto refused = [&](const QString &reason) {
        return Opened::Fail(Tr::tr("“%1”无法导入：%2").arg(QDir::toNativeSeparators(path), reason));
    };
    clip->m_file = std::make_unique<QFile>(path);
    if (const Status opened = OpenRegularFile(*clip->m_file); !opened)
        return refused(opened.message());
    clip->m_reader = std::make_unique<VideoReader>(*clip->m_file);
    if (const Status opened = clip->m_reader->Open(cancel); !opened)
        return opened.message() == VideoCancelledMessage() ? Opened::Fail(opened.message())
                                                           : refused(opened.message());
    source.size = clip->m_reader->Info().size;
    source.durationMs = clip->m_reader->Info().durationMs;
    source.firstFrame = clip->m_reader->FrameAt(0, PreviewSize(source.size));
    if (source.firstFrame.isNull())
        return refused(Tr::tr("视频数据已损坏，没有可以解码的画面"));
    return clip;
}

Result<VideoTimes> OpenedClip::Times(qint64 startMs, qint64 endMs, int maxFrames,
                                     const std::atomic_bool *cancel) const
{
    const std::lock_guard lock(m_lock);
    if (!m_reader)
        return Result<VideoTimes>::Fail(Tr::tr("视频未打开"));
    if (m_times && m_timesStart == startMs && m_timesEnd == endMs &&
        int(m_times->timesMs.size()) <= maxFrames)
        return *m_times;
    Result<VideoTimes> times = m_reader->Times(startMs, endMs, maxFrames, cancel);
    if (times) {
        m_times = std::make_shared<const VideoTimes>(*times);
        m_timesStart = startMs;
        m_timesEnd = endMs;
    }
    return times;
}

Status OpenedClip::Decode(qint64 startMs, qint64 endMs, QSize size,
                          const std::function<bool(qint64)> &wanted,
                          const std::function<bool(const VideoFrame &)> &sink,
                          const std::function<void(int, int)> &progress,
                          const std::atomic_bool *cancel) const
{
    const std::lock_guard lock(m_lock);
    if (!m_reader)
        return Status::Fail(Tr::tr("视频未打开"));
    return m_reader->Decode(startMs, endMs, size, wanted, sink, progress, cancel);
}

QImage OpenedClip::FrameAt(qint64 ms) const
{
    if (m_source.kind == ClipKind::Animation || ms <= 0)
        return m_source.firstFrame;
    const std::lock_guard lock(m_lock);
    return m_reader ? m_reader->FrameAt(ms, PreviewSize(m_source.size)) : QImage();
}

} // namespace mrv
