#pragma once

#include "export/exporter.h"
#include "export/framesequence.h"

namespace mrv {

/// The numbered frame sequence in playing order (ExportFrameSequence).
class SequenceExporter final : public EngineExporter<SequenceOptions>
{
public:
    SequenceExporter();
    /// "loops": how often the loop part is written, 1..255, proposed 2; "no-background":
    /// keep the pictures transparent around the frames; "remove-stale", the command line's
    /// alone.
    QList<ExportOptionSpec> options() const override;
    QList<ExportOptionSpec> optionsFor(const MVK &project) const override;

protected:
    Status CheckProject(const MVK &project) const override;
    Result<SequenceOptions> Resolve(const MVK &project,
                                    const ExportOptions &options) const override;
    QStringList FilesOf(const SequenceOptions &used, const MVK &project) const override;
    std::optional<NumberedSet> NumberedSetOf(const SequenceOptions &used) const override;
    ExportResult WriteWith(const ExportSource &source, const SequenceOptions &used,
                           const ExportProgress &progress,
                           const std::atomic_bool *cancel) const override;
};

} // namespace mrv
