#include "export/animationexporter.h"

#include "export/bootparts.h"
#include "export/exportnames.h"
#include "project/mvk.h"

#include <QFileInfo>

#include <algorithm>

namespace mrv {

const QString AnimationExporter::Loops = QStringLiteral("loops");
const QString AnimationExporter::Area = QStringLiteral("area");
const QString AnimationExporter::Width = QStringLiteral("width");
const QString AnimationExporter::FrameTime = QStringLiteral("frame-time");
const QString AnimationExporter::Repeat = QStringLiteral("repeat");
const QString AnimationExporter::NoBackground = QStringLiteral("no-background");
const QString AnimationExporter::Quality = QStringLiteral("quality");
const QString AnimationExporter::AreaCell = QStringLiteral("cell");
const QString AnimationExporter::AreaScreen = QStringLiteral("screen");

namespace {

constexpr int MinLoops = 1, MaxLoops = 255;
constexpr int MinWidth = 16, MaxWidth = 1024;
constexpr int MinFrameTime = 1, MaxFrameTime = 65535;

ExportOptionSpec intOption(const QString &name, int value, int minimum, int maximum,
                           const QString &usedValueText, const QString &valueName)
{
    ExportOptionSpec spec;
    spec.name = name;
    spec.kind = OptionKind::Int;
    spec.defaultValue = value;
    spec.cliFlag = QStringLiteral("--") + name;
    spec.minimum = minimum;
    spec.maximum = maximum;
    spec.usedValueText = usedValueText;
    spec.valueName = valueName;
    return spec;
}

ExportOptionSpec flagOption(const QString &name)
{
    ExportOptionSpec spec;
    spec.name = name;
    spec.kind = OptionKind::Bool;
    spec.defaultValue = false;
    spec.cliFlag = QStringLiteral("--") + name;
    return spec;
}

} // namespace

QString AnimationExporter::summary() const
{
    return QStringLiteral("write the animation as an animated picture: intro once, then the loop "
                          "(default GIF, 3 loops; gif, webp or apng)");
}

QList<PictureFormat> AnimationExporter::formats() const
{
    QList<PictureFormat> all;
    for (const PictureFormatInfo &info : AnimationFormats())
        all << info.format;
    return all;
}

Result<PictureFormat> AnimationExporter::cliFormat(const QString *nameGiven,
                                                   const QString &out) const
{
    return CliAnimationFormat(nameGiven, out, defaultFormat());
}

QList<ExportOptionSpec> AnimationExporter::options() const
{
    ExportOptionSpec loops =
        intOption(Loops, 3, MinLoops, MaxLoops, QStringLiteral("循环 %1 次"), QStringLiteral("N"));
    loops.prompt = QStringLiteral("循环部分播放几次");
    ExportOptionSpec area;
    area.name = Area;
    area.kind = OptionKind::Choice;
    area.defaultValue = AreaCell;
    area.cliFlag = QStringLiteral("--area");
    area.valueName = QStringLiteral("cell|screen");
    area.prompt = QStringLiteral("画面");
    area.choices = {{AreaCell, QStringLiteral("动画区域（200×200）")},
                    {AreaScreen, QStringLiteral("整个屏幕")}};
    ExportOptionSpec width =
        intOption(Width, 640, MinWidth, MaxWidth, QStringLiteral("宽度 %1"), QStringLiteral("W"));
    width.prompt = QStringLiteral("整个屏幕时的宽度（像素）");
    ExportOptionSpec frameTime = intOption(FrameTime, 75, MinFrameTime, MaxFrameTime,
                                           QStringLiteral("帧时间 %1 毫秒"), QStringLiteral("MS"));
    frameTime.prompt = QStringLiteral("每帧显示多少毫秒（1-65535）");
    ExportOptionSpec repeat = flagOption(Repeat);
    repeat.prompt = QStringLiteral("循环播放");
    ExportOptionSpec noBackground = flagOption(NoBackground);
    noBackground.prompt = QStringLiteral("去掉全屏背景");
    ExportOptionSpec quality =
        intOption(Quality, WebPLossless, 0, 100, QStringLiteral("质量 %1"), QStringLiteral("Q"));
    quality.prompt = QStringLiteral("WebP 质量");
    return {loops, area, width, frameTime, repeat, noBackground, quality};
}

void AnimationExporter::ProposeOptions(const MVK &, std::optional<int> previewFrameTime,
                                       ExportOptions &options) const
{
    ProposeFrameTime(previewFrameTime, options);
}

Status AnimationExporter::CheckOptions(const ExportOptions &options) const
{
    const QString area = options.Text(Area);
    if (area != AreaCell && area != AreaScreen)
        return Status::Fail(QStringLiteral("区域“%1”无效，只能是 cell 或 screen").arg(area));
    return Status::Ok();
}

bool AnimationExporter::OptionUsed(const QString &name, const ExportOptions &options) const
{
    if (name == Width)
        return options.Text(Area) == AreaScreen;
    if (name == Quality)
        return options.format == PictureFormat::WebP;
    return true;
}

QString AnimationExporter::proposedName(const MVK &project) const
{
    return project.aName;
}

QString AnimationExporter::doneMessage(const MVK &, const ExportOptions &) const
{
    return QStringLiteral("动画图片导出完成。");
}

QString AnimationExporter::cliReport(const ExportResult &, const ExportOptions &options) const
{
    return OutputPath(options.target, options.format) + u'\n';
}

QStringList AnimationExporter::outputFiles(const MVK &, const ExportOptions &options) const
{
    return {OutputPath(options.target, options.format)};
}

AnimationOptions AnimationExporter::EngineOptions(const ExportOptions &options)
{
    AnimationOptions engine;
    engine.path = OutputPath(options.target, options.format);
    engine.format = options.format;
    // Values set directly (the editor's frame time may be 0) keep to the options' ranges.
    engine.loops = std::clamp(options.Number(Loops), MinLoops, MaxLoops);
    engine.area = options.Text(Area) == AreaScreen ? AnimationArea::Screen : AnimationArea::Cell;
    engine.screenWidth = std::clamp(options.Number(Width), MinWidth, MaxWidth);
    engine.frameMs = std::clamp(options.Number(FrameTime), MinFrameTime, MaxFrameTime);
    engine.repeat = options.Flag(Repeat);
    engine.includeBackground = !options.Flag(NoBackground);
    engine.quality = options.Number(Quality);
    return engine;
}

QString AnimationExporter::OutputPath(const QString &chosenPath, PictureFormat format)
{
    if (format == PictureFormat::Apng &&
        QFileInfo(chosenPath).fileName().contains(QStringLiteral(".apng"), Qt::CaseInsensitive))
        return chosenPath;
    return LongPictureTargetFor(chosenPath, format).path;
}

Status AnimationExporter::CheckProject(const MVK &project) const
{
    return CheckAnimationProject(project);
}

ExportResult AnimationExporter::Write(const ExportSource &source, const ExportOptions &options,
                                      const ExportProgress &progress,
                                      const std::atomic_bool *cancel) const
{
    return ExportAnimation(source, EngineOptions(options), progress, cancel);
}

} // namespace mrv
