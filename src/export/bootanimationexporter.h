#pragma once

#include "export/exporter.h"

namespace mrv {

/// An Android boot screen: bootanimation.zip of whole-screen pictures (ExportBootAnimation).
class BootAnimationExporter final : public Exporter
{
public:
    QString id() const override { return QStringLiteral("export-bootanimation"); }
    QString label() const override { return QStringLiteral("导出 Android 开机动画(&D)..."); }
    QString menuName() const override { return QStringLiteral("mnuExportBootAnimation"); }
    QString summary() const override;
    QString outputName() const override { return QStringLiteral("OUT.zip"); }

    QList<PictureFormat> formats() const override { return {PictureFormat::Png}; }
    PictureFormat defaultFormat() const override { return PictureFormat::Png; }
    /// "size": the screen as "WxH" (proposed: the project's size); "frame-time": milliseconds
    /// per frame, 1..65535 (proposed: the preview's); "jpeg-quality": JPEG pictures at that
    /// quality, 0..100, instead of PNG.
    QList<ExportOptionSpec> options() const override;
    void ProposeOptions(const MVK &project, std::optional<int> previewFrameTime,
                        ExportOptions &options) const override;
    ExportDestination destination() const override { return ExportDestination::File; }
    FileType fileType() const override;

    QString dialogTitle() const override
    {
        return QStringLiteral("选择 Android 开机动画的保存位置");
    }
    QString proposedName(const MVK &project) const override;
    QString busyLabel() const override { return QStringLiteral("正在导出 Android 开机动画…"); }
    QString doneMessage(const MVK &project, const ExportOptions &options) const override;
    QString cliReport(const ExportResult &result, const ExportOptions &options) const override;
    QStringList outputFiles(const MVK &project, const ExportOptions &options) const override;

protected:
    Status CheckProject(const MVK &project) const override;
    ExportResult Write(const ExportSource &source, const ExportOptions &options,
                       const ExportProgress &progress,
                       const std::atomic_bool *cancel) const override;
};

} // namespace mrv
