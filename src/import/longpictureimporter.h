#pragma once

#include "import/importer.h"

namespace mrv {

/// A long picture as the frames: every frame shows its cell of the strip, at the X offset the
/// option "x" gives (proposed: the one that centres a 1024-wide strip on the project's screen).
class LongPictureImporter : public Importer
{
public:
    static inline const QString X = QStringLiteral("x");

    QString id() const override { return QStringLiteral("import-long"); }
    QString sourceName() const override { return QStringLiteral("STRIP"); }
    QString summary() const override
    {
        return QStringLiteral("point every frame at a long picture's cells (writes OUT or PROJECT)");
    }
    std::vector<ImportOptionSpec> options() const override
    {
        return {{X, QStringLiteral("--x"), QStringLiteral("TEXT")}};
    }
    Status Check(const MVK &project) const override;
    QString Proposal(const MVK &project, const QString &option) const override;
    ImportOutcome Run(const MVK &project, const ImportRequest &request) const override;
};

} // namespace mrv
