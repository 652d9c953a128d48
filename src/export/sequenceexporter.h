#pragma once

#include "export/exporter.h"

namespace mrv {

/// The numbered frame sequence in playing order (ExportFrameSequence).
class SequenceExporter final : public Exporter
{
public:
    QString id() const override { return QStringLiteral("export-sequence"); }
    QString label() const override { return QStringLiteral("导出动画帧序列(&F)"); }
    QString menuName() const override { return QStringLiteral("mnuExAniFrame"); }
    QString shortcut() const override { return QStringLiteral("Ctrl+L"); }
    QString summary() const override;
    QString outputName() const override { return QStringLiteral("PREFIX"); }

    PictureFormat defaultFormat() const override { return PictureFormat::Png; }
    /// "loops": how often the loop part is written, 1..255, proposed 2; "no-background":
    /// keep the pictures transparent around the frames.
    QList<ExportOptionSpec> options() const override;

    QString dialogTitle() const override { return QStringLiteral("请输入动画序列前缀"); }
    QString proposedName(const MVK &project) const override;
    QString busyLabel() const override { return QStringLiteral("正在导出动画帧序列…"); }
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
