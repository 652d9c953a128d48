#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace mrv {

/// One project named on the command line.
struct CommandLinePath
{
    QString path;    ///< the file to open
    QString rawText; ///< the text that named it, passed on unchanged to a further instance
};

/// Splits a raw Windows command line (without the program's own name) into project paths:
/// unquoted paths end at the first space, quoted ones may hold spaces and lose their quotes.
/// Only drive-letter and UNC-style paths are recognised.
QList<CommandLinePath> SplitWindowsCommandLine(const QString &commandLine);

/// POSIX arguments (without the program's name): each one a path, made absolute against the
/// current folder `cwd`. Empty arguments are skipped.
QList<CommandLinePath> PosixCommandLinePaths(const QStringList &arguments, const QString &cwd);

/// The projects this process was started with, by the host's rules.
QList<CommandLinePath> HostCommandLinePaths();

/// Starts another instance of the running program on one command-line entry; true when the
/// process started.
bool StartInstance(const CommandLinePath &entry);

/// How further instances are started; tests replace it.
using InstanceStarter = std::function<bool(const CommandLinePath &)>;

} // namespace mrv
