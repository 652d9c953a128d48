#pragma once

#include "export/exportjob.h"
#include "export/exportsource.h"
#include "support/frameduration.h"

#include <QString>
#include <QStringList>

#include <atomic>

namespace mrv {

/// The part of a wanted theme name that is safe for file names and Plymouth's configuration:
/// every run of characters other than ASCII letters and digits becomes one '-', none at either
/// end; empty when nothing is left ("我的 主题").
QString SafePlymouthName(const QString &wanted);
/// SafePlymouthName, or "mirovane" when nothing is left.
QString PlymouthThemeName(const QString &wanted);

/// The installed folder the theme's files name: /usr/share/plymouth/themes/NAME.
QString PlymouthInstallFolder(const QString &name);

/// The picture file names of the intro's and the loop's 1-based picture ("intro-0001.png").
QString PlymouthIntroFile(int n);
QString PlymouthLoopFile(int n);

/// What the script of a theme plays.
struct PlymouthScriptPlan
{
    int introCount = 0;
    int loopCount = 0;
    int frameTime = FrameDuration::Default; ///< milliseconds per frame, at least 1
};

/// The theme's script: the background over the whole screen, the animation area at the
/// full-screen preview's fractions of it with the pictures scaled to it, the intro once and
/// then the loop for as long as the boot takes, at 50 refreshes a second (picture index =
/// ticks * 20 / frame time). Password and question prompts and boot messages appear below
/// the area.
QString PlymouthScript(const PlymouthScriptPlan &plan);

/// The theme's NAME.plymouth file, "\n" line ends.
QString PlymouthThemeFile(const QString &name, const QString &description);

struct PlymouthOptions
{
    QString folder;                         ///< the theme goes into folder/NAME
    QString name;                           ///< made safe by PlymouthThemeName
    int frameTime = FrameDuration::Default; ///< brought into FrameDuration's written range
};

/// Every file the theme of a project of `frameCount` frames consists of, in the order they
/// are written: background, intro, loop, prompt pictures, script, and the theme file last.
QStringList PlymouthThemeFiles(const PlymouthOptions &options, int frameCount);

/// Writes the Plymouth theme of the project: the background at project size, each frame as
/// the animation area at project scale (transparent around the frame, clipped as the preview
/// clips it), the prompt pictures, the script and the theme file. Identical pictures are
/// encoded once. The folder given must exist; the theme's own folder is made.
ExportResult ExportPlymouthTheme(const ExportSource &source, const PlymouthOptions &options,
                                 const ExportProgress &progress = {},
                                 const std::atomic_bool *cancel = nullptr);

} // namespace mrv
