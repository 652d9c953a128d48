#include "cli/cliargs.h"
#include "cli/exportcli.h"
#include "cli/projectopen.h"
#include "export/demoproject.h"
#include "export/exportnames.h"
#include "export/frameimport.h"
#include "export/longimport.h"

#include <QDir>
#include <QFileInfo>

namespace mrv::cli {

namespace {

const QString ImportUsage = QStringLiteral("import-long PROJECT STRIP [--x TEXT] [--output OUT]");
const QString DemoUsage = QStringLiteral("demo DIR");
const QString FramesUsage = QStringLiteral("import-frames PROJECT SOURCE [--output OUT]");

int runImportLong(const QStringList &args, Streams &io)
{
    const QString xOption = QStringLiteral("--x");
    const QString outputOption = QStringLiteral("--output");
    auto parsed = CliArgs::Parse(args, {xOption, outputOption}, {});
    if (!parsed || parsed->positional().size() != 2) {
        io.err << (parsed ? QStringLiteral("expected PROJECT and STRIP") : parsed.message())
               << "\nUsage: mirovane-cli " << ImportUsage << "\n";
        return ExitUsage;
    }
    auto project = OpenProjectArgument(parsed->positional().at(0), io.err);
    if (!project)
        return ExitInvalidInput;
    if (const Status fits = CheckLongImport(*project); !fits) {
        io.err << fits.message() << "\n";
        return ExitInvalidInput;
    }
    const QString strip = AbsoluteArgument(parsed->positional().at(1));
    if (!QFileInfo(strip).isFile()) {
        io.err << "找不到长图文件“" << QDir::toNativeSeparators(strip) << "”\n";
        return ExitInvalidInput;
    }
    const QString xText = parsed->value(xOption, QString::number(DefaultImportX(project->aWidth)));
    const Result<qint16> x = ParseImportOffset(xText);
    if (!x) {
        io.err << x.message() << "\n";
        return ExitInvalidInput;
    }
    const QString folder = project->aFileFolder;
    if (const Status applied = ApplyLongImport(*project, StoredStripPath(folder, strip), *x);
        !applied) {
        io.err << applied.message() << "\n";
        return ExitInvalidInput;
    }
    const QString out = parsed->has(outputOption) ? AbsoluteArgument(parsed->value(outputOption))
                                                  : project->aFilePath;
    SaveOptions options;
    options.projectFolder = folder;
    if (const Status saved = project->SaveFile(out, options); !saved) {
        io.err << "工程文件保存失败: " << saved.message() << "\n";
        return ExitWriteFailed;
    }
    io.out << out << "\n";
    return ExitOk;
}

int runImportFrames(const QStringList &args, Streams &io)
{
    const QString outputOption = QStringLiteral("--output");
    auto parsed = CliArgs::Parse(args, {outputOption}, {});
    if (!parsed || parsed->positional().size() != 2) {
        io.err << (parsed ? QStringLiteral("expected PROJECT and SOURCE") : parsed.message())
               << "\nUsage: mirovane-cli " << FramesUsage << "\n";
        return ExitUsage;
    }
    auto project = OpenProjectArgument(parsed->positional().at(0), io.err);
    if (!project)
        return ExitInvalidInput;
    const QString out = parsed->has(outputOption) ? AbsoluteArgument(parsed->value(outputOption))
                                                  : project->aFilePath;
    const QString folder = project->aFileFolder;
    // An animation's frames go beside the project file that is written.
    FrameImportOptions options{folder, QFileInfo(out).absolutePath(), InterruptFlag()};
    const FrameImportResult result =
        ImportFrames(AbsoluteArgument(parsed->positional().at(1)), options);
    if (!result.import) {
        io.err << result.import.message() << "\n";
        return result.failure == ImportFailure::Write ? ExitWriteFailed : ExitInvalidInput;
    }
    for (const SkippedPicture &skipped : result.import->skipped)
        io.err << "warning: skipped " << skipped.path << ": " << skipped.reason << "\n";
    project->aFrame = aFrame();
    project->aFrame.Reserve(int(result.import->frames.size()));
    for (const aImage &frame : result.import->frames)
        project->aFrame.Add(frame.aURL, frame.aX, frame.aY);
    SaveOptions saveOptions;
    saveOptions.projectFolder = folder;
    if (const Status saved = project->SaveFile(out, saveOptions); !saved) {
        // The frames written for this import belong to no project now.
        if (const QString &written = result.import->writtenFolder; !written.isEmpty())
            QDir(written).removeRecursively();
        io.err << "工程文件保存失败: " << saved.message() << "\n";
        return ExitWriteFailed;
    }
    if (const QString warning = FrameCountWarning(project->aFrame.Count()); !warning.isEmpty())
        io.err << "warning: " << warning << "\n";
    io.out << out << "\n";
    return ExitOk;
}

int runDemo(const QStringList &args, Streams &io)
{
    auto parsed = CliArgs::Parse(args, {}, {});
    if (!parsed || parsed->positional().size() != 1) {
        io.err << (parsed ? QStringLiteral("expected one DIR") : parsed.message())
               << "\nUsage: mirovane-cli " << DemoUsage << "\n";
        return ExitUsage;
    }
    const Result<QString> written =
        WriteDemoProject(AbsoluteArgument(parsed->positional().first()));
    if (!written) {
        io.err << written.message() << "\n";
        return ExitWriteFailed;
    }
    io.out << *written << "\n";
    return ExitOk;
}

} // namespace

Command ImportLongCommand()
{
    return {QStringLiteral("import-long"), ImportUsage,
            QStringLiteral("point every frame at a long picture's cells (writes OUT or PROJECT)"),
            runImportLong};
}

Command ImportFramesCommand()
{
    return {QStringLiteral("import-frames"), FramesUsage,
            QStringLiteral("replace the frames with a folder's pictures or an animation's frames"),
            runImportFrames};
}

Command DemoCommand()
{
    return {QStringLiteral("demo"), DemoUsage,
            QStringLiteral("write the demo project DIR/demo.mrv with its pictures"), runDemo};
}

} // namespace mrv::cli
