#include "export/projectimagesexporter.h"

#include "export/exportgeometry.h"
#include "export/exportnames.h"
#include "export/projectimages.h"
#include "project/mvk.h"

#include <QDir>

namespace mrv {

QString ProjectImagesExporter::summary() const
{
    return QStringLiteral("write the %1 x %2 background picture and the _Frame folder")
        .arg(ReferenceWidth)
        .arg(ReferenceHeight);
}

QString ProjectImagesExporter::proposedName(const MVK &project) const
{
    return project.aName;
}

QString ProjectImagesExporter::doneMessage(const MVK &, const ExportOptions &options) const
{
    const ProjectImagesTarget target = ProjectImagesTargetFor(options.target, options.format);
    return QStringLiteral("背景图片已保存到“") + QDir::toNativeSeparators(target.backgroundPath) +
           QStringLiteral("”，") + u'\n' + QStringLiteral("帧动画文件夹名“") + target.baseName +
           QStringLiteral("_Frame”");
}

QString ProjectImagesExporter::cliReport(const ExportResult &result,
                                         const ExportOptions &options) const
{
    const ProjectImagesTarget target = ProjectImagesTargetFor(options.target, options.format);
    return target.backgroundPath + u'\n' + target.frameFolder +
           QStringLiteral(" (%1 frames)\n").arg(result.written.size() - 1);
}

QStringList ProjectImagesExporter::outputFiles(const MVK &project,
                                               const ExportOptions &options) const
{
    return ProjectImageFiles(ProjectImagesTargetFor(options.target, options.format),
                             project.aFrame.Count());
}

Status ProjectImagesExporter::CheckProject(const MVK &project) const
{
    return ReferenceScale(project).status();
}

ExportResult ProjectImagesExporter::Write(const ExportSource &source, const ExportOptions &options,
                                          const ExportProgress &progress,
                                          const std::atomic_bool *cancel) const
{
    return ExportProjectImages(source.project, source.backgroundPath, source.framePaths,
                               ProjectImagesTargetFor(options.target, options.format), progress,
                               cancel);
}

} // namespace mrv
