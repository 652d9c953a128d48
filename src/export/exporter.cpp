#include "export/exporter.h"

namespace mrv {

QList<PictureFormat> Exporter::formats() const
{
    QList<PictureFormat> all;
    for (const PictureFormatInfo &info : PictureFormats())
        all << info.format;
    return all;
}

Result<PictureFormat> Exporter::cliFormat(const QString *nameGiven, const QString &out) const
{
    return CliPictureFormat(nameGiven, out, defaultFormat());
}

Status Exporter::CheckOptions(const ExportOptions &) const
{
    return Status::Ok();
}

bool Exporter::OptionUsed(const QString &, const ExportOptions &) const
{
    return true;
}

void Exporter::ProposeOptions(const MVK &, std::optional<int>, ExportOptions &) const
{}

QString Exporter::cliUsage() const
{
    QString usage = id() + QStringLiteral(" PROJECT ") + outputName();
    if (formats().size() > 1)
        usage += QStringLiteral(" [--format F]");
    for (const ExportOptionSpec &spec : options())
        usage += spec.kind == OptionKind::Bool
                     ? QStringLiteral(" [%1]").arg(spec.cliFlag)
                     : QStringLiteral(" [%1 %2]").arg(spec.cliFlag, spec.valueName);
    return usage;
}

ExportOptions Exporter::defaultOptions(const QString &target, PictureFormat format) const
{
    ExportOptions chosen{target, format, {}};
    for (const ExportOptionSpec &spec : options())
        chosen.values.insert(spec.name, spec.defaultValue);
    return chosen;
}

std::optional<ExportOptionSpec> Exporter::option(const QString &name) const
{
    for (const ExportOptionSpec &spec : options())
        if (spec.name == name)
            return spec;
    return std::nullopt;
}

ExportResult Exporter::Run(const ExportSource &source, const ExportOptions &options,
                           const ExportProgress &progress, const std::atomic_bool *cancel) const
{
    ExportResult result;
    if (!formats().contains(options.format)) {
        result.status = Status::Fail(QStringLiteral("此导出不能写 %1 格式的图片")
                                         .arg(FormatInfo(options.format).cliName.toUpper()));
        return result;
    }
    if (const Status usable = CheckOptions(options); !usable) {
        result.status = usable;
        return result;
    }
    if (const Status accepted = CheckProject(source.project); !accepted) {
        result.Refuse(accepted);
        return result;
    }
    if (IsCancelled(cancel)) {
        result.Cancel();
        return result;
    }
    return Write(source, options, progress, cancel);
}

} // namespace mrv
