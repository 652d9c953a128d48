#include "export/plymouthexporter.h"

#include "export/bootparts.h"
#include "export/exportgeometry.h"
#include "export/plymouththeme.h"
#include "project/mvk.h"

#include <QDir>
#include <QFileInfo>

namespace mrv {

namespace {

const QString Name = QStringLiteral("name");

/// The engine's options; a theme without a name is named after the project.
PlymouthOptions EngineOptions(const MVK &project, const ExportOptions &options)
{
    const QString name = options.Text(Name).trimmed();
    return {options.target, PlymouthThemeName(name.isEmpty() ? project.aName : name),
            options.Number(FrameTimeOptionName)};
}

} // namespace

QString PlymouthExporter::summary() const
{
    return QStringLiteral("write a Linux Plymouth theme into DIR/NAME");
}

QList<ExportOptionSpec> PlymouthExporter::options() const
{
    ExportOptionSpec name;
    name.name = Name;
    name.kind = OptionKind::Text;
    name.defaultValue = QString();
    name.cliFlag = QStringLiteral("--name");
    name.valueName = QStringLiteral("NAME");
    name.prompt = QStringLiteral("主题名称（英文字母、数字和“-”，其他字符会换成“-”）");
    name.promptTitle = QStringLiteral("Linux 开机主题");

    return {name, FrameTimeOption(QStringLiteral("Linux 开机主题"))};
}

void PlymouthExporter::ProposeOptions(const MVK &project, std::optional<int> previewFrameTime,
                                      ExportOptions &options) const
{
    options.values.insert(Name, PlymouthThemeName(project.aName));
    ProposeFrameTime(previewFrameTime, options);
}

QString PlymouthExporter::proposedName(const MVK &project) const
{
    return PlymouthThemeName(project.aName);
}

QString PlymouthExporter::doneMessage(const MVK &project, const ExportOptions &options) const
{
    const PlymouthOptions used = EngineOptions(project, options);
    return QStringLiteral("Linux 开机主题已导出到“%1”。\n安装：以 root 身份把该文件夹复制到 "
                          "/usr/share/plymouth/themes/，再运行 plymouth-set-default-theme -R %2")
        .arg(QDir::toNativeSeparators(QDir(used.folder).filePath(used.name)), used.name);
}

QString PlymouthExporter::cliReport(const ExportResult &result, const ExportOptions &) const
{
    if (result.written.isEmpty())
        return QStringLiteral("0 files\n");
    return QStringLiteral("%1 (%2 files)\n")
        .arg(QFileInfo(result.written.last()).absolutePath())
        .arg(result.written.size());
}

QStringList PlymouthExporter::outputFiles(const MVK &project, const ExportOptions &options) const
{
    return PlymouthThemeFiles(EngineOptions(project, options), project.aFrame.Count());
}

Status PlymouthExporter::CheckProject(const MVK &project) const
{
    return SequenceAreaOf(project).status();
}

ExportResult PlymouthExporter::Write(const ExportSource &source, const ExportOptions &options,
                                     const ExportProgress &progress,
                                     const std::atomic_bool *cancel) const
{
    return ExportPlymouthTheme(source, EngineOptions(source.project, options), progress, cancel);
}

} // namespace mrv
