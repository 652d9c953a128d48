#include "cli/cliargs.h"
#include "cli/exportcli.h"
#include "cli/projectopen.h"
#include "edit/adjustframes.h"
#include "edit/alignframes.h"
#include "edit/framerange.h"
#include "support/tr.h"

#include <QDir>
#include <QFileInfo>

#include <functional>
#include <optional>

namespace mrv::cli {

namespace {

const QString OutputOption = QStringLiteral("--output");
const QString FramesOption = QStringLiteral("--frames");
const QString AdjustUsage =
    QStringLiteral("adjust PROJECT [--frames RANGE] [--hue DEGREES] [--saturation PERCENT] "
                   "[--brightness PERCENT] [--scale PERCENT] [--output OUT]");
const QString AlignUsage = QStringLiteral(
    "align PROJECT --center | --steady [--range PX] [--frames RANGE] [--output OUT]");

using Edit = std::function<FrameEditResult(const MVK &, const FrameEditRequest &)>;

/// A number option, or the fallback when it is not given; none (after a message) when it is
/// not a number.
std::optional<double> numberOption(const CliArgs &args, const QString &option, double fallback,
                                   QString &problem)
{
    if (!args.has(option))
        return fallback;
    bool ok = false;
    const double value = args.value(option).toDouble(&ok);
    if (!ok) {
        problem = QStringLiteral("%1 takes a number, not “%2”").arg(option, args.value(option));
        return std::nullopt;
    }
    return value;
}

/// Opens PROJECT, runs the edit over the frames of --frames and writes the project to OUT or
/// back to PROJECT; a failure anywhere leaves the project file and the pictures as they were.
int runEdit(const CliArgs &args, const QString &usage, const Edit &edit, Streams &io)
{
    auto project = OpenProjectArgument(args.positional().at(0), io.err);
    if (!project)
        return ExitInvalidInput;
    const auto frames = ParseFrameRange(args.value(FramesOption), project->aFrame.Count());
    if (!frames)
        return UsageError(io, frames.message(), usage);
    const QString out =
        args.has(OutputOption) ? AbsoluteArgument(args.value(OutputOption)) : project->aFilePath;
    FrameEditRequest request;
    request.frames = *frames;
    request.projectFolder = project->aFileFolder;
    // New pictures go beside the project file that is written.
    request.framesFolder = QFileInfo(out).absolutePath();
    request.cancel = InterruptFlag();
    const FrameEditResult result = [&] {
        const InterruptWatch watch;
        return edit(*project, request);
    }();
    if (!result.edit) {
        io.err << result.edit.message() << "\n";
        return result.failure == EditFailure::Source ? ExitInvalidInput : ExitWriteFailed;
    }
    project->aFrame = aFrame();
    project->aFrame.Reserve(int(result.edit->frames.size()));
    for (const aImage &frame : result.edit->frames)
        project->aFrame.Add(frame.aURL, frame.aX, frame.aY);
    SaveOptions saveOptions;
    saveOptions.projectFolder = request.projectFolder;
    if (const Status saved = project->SaveFile(out, saveOptions); !saved) {
        // The pictures written for this edit belong to no project now.
        if (!result.edit->writtenFolder.isEmpty())
            QDir(result.edit->writtenFolder).removeRecursively();
        io.err << Tr::tr("工程文件保存失败: %1").arg(saved.message()) << "\n";
        return ExitWriteFailed;
    }
    io.err << result.edit->notice << "\n";
    io.out << out << "\n";
    return ExitOk;
}

int runAdjust(const QStringList &rawArgs, Streams &io)
{
    const QString hue = QStringLiteral("--hue"), saturation = QStringLiteral("--saturation"),
                  brightness = QStringLiteral("--brightness"), scale = QStringLiteral("--scale");
    auto args = CliArgs::Parse(
        rawArgs, {OutputOption, FramesOption, hue, saturation, brightness, scale}, {});
    if (!args || args->positional().size() != 1)
        return UsageError(io, args ? QStringLiteral("expected one PROJECT") : args.message(),
                          AdjustUsage);
    QString problem;
    FrameAdjust adjust;
    const auto h = numberOption(*args, hue, 0, problem);
    const auto s = numberOption(*args, saturation, 100, problem);
    const auto b = numberOption(*args, brightness, 100, problem);
    const auto z = numberOption(*args, scale, 100, problem);
    if (!problem.isEmpty())
        return UsageError(io, problem, AdjustUsage);
    adjust.colour = {*h, *s, *b};
    adjust.scalePercent = *z;
    if (const QString outside = FrameAdjustProblem(adjust); !outside.isEmpty())
        return UsageError(io, outside, AdjustUsage);
    return runEdit(
        *args, AdjustUsage,
        [&](const MVK &project, const FrameEditRequest &request) {
            return AdjustFrames(project, adjust, request);
        },
        io);
}

int runAlign(const QStringList &rawArgs, Streams &io)
{
    const QString centre = QStringLiteral("--center"), steady = QStringLiteral("--steady"),
                  range = QStringLiteral("--range");
    auto args = CliArgs::Parse(rawArgs, {OutputOption, FramesOption, range}, {centre, steady});
    if (!args || args->positional().size() != 1)
        return UsageError(io, args ? QStringLiteral("expected one PROJECT") : args.message(),
                          AlignUsage);
    if (args->has(centre) == args->has(steady))
        return UsageError(io, QStringLiteral("give one of --center and --steady"), AlignUsage);
    if (args->has(centre))
        return runEdit(*args, AlignUsage, CentreFrames, io);
    bool ok = !args->has(range);
    const int pixels = ok ? DefaultSteadyRange : args->value(range).toInt(&ok);
    if (!ok || pixels < 1 || pixels > MaxSteadyRange)
        return UsageError(io,
                          QStringLiteral("--range takes a whole number of pixels from 1 to %1")
                              .arg(MaxSteadyRange),
                          AlignUsage);
    return runEdit(
        *args, AlignUsage,
        [pixels](const MVK &project, const FrameEditRequest &request) {
            return SteadyFrames(project, pixels, request);
        },
        io);
}

} // namespace

std::vector<Command> EditCommands()
{
    return {
        {QStringLiteral("adjust"), AdjustUsage,
         QStringLiteral("turn the hue, scale saturation and brightness, resize the frames' "
                        "pictures (new pictures beside the project)"),
         runAdjust},
        {QStringLiteral("align"), AlignUsage,
         QStringLiteral("centre the frames' visible parts in the animation area, or steady "
                        "shaking frames, by their offsets"),
         runAlign},
    };
}

} // namespace mrv::cli
