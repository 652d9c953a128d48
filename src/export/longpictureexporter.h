#pragma once

#include "export/exporter.h"
#include "export/longpicture.h"

namespace mrv {

/// The 200 x 21000 long picture that boot-screen tools apply (ExportLongPicture).
class LongPictureExporter final : public EngineExporter<LongPictureOptions>
{
public:
    LongPictureExporter();
    /// "no-background": leave out the full-screen background.
    QList<ExportOptionSpec> options() const override;

protected:
    Status CheckProject(const MVK &project) const override;
    Result<LongPictureOptions> Resolve(const MVK &project,
                                       const ExportOptions &options) const override;
    QStringList FilesOf(const LongPictureOptions &used, const MVK &project) const override;
    ExportResult WriteWith(const ExportSource &source, const LongPictureOptions &used,
                           const ExportProgress &progress,
                           const std::atomic_bool *cancel) const override;
};

} // namespace mrv
