#pragma once

#include "export/exportjob.h"
#include "export/exportnames.h"

#include <QString>
#include <QStringList>

#include <atomic>

namespace mrv {

class MVK;

/// Writes the project images: the background on a 1024 x 768 picture (scaled from the project
/// size) at target.backgroundPath, and in target.frameFolder (created inside the chosen folder,
/// which must exist; reused when it exists) one 200 x 200 picture per frame, 001.ext onwards: the
/// frame over the part of the background behind the animation area, as in the long picture. A file
/// standing where the folder should be fails before anything is written.
ExportResult ExportProjectImages(const MVK &project, const QString &backgroundPath,
                                 const QStringList &framePaths, const ProjectImagesTarget &target,
                                 const ExportProgress &progress = {},
                                 const std::atomic_bool *cancel = nullptr);

} // namespace mrv
