#include "cli/cliapp.h"
#include "cli/cliargs.h"
#include "cli/exportcli.h"
#include "cli/projectopen.h"
#include "export/exportnames.h"
#include "export/framesequence.h"
#include "export/longpicture.h"
#include "export/projectimages.h"
#include "support/filetypes.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <csignal>
#include <variant>

namespace mrv::cli {

namespace {

const QString FormatOption = QStringLiteral("--format");
const QString NoBackgroundFlag = QStringLiteral("--no-background");
const QString LoopsOption = QStringLiteral("--loops");

/// The parsed arguments of an export: the opened project and the chosen export type.
struct ExportCall
{
    MVK project;
    QString out;
    int type = 0;
    bool noBackground = false;
    CliArgs args;
};

/// Parses "PROJECT OUT [options]" and opens the project; on failure returns the exit code.
std::variant<ExportCall, int> prepare(const QStringList &args, const QString &usage,
                                      const QSet<QString> &valueOptions, int defaultType,
                                      Streams &io)
{
    auto parsed = CliArgs::Parse(args, valueOptions, {NoBackgroundFlag});
    if (!parsed || parsed->positional().size() != 2) {
        io.err << (parsed ? QStringLiteral("expected PROJECT and an output") : parsed.message())
               << "\nUsage: mirovane-cli " << usage << "\n";
        return int(ExitUsage);
    }
    const QString out = AbsoluteArgument(parsed->positional().at(1));
    const QString format = parsed->value(FormatOption);
    const Result<int> type =
        ExportTypeForCli(parsed->has(FormatOption) ? &format : nullptr, out, defaultType);
    if (!type) {
        io.err << type.message() << "\nUsage: mirovane-cli " << usage << "\n";
        return int(ExitUsage);
    }
    auto project = OpenProjectArgument(parsed->positional().at(0), io.err);
    if (!project)
        return int(ExitInvalidInput);
    ReportFileSizeLimitAsError();
    return ExportCall{std::move(*project), out, *type, parsed->has(NoBackgroundFlag), *parsed};
}

/// Whether the loop text states the count the box made of it: plain ASCII digits for a number
/// from 1 to 255. Anything else was read by the box's forgiving rules and deserves a word.
bool StatesLoopCount(const QString &text, int used)
{
    if (text.isEmpty() ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return false;
    bool ok = false;
    const int stated = text.toInt(&ok);
    return ok && stated == used;
}

/// The exit code of a finished export, with its messages.
int finish(const ExportResult &result, Streams &io)
{
    WarnUnreadable(result.unreadable, io.err);
    if (!result.status) {
        io.err << result.status.message() << "\n";
        return result.refused ? ExitInvalidInput : ExitWriteFailed;
    }
    return ExitOk;
}

const QString LongUsage = QStringLiteral("export-long PROJECT OUT [--format F] [--no-background]");
const QString SequenceUsage =
    QStringLiteral("export-sequence PROJECT PREFIX [--format F] [--loops TEXT] [--no-background]");
const QString ImagesUsage = QStringLiteral("export-images PROJECT OUT [--format F]");

int runExportLong(const QStringList &args, Streams &io)
{
    auto prepared = prepare(args, LongUsage, {FormatOption}, LongPictureDefaultType, io);
    if (auto *code = std::get_if<int>(&prepared))
        return *code;
    auto &call = std::get<ExportCall>(prepared);
    const Result<LongPictureTarget> target = LongPictureTargetFor(call.out, call.type);
    if (!target) {
        io.err << target.message() << "\n";
        return ExitUsage;
    }
    const LongPictureOptions options{*target, !call.noBackground};
    const ExportResult result = ExportLongPicture(call.project, call.project.BackgroundPath(),
                                                  call.project.FramePaths(), options);
    const int code = finish(result, io);
    if (code == ExitOk)
        io.out << target->path << "\n";
    return code;
}

int runExportSequence(const QStringList &args, Streams &io)
{
    auto prepared =
        prepare(args, SequenceUsage, {FormatOption, LoopsOption}, SequenceDefaultType, io);
    if (auto *code = std::get_if<int>(&prepared))
        return *code;
    auto &call = std::get<ExportCall>(prepared);
    const Result<SequenceTarget> target = SequenceTargetFor(call.out, call.type);
    if (!target) {
        io.err << target.message() << "\n";
        return ExitUsage;
    }
    SequenceOptions options;
    options.target = *target;
    const QString loops = call.args.value(LoopsOption, QStringLiteral("2"));
    options.loopTimes = LoopTimesFromAnswer(loops);
    if (!StatesLoopCount(loops, options.loopTimes))
        io.err << "警告：--loops “" << loops << "” 不是 1 到 255 之间的整数，按循环 "
               << options.loopTimes << " 次导出\n";
    options.drawBackground = !call.noBackground;
    const ExportResult result = ExportFrameSequence(call.project, call.project.BackgroundPath(),
                                                    call.project.FramePaths(), options);
    const int code = finish(result, io);
    if (code == ExitOk) {
        if (result.written.isEmpty())
            io.out << "0 files\n";
        else
            io.out << result.written.size() << " files: " << result.written.first() << " .. "
                   << result.written.last() << "\n";
    }
    return code;
}

int runExportImages(const QStringList &args, Streams &io)
{
    if (args.contains(NoBackgroundFlag)) {
        io.err << "unknown option " << NoBackgroundFlag << "\nUsage: mirovane-cli " << ImagesUsage
               << "\n";
        return ExitUsage;
    }
    auto prepared = prepare(args, ImagesUsage, {FormatOption}, ProjectImagesDefaultType, io);
    if (auto *code = std::get_if<int>(&prepared))
        return *code;
    auto &call = std::get<ExportCall>(prepared);
    const Result<ProjectImagesTarget> target = ProjectImagesTargetFor(call.out, call.type);
    if (!target) {
        io.err << target.message() << "\n";
        return ExitUsage;
    }
    const ExportResult result = ExportProjectImages(call.project, call.project.BackgroundPath(),
                                                    call.project.FramePaths(), *target);
    const int code = finish(result, io);
    if (code == ExitOk)
        io.out << target->backgroundPath << "\n"
               << target->frameFolder << " (" << result.written.size() - 1 << " frames)\n";
    return code;
}

} // namespace

Result<int> ExportTypeForCli(const QString *format, const QString &out, int defaultIndex)
{
    const DlgFTlist types = MakeExportTypes();
    auto indexOf = [&](const QString &extension) {
        for (int i = 1; i <= types.Count(); ++i)
            if (types.Item(i)->Extensions == extension)
                return i;
        return 0;
    };
    if (format) {
        if (const int index = indexOf(*format))
            return index;
        return Result<int>::Fail(
            QStringLiteral("unknown format '%1' (use png, bmp, jpg, gif or tif)").arg(*format));
    }
    const QString name = QFileInfo(out).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        if (const int index = indexOf(name.mid(dot + 1)))
            return index;
    return defaultIndex;
}

void WarnUnreadable(const QStringList &unreadable, QTextStream &err)
{
    for (const QString &path : unreadable)
        err << "警告：无法读取图片“" << QDir::toNativeSeparators(path) << "”，该区域保持透明\n";
}

void ReportFileSizeLimitAsError()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

std::vector<Command> ExportCommands()
{
    return {
        {QStringLiteral("export-long"), LongUsage,
         QStringLiteral("write the 200 x 21000 long picture (default BMP)"), runExportLong},
        {QStringLiteral("export-sequence"), SequenceUsage,
         QStringLiteral("write the numbered frame sequence (default PNG, loops \"2\")"),
         runExportSequence},
        {QStringLiteral("export-images"), ImagesUsage,
         QStringLiteral("write the 1024 x 768 background picture and the _Frame folder"),
         runExportImages},
        ImportLongCommand(),
        DemoCommand(),
    };
}

} // namespace mrv::cli
