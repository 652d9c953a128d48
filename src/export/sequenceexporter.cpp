#include "export/sequenceexporter.h"

#include "support/bootgeometry.h"

#include "export/exportgeometry.h"
#include "export/exportnames.h"
#include "project/mvk.h"
#include "support/tr.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace mrv {

namespace {

const QString Loops = QStringLiteral("loops");
const QString NoBackground = QStringLiteral("no-background");
constexpr int ProposedLoops = 2;
constexpr PictureFormat DefaultFormat = PictureFormat::Png;

ExportDescriptor<SequenceOptions> Descriptor()
{
    ExportTexts texts;
    texts.menuText = QT_TRANSLATE_NOOP("Mirovane", "导出动画帧序列(&F)");
    texts.menuName = QStringLiteral("mnuExAniFrame");
    texts.shortcut = QStringLiteral("Ctrl+L");
    texts.menuPlace = {1, 2};
    texts.dialogTitle = QT_TRANSLATE_NOOP("Mirovane", "请输入动画序列前缀");
    texts.busyLabel = QT_TRANSLATE_NOOP("Mirovane", "正在导出动画帧序列…");
    texts.cliSummary =
        QStringLiteral("write the numbered frame sequence (default %1, loops \"%2\"; --loops "
                       "is read as the editor's loop question: its digits, 1-255, none 1)")
            .arg(FormatInfo(DefaultFormat).cliName.toUpper())
            .arg(ProposedLoops);
    texts.cliOutput = QStringLiteral("PREFIX");
    texts.cliOrder = 2;
    texts.proposedName = [](const MVK &project) -> QString {
        return Tr::tr("%1_序列").arg(project.aName);
    };
    return {texts,
            [](const SequenceOptions &) -> QString {
                // The program makes the animated picture itself now; it names its own command.
                return Tr::tr("帧序列已导出。要做成 GIF、WebP 或 APNG 动画，可以使用"
                              "“文件”菜单的“导出动画图片”。");
            },
            [](const SequenceOptions &, const ExportResult &result) -> QString {
                if (result.written.isEmpty())
                    return QStringLiteral("0 files\n");
                return QStringLiteral("%1 files: %2 .. %3\n")
                    .arg(QString::number(result.written.size()), result.written.first(),
                         result.written.last());
            }};
}

} // namespace

SequenceExporter::SequenceExporter()
    : EngineExporter(QStringLiteral("export-sequence"), PictureFormats(), DefaultFormat,
                     Descriptor())
{}

QList<ExportOptionSpec> SequenceExporter::options() const
{
    ExportOptionSpec loops =
        IntOption(Loops, ProposedLoops, 1, 255, Tr::tr("循环 %1 次"), QStringLiteral("TEXT"));
    loops.prompt = Tr::tr("循环部分输出几次（1-255 次）。");
    loops.promptTitle = Tr::tr("请输入循环次数");
    // The question has always taken any answer and read its digits; scripts written for it
    // keep working.
    loops.readsDigits = true;
    return {loops, FlagOption(NoBackground, Tr::tr("是否保持图片透明通道")),
            FlagOption(RemoveStaleOptionName)};
}

QList<ExportOptionSpec> SequenceExporter::optionsFor(const MVK &project) const
{
    QList<ExportOptionSpec> specs = options();
    const int count = project.aFrame.Count();
    if (count > 0) {
        // The box itself keeps the number within 1-255, so no entry is ever wrong.
        const int first = count - LoopFrameCount(count) + 1;
        specs.first().prompt =
            Tr::tr("第%1-%2帧（循环部分）输出几次（1-255 次）。").arg(first).arg(count);
    }
    return specs;
}

Status SequenceExporter::CheckProject(const MVK &project) const
{
    return SequenceAreaOf(project).status();
}

Result<SequenceOptions> SequenceExporter::Resolve(const MVK &, const ExportOptions &options) const
{
    SequenceOptions used;
    used.target = SequenceTargetFor(options.target, options.format);
    used.loopTimes = options.Number(Loops);
    used.drawBackground = !options.Flag(NoBackground);
    return used;
}

QStringList SequenceExporter::FilesOf(const SequenceOptions &used, const MVK &project) const
{
    return SequenceFiles(used.target, project.aFrame.Count(), used.loopTimes);
}

std::optional<NumberedSet> SequenceExporter::NumberedSetOf(const SequenceOptions &used) const
{
    // The prefix's last part may be empty ("seq/" writes "seq/001.png").
    const QFileInfo first(used.target.FileName(1, 1));
    return NumberedSet{first.absolutePath(),
                       first.fileName().chopped(1 + used.target.extension.size()),
                       used.target.extension};
}

ExportResult SequenceExporter::WriteWith(const ExportSource &source, const SequenceOptions &used,
                                         const ExportProgress &progress,
                                         const std::atomic_bool *cancel) const
{
    return ExportFrameSequence(source.project, source.backgroundPath, source.framePaths, used,
                               progress, cancel);
}

} // namespace mrv
