#include "editor/commandline.h"

#include "support/regexutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace mrv {

namespace {

// An unquoted path (drive and colon, or a separator, then a separator, up to a space or a
// character Windows forbids) with the character before it, or a quoted path captured
// without its quotes.
const QString CommandLinePattern = QStringLiteral(
    R"((?:(?:^|[^"])(?:[A-Za-z]:|[\\/])[\\/][^:\*\?"<>\| ]*|(?:")((?:[A-Za-z]:|[\\/])[\\/][^:\*\?"<>\|]*)(?:")))");

const QString PathStartPattern = QStringLiteral(R"(^(?:[A-Za-z]:|[\\/])[\\/])");

} // namespace

QList<CommandLinePath> SplitWindowsCommandLine(const QString &commandLine)
{
    QList<CommandLinePath> paths;
    if (commandLine.isEmpty())
        return paths;
    QList<MatchInfo> matches;
    if (RegexMatches(commandLine, CommandLinePattern, matches, QStringLiteral("$1")).toInt() == 0)
        return paths;
    for (const MatchInfo &m : matches) {
        QString path;
        if (m.Value.startsWith(u'"')) {
            path = m.Rewrites.value(0); // the quoted alternative: the path inside the quotes
        } else {
            // The unquoted alternative carries the character before the path when the path
            // does not begin the line; that character is no part of the file name.
            path = m.Value;
            if (!RegexTest(path, PathStartPattern))
                path.remove(0, 1);
        }
        paths.append({path, m.Value});
    }
    return paths;
}

QList<CommandLinePath> PosixCommandLinePaths(const QStringList &arguments, const QString &cwd)
{
    QList<CommandLinePath> paths;
    const QDir base(cwd);
    for (const QString &arg : arguments) {
        if (arg.isEmpty())
            continue;
        const QString absolute = QDir::cleanPath(base.absoluteFilePath(arg));
        paths.append({absolute, absolute});
    }
    return paths;
}

QList<CommandLinePath> HostCommandLinePaths()
{
#ifdef Q_OS_WIN
    // The raw command line after the program's own (possibly quoted) name.
    const QString line = QString::fromWCharArray(GetCommandLineW());
    qsizetype i = 0;
    if (line.startsWith(u'"')) {
        i = line.indexOf(u'"', 1);
        i = i < 0 ? line.size() : i + 1;
    } else {
        while (i < line.size() && !line.at(i).isSpace())
            ++i;
    }
    while (i < line.size() && line.at(i).isSpace())
        ++i;
    return SplitWindowsCommandLine(line.mid(i));
#else
    return PosixCommandLinePaths(QCoreApplication::arguments().mid(1), QDir::currentPath());
#endif
}

bool StartInstance(const CommandLinePath &entry)
{
    QProcess process;
    process.setProgram(QCoreApplication::applicationFilePath());
#ifdef Q_OS_WIN
    process.setNativeArguments(entry.rawText);
#else
    process.setArguments({entry.path});
#endif
    return process.startDetached();
}

} // namespace mrv
