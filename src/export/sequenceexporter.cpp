#include "export/sequenceexporter.h"

#include "export/exportgeometry.h"
#include "export/exportnames.h"
#include "export/framesequence.h"
#include "project/mvk.h"

namespace mrv {

namespace {

const QString Loops = QStringLiteral("loops");
const QString NoBackground = QStringLiteral("no-background");

} // namespace

QString SequenceExporter::summary() const
{
    return QStringLiteral("write the numbered frame sequence (default %1, loops \"%2\")")
        .arg(FormatInfo(defaultFormat()).cliName.toUpper(), option(Loops)->defaultValue.toString());
}

QList<ExportOptionSpec> SequenceExporter::options() const
{
    ExportOptionSpec loops;
    loops.name = Loops;
    loops.kind = OptionKind::Int;
    loops.defaultValue = 2;
    loops.cliFlag = QStringLiteral("--loops");
    loops.minimum = 1;
    loops.maximum = 255;
    loops.prompt =
        QStringLiteral("第61-105帧循环输出几次。最低1次，最高255次。若输入错误则会使用默认值1。");
    loops.promptTitle = QStringLiteral("请输入循环次数");
    loops.usedValueText = QStringLiteral("循环 %1 次");

    ExportOptionSpec noBackground;
    noBackground.name = NoBackground;
    noBackground.kind = OptionKind::Bool;
    noBackground.defaultValue = false;
    noBackground.cliFlag = QStringLiteral("--no-background");
    noBackground.prompt = QStringLiteral("是否保持图片透明通道");
    return {loops, noBackground};
}

QString SequenceExporter::proposedName(const MVK &project) const
{
    return project.aName + QStringLiteral("_序列");
}

QString SequenceExporter::doneMessage(const MVK &, const ExportOptions &) const
{
    // The program makes the animated picture itself now; it names its own command for it.
    return QStringLiteral("帧序列已导出。要做成 GIF、WebP 或 APNG 动画，可以使用“文件”菜单的"
                          "“导出动画图片”。");
}

QString SequenceExporter::cliReport(const ExportResult &result, const ExportOptions &) const
{
    if (result.written.isEmpty())
        return QStringLiteral("0 files\n");
    return QStringLiteral("%1 files: %2 .. %3\n")
        .arg(QString::number(result.written.size()), result.written.first(), result.written.last());
}

QStringList SequenceExporter::outputFiles(const MVK &project, const ExportOptions &options) const
{
    return SequenceFiles(SequenceTargetFor(options.target, options.format), project.aFrame.Count(),
                         options.Number(Loops));
}

Status SequenceExporter::CheckProject(const MVK &project) const
{
    return SequenceAreaOf(project).status();
}

ExportResult SequenceExporter::Write(const ExportSource &source, const ExportOptions &options,
                                     const ExportProgress &progress,
                                     const std::atomic_bool *cancel) const
{
    SequenceOptions engine;
    engine.target = SequenceTargetFor(options.target, options.format);
    engine.loopTimes = options.Number(Loops);
    engine.drawBackground = !options.Flag(NoBackground);
    return ExportFrameSequence(source.project, source.backgroundPath, source.framePaths, engine,
                               progress, cancel);
}

} // namespace mrv
