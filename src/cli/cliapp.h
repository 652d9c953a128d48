#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <vector>

namespace mrv::cli {

/// Exit codes of mirovane-cli.
enum ExitCode {
    ExitOk = 0,
    ExitUsage = 1,
    ExitInvalidInput = 2,
    ExitWriteFailed = 3,
};

struct Streams
{
    QTextStream &out;
    QTextStream &err;
};

/// One subcommand: its name, a usage line, a one-line summary and the code that runs it
/// with the arguments that follow the name.
struct Command
{
    QString name;
    QString usage;
    QString summary;
    std::function<int(const QStringList &args, Streams &io)> run;
};

/// Reports a usage error the one way every command does: "mirovane-cli: " and the problem,
/// then the command's usage line. Returns ExitUsage.
int UsageError(Streams &io, const QString &problem, const QString &usage);

/// Runs mirovane-cli with its arguments (without the program name).
int RunCli(const QStringList &args, QTextStream &out, QTextStream &err);

/// The subcommands, grouped by the module that implements them.
std::vector<Command> ProjectCommands();
std::vector<Command> ExportCommands();
/// The edits of the frames: colour and size, alignment.
std::vector<Command> EditCommands();

} // namespace mrv::cli
