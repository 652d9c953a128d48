#include "export/plymouthexporter.h"

#include "export/exportgeometry.h"
#include "project/mvk.h"
#include "support/tr.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace mrv {

namespace {

const QString Name = QStringLiteral("name");
QString Title()
{
    return Tr::tr("Linux 开机主题");
}

/// Why the wanted name gives no theme name: it has no character a name can keep.
Status NameLeavesSomething(const QString &wanted)
{
    if (SafePlymouthName(wanted).isEmpty())
        return Status::Fail(Tr::tr("“%1”中没有英文字母或数字，不能作主题名称").arg(wanted));
    return Status::Ok();
}

ExportDescriptor<PlymouthOptions> Descriptor()
{
    ExportTexts texts;
    texts.menuText = QT_TRANSLATE_NOOP("Mirovane", "导出 Linux 开机主题(&P)...");
    texts.menuName = QStringLiteral("mnuExportPlymouth");
    texts.menuPlace = {2, 3};
    texts.dialogTitle = QT_TRANSLATE_NOOP("Mirovane", "选择 Linux 开机主题的保存文件夹");
    texts.busyLabel = QT_TRANSLATE_NOOP("Mirovane", "正在导出 Linux 开机主题…");
    texts.cliSummary = QStringLiteral("write a Linux Plymouth theme into DIR/NAME");
    texts.cliOutput = QStringLiteral("DIR");
    texts.cliOrder = 5;
    texts.destination = ExportDestination::Folder;
    texts.proposedName = [](const MVK &project) -> QString {
        return PlymouthThemeName(project.aName);
    };
    return {texts,
            // Names the theme's folder and how to install it.
            [](const PlymouthOptions &used) -> QString {
                return Tr::tr("Linux 开机主题已导出到“%1”。\n安装：以 root 身份把该文件夹"
                              "复制到 /usr/share/plymouth/themes/，再运行 "
                              "plymouth-set-default-theme -R %2")
                    .arg(QDir::toNativeSeparators(QDir(used.folder).filePath(used.name)),
                         used.name);
            },
            [](const PlymouthOptions &, const ExportResult &result) -> QString {
                if (result.written.isEmpty())
                    return QStringLiteral("0 files\n");
                return QStringLiteral("%1 (%2 files)\n")
                    .arg(QFileInfo(result.written.last()).absolutePath())
                    .arg(result.written.size());
            }};
}

} // namespace

PlymouthExporter::PlymouthExporter()
    : EngineExporter(QStringLiteral("export-plymouth"),
                     std::span(&FormatInfo(PictureFormat::Png), 1), PictureFormat::Png,
                     Descriptor())
{}

QList<ExportOptionSpec> PlymouthExporter::options() const
{
    ExportOptionSpec name =
        TextOption(Name, QStringLiteral("NAME"),
                   Tr::tr("主题名称（英文字母、数字和“-”，其他字符会换成“-”）"), Title());
    name.proposal = [](const MVK &project) -> QString { return PlymouthThemeName(project.aName); };
    // A name with nothing usable is refused, not replaced by one the user never chose.
    name.check = [](const QString &text) {
        if (text.trimmed().isEmpty())
            return Status::Fail(Tr::tr("主题名称不能为空"));
        return NameLeavesSomething(text);
    };
    name.writtenAs = [](const QString &text) { return SafePlymouthName(text); };
    return {name, FrameTimeOption(Title())};
}

Status PlymouthExporter::CheckProject(const MVK &project) const
{
    // The background is drawn at the screen's own size; past this it cannot be held at once.
    constexpr int MaxSide = 16384;
    if (qint64(project.aWidth) * project.aHeight > qint64(MaxSide) * MaxSide)
        return Status::Fail(Tr::tr("工程的屏幕尺寸 %1 × %2 太大：Linux 开机主题的背景图片按屏幕尺寸"
                                   "绘制，最多 %3 × %3 像素，无法导出。")
                                .arg(project.aWidth)
                                .arg(project.aHeight)
                                .arg(MaxSide));
    return SequenceAreaOf(project).status();
}

Result<PlymouthOptions> PlymouthExporter::Resolve(const MVK &project,
                                                  const ExportOptions &options) const
{
    // A theme without a name is named after the project.
    const QString name = options.Text(Name).trimmed();
    if (name.isEmpty())
        return PlymouthOptions{options.target, PlymouthThemeName(project.aName),
                               options.Number(FrameTimeOptionName)};
    if (const Status usable = NameLeavesSomething(name); !usable)
        return usable;
    return PlymouthOptions{options.target, SafePlymouthName(name),
                           options.Number(FrameTimeOptionName)};
}

QStringList PlymouthExporter::FilesOf(const PlymouthOptions &used, const MVK &project) const
{
    return PlymouthThemeFiles(used, project.aFrame.Count());
}

ExportResult PlymouthExporter::WriteWith(const ExportSource &source, const PlymouthOptions &used,
                                         const ExportProgress &progress,
                                         const std::atomic_bool *cancel) const
{
    return ExportPlymouthTheme(source, used, progress, cancel);
}

} // namespace mrv
