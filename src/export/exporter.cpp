#include "export/exporter.h"

#include "support/frameduration.h"
#include "support/tr.h"

#include <QFileInfo>

namespace mrv {

Exporter::Exporter(QString id, std::span<const PictureFormatInfo> formats,
                   PictureFormat defaultFormat, const ExportTexts &texts)
    : m_id(std::move(id)), m_formats(formats), m_defaultFormat(defaultFormat), m_texts(texts)
{}

QList<PictureFormat> Exporter::formats() const
{
    QList<PictureFormat> all;
    for (const PictureFormatInfo &info : m_formats)
        all << info.format;
    return all;
}

QString Exporter::label() const
{
    // A target without a text of its own is still offered, under its command's name.
    if (!m_texts.menuText || !*m_texts.menuText)
        return m_id;
    return Tr::tr(m_texts.menuText);
}

QString Exporter::dialogTitle() const
{
    return Tr::tr(m_texts.dialogTitle);
}

QString Exporter::busyLabel() const
{
    return Tr::tr(m_texts.busyLabel);
}

QString Exporter::menuName() const
{
    // A target added without a name of its own still gets an entry that tests and layouts
    // can find.
    return m_texts.menuName.isEmpty() ? QStringLiteral("mnu") + m_id : m_texts.menuName;
}

QString Exporter::proposedName(const MVK &project) const
{
    return m_texts.proposedName ? m_texts.proposedName(project) : QString();
}

QList<PictureFormat> Exporter::dialogFormats() const
{
    const std::span<const PictureFormatInfo> still = PictureFormats();
    const bool stillTypes = m_formats.data() == still.data() && m_formats.size() == still.size();
    if (m_texts.destination != ExportDestination::PictureFile || stillTypes)
        return {};
    return formats();
}

Result<PictureFormat> Exporter::cliFormat(const QString *nameGiven, const QString &out) const
{
    return CliFormat(m_formats, nameGiven, out, m_defaultFormat);
}

QString Exporter::cliUsage() const
{
    QString usage = m_id + QStringLiteral(" PROJECT ") + outputName();
    if (m_formats.size() > 1)
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

void Exporter::ProposeOptions(const MVK &project, std::optional<int> previewFrameTime,
                              ExportOptions &options) const
{
    for (const ExportOptionSpec &spec : this->options()) {
        if (spec.proposal)
            options.values.insert(spec.name, spec.proposal(project));
        if (spec.followsPreview && previewFrameTime)
            options.values.insert(spec.name, FrameDuration::Written(*previewFrameTime));
    }
}

Status Exporter::CheckOptions(const ExportOptions &options) const
{
    for (const ExportOptionSpec &spec : this->options()) {
        if (spec.kind != OptionKind::Choice || !options.values.contains(spec.name))
            continue;
        const QString word = options.Text(spec.name);
        QStringList words;
        for (const OptionChoice &choice : spec.choices) {
            if (choice.value == word)
                return Status::Ok();
            words << choice.value;
        }
        const QString offered =
            words.size() < 2 ? words.join(QString())
                             : Tr::tr("%1 或 %2")
                                   .arg(words.mid(0, words.size() - 1)
                                            .join(Tr::tr("、", "between the items of a list")),
                                        words.last());
        return Status::Fail(Tr::tr("%1“%2”无效，只能是 %3").arg(spec.noun, word, offered));
    }
    return Status::Ok();
}

bool Exporter::OptionUsed(const QString &name, const ExportOptions &options) const
{
    const std::optional<ExportOptionSpec> spec = option(name);
    return !spec || !spec->usedWhen || spec->usedWhen(options);
}

ExportResult Exporter::Run(const ExportSource &source, const ExportOptions &options,
                           const ExportProgress &progress, const std::atomic_bool *cancel) const
{
    ExportResult result;
    if (!formats().contains(options.format)) {
        result.status = Status::Fail(
            Tr::tr("此导出不能写 %1 格式的图片").arg(FormatInfo(options.format).cliName.toUpper()));
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
    result = Write(source, options, progress, cancel);
    if (!result.status)
        return result;
    // Never removed unasked: they may be the user's own files of the same names.
    result.leftovers = Leftovers(source.project, options, result.written);
    if (!result.leftovers.isEmpty() && options.Flag(RemoveStaleOptionName)) {
        if (const Status removed = RemoveFiles(result.leftovers); !removed)
            result.warnings << removed.message();
        QStringList stay;
        for (const QString &path : std::as_const(result.leftovers))
            (QFileInfo::exists(path) ? stay : result.removed) << path;
        result.leftovers = stay;
    }
    return result;
}

} // namespace mrv
