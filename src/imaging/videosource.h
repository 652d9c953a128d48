#pragma once

#include "support/result.h"
#include "support/tr.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <atomic>
#include <functional>
#include <vector>

class QIODevice;

namespace mrv {

/// What a video's headers say about its picture stream.
struct VideoInfo
{
    QSize size;
    /// The stream's length in ms; 0 when the file does not say.
    qint64 durationMs = 0;
    /// Frames per second as the stream declares it; 0 when unknown.
    double frameRate = 0;
    /// The codec's short name ("h264").
    QString codec;
};

/// The frames a range of a video shows, read from the container without decoding.
struct VideoTimes
{
    /// Presentation times in ms from the stream's start, ascending: first the frame shown at the
    /// range's start, then every later frame that starts before its end.
    std::vector<qint64> timesMs;
    /// When the last frame stops showing: the range's end, or the video's end before it.
    qint64 endMs = 0;
    /// Packets from the key frame the decoding starts at to the range's end: the decoding work.
    qint64 packets = 0;
};

/// One decoded frame, converted to the size asked for (straight ARGB32).
struct VideoFrame
{
    QImage image;
    qint64 timeMs = 0;
};

/// A video read one frame at a time. The video module implements it over FFmpeg's libraries,
/// which only a process that reads a video loads; the program reaches it through VideoReader.
class VideoSource
{
public:
    virtual ~VideoSource() = default;

    /// Finds the picture stream and its decoder. Fails with a reason a user can act on: not a
    /// video or damaged, no picture stream, no decoder for its codec.
    virtual Status Open() = 0;
    virtual const VideoInfo &Info() const = 0;

    /// The frames shown from startMs to endMs (ms from the stream's start). Fails when more
    /// than maxFrames start in the range, and when cancelled.
    virtual Result<VideoTimes> Times(qint64 startMs, qint64 endMs, int maxFrames,
                                     const std::atomic_bool *cancel) = 0;

    /// Decodes from the key frame at or before startMs until a frame starts at or after endMs.
    /// A frame whose time `wanted` accepts is scaled to `size` (averaging every source pixel
    /// when shrinking) and handed to `sink`; returning false stops. `progress` hears the ms
    /// decoded of the range. Damaged packets are skipped; fails when no frame could be decoded,
    /// when cancelled, or when the sink stopped.
    virtual Status Decode(qint64 startMs, qint64 endMs, QSize size,
                          const std::function<bool(qint64 timeMs)> &wanted,
                          const std::function<bool(const VideoFrame &frame)> &sink,
                          const std::function<void(int done, int total)> &progress,
                          const std::atomic_bool *cancel) = 0;
};

/// The module's one entry point: a source reading from the device, which must stay open and
/// seekable while the source lives; the caller owns it. The version in the name changes with
/// VideoSource, so that a module of another build fails to load instead of crashing.
#define MIROVANE_VIDEO_FACTORY mirovane_video_source_v1
using VideoSourceFactory = VideoSource *(*)(QIODevice *device);

/// The text of a cancelled read.
inline QString VideoCancelledMessage()
{
    return Tr::tr("导入已取消，未作任何更改");
}

} // namespace mrv

extern "C" mrv::VideoSource *MIROVANE_VIDEO_FACTORY(QIODevice *device);
