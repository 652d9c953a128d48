#pragma once

#include "export/exporter.h"

namespace mrv {

/// The 1024 x 768 background picture and the folder of frame pictures (ExportProjectImages).
class ProjectImagesExporter final : public Exporter
{
public:
    QString id() const override { return QStringLiteral("export-images"); }
    QString label() const override { return QStringLiteral("导出工程(&E)"); }
    QString menuName() const override { return QStringLiteral("mnuExport"); }
    QString shortcut() const override { return QStringLiteral("Ctrl+E"); }
    QString summary() const override;

    PictureFormat defaultFormat() const override { return PictureFormat::Png; }

    QString dialogTitle() const override { return QStringLiteral("选择工程导出位置"); }
    QString proposedName(const MVK &project) const override;
    QString busyLabel() const override { return QStringLiteral("正在导出工程图片…"); }
    /// Names the background picture and the frame folder.
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
