#include "cli/cliapp.h"

#include "cli/exportcli.h"
#include "support/appinfo.h"

#include <algorithm>

namespace mrv::cli {

namespace {

std::vector<Command> allCommands()
{
    std::vector<Command> commands = ProjectCommands();
    for (auto &c : ExportCommands())
        commands.push_back(std::move(c));
    for (auto &c : ImportCommands())
        commands.push_back(std::move(c));
    for (auto &c : EditCommands())
        commands.push_back(std::move(c));
    commands.push_back(DemoCommand());
    return commands;
}

/// The help's width: a description wraps within its column, so that no line passes it.
constexpr qsizetype HelpWidth = 80;

/// Text broken into lines of at most width characters at spaces (a longer word keeps its line).
QStringList wrapped(const QString &text, qsizetype width)
{
    QStringList lines;
    QString line;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

void printHelp(QTextStream &out, const std::vector<Command> &commands)
{
    out << "mirovane-cli " << AppInfo::VersionText()
        << " - boot-animation projects without the editor\n\n"
        << "Usage:\n"
        << "  mirovane-cli --help\n"
        << "  mirovane-cli --version\n";
    for (const auto &c : commands)
        out << "  mirovane-cli " << c.usage << "\n";
    out << "\nCommands:\n";
    qsizetype nameWidth = 0;
    for (const auto &c : commands)
        nameWidth = std::max(nameWidth, c.name.size());
    const qsizetype column = 2 + nameWidth + 2;
    for (const auto &c : commands) {
        const QStringList lines = wrapped(c.summary, HelpWidth - column);
        out << "  " << c.name.leftJustified(nameWidth + 2) << lines.value(0) << "\n";
        for (qsizetype i = 1; i < lines.size(); ++i)
            out << QString(column, u' ') << lines[i] << "\n";
    }
    out << "\nExit codes: 0 success, 1 usage error, 2 invalid input, 3 output not written.\n";
}

} // namespace

int RunCli(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const std::vector<Command> commands = allCommands();
    if (args.isEmpty()) {
        printHelp(err, commands);
        return ExitUsage;
    }
    const QString &first = args.first();
    if (first == u"--help" || first == u"-h" || first == u"help") {
        printHelp(out, commands);
        return ExitOk;
    }
    if (first == u"--version") {
        out << AppInfo::VersionText() << "\n";
        return ExitOk;
    }
    for (const auto &c : commands) {
        if (c.name != first)
            continue;
        const QStringList rest = args.mid(1);
        if (rest.contains(QStringLiteral("--help"))) {
            out << "Usage: mirovane-cli " << c.usage << "\n";
            return ExitOk;
        }
        Streams io{out, err};
        return c.run(rest, io);
    }
    err << "mirovane-cli: unknown command “" << first << "” (see mirovane-cli --help)\n";
    return ExitUsage;
}

int UsageError(Streams &io, const QString &problem, const QString &usage)
{
    io.err << "mirovane-cli: " << problem << "\nUsage: mirovane-cli " << usage << "\n";
    return ExitUsage;
}

} // namespace mrv::cli
