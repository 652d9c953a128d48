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

/// The largest picture a video may have: 8K UHD with room to spare. A header claiming more
/// would have the decoder allocate gigabytes before a single frame shows.
inline constexpr qint64 MaxVideoFramePixels = 40'000'000;

/// The most decoding one read takes on, in pixels of the frames decoded: room for 16 s of 4K
/// at 60 frames a second or two minutes of 1080p at 30.
inline constexpr qint64 MaxVideoDecodedPixels = 8'000'000'000;

/// How much work a file may make a reader do. A video is untrusted input: its headers may
/// claim anything, its size may change mid-stream, and junk may follow the stream.
struct VideoLimits
{
    /// The largest decoded picture, width times height.
    qint64 framePixels = MaxVideoFramePixels;
    /// The pixels of all frames one Decode call decodes, counted as they come.
    qint64 decodedPixels = MaxVideoDecodedPixels;
    /// Bytes read from the file beyond the picture's own size (8 bytes a pixel) before a
    /// packet (while listing times) or a decoded frame (while decoding) must turn up; what
    /// follows is taken as the end of the stream.
    qint64 slackBytes = 16 * 1024 * 1024;
};

/// What a video's headers say about its picture stream.
struct VideoInfo
{
    /// The picture as players show it: at its display aspect and turned upright.
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
    /// video or damaged, a format that would read other files, no picture stream, no decoder
    /// for its codec. `cancel`, and that of each later call, is checked inside FFmpeg's reads.
    virtual Status Open(const std::atomic_bool *cancel) = 0;
    virtual const VideoInfo &Info() const = 0;

    /// The frames shown from startMs to endMs (ms from the stream's start). Fails when more
    /// than maxFrames start in the range, and when cancelled.
    virtual Result<VideoTimes> Times(qint64 startMs, qint64 endMs, int maxFrames,
                                     const std::atomic_bool *cancel) = 0;

    /// Decodes from the key frame at or before startMs until a frame starts at or after endMs.
    /// A frame whose time `wanted` accepts is scaled to `size` (averaging every source pixel
    /// when shrinking) and handed to `sink`; returning false stops. `progress` hears the ms
    /// decoded of the range. Damaged packets are skipped; fails when no frame could be decoded,
    /// when a frame or the work passes the limits, when cancelled, or when the sink stopped.
    virtual Status Decode(qint64 startMs, qint64 endMs, QSize size,
                          const std::function<bool(qint64 timeMs)> &wanted,
                          const std::function<bool(const VideoFrame &frame)> &sink,
                          const std::function<void(int done, int total)> &progress,
                          const std::atomic_bool *cancel) = 0;
};

/// The module's one entry point: a source reading from the device, which must stay open and
/// seekable while the source lives; the caller owns it. The version in the name changes with
/// VideoSource, so that a module of another build fails to load instead of crashing.
#define MIROVANE_VIDEO_FACTORY mirovane_video_source_v2
using VideoSourceFactory = VideoSource *(*)(QIODevice *device, const VideoLimits &limits);

/// The text of a cancelled read.
inline QString VideoCancelledMessage()
{
    return Tr::tr("导入已取消，未作任何更改");
}

} // namespace mrv

extern "C" mrv::VideoSource *MIROVANE_VIDEO_FACTORY(QIODevice *device,
                                                    const mrv::VideoLimits &limits);
