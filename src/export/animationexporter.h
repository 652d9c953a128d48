#pragma once

#include "export/animationexport.h"
#include "export/exporter.h"

namespace mrv {

/// The boot animation as an animated picture (GIF, WebP, APNG) that plays the intro once and
/// then the loop part a chosen number of times, at the preview's frame time.
class AnimationExporter final : public Exporter
{
public:
    QString id() const override { return QStringLiteral("export-animation"); }
    QString label() const override { return QStringLiteral("导出动画图片(&G)..."); }
    QString menuName() const override { return QStringLiteral("mnuExportAnimation"); }
    QString summary() const override;

    QList<PictureFormat> formats() const override;
    PictureFormat defaultFormat() const override { return PictureFormat::Gif; }
    Result<PictureFormat> cliFormat(const QString *nameGiven, const QString &out) const override;
    QList<PictureFormat> dialogFormats() const override { return formats(); }
    /// "loops" (1..255, 3), "area" ("cell" or "screen"), "width" (16..1024, 640), "frame-time"
    /// (ms, 1..65535, 75), "repeat", "no-background" and "quality" (WebP: 0..100 lossy; not
    /// given: lossless).
    QList<ExportOptionSpec> options() const override;
    /// Proposes the preview's frame time.
    void ProposeOptions(const MVK &project, std::optional<int> previewFrameTime,
                        ExportOptions &options) const override;
    Status CheckOptions(const ExportOptions &options) const override;
    /// The width counts only for the whole-screen area, the quality only for WebP.
    bool OptionUsed(const QString &name, const ExportOptions &options) const override;

    QString dialogTitle() const override { return QStringLiteral("选择保存的动画图片文件名"); }
    QString proposedName(const MVK &project) const override;
    QString busyLabel() const override { return QStringLiteral("正在导出动画图片…"); }
    QString doneMessage(const MVK &project, const ExportOptions &options) const override;
    QString cliReport(const ExportResult &result, const ExportOptions &options) const override;
    QStringList outputFiles(const MVK &project, const ExportOptions &options) const override;

    /// The engine's options for these option values.
    static AnimationOptions EngineOptions(const ExportOptions &options);
    /// The chosen path with the format's extension appended unless its file name contains it
    /// (".apng" counts for APNG).
    static QString OutputPath(const QString &chosenPath, PictureFormat format);

    /// Option names, as the editor's options dialog sets them.
    static const QString Loops;
    static const QString Area;
    static const QString Width;
    static const QString FrameTime;
    static const QString Repeat;
    static const QString NoBackground;
    static const QString Quality;
    static const QString AreaCell;
    static const QString AreaScreen;

protected:
    Status CheckProject(const MVK &project) const override;
    ExportResult Write(const ExportSource &source, const ExportOptions &options,
                       const ExportProgress &progress,
                       const std::atomic_bool *cancel) const override;
};

} // namespace mrv
