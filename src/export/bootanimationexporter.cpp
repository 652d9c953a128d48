#include "export/bootanimationexporter.h"

#include "export/exportgeometry.h"
#include "project/mvk.h"
#include "support/tr.h"

#include <QCoreApplication>
#include <QDir>

namespace mrv {

namespace {

const QString Size = QStringLiteral("size");
const QString JpegQuality = QStringLiteral("jpeg-quality");
QString Title()
{
    return Tr::tr("Android 开机动画");
}

QString SizeText(int width, int height)
{
    return QStringLiteral("%1x%2").arg(width).arg(height);
}

ExportDescriptor<BootAnimationOptions> Descriptor()
{
    ExportTexts texts;
    texts.menuText = QT_TRANSLATE_NOOP("Mirovane", "导出 Android 开机动画(&D)...");
    texts.menuName = QStringLiteral("mnuExportBootAnimation");
    texts.menuPlace = {2, 4};
    texts.dialogTitle = QT_TRANSLATE_NOOP("Mirovane", "选择 Android 开机动画的保存位置");
    texts.busyLabel = QT_TRANSLATE_NOOP("Mirovane", "正在导出 Android 开机动画…");
    texts.cliSummary =
        QStringLiteral("write an Android bootanimation.zip (default: the project's size)");
    texts.cliOutput = QStringLiteral("OUT.zip");
    texts.cliOrder = 6;
    texts.destination = ExportDestination::File;
    texts.fileType = {QStringLiteral(QT_TRANSLATE_NOOP("Mirovane", "Android 开机动画(*.zip)")),
                      QStringLiteral("zip")};
    texts.proposedName = [](const MVK &) -> QString { return QStringLiteral("bootanimation.zip"); };
    return {texts,
            [](const BootAnimationOptions &used) -> QString {
                return Tr::tr("Android 开机动画已导出到“%1”。")
                    .arg(QDir::toNativeSeparators(used.path));
            },
            [](const BootAnimationOptions &used, const ExportResult &) -> QString {
                const AndroidTiming timing = AndroidTimingFor(used.frameTime);
                return QStringLiteral("%1 (%2 fps, each picture %3x%4)\n")
                    .arg(used.path)
                    .arg(timing.fps)
                    .arg(timing.repeat)
                    .arg(used.jpegQuality == BootAnimationPng
                             ? QString()
                             : QStringLiteral(", JPEG quality %1").arg(used.jpegQuality));
            }};
}

} // namespace

BootAnimationExporter::BootAnimationExporter()
    : EngineExporter(QStringLiteral("export-bootanimation"),
                     std::span(&FormatInfo(PictureFormat::Png), 1), PictureFormat::Png,
                     Descriptor())
{}

QList<ExportOptionSpec> BootAnimationExporter::options() const
{
    ExportOptionSpec size = TextOption(Size, QStringLiteral("WxH"),
                                       Tr::tr("手机屏幕大小（宽x高，如 1080x1920）"), Title());
    // Empty stands for the project's size; anything else must name a screen.
    size.check = [](const QString &text) {
        return text.trimmed().isEmpty() ? Status::Ok() : ParseBootAnimationSize(text).status();
    };
    size.proposal = [](const MVK &project) -> QString {
        return SizeText(project.aWidth, project.aHeight);
    };

    ExportOptionSpec jpeg = IntOption(JpegQuality, BootAnimationPng, 0, 100,
                                      Tr::tr("JPEG 质量 %1"), QStringLiteral("Q"));
    jpeg.prompt = Tr::tr("画面存为 PNG，Android 说明的格式；JPEG 小几倍，只用于确知能播放它的设备");
    return {size, FrameTimeOption(Title()), jpeg};
}

Status BootAnimationExporter::CheckProject(const MVK &project) const
{
    return ReferenceScale(project).status();
}

Result<BootAnimationOptions> BootAnimationExporter::Resolve(const MVK &project,
                                                            const ExportOptions &options) const
{
    const QString sizeText = options.Text(Size).trimmed();
    const Result<QSize> screen = ParseBootAnimationSize(
        sizeText.isEmpty() ? SizeText(project.aWidth, project.aHeight) : sizeText);
    if (!screen)
        return screen.status();
    return BootAnimationOptions{BootAnimationPathFor(options.target), *screen,
                                options.Number(FrameTimeOptionName), options.Number(JpegQuality)};
}

QStringList BootAnimationExporter::FilesOf(const BootAnimationOptions &used, const MVK &) const
{
    return {used.path};
}

ExportResult BootAnimationExporter::WriteWith(const ExportSource &source,
                                              const BootAnimationOptions &used,
                                              const ExportProgress &progress,
                                              const std::atomic_bool *cancel) const
{
    return ExportBootAnimation(source, used, progress, cancel);
}

} // namespace mrv
