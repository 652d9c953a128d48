#include "cli/cliargs.h"
#include "cli/exportcli.h"
#include "cli/projectopen.h"
#include "import/demoproject.h"
#include "import/importer.h"
#include "project/projectfile.h"
#include "support/atomicfile.h"
#include "support/tr.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace mrv::cli {

namespace {

const QString DemoUsage = QStringLiteral("demo DIR");
const QString OutputOption = QStringLiteral("--output");

/// Runs an importer with "PROJECT SOURCE [its options] [--output OUT]": the project's frames
/// are replaced and the project is written to OUT or back to PROJECT.
int runImport(const Importer &importer, const QStringList &args, Streams &io)
{
    QSet<QString> valueOptions{OutputOption};
    for (const ImportOptionSpec &option : importer.options())
        valueOptions.insert(option.cliFlag);
    auto parsed = CliArgs::Parse(args, valueOptions, {});
    if (!parsed || parsed->positional().size() != 2)
        return UsageError(io,
                          parsed ? QStringLiteral("expected PROJECT and %1").arg(importer.sourceName())
                                 : parsed.message(),
                          importer.cliUsage());
    auto project = OpenProjectArgument(parsed->positional().at(0), io.err);
    if (!project)
        return ExitInvalidInput;
    if (const Status fits = importer.Check(*project); !fits) {
        io.err << fits.message() << "\n";
        return ExitInvalidInput;
    }
    const QString out = parsed->has(OutputOption) ? AbsoluteArgument(parsed->value(OutputOption))
                                                  : project->aFilePath;
    ImportRequest request;
    request.source = AbsoluteArgument(parsed->positional().at(1));
    request.projectFolder = project->aFileFolder;
    // Pictures the import makes go beside the project file that is written.
    request.framesFolder = QFileInfo(out).absolutePath();
    request.cancel = InterruptFlag();
    for (const ImportOptionSpec &option : importer.options())
        if (parsed->has(option.cliFlag))
            request.values.insert(option.name, parsed->value(option.cliFlag));
    // Watched until the project is saved: a stop request before the new file is in place
    // removes the frames the import wrote and leaves the project as it was.
    const InterruptWatch watch;
    const ImportOutcome outcome = importer.Run(*project, request);
    if (!outcome.status) {
        io.err << outcome.status.message() << "\n";
        return outcome.failure == ImportFailure::Write ? ExitWriteFailed : ExitInvalidInput;
    }
    for (const SkippedPicture &skipped : outcome.skipped)
        io.err << Tr::tr("警告：已跳过“%1”：%2").arg(skipped.path, skipped.reason) << "\n";
    project->aFrame = aFrame();
    project->aFrame.Reserve(int(outcome.frames.size()));
    for (const aImage &frame : outcome.frames)
        project->aFrame.Add(frame.aURL, frame.aX, frame.aY);
    SaveOptions saveOptions;
    saveOptions.projectFolder = request.projectFolder;
    if (const Status saved = InterruptFlag()->load()
                                 ? WriteFailure(out, Tr::tr("已取消，原有的文件保持不变"))
                                 : WriteProjectFile(*project, out, saveOptions, InterruptFlag());
        !saved) {
        // The pictures written for this import belong to no project now.
        if (!outcome.writtenFolder.isEmpty())
            QDir(outcome.writtenFolder).removeRecursively();
        io.err << Tr::tr("工程文件保存失败: %1").arg(saved.message()) << "\n";
        return ExitWriteFailed;
    }
    if (const QString warning = FrameCountWarning(project->aFrame.Count()); !warning.isEmpty())
        io.err << Tr::tr("警告：%1").arg(warning) << "\n";
    if (!outcome.notice.isEmpty())
        io.err << outcome.notice << "\n";
    io.out << out << "\n";
    return ExitOk;
}

int runDemo(const QStringList &args, Streams &io)
{
    auto parsed = CliArgs::Parse(args, {}, {});
    if (!parsed || parsed->positional().size() != 1)
        return UsageError(io, parsed ? QStringLiteral("expected one DIR") : parsed.message(),
                          DemoUsage);
    const InterruptWatch watch;
    const Result<QString> written =
        WriteDemoProject(AbsoluteArgument(parsed->positional().first()), InterruptFlag());
    if (!written) {
        io.err << written.message() << "\n";
        return ExitWriteFailed;
    }
    io.out << *written << "\n";
    return ExitOk;
}

} // namespace

std::vector<Command> ImportCommands()
{
    std::vector<Command> commands;
    for (const Importer *importer : ImportRegistry::All())
        commands.push_back({importer->id(), importer->cliUsage(), importer->summary(),
                            [importer](const QStringList &args, Streams &io) {
                                return runImport(*importer, args, io);
                            }});
    return commands;
}

Command DemoCommand()
{
    return {QStringLiteral("demo"), DemoUsage,
            QStringLiteral("write the demo project DIR/demo.mrv with its pictures"), runDemo};
}

} // namespace mrv::cli
