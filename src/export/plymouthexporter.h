#pragma once

#include "export/exporter.h"
#include "export/plymouththeme.h"

namespace mrv {

/// A Linux boot screen: a Plymouth theme of the script plugin, written into a folder
/// (ExportPlymouthTheme).
class PlymouthExporter final : public EngineExporter<PlymouthOptions>
{
public:
    PlymouthExporter();
    /// "name": the theme's name, made safe for file names (proposed from the project's; left
    /// empty, the project's); "frame-time" (proposed: the preview's).
    QList<ExportOptionSpec> options() const override;

protected:
    Status CheckProject(const MVK &project) const override;
    Result<PlymouthOptions> Resolve(const MVK &project,
                                    const ExportOptions &options) const override;
    QStringList FilesOf(const PlymouthOptions &used, const MVK &project) const override;
    ExportResult WriteWith(const ExportSource &source, const PlymouthOptions &used,
                           const ExportProgress &progress,
                           const std::atomic_bool *cancel) const override;
};

} // namespace mrv
