#pragma once

#include "export/exporter.h"
#include "export/exportnames.h"

namespace mrv {

/// The 1024 x 768 background picture and the folder of frame pictures (ExportProjectImages).
class ProjectImagesExporter final : public EngineExporter<ProjectImagesTarget>
{
public:
    ProjectImagesExporter();
    /// "remove-stale", the command line's alone.
    QList<ExportOptionSpec> options() const override;

protected:
    Status CheckProject(const MVK &project) const override;
    Result<ProjectImagesTarget> Resolve(const MVK &project,
                                        const ExportOptions &options) const override;
    QStringList FilesOf(const ProjectImagesTarget &used, const MVK &project) const override;
    std::optional<NumberedSet> NumberedSetOf(const ProjectImagesTarget &used) const override;
    ExportResult WriteWith(const ExportSource &source, const ProjectImagesTarget &used,
                           const ExportProgress &progress,
                           const std::atomic_bool *cancel) const override;
};

} // namespace mrv
