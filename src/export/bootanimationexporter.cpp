#include "export/bootanimationexporter.h"

#include "export/bootanimation.h"
#include "export/bootparts.h"
#include "export/exportgeometry.h"
#include "project/mvk.h"

#include <QDir>

namespace mrv {

namespace {

const QString Size = QStringLiteral("size");
const QString JpegQuality = QStringLiteral("jpeg-quality");

QString SizeText(int width, int height)
{
    return QStringLiteral("%1x%2").arg(width).arg(height);
}

} // namespace

QString BootAnimationExporter::summary() const
{
    return QStringLiteral("write an Android bootanimation.zip (default: the project's size)");
}

QList<ExportOptionSpec> BootAnimationExporter::options() const
{
    ExportOptionSpec size;
    size.name = Size;
    size.kind = OptionKind::Text;
    size.defaultValue = QString();
    size.cliFlag = QStringLiteral("--size");
    size.valueName = QStringLiteral("WxH");
    size.prompt = QStringLiteral("手机屏幕大小（宽x高，如 1080x1920）");
    size.promptTitle = QStringLiteral("Android 开机动画");
    // Empty stands for the project's size; anything else must name a screen.
    size.check = [](const QString &text) {
        return text.trimmed().isEmpty() ? Status::Ok() : ParseBootAnimationSize(text).status();
    };

    ExportOptionSpec jpeg;
    jpeg.name = JpegQuality;
    jpeg.kind = OptionKind::Int;
    jpeg.defaultValue = BootAnimationPng;
    jpeg.cliFlag = QStringLiteral("--jpeg-quality");
    jpeg.minimum = 0;
    jpeg.maximum = 100;
    jpeg.usedValueText = QStringLiteral("JPEG 质量 %1");
    jpeg.valueName = QStringLiteral("Q");

    return {size, FrameTimeOption(QStringLiteral("Android 开机动画")), jpeg};
}

void BootAnimationExporter::ProposeOptions(const MVK &project, std::optional<int> previewFrameTime,
                                           ExportOptions &options) const
{
    options.values.insert(Size, SizeText(project.aWidth, project.aHeight));
    ProposeFrameTime(previewFrameTime, options);
}

FileType BootAnimationExporter::fileType() const
{
    return {QStringLiteral("Android 开机动画(*.zip)"), QStringLiteral("zip")};
}

QString BootAnimationExporter::proposedName(const MVK &) const
{
    return QStringLiteral("bootanimation.zip");
}

QString BootAnimationExporter::doneMessage(const MVK &, const ExportOptions &options) const
{
    return QStringLiteral("Android 开机动画已导出到“%1”。")
        .arg(QDir::toNativeSeparators(BootAnimationPathFor(options.target)));
}

QString BootAnimationExporter::cliReport(const ExportResult &, const ExportOptions &options) const
{
    const AndroidTiming timing = AndroidTimingFor(options.Number(FrameTimeOptionName));
    const int jpegQuality = options.Number(JpegQuality);
    return QStringLiteral("%1 (%2 fps, each picture %3x%4)\n")
        .arg(BootAnimationPathFor(options.target))
        .arg(timing.fps)
        .arg(timing.repeat)
        .arg(jpegQuality == BootAnimationPng ? QString()
                                             : QStringLiteral(", JPEG quality %1").arg(jpegQuality));
}

QStringList BootAnimationExporter::outputFiles(const MVK &, const ExportOptions &options) const
{
    return {BootAnimationPathFor(options.target)};
}

Status BootAnimationExporter::CheckProject(const MVK &project) const
{
    return ReferenceScale(project).status();
}

ExportResult BootAnimationExporter::Write(const ExportSource &source, const ExportOptions &options,
                                          const ExportProgress &progress,
                                          const std::atomic_bool *cancel) const
{
    const QString sizeText = options.Text(Size).trimmed();
    const Result<QSize> screen =
        sizeText.isEmpty()
            ? ParseBootAnimationSize(SizeText(source.project.aWidth, source.project.aHeight))
            : ParseBootAnimationSize(sizeText);
    if (!screen) {
        ExportResult refused;
        refused.Refuse(screen.status());
        return refused;
    }
    const BootAnimationOptions engine{BootAnimationPathFor(options.target), *screen,
                                      options.Number(FrameTimeOptionName),
                                      options.Number(JpegQuality)};
    return ExportBootAnimation(source, engine, progress, cancel);
}

} // namespace mrv
