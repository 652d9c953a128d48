#include "export/bootanimationexporter.h"

#include "export/bootanimation.h"
#include "export/exportgeometry.h"
#include "project/mvk.h"

#include <QDir>

namespace mrv {

namespace {

const QString Size = QStringLiteral("size");
const QString FrameTime = QStringLiteral("frame-time");

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

    ExportOptionSpec frameTime;
    frameTime.name = FrameTime;
    frameTime.kind = OptionKind::Int;
    frameTime.defaultValue = 75;
    frameTime.cliFlag = QStringLiteral("--frame-time");
    frameTime.valueName = QStringLiteral("MS");
    frameTime.minimum = 1;
    frameTime.maximum = 65535;
    frameTime.prompt = QStringLiteral("每帧显示多少毫秒（1-65535）");
    frameTime.promptTitle = QStringLiteral("Android 开机动画");
    frameTime.usedValueText = QStringLiteral("每帧 %1 毫秒");
    return {size, frameTime};
}

void BootAnimationExporter::ProposeOptions(const MVK &project, std::optional<int> previewFrameTime,
                                           ExportOptions &options) const
{
    options.values.insert(Size, SizeText(project.aWidth, project.aHeight));
    if (previewFrameTime)
        options.values.insert(FrameTime, std::clamp(*previewFrameTime, 1, 65535));
}

FileType BootAnimationExporter::fileType() const
{
    return {QStringLiteral("Android 开机动画(*.zip)"), QStringLiteral("zip")};
}

QString BootAnimationExporter::proposedName(const MVK &) const
{
    return QStringLiteral("bootanimation.zip");
}

QString BootAnimationExporter::doneMessage(const ExportOptions &options) const
{
    return QStringLiteral("Android 开机动画已导出到“%1”。")
        .arg(QDir::toNativeSeparators(BootAnimationPathFor(options.target)));
}

QString BootAnimationExporter::cliReport(const ExportResult &, const ExportOptions &options) const
{
    const AndroidTiming timing = AndroidTimingFor(options.Number(FrameTime));
    return QStringLiteral("%1 (%2 fps, each picture %3x)\n")
        .arg(BootAnimationPathFor(options.target))
        .arg(timing.fps)
        .arg(timing.repeat);
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
                                      options.Number(FrameTime)};
    return ExportBootAnimation(source, engine, progress, cancel);
}

} // namespace mrv
