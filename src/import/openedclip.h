#pragma once

#include "support/result.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class QFile;

namespace mrv {

class VideoReader;
struct AnimationInfo;
struct VideoFrame;
struct VideoTimes;

/// What kind of clip an import turns into frames.
enum class ClipKind
{
    Animation, ///< an animated GIF, WebP or APNG
    Video,
};

/// Whether the import takes the file as a clip, and as which: an animated picture (a GIF, WebP
/// or PNG of more than one frame, by content), or a video (a file whose extension is none of
/// the picture types: what it holds decides whether it opens). None for a folder or a still
/// picture. The one place that decides it, for the menu, drops and the command line.
std::optional<ClipKind> ClipKindOf(const QString &path);

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

/// The size a picture is shown at in the dialog: at most PreviewSide on its longer side.
QSize PreviewSize(QSize size);

/// A clip opened once: the dialog's picture, the plan of each choice and the import all read
/// this one source. A video's file and decoder stay open while it lives; its reads may come
/// from any thread, one at a time.
class OpenedClip
{
public:
    /// Opens the clip as the kind ClipKindOf gave, reading what the dialog shows within the
    /// import's bounds. Fails with the reason (no video stream, damaged, too large ...).
    /// A set `cancel` stops a video's opening with VideoCancelledMessage().
    static Result<std::shared_ptr<OpenedClip>> Open(const QString &path, ClipKind kind,
                                                    const std::atomic_bool *cancel = nullptr);
    ~OpenedClip();
    OpenedClip(const OpenedClip &) = delete;
    OpenedClip &operator=(const OpenedClip &) = delete;

    const ClipSource &Source() const { return m_source; }

    /// A video's frames shown from startMs to endMs (see VideoSource::Times); the last range
    /// asked is kept, as the dialog asks it again at every change of another choice.
    Result<VideoTimes> Times(qint64 startMs, qint64 endMs, int maxFrames,
                             const std::atomic_bool *cancel = nullptr) const;
    /// See VideoSource::Decode.
    Status Decode(qint64 startMs, qint64 endMs, QSize size,
                  const std::function<bool(qint64 timeMs)> &wanted,
                  const std::function<bool(const VideoFrame &frame)> &sink,
                  const std::function<void(int done, int total)> &progress,
                  const std::atomic_bool *cancel) const;
    /// The frame shown at `ms` at the dialog's size; an animation's is looked up by its frame
    /// times and read again from the file. Null when it cannot be read.
    QImage FrameAt(qint64 ms) const;

private:
    OpenedClip();

    ClipSource m_source;
    std::unique_ptr<QFile> m_file;
    std::unique_ptr<VideoReader> m_reader;
    mutable std::mutex m_lock;
    mutable std::shared_ptr<const VideoTimes> m_times;
    mutable qint64 m_timesStart = -1;
    mutable qint64 m_timesEnd = -1;
};

} // namespace mrv
