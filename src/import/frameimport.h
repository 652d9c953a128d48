#pragma once

#include "import/boottiming.h"
#include "import/framefit.h"
#include "project/aimage.h"
#include "support/bootgeometry.h"
#include "support/result.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

namespace mrv {

/// The most pictures one import takes.
inline constexpr int MaxImportedFrames = 10000;

/// The most work one animation import takes on: canvas pixels times frames, since every frame
/// is composed on the whole canvas and written as a picture of that size. Room for 10,000
/// frames of 200 x 200 or 240 of 1920 x 1080; a small file claiming a huge canvas and many
/// frames would otherwise keep the import busy for hours.
inline constexpr qint64 MaxImportedPixels = 500'000'000;

/// True when the file name ends in the extension of a picture type the program reads (jpg,
/// jpeg, png, apng, bmp, gif, tif, tiff, webp), in any letter case.
bool HasImportPictureExtension(const QString &path);

/// The pictures of a folder: its files with a picture extension, in natural order of their
/// names. Subfolders and other files are left out.
QStringList FolderPictures(const QString &folder);

/// The offset that centres a picture of this size in the 200 x 200 animation area:
/// (200 - width) / 2 and (200 - height) / 2, rounded toward zero.
QPoint CentredOffset(QSize picture);

/// A file the import left out, and why.
struct SkippedPicture
{
    QString path;
    QString reason;
};

/// The files of a folder that FolderPictures leaves out (no picture extension), in natural
/// order, each with NotAPictureReason(): an import names them rather than dropping them
/// without a word.
QList<SkippedPicture> NonPictureFiles(const QString &folder);

/// Why a file without a picture extension is left out.
QString NotAPictureReason();

/// Where the imported pictures are and where their paths are relative to.
struct FrameImportOptions
{
    /// The project's folder: pictures inside it are stored relative to it (the relative-path
    /// rule of the path boxes). Empty for a project never saved: every path is stored in full.
    QString projectFolder;
    /// Where the frames of an animated picture are written, into "<name>_frames": the folder of
    /// the project file that is written. Empty when there is none; an animated picture is
    /// then refused.
    QString framesFolder;
    /// Stops the writing of an animation's frames when set; what was written is removed.
    const std::atomic_bool *cancel = nullptr;
    /// The project's screen, whose animation area an animation's frames are fitted into.
    QSize projectSize{ReferenceWidth, ReferenceHeight};
    /// How an animation's frames meet the area; none: DefaultFit of its canvas. Folders and
    /// still pictures are taken unscaled.
    std::optional<FrameFit> fit = FrameFit::None;
    /// How an animation's frames become the project's; none: Boot.
    std::optional<FrameTiming> timing = FrameTiming::Frames;
    /// The frame time Boot samples at, the preview's.
    int frameTimeMs = 75;
    /// Where Boot's loop part of the animation starts, in ms from its start (a video's: from
    /// the video's start, at or after startMs).
    int loopStartMs = 0;
    /// The part of a video taken, in ms from its start; no end: DefaultVideoMs from startMs.
    qint64 startMs = 0;
    std::optional<qint64> endMs = std::nullopt;
    /// Hears how far a video's decoding is (done of total); may be empty.
    std::function<void(int done, int total)> progress = nullptr;
};

/// The new frame list and what was left out.
struct FrameImport
{
    std::vector<aImage> frames;
    QList<SkippedPicture> skipped;
    /// The folder an animated picture's frames were written into; empty otherwise.
    QString writtenFolder;
    /// What the import did beyond taking the frames (the speed of a retimed animation); empty
    /// when nothing.
    QString notice;
};

/// Why an import failed: the source (nothing to import, too many pictures), or a write.
enum class ImportFailure
{
    None,
    Source,
    Write,
    Cancelled, ///< the user stopped it; nothing changed
};

/// A FrameImport, or the reason and kind of the failure.
struct FrameImportResult
{
    Result<FrameImport> import;
    ImportFailure failure = ImportFailure::None;
};

/// Frames for picture files in the order given, each centred by its size in the animation area
/// of a project of this size and stored by the relative-path rule. Files that cannot be read as
/// pictures are left out and listed.
FrameImport FramesForPictures(const QStringList &files, const QString &projectFolder,
                              QSize projectSize = {ReferenceWidth, ReferenceHeight});

/// True when the file holds an animation (a GIF, WebP or PNG of more than one frame), whose
/// frames must be written out before they can become frames.
bool IsAnimatedSource(const QString &source);

/// Turns a source into frames: a folder gives its pictures (natural order), an animated
/// picture the PNG files of its frames, written into "<framesFolder>/<name>_frames/0001.png"... (a
/// new folder each time, see AnimationFramesFolder), a still picture itself. Refuses, changing
/// nothing on disk, a source that is missing, holds no readable picture or more than
/// MaxImportedFrames.
FrameImportResult ImportFrames(const QString &source, const FrameImportOptions &options);

/// The folder an animated picture's frames go into: "<framesFolder>/<base name>_frames", or
/// "<base name>_frames-2", -3 ... when that name is taken: an import never writes into a
/// folder it did not make.
QString AnimationFramesFolder(const QString &framesFolder, const QString &animation);

struct AnimationInfo;
class OpenedClip;

/// The import of a clip the editor opened and asked about: an animated picture's or a video's
/// frames, as ImportFrames takes them from a file.
FrameImportResult ImportClip(const OpenedClip &clip, const FrameImportOptions &options);

/// Why an animation is too large to import, judged from its headers (more than
/// MaxImportedFrames, or MaxImportedPixels of work); empty when it is not.
QString AnimationSizeProblem(const QString &file, const AnimationInfo &info);

/// What Windows will show when the frame count is not 105; empty when it is.
QString FrameCountWarning(int count);

/// One message naming the files left out (the first few, and how many more); empty when none.
QString SkippedPicturesMessage(const QList<SkippedPicture> &skipped);

} // namespace mrv
