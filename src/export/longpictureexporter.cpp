#include "export/longpictureexporter.h"

#include "export/exportgeometry.h"
#include "export/exportnames.h"
#include "project/mvk.h"
#include "support/tr.h"

#include <QCoreApplication>

namespace mrv {

namespace {

const QString NoBackground = QStringLiteral("no-background");
constexpr PictureFormat DefaultFormat = PictureFormat::Bmp;

ExportDescriptor<LongPictureOptions> Descriptor()
{
    ExportTexts texts;
    texts.menuText = QT_TRANSLATE_NOOP("Mirovane", "导出长图动画");
    texts.menuName = QStringLiteral("mnuExportLongPic");
    texts.menuPlace = {2, 1};
    texts.dialogTitle = QT_TRANSLATE_NOOP("Mirovane", "选择保存的长图文件名");
    texts.busyLabel = QT_TRANSLATE_NOOP("Mirovane", "正在导出动画长图…");
    texts.cliSummary = QStringLiteral("write the %1 x %2 long picture (default %3)")
                           .arg(CellSize)
                           .arg(CellSize * StripCells)
                           .arg(FormatInfo(DefaultFormat).cliName.toUpper());
    texts.cliOrder = 1;
    texts.proposedName = [](const MVK &project) -> QString {
        return QStringLiteral("Activity_") + project.aName;
    };
    return {texts,
            [](const LongPictureOptions &) -> QString {
                return Tr::tr("动画长图导出完成，你可以使用“魔方”等软件应用到系统。");
            },
            [](const LongPictureOptions &used, const ExportResult &) -> QString {
                return used.target.path + u'\n';
            }};
}

} // namespace

LongPictureExporter::LongPictureExporter()
    : EngineExporter(QStringLiteral("export-long"), PictureFormats(), DefaultFormat, Descriptor())
{}

QList<ExportOptionSpec> LongPictureExporter::options() const
{
    return {FlagOption(NoBackground, Tr::tr("是否去掉全屏背景"))};
}

Status LongPictureExporter::CheckProject(const MVK &project) const
{
    return ReferenceScale(project).status();
}

Result<LongPictureOptions> LongPictureExporter::Resolve(const MVK &,
                                                        const ExportOptions &options) const
{
    return LongPictureOptions{LongPictureTargetFor(options.target, options.format),
                              !options.Flag(NoBackground)};
}

QStringList LongPictureExporter::FilesOf(const LongPictureOptions &used, const MVK &) const
{
    return {used.target.path};
}

ExportResult LongPictureExporter::WriteWith(const ExportSource &source,
                                            const LongPictureOptions &used,
                                            const ExportProgress &progress,
                                            const std::atomic_bool *cancel) const
{
    return ExportLongPicture(source.project, source.backgroundPath, source.framePaths, used,
                             progress, cancel);
}

} // namespace mrv
