#include "imaging/videoreader.h"

#include "imaging/videomodule.h"

#include <limits>

namespace mrv {

namespace {

QString NotOpen()
{
    return Tr::tr("视频未打开");
}

} // namespace

VideoReader::VideoReader(QIODevice &device, const VideoLimits &limits)
    : m_device(device), m_limits(limits)
{}

VideoReader::~VideoReader() = default;

Status VideoReader::Open(const std::atomic_bool *cancel)
{
    m_source.reset();
    const Result<VideoSourceFactory> factory = VideoModule::Factory();
    if (!factory) {
        m_failure = factory.message();
        return factory.status();
    }
    std::unique_ptr<VideoSource> source((*factory)(&m_device, m_limits));
    if (!source)
        return Status::Fail(m_failure = Tr::tr("内存不足"));
    if (Status opened = source->Open(cancel); !opened) {
        m_failure = opened.message();
        return opened;
    }
    m_source = std::move(source);
    return Status::Ok();
}

const VideoInfo &VideoReader::Info() const
{
    static const VideoInfo none;
    return m_source ? m_source->Info() : none;
}

Result<VideoTimes> VideoReader::Times(qint64 startMs, qint64 endMs, int maxFrames,
                                      const std::atomic_bool *cancel)
{
    if (!m_source)
        return Result<VideoTimes>::Fail(m_failure.isEmpty() ? NotOpen() : m_failure);
    return m_source->Times(startMs, endMs, maxFrames, cancel);
}

Status VideoReader::Decode(qint64 startMs, qint64 endMs, QSize size,
                           const std::function<bool(qint64)> &wanted,
                           const std::function<bool(const VideoFrame &)> &sink,
                           const std::function<void(int, int)> &progress,
                           const std::atomic_bool *cancel)
{
    if (!m_source)
        return Status::Fail(m_failure.isEmpty() ? NotOpen() : m_failure);
    return m_source->Decode(startMs, endMs, size, wanted, sink, progress, cancel);
}

QImage VideoReader::FrameAt(qint64 startMs, QSize size)
{
    QImage first;
    bool seen = false;
    const Status read = Decode(
        startMs, std::numeric_limits<qint64>::max(), size,
        [&](qint64 ms) { return ms >= startMs || !seen; },
        [&](const VideoFrame &frame) {
            // Frames before the start stand in until one at or after it arrives.
            first = frame.image;
            seen = true;
            return frame.timeMs < startMs;
        });
    (void)read;
    return first;
}

} // namespace mrv
