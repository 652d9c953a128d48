#pragma once

#include "export/exporter.h"

namespace mrv {

/// The 200 x 21000 long picture that boot-screen tools apply (ExportLongPicture).
class LongPictureExporter final : public Exporter
{
public:
    QString id() const override { return QStringLiteral("export-long"); }
    QString label() const override { return QStringLiteral("导出长图动画"); }
    QString menuName() const override { return QStringLiteral("mnuExportLongPic"); }
    QString summary() const override;

    PictureFormat defaultFormat() const override { return PictureFormat::Bmp; }
    /// "no-background": leave out the full-screen background.
    QList<ExportOptionSpec> options() const override;

    QString dialogTitle() const override { return QStringLiteral("选择保存的长图文件名"); }
    QString proposedName(const MVK &project) const override;
    QString busyLabel() const override { return QStringLiteral("正在导出动画长图…"); }
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
