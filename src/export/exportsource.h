#pragma once

#include "project/mvk.h"

#include <QString>
#include <QStringList>

namespace mrv {

/// What an export reads: a copy of the project, so that edits made while it runs on a worker
/// thread do not reach it, and the resolved picture paths.
struct ExportSource
{
    MVK project;
    QString backgroundPath;
    QStringList framePaths; ///< entry i-1 belongs to frame i; missing entries are no picture

    /// The project with its pictures resolved as the project resolves them.
    static ExportSource FromProject(const MVK &project)
    {
        return {project, project.BackgroundPath(), project.FramePaths()};
    }
};

} // namespace mrv
