#pragma once

#include "export/exportjob.h"
#include "export/exportnames.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <atomic>

namespace mrv {

class MVK;

struct LongPictureOptions
{
    LongPictureTarget target; ///< path and extension (the extension decides the format)
    bool includeBackground = true;
};

/// Composes the 200 x 21000 strip: cell i (from the top) shows frame i over, when included,
/// the part of the background behind the animation area, both scaled from the project size to
/// the 1024 x 768 screen. Frames past the 105th do not fit and are not drawn; cells without a
/// frame stay transparent. Pictures are read from the resolved paths (entry i-1 of framePaths
/// belongs to frame i). Returns a null image when cancelled.
Result<QImage> ComposeLongPicture(const MVK &project, const QString &backgroundPath,
                                  const QStringList &framePaths, bool includeBackground,
                                  QStringList *unreadable = nullptr,
                                  const ExportProgress &progress = {},
                                  const std::atomic_bool *cancel = nullptr);

/// Composes the strip and writes it to the target in the target's format. Nothing is written
/// when the project size is not positive, the extension has no format, or the export is
/// cancelled; a failed write names the path and reason.
ExportResult ExportLongPicture(const MVK &project, const QString &backgroundPath,
                               const QStringList &framePaths, const LongPictureOptions &options,
                               const ExportProgress &progress = {},
                               const std::atomic_bool *cancel = nullptr);

} // namespace mrv
