#pragma once

#include "export/exportjob.h"
#include "export/exportnames.h"

#include <QString>
#include <QStringList>

#include <atomic>

namespace mrv {

class MVK;

struct SequenceOptions
{
    SequenceTarget target; ///< prefix and extension (the extension decides the format)
    int loopTimes = 1;     ///< how often the loop part is written, 1..255 (clamped)
    bool drawBackground = false;
};

/// Writes the animation in playing order as numbered pictures prefix001.ext .. prefixN.ext:
/// the intro frames once, then the loop frames loopTimes times. Each picture is the project's
/// animation area at project scale (nothing is scaled): the background piece when drawn, and
/// the frame at its own size. Each distinct picture is composed and encoded once; its bytes
/// are written for every repeat. A project without frames writes nothing and succeeds.
ExportResult ExportFrameSequence(const MVK &project, const QString &backgroundPath,
                                 const QStringList &framePaths, const SequenceOptions &options,
                                 const ExportProgress &progress = {},
                                 const std::atomic_bool *cancel = nullptr);

} // namespace mrv
