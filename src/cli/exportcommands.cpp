#include "cli/cliapp.h"
#include "cli/cliargs.h"
#include "cli/exportcli.h"
#include "cli/projectopen.h"
#include "export/exporter.h"
#include "export/exportregistry.h"
#include "support/tr.h"

#include <QDir>

#include <algorithm>
#include <csignal>

namespace mrv::cli {

namespace {

const QString FormatOption = QStringLiteral("--format");

/// Whether a loop count's text states the count made of it: plain ASCII digits for a number
/// in the range. Anything else was read by the input box's forgiving rules and deserves a
/// word.
bool StatesNumber(const QString &text, int used)
{
    if (text.isEmpty() ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return false;
    bool ok = false;
    const int stated = text.toInt(&ok);
    return ok && stated == used;
}

/// The values of the options given on the command line, or the usage error of the first one
/// its option cannot take.
Result<QVariantMap> GivenOptions(const Exporter &exporter, const CliArgs &args)
{
    QVariantMap given;
    for (const ExportOptionSpec &spec : exporter.options()) {
        if (!args.has(spec.cliFlag))
            continue;
        const Result<QVariant> value = OptionFromArgument(spec, args.value(spec.cliFlag));
        if (!value)
            return value.status();
        given.insert(spec.name, *value);
    }
    return given;
}

/// Once all values are known, each given option the run does not use gets a warning that it
/// is ignored, a text the export changes a note saying what it writes, and a loop count read
/// from its digits that was not stated as a plain number a warning saying which count was
/// taken.
void WarnAboutGivenOptions(const Exporter &exporter, const CliArgs &args,
                           const ExportOptions &options, QTextStream &err)
{
    for (const ExportOptionSpec &spec : exporter.options()) {
        if (!args.has(spec.cliFlag))
            continue;
        if (!exporter.OptionUsed(spec.name, options)) {
            err << Tr::tr("警告：此次导出不使用 %1，已忽略").arg(spec.cliFlag) << "\n";
            continue;
        }
        const QString text = args.value(spec.cliFlag);
        if (spec.writtenAs) {
            const QString written = spec.writtenAs(text);
            if (!written.isEmpty() && written != text)
                err << Tr::tr("注意：%1 “%2” 写为“%3”").arg(spec.cliFlag, text, written) << "\n";
            continue;
        }
        const int value = options.Number(spec.name);
        if (spec.readsDigits && !StatesNumber(text, value))
            err << Tr::tr("警告：%1 “%2” 不是 %3 到 %4 之间的整数，按%5导出")
                       .arg(spec.cliFlag, text, QString::number(spec.minimum),
                            QString::number(spec.maximum), spec.usedValueText.arg(value))
                << "\n";
    }
}

/// Runs an export target with "PROJECT OUT [--format F] [its options]".
int runExport(const Exporter &exporter, const QStringList &args, Streams &io)
{
    // A target of one format takes no --format.
    const bool formatChosen = exporter.formats().size() > 1;
    QSet<QString> valueOptions;
    if (formatChosen)
        valueOptions.insert(FormatOption);
    QSet<QString> flags;
    for (const ExportOptionSpec &spec : exporter.options())
        (spec.kind == OptionKind::Bool ? flags : valueOptions).insert(spec.cliFlag);
    const QString usage = exporter.cliUsage();
    auto parsed = CliArgs::Parse(args, valueOptions, flags);
    if (!parsed || parsed->positional().size() != 2)
        return UsageError(
            io, parsed ? QStringLiteral("expected PROJECT and an output") : parsed.message(), usage);
    const QString out = AbsoluteArgument(parsed->positional().at(1));
    const QString formatName = parsed->value(FormatOption);
    const Result<PictureFormat> format =
        formatChosen ? exporter.cliFormat(parsed->has(FormatOption) ? &formatName : nullptr, out)
                     : Result<PictureFormat>(exporter.defaultFormat());
    if (!format)
        return UsageError(io, format.message(), usage);
    const Result<QVariantMap> given = GivenOptions(exporter, *parsed);
    if (!given)
        return UsageError(io, given.message(), usage);
    auto project = OpenProjectArgument(parsed->positional().at(0), io.err);
    if (!project)
        return ExitInvalidInput;
    ExportOptions options = exporter.defaultOptions(out, *format);
    exporter.ProposeOptions(*project, std::nullopt, options);
    options.values.insert(*given);
    WarnAboutGivenOptions(exporter, *parsed, options, io.err);
    if (const Status usable = exporter.CheckOptions(options); !usable)
        return UsageError(io, usable.message(), usage);

    const ExportResult result = [&] {
        const InterruptWatch watch;
        return exporter.Run(ExportSource::FromProject(*project), options, {}, InterruptFlag());
    }();
    WarnUnreadable(result.unreadable, io.err);
    for (const QString &warning : result.warnings)
        io.err << Tr::tr("警告：%1").arg(warning) << "\n";
    if (!result.status) {
        io.err << result.status.message() << "\n";
        if (!result.refused)
            io.err << LeftBehindNote(result) << "\n";
        return result.refused ? ExitInvalidInput : ExitWriteFailed;
    }
    io.out << exporter.cliReport(result, *project, options);
    if (!result.removed.isEmpty())
        io.err << RemovedSentence(result.removed) << "\n";
    if (!result.leftovers.isEmpty())
        io.err << (options.Flag(RemoveStaleOptionName)
                       ? Tr::tr("警告：%1").arg(LeftoverSentence(result.leftovers))
                       : Tr::tr("警告：%1；加上 --remove-stale 再导出一次可以删除它们")
                             .arg(LeftoverSentence(result.leftovers)))
               << "\n";
    return ExitOk;
}

} // namespace

void WarnUnreadable(const QStringList &unreadable, QTextStream &err)
{
    for (const QString &path : unreadable)
        err << Tr::tr("警告：无法读取图片“%1”%2，该区域保持透明")
                   .arg(QDir::toNativeSeparators(path), QString())
            << "\n";
}

namespace {

std::atomic_bool interrupted = false;
// Set while a run that watches the flag is going; any other time a signal ends the process.
std::atomic_bool watched = false;

extern "C" void onInterrupt(int signal)
{
    std::signal(signal, SIG_DFL);
    if (!watched.load())
        std::raise(signal);
    interrupted.store(true);
}

} // namespace

void PrepareProcessSignals()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
}

const std::atomic_bool *InterruptFlag()
{
    return &interrupted;
}

InterruptWatch::InterruptWatch()
{
    watched.store(true);
}

InterruptWatch::~InterruptWatch()
{
    watched.store(false);
}

std::vector<Command> ExportCommands()
{
    std::vector<Command> commands;
    for (const Exporter *exporter : ExportRegistry::InCliOrder())
        commands.push_back({exporter->id(), exporter->cliUsage(), exporter->summary(),
                            [exporter](const QStringList &args, Streams &io) {
                                return runExport(*exporter, args, io);
                            }});
    return commands;
}

} // namespace mrv::cli
