#pragma once

#include "export/bootanimation.h"
#include "export/exporter.h"

namespace mrv {

/// An Android boot screen: bootanimation.zip of whole-screen pictures (ExportBootAnimation).
class BootAnimationExporter final : public EngineExporter<BootAnimationOptions>
{
public:
    BootAnimationExporter();
    /// "size": the screen as "WxH" (proposed: the project's size; empty: the project's);
    /// "frame-time" (proposed: the preview's); "jpeg-quality": JPEG pictures at that quality,
    /// 0..100, instead of PNG.
    QList<ExportOptionSpec> options() const override;

protected:
    Status CheckProject(const MVK &project) const override;
    Result<BootAnimationOptions> Resolve(const MVK &project,
                                         const ExportOptions &options) const override;
    QStringList FilesOf(const BootAnimationOptions &used, const MVK &project) const override;
    ExportResult WriteWith(const ExportSource &source, const BootAnimationOptions &used,
                           const ExportProgress &progress,
                           const std::atomic_bool *cancel) const override;
};

} // namespace mrv
