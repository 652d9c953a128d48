#pragma once

#include "imaging/videosource.h"

#include <QStringList>

namespace mrv {

/// The shared library that reads videos through FFmpeg. Linking FFmpeg into the programs would
/// load about a hundred libraries at every start; the module brings them only into a process
/// that reads a video.
class VideoModule
{
public:
    /// The module's factory, loading it on the first call of the process; or, naming the
    /// module, why it cannot be loaded. The outcome holds for the rest of the process.
    static Result<VideoSourceFactory> Factory();

    /// Where the module is looked for, first to last: beside the executable (the build tree),
    /// then the installed programs' private library folder.
    static QStringList Candidates(const QString &executableFolder);
};

} // namespace mrv
