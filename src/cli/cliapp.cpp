#include "cli/cliapp.h"

#include "cli/exportcli.h"
#include "support/appinfo.h"

namespace mrv::cli {

namespace {

std::vector<Command> allCommands()
{
    std::vector<Command> commands = ProjectCommands();
    for (auto &c : ExportCommands())
        commands.push_back(std::move(c));
    for (auto &c : ImportCommands())
        commands.push_back(std::move(c));
    commands.push_back(DemoCommand());
    return commands;
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
    // A space after the name column even when a name fills it.
    for (const auto &c : commands)
        out << "  " << c.name.leftJustified(15) << ' ' << c.summary << "\n";
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
    err << "mirovane-cli: unknown command '" << first << "' (see mirovane-cli --help)\n";
    return ExitUsage;
}

} // namespace mrv::cli
