#pragma once

#include "import/importer.h"

namespace mrv {

/// A folder's pictures in natural order, an animated picture's or a video's frames (written
/// beside the project) or one still picture, each centred in the animation area.
class FrameImporter : public Importer
{
public:
    QString id() const override { return QStringLiteral("import-frames"); }
    QString sourceName() const override { return QStringLiteral("SOURCE"); }
    QString summary() const override
    {
        return QStringLiteral(
            "replace the frames with a folder's pictures or an animation's or a video's frames");
    }
    /// Option names of ImportRequest::values: "contain", "cover" or "none"; "frames" or "boot".
    static inline const QString Fit = QStringLiteral("fit");
    static inline const QString Timing = QStringLiteral("timing");
    /// Seconds from the animation's start where its loop part starts ("1.5").
    static inline const QString LoopStart = QStringLiteral("loop-start");
    /// Seconds from a video's start: the part taken (default: 8 seconds from the start).
    static inline const QString Start = QStringLiteral("start");
    static inline const QString End = QStringLiteral("end");

    std::vector<ImportOptionSpec> options() const override;
    ImportOutcome Run(const MVK &project, const ImportRequest &request) const override;

private:
    static ImportOutcome Outcome(FrameImportResult result, const QList<SkippedPicture> &others);
};

} // namespace mrv
