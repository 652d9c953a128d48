#pragma once

#include "export/sourcepictures.h"
#include "project/aimage.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QStringList>

namespace mrv {

struct ExportSource;

/// How the project's screen covers a screen of another shape.
enum class ScreenFit
{
    Stretch,   ///< over the whole screen, scaled on each axis apart (the full-screen preview)
    KeepShape, ///< scaled alike on both axes to fit, centred (FitScreen), black around it
};

/// Composes whole screens as the full-screen preview shows them: the background scaled from
/// the project's size to the screen, and one frame drawn inside the animation area at its
/// offset times the same scale, cut off at the area's edges.
class ScreenComposer
{
public:
    /// Without the background (or when it cannot be read) the screen is transparent around
    /// and under the frames; KeepShape then leaves the bands around the project's screen
    /// transparent too, else black.
    ScreenComposer(const ExportSource &source, QSize screen, bool withBackground = true,
                   ScreenFit fit = ScreenFit::Stretch);

    QSize ScreenSize() const { return m_screen; }
    /// The animation area's pixels on this screen.
    QRect AnimationArea() const { return m_area; }

    /// The screen showing frame `frame` (1-based), premultiplied ARGB; a frame outside the
    /// project, or one without a readable picture, shows the background alone. Safe to call
    /// from several threads at once. Null when the screen is empty or cannot be allocated.
    QImage Compose(int frame) const;

    /// The pictures that could not be read so far, each once.
    QStringList Unreadable() const { return m_sources.Unreadable(); }

private:
    QSize m_screen;
    QRect m_shown; ///< the project's screen on this screen
    QRect m_area;
    QStringList m_framePaths;
    QList<aImage> m_offsets; ///< entry i-1: frame i's offset
    SourcePictures m_sources;
    QImage m_background; ///< the scaled background on a transparent screen
};

} // namespace mrv
