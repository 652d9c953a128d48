#include "export/animationexporter.h"

#include "export/exportnames.h"
#include "project/mvk.h"
#include "support/frameduration.h"
#include "support/tr.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace mrv {

const QString AnimationExporter::Loops = QStringLiteral("loops");
const QString AnimationExporter::Area = QStringLiteral("area");
const QString AnimationExporter::Width = QStringLiteral("width");
const QString AnimationExporter::FrameTime = FrameTimeOptionName;
const QString AnimationExporter::Repeat = QStringLiteral("repeat");
const QString AnimationExporter::NoBackground = QStringLiteral("no-background");
const QString AnimationExporter::Quality = QStringLiteral("quality");
const QString AnimationExporter::AreaCell = QStringLiteral("cell");
const QString AnimationExporter::AreaScreen = QStringLiteral("screen");

namespace {

constexpr int MinLoops = 1, MaxLoops = 255;
constexpr int MinWidth = 16, MaxWidth = 1024;

/// The chosen path with the format's extension appended unless its file name contains it or
/// the format's other extension (".apng").
QString OutputPath(const QString &chosenPath, PictureFormat format)
{
    const QString alias = FormatInfo(format).alias;
    if (!alias.isEmpty() && QFileInfo(chosenPath).fileName().contains(alias, Qt::CaseInsensitive))
        return chosenPath;
    return LongPictureTargetFor(chosenPath, format).path;
}

ExportDescriptor<AnimationOptions> Descriptor()
{
    ExportTexts texts;
    texts.menuText = QT_TRANSLATE_NOOP("Mirovane", "导出动画图片(&G)...");
    texts.menuName = QStringLiteral("mnuExportAnimation");
    texts.menuPlace = {2, 2};
    texts.dialogTitle = QT_TRANSLATE_NOOP("Mirovane", "选择保存的动画图片文件名");
    texts.busyLabel = QT_TRANSLATE_NOOP("Mirovane", "正在导出动画图片…");
    texts.cliSummary = QStringLiteral("write the animation as an animated picture: intro once, "
                                      "then the loop (default GIF, 3 loops; gif, webp or apng)");
    texts.cliOrder = 4;
    texts.proposedName = [](const MVK &project) -> QString { return project.aName; };
    return {texts, [](const AnimationOptions &) -> QString { return Tr::tr("动画图片导出完成。"); },
            [](const AnimationOptions &used, const ExportResult &) -> QString {
                return used.path + u'\n';
            }};
}

} // namespace

AnimationExporter::AnimationExporter()
    : EngineExporter(QStringLiteral("export-animation"), AnimationFormats(), PictureFormat::Gif,
                     Descriptor())
{}

QList<ExportOptionSpec> AnimationExporter::options() const
{
    ExportOptionSpec loops =
        IntOption(Loops, 3, MinLoops, MaxLoops, Tr::tr("循环 %1 次"), QStringLiteral("N"));
    loops.prompt = Tr::tr("循环部分播放几次");
    const ExportOptionSpec area =
        ChoiceOption(Area, Tr::tr("区域"),
                     {{AreaCell, Tr::tr("动画区域（200×200）")}, {AreaScreen, Tr::tr("整个屏幕")}},
                     Tr::tr("画面"));
    ExportOptionSpec width =
        IntOption(Width, 640, MinWidth, MaxWidth, Tr::tr("宽度 %1"), QStringLiteral("W"));
    width.prompt = Tr::tr("整个屏幕时的宽度（像素）");
    width.usedWhen = [](const ExportOptions &values) { return values.Text(Area) == AreaScreen; };
    ExportOptionSpec frameTime = FrameTimeOption();
    frameTime.usedValueText = Tr::tr("帧时间 %1 毫秒");
    ExportOptionSpec quality =
        IntOption(Quality, WebPLossless, 0, 100, Tr::tr("质量 %1"), QStringLiteral("Q"));
    quality.prompt = Tr::tr("WebP 质量");
    quality.usedWhen = [](const ExportOptions &values) {
        return values.format == PictureFormat::WebP;
    };
    return {loops,
            area,
            width,
            frameTime,
            FlagOption(Repeat, Tr::tr("循环播放")),
            FlagOption(NoBackground, Tr::tr("去掉全屏背景")),
            quality};
}

Result<AnimationOptions> AnimationExporter::Resolve(const MVK &, const ExportOptions &options) const
{
    AnimationOptions used;
    used.path = OutputPath(options.target, options.format);
    used.format = options.format;
    // Values set directly (the editor's frame time may be 0) keep to the options' ranges.
    used.loops = std::clamp(options.Number(Loops), MinLoops, MaxLoops);
    used.area = options.Text(Area) == AreaScreen ? AnimationArea::Screen : AnimationArea::Cell;
    used.screenWidth = std::clamp(options.Number(Width), MinWidth, MaxWidth);
    used.frameMs = FrameDuration::Written(options.Number(FrameTime));
    used.repeat = options.Flag(Repeat);
    used.includeBackground = !options.Flag(NoBackground);
    used.quality = options.Number(Quality);
    return used;
}

QStringList AnimationExporter::FilesOf(const AnimationOptions &used, const MVK &) const
{
    return {used.path};
}

Status AnimationExporter::CheckProject(const MVK &project) const
{
    return CheckAnimationProject(project);
}

ExportResult AnimationExporter::WriteWith(const ExportSource &source, const AnimationOptions &used,
                                          const ExportProgress &progress,
                                          const std::atomic_bool *cancel) const
{
    return ExportAnimation(source, used, progress, cancel);
}

} // namespace mrv
