#pragma once

#include "import/frameimport.h"

#include <QString>

#include <vector>

namespace mrv {

class OpenedClip;
struct VideoTimes;

/// The part of a video taken when no end is chosen: its first 8 seconds from the start.
inline constexpr qint64 DefaultVideoMs = 8000;

/// How long each frame of the range shows, in ms, the first from the range's start.
std::vector<int> VideoDelays(const VideoTimes &times, qint64 startMs);

/// The end of the range taken: the chosen one, or DefaultVideoMs after the start.
qint64 VideoRangeEnd(qint64 startMs, std::optional<qint64> endMs);

/// A video's frames fitted into the area and, for Boot, sampled by their times; written as
/// PNG files into a new "<name>_frames" folder beside the project, only the frames shown.
/// Refuses, changing nothing on disk, a file that holds no picture stream FFmpeg decodes, a
/// range without frames, and work beyond MaxImportedFrames or MaxVideoDecodedPixels (checked
/// from the packets before decoding, then frame by frame as decoded).
FrameImportResult ImportVideo(const OpenedClip &video, const FrameImportOptions &options);

} // namespace mrv
