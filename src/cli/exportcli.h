#pragma once

#include "cli/cliapp.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <vector>

namespace mrv::cli {

/// One warning line per picture that could not be read.
void WarnUnreadable(const QStringList &unreadable, QTextStream &err);

/// Lets a write beyond the process's file-size limit fail with an error instead of ending the
/// process, so that the command can report it; and turns the first Ctrl+C or SIGTERM into a
/// cancel that the running command sees (InterruptFlag), so that it removes what it has half
/// written. A second one ends the process at once.
void PrepareProcessSignals();

/// Set once the process was asked to stop; handed to the engine as its cancel flag.
const std::atomic_bool *InterruptFlag();

/// While one lives, a stop request sets InterruptFlag() instead of ending the process.
class InterruptWatch
{
public:
    InterruptWatch();
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch &) = delete;
    InterruptWatch &operator=(const InterruptWatch &) = delete;
};

/// One command per importer ("import-long", "import-frames"), in the registry's order.
std::vector<Command> ImportCommands();
/// Writes the demo project.
Command DemoCommand();

} // namespace mrv::cli
