#pragma once

#include "export/exportjob.h"
#include "export/exportsource.h"
#include "support/frameduration.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <atomic>

namespace mrv {

/// The whole frame rate an Android boot animation plays at, and how often each picture is
/// written so that it lasts the frame time.
struct AndroidTiming
{
    int fps = 60;
    int repeat = 1;

    bool operator==(const AndroidTiming &) const = default;
};

/// The fastest rate the export writes: what phone screens show.
inline constexpr int MaxAndroidFps = 60;

/// The timing for a frame time (brought into FrameDuration's written range): the smallest whole
/// rate up to MaxAndroidFps at which a whole number of pictures lasts exactly the frame time
/// (75 ms: 40 fps, each picture three times; 100 ms: 10 fps, once). Where none is exact, the
/// fewest writes of each picture that come within 1 % at their nearest rate (61 ms: 33 fps,
/// twice, 60.6 ms), since every write is stored whole; where none comes within 1 %, the nearest
/// timing of all (17 ms: 59 fps; 16 ms and 10 ms: 60 fps, once each).
AndroidTiming AndroidTimingFor(int frameTime);

/// Whether the timing shows each picture more than 1 % longer or shorter than the frame time.
bool AndroidTimingIsOff(int frameTime, AndroidTiming timing);

/// The warning of an export whose frame time the whole rates miss by more than 1 %; empty
/// when they do not.
QString AndroidFrameTimeWarning(int frameTime);

/// The largest screen side the export accepts.
inline constexpr int MaxBootAnimationSide = 4096;

/// A screen size typed as "WxH" ("1080x1920"; "X" and "*" also separate, spaces around the
/// numbers are ignored), each side 1..MaxBootAnimationSide; otherwise a message saying so.
Result<QSize> ParseBootAnimationSize(const QString &text);

/// The chosen path with ".zip" appended unless its file name already ends with it (in any
/// case).
QString BootAnimationPathFor(const QString &chosenPath);

/// The entry names in the archive's order: "desc.txt", then part0/00001.png .. for the intro
/// (left out when the intro has no frames) and part1/00001.png .. for the loop, each picture
/// written `repeat` times; ".jpg" instead of ".png" for JPEG pictures. A project without
/// frames plays the background alone in part1.
QStringList BootAnimationEntries(int frameCount, int repeat, bool jpeg = false);

/// desc.txt: "W H FPS", "c 1 0 part0" for the intro when it has frames (played to its end
/// once) and "p 0 0 part1" for the loop (played until the boot completes); every line ends in
/// "\n".
QString BootAnimationDesc(QSize screen, int fps, bool withIntro);

/// The JPEG quality that asks for PNG pictures instead.
inline constexpr int BootAnimationPng = -1;

struct BootAnimationOptions
{
    QString path; ///< the zip file, as written (BootAnimationPathFor applied by the caller)
    QSize screen; ///< the pictures' size
    int frameTime = FrameDuration::Default; ///< milliseconds per frame
    /// BootAnimationPng for PNG pictures (the format's documented one), else JPEG at this
    /// quality (0..100), several times smaller for photographic screens.
    int jpegQuality = BootAnimationPng;
};

/// Writes the Android bootanimation.zip: desc.txt first, then whole screens of the device's
/// size, as PNG pictures (compressed hard: EncodePngSmall) or JPEG ones, in playing order: the
/// project's screen composed as the full-screen preview shows it, but fitted into the device's
/// keeping its shape (ScreenFit::KeepShape), black around it. Every entry is stored uncompressed
/// (Android refuses compressed ones), with no folder above desc.txt. Identical pictures are
/// composed and encoded once. A frame time the whole rates miss by more than 1 % is written at
/// the nearest and named in the warnings. A failed or cancelled write leaves any earlier file at
/// the path as it was.
ExportResult ExportBootAnimation(const ExportSource &source, const BootAnimationOptions &options,
                                 const ExportProgress &progress = {},
                                 const std::atomic_bool *cancel = nullptr);

} // namespace mrv
