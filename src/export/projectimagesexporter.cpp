#include "export/projectimagesexporter.h"

#include "export/exportgeometry.h"
#include "export/projectimages.h"
#include "project/mvk.h"
#include "support/tr.h"

#include <QCoreApplication>
#include <QDir>

namespace mrv {

namespace {

ExportDescriptor<ProjectImagesTarget> Descriptor()
{
    ExportTexts texts;
    texts.menuText = QT_TRANSLATE_NOOP("Mirovane", "导出工程(&E)");
    texts.menuName = QStringLiteral("mnuExport");
    texts.shortcut = QStringLiteral("Ctrl+E");
    texts.menuPlace = {1, 1};
    texts.dialogTitle = QT_TRANSLATE_NOOP("Mirovane", "选择工程导出位置");
    texts.busyLabel = QT_TRANSLATE_NOOP("Mirovane", "正在导出工程图片…");
    texts.cliSummary = QStringLiteral("write the %1 x %2 background picture and the _Frame folder")
                           .arg(ReferenceWidth)
                           .arg(ReferenceHeight);
    texts.cliOrder = 3;
    texts.proposedName = [](const MVK &project) -> QString { return project.aName; };
    return {texts,
            // Names the background picture and the frame folder.
            [](const ProjectImagesTarget &used) -> QString {
                return Tr::tr("背景图片已保存到“%1”，\n帧动画文件夹名“%2_Frame”")
                    .arg(QDir::toNativeSeparators(used.backgroundPath), used.baseName);
            },
            [](const ProjectImagesTarget &used, const ExportResult &result) -> QString {
                return used.backgroundPath + u'\n' + used.frameFolder +
                       QStringLiteral(" (%1 frames)\n").arg(result.written.size() - 1);
            }};
}

} // namespace

ProjectImagesExporter::ProjectImagesExporter()
    : EngineExporter(QStringLiteral("export-images"), PictureFormats(), PictureFormat::Png,
                     Descriptor())
{}

QList<ExportOptionSpec> ProjectImagesExporter::options() const
{
    return {FlagOption(RemoveStaleOptionName)};
}

std::optional<NumberedSet> ProjectImagesExporter::NumberedSetOf(
    const ProjectImagesTarget &used) const
{
    return NumberedSet{used.frameFolder, QString(), used.extension};
}

Status ProjectImagesExporter::CheckProject(const MVK &project) const
{
    return ReferenceScale(project).status();
}

Result<ProjectImagesTarget> ProjectImagesExporter::Resolve(const MVK &,
                                                           const ExportOptions &options) const
{
    return ProjectImagesTargetFor(options.target, options.format);
}

QStringList ProjectImagesExporter::FilesOf(const ProjectImagesTarget &used,
                                           const MVK &project) const
{
    return ProjectImageFiles(used, project.aFrame.Count());
}

ExportResult ProjectImagesExporter::WriteWith(const ExportSource &source,
                                              const ProjectImagesTarget &used,
                                              const ExportProgress &progress,
                                              const std::atomic_bool *cancel) const
{
    return ExportProjectImages(source.project, source.backgroundPath, source.framePaths, used,
                               progress, cancel);
}

} // namespace mrv
