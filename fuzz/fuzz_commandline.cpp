// Splitting a raw Windows command line into project paths.
#include "editor/commandline.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const auto &entry : mrv::SplitWindowsCommandLine(line))
        if (entry.path.isEmpty() || entry.path.contains(u'"'))
            abort();
    (void)mrv::PosixCommandLinePaths(line.split(u' '), QStringLiteral("/tmp"));
    return 0;
}
