#include "cli/cliapp.h"
#include "cli/cliargs.h"
#include "cli/exportcli.h"
#include "project/projectfile.h"
#include "cli/projectopen.h"
#include "support/tr.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace mrv::cli {

namespace {

const QString InfoUsage = QStringLiteral("info PROJECT [--json]");
const QString NewUsage = QStringLiteral("new OUT [--name TEXT] [--pretty] [--force]");

QJsonObject imageJson(const aImage &image, const QString &resolved)
{
    return QJsonObject{{QStringLiteral("url"), image.aURL},
                       {QStringLiteral("x"), image.aX},
                       {QStringLiteral("y"), image.aY},
                       {QStringLiteral("path"), resolved}};
}

void printJson(const MVK &project, QTextStream &out)
{
    const aImage background = project.aBackground.value_or(aImage{});
    QJsonArray frames;
    const QStringList paths = project.FramePaths();
    int i = 0;
    for (const aImage &frame : project.aFrame)
        frames.append(imageJson(frame, paths[i++]));
    const QJsonObject root{{QStringLiteral("name"), project.aName},
                           {QStringLiteral("width"), project.aWidth},
                           {QStringLiteral("height"), project.aHeight},
                           {QStringLiteral("file"), project.aFilePath},
                           {QStringLiteral("folder"), project.aFileFolder},
                           {QStringLiteral("background"), imageJson(background, project.BackgroundPath())},
                           {QStringLiteral("frames"), frames}};
    out << QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
}

void printSummary(const MVK &project, QTextStream &out)
{
    const aImage background = project.aBackground.value_or(aImage{});
    out << "Name:       " << project.aName << "\n"
        << "Screen:     " << project.aWidth << " x " << project.aHeight << "\n"
        << "File:       " << project.aFilePath << "\n"
        << "Folder:     " << project.aFileFolder << "\n"
        << "Background: " << background.aURL << " at (" << background.aX << ", " << background.aY
        << ")\n"
        << "            -> " << project.BackgroundPath() << "\n"
        << "Frames:     " << project.aFrame.Count() << "\n";
    const QStringList paths = project.FramePaths();
    int i = 0;
    for (const aImage &frame : project.aFrame) {
        out << QStringLiteral("  %1  %2 at (%3, %4) -> %5\n")
                   .arg(i + 1, 3, 10, QChar(u'0'))
                   .arg(frame.aURL)
                   .arg(frame.aX)
                   .arg(frame.aY)
                   .arg(paths[i]);
        ++i;
    }
}

int runInfo(const QStringList &args, Streams &io)
{
    auto parsed = CliArgs::Parse(args, {}, {QStringLiteral("--json")});
    if (!parsed || parsed->positional().size() != 1)
        return UsageError(io, parsed ? QStringLiteral("expected one PROJECT") : parsed.message(),
                          InfoUsage);
    const auto project = OpenProjectArgument(parsed->positional().first(), io.err);
    if (!project)
        return ExitInvalidInput;
    if (parsed->has(QStringLiteral("--json")))
        printJson(*project, io.out);
    else
        printSummary(*project, io.out);
    return ExitOk;
}

int runNew(const QStringList &args, Streams &io)
{
    auto parsed = CliArgs::Parse(args, {QStringLiteral("--name")},
                                 {QStringLiteral("--pretty"), QStringLiteral("--force")});
    if (!parsed || parsed->positional().size() != 1)
        return UsageError(io, parsed ? QStringLiteral("expected one OUT") : parsed.message(),
                          NewUsage);
    const QString out = AbsoluteArgument(parsed->positional().first());
    // A project there may hold hours of work; a new one replaces it only when asked to.
    if (const QFileInfo existing(out);
        (existing.exists() || existing.isSymLink()) && !parsed->has(QStringLiteral("--force"))) {
        io.err << Tr::tr("“%1”已存在，未写入；加上 --force 才会替换它")
                      .arg(QDir::toNativeSeparators(out))
               << "\n";
        return ExitWriteFailed;
    }
    MVK project;
    project.AddNew();
    if (parsed->has(QStringLiteral("--name")))
        project.aName = parsed->value(QStringLiteral("--name"));
    SaveOptions options;
    options.pretty = parsed->has(QStringLiteral("--pretty"));
    // A stop request during the save leaves no file; after it, the project is written.
    const InterruptWatch watch;
    if (const Status saved = WriteProjectFile(project, out, options, InterruptFlag()); !saved) {
        io.err << Tr::tr("工程文件保存失败: %1").arg(saved.message()) << "\n";
        return ExitWriteFailed;
    }
    io.out << out << "\n";
    return ExitOk;
}

} // namespace

std::vector<Command> ProjectCommands()
{
    return {
        {QStringLiteral("info"), InfoUsage,
         QStringLiteral("print a project's name, size, pictures and their resolved paths"), runInfo},
        {QStringLiteral("new"), NewUsage,
         QStringLiteral("write a new default project (105 frames, 1024 x 768)"), runNew},
    };
}

} // namespace mrv::cli
