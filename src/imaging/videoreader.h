#pragma once

#include "imaging/videosource.h"

#include <memory>

namespace mrv {

/// A video read through the video module, loaded at the first video a process opens (see
/// VideoModule). The file is read through a QIODevice, never by name: FFmpeg would otherwise
/// take names as URLs ("http:", "concat:"), and formats that open further files (playlists)
/// are refused that way too.
class VideoReader
{
public:
    /// Reads from the device, which must stay open and seekable while the reader lives, doing
    /// no more work than the limits allow.
    explicit VideoReader(QIODevice &device, const VideoLimits &limits = {});
    ~VideoReader();
    VideoReader(const VideoReader &) = delete;
    VideoReader &operator=(const VideoReader &) = delete;

    /// Loads the video module if no reader has yet, then finds the picture stream and its
    /// decoder (VideoSource::Open). Fails naming the module when it cannot be loaded.
    Status Open(const std::atomic_bool *cancel = nullptr);
    const VideoInfo &Info() const;

    /// See VideoSource::Times; fails unless Open succeeded.
    Result<VideoTimes> Times(qint64 startMs, qint64 endMs, int maxFrames,
                             const std::atomic_bool *cancel = nullptr);

    /// See VideoSource::Decode; fails unless Open succeeded.
    Status Decode(qint64 startMs, qint64 endMs, QSize size,
                  const std::function<bool(qint64 timeMs)> &wanted,
                  const std::function<bool(const VideoFrame &frame)> &sink,
                  const std::function<void(int done, int total)> &progress = {},
                  const std::atomic_bool *cancel = nullptr);

    /// The first frame shown at or after startMs, scaled to `size`; null on failure.
    QImage FrameAt(qint64 startMs, QSize size);

private:
    QIODevice &m_device;
    VideoLimits m_limits;
    std::unique_ptr<VideoSource> m_source;
    /// Why there is no source: the module's load failure, or the open's.
    QString m_failure;
};

} // namespace mrv
