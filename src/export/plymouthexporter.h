#pragma once

#include "export/exporter.h"

namespace mrv {

/// A Linux boot screen: a Plymouth theme of the script plugin, written into a folder
/// (ExportPlymouthTheme).
class PlymouthExporter final : public Exporter
{
public:
    QString id() const override { return QStringLiteral("export-plymouth"); }
    QString label() const override { return QStringLiteral("导出 Linux 开机主题(&P)..."); }
    QString menuName() const override { return QStringLiteral("mnuExportPlymouth"); }
    QString summary() const override;
    QString outputName() const override { return QStringLiteral("DIR"); }

    QList<PictureFormat> formats() const override { return {PictureFormat::Png}; }
    PictureFormat defaultFormat() const override { return PictureFormat::Png; }
    /// "name": the theme's name, made safe for file names (proposed from the project's);
    /// "frame-time": milliseconds per frame, 1..65535 (proposed: the preview's).
    QList<ExportOptionSpec> options() const override;
    void ProposeOptions(const MVK &project, std::optional<int> previewFrameTime,
                        ExportOptions &options) const override;
    ExportDestination destination() const override { return ExportDestination::Folder; }

    QString dialogTitle() const override
    {
        return QStringLiteral("选择 Linux 开机主题的保存文件夹");
    }
    QString proposedName(const MVK &project) const override;
    QString busyLabel() const override { return QStringLiteral("正在导出 Linux 开机主题…"); }
    /// Names the theme's folder and how to install it.
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
