#pragma once

#include "export/animationexport.h"
#include "export/exporter.h"

namespace mrv {

/// The boot animation as an animated picture (GIF, WebP, APNG) that plays the intro once and
/// then the loop part a chosen number of times, at the preview's frame time.
class AnimationExporter final : public EngineExporter<AnimationOptions>
{
public:
    AnimationExporter();
    /// "loops" (1..255, 3), "area" ("cell" or "screen"), "width" (16..1024, 640; the
    /// whole-screen area only), "frame-time" (proposed: the preview's), "repeat",
    /// "no-background" and "quality" (WebP only: 0..100 lossy; not given: lossless).
    QList<ExportOptionSpec> options() const override;

    /// Option names, as the editor's options dialog sets them.
    static const QString Loops;
    static const QString Area;
    static const QString Width;
    static const QString FrameTime;
    static const QString Repeat;
    static const QString NoBackground;
    static const QString Quality;
    static const QString AreaCell;
    static const QString AreaScreen;

protected:
    Status CheckProject(const MVK &project) const override;
    Result<AnimationOptions> Resolve(const MVK &project,
                                     const ExportOptions &options) const override;
    QStringList FilesOf(const AnimationOptions &used, const MVK &project) const override;
    ExportResult WriteWith(const ExportSource &source, const AnimationOptions &used,
                           const ExportProgress &progress,
                           const std::atomic_bool *cancel) const override;
};

} // namespace mrv
