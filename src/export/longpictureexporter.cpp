#include "export/longpictureexporter.h"

#include "export/exportgeometry.h"
#include "export/exportnames.h"
#include "export/longpicture.h"
#include "project/mvk.h"

namespace mrv {

namespace {

const QString NoBackground = QStringLiteral("no-background");

} // namespace

QString LongPictureExporter::summary() const
{
    return QStringLiteral("write the %1 x %2 long picture (default %3)")
        .arg(CellSize)
        .arg(CellSize * StripCells)
        .arg(FormatInfo(defaultFormat()).cliName.toUpper());
}

QList<ExportOptionSpec> LongPictureExporter::options() const
{
    ExportOptionSpec noBackground;
    noBackground.name = NoBackground;
    noBackground.kind = OptionKind::Bool;
    noBackground.defaultValue = false;
    noBackground.cliFlag = QStringLiteral("--no-background");
    noBackground.prompt = QStringLiteral("是否去掉全屏背景");
    return {noBackground};
}

QString LongPictureExporter::proposedName(const MVK &project) const
{
    return QStringLiteral("Activity_") + project.aName;
}

QString LongPictureExporter::doneMessage(const MVK &, const ExportOptions &) const
{
    return QStringLiteral("动画长图导出完成，你可以使用“魔方”等软件应用到系统。");
}

QString LongPictureExporter::cliReport(const ExportResult &, const ExportOptions &options) const
{
    return LongPictureTargetFor(options.target, options.format).path + u'\n';
}

QStringList LongPictureExporter::outputFiles(const MVK &, const ExportOptions &options) const
{
    return {LongPictureTargetFor(options.target, options.format).path};
}

Status LongPictureExporter::CheckProject(const MVK &project) const
{
    return ReferenceScale(project).status();
}

ExportResult LongPictureExporter::Write(const ExportSource &source, const ExportOptions &options,
                                        const ExportProgress &progress,
                                        const std::atomic_bool *cancel) const
{
    const LongPictureOptions engine{LongPictureTargetFor(options.target, options.format),
                                    !options.Flag(NoBackground)};
    return ExportLongPicture(source.project, source.backgroundPath, source.framePaths, engine,
                             progress, cancel);
}

} // namespace mrv
