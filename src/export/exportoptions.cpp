#include "export/exportoptions.h"

#include "support/frameduration.h"
#include "support/regexutil.h"
#include "support/tr.h"

#include <algorithm>

namespace mrv {

ExportOptionSpec FlagOption(const QString &name, const QString &prompt)
{
    ExportOptionSpec spec;
    spec.name = name;
    spec.kind = OptionKind::Bool;
    spec.defaultValue = false;
    spec.cliFlag = QStringLiteral("--") + name;
    spec.prompt = prompt;
    return spec;
}

ExportOptionSpec IntOption(const QString &name, int value, int minimum, int maximum,
                           const QString &usedValueText, const QString &valueName)
{
    ExportOptionSpec spec = FlagOption(name);
    spec.kind = OptionKind::Int;
    spec.defaultValue = value;
    spec.minimum = minimum;
    spec.maximum = maximum;
    spec.usedValueText = usedValueText;
    spec.valueName = valueName;
    return spec;
}

ExportOptionSpec TextOption(const QString &name, const QString &valueName, const QString &prompt,
                            const QString &promptTitle)
{
    ExportOptionSpec spec = FlagOption(name, prompt);
    spec.kind = OptionKind::Text;
    spec.defaultValue = QString();
    spec.valueName = valueName;
    spec.promptTitle = promptTitle;
    return spec;
}

ExportOptionSpec ChoiceOption(const QString &name, const QString &noun,
                              const QList<OptionChoice> &choices, const QString &prompt)
{
    ExportOptionSpec spec = FlagOption(name, prompt);
    spec.kind = OptionKind::Choice;
    spec.defaultValue = choices.first().value;
    spec.noun = noun;
    spec.choices = choices;
    QStringList words;
    for (const OptionChoice &choice : choices)
        words << choice.value;
    spec.valueName = words.join(u'|');
    return spec;
}

ExportOptionSpec FrameTimeOption(const QString &title)
{
    ExportOptionSpec spec =
        IntOption(FrameTimeOptionName, FrameDuration::Default, FrameDuration::MinWritten,
                  FrameDuration::Max, Tr::tr("每帧 %1 毫秒"), QStringLiteral("MS"));
    spec.prompt = Tr::tr("每帧显示多少毫秒（%1）").arg(FrameDuration::WrittenRange());
    spec.promptTitle = title;
    spec.followsPreview = true;
    return spec;
}

int ClampedDigits(const QString &text, int minimum, int maximum)
{
    const QString digits = RegexCollect(text, QStringLiteral("[\\d]"), QString());
    if (digits.isEmpty())
        return minimum;
    // Leading zeros do not count; more significant digits than the maximum has is above it,
    // however long the number.
    qsizetype first = 0;
    while (first < digits.size() - 1 && digits[first] == u'0')
        ++first;
    const QStringView significant = QStringView(digits).mid(first);
    if (significant.size() > QString::number(maximum).size())
        return maximum;
    bool ok = false;
    const int value = significant.toInt(&ok);
    if (!ok)
        return minimum;
    return std::clamp(value, minimum, maximum);
}

Result<int> WholeNumberIn(const QString &text, int minimum, int maximum)
{
    const auto refuse = [&] {
        return Result<int>::Fail(Tr::tr("应为 %1 到 %2 之间的整数").arg(minimum).arg(maximum));
    };
    QStringView digits(text);
    const bool negative = minimum < 0 && digits.startsWith(u'-');
    if (negative)
        digits = digits.mid(1);
    // toInt would also take "+5", " 5" and non-ASCII digits; a number is written plainly.
    if (digits.isEmpty() ||
        !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return refuse();
    while (digits.size() > 1 && digits.front() == u'0')
        digits = digits.mid(1);
    // Longer than any int: out of every range without overflowing.
    if (digits.size() > 9)
        return refuse();
    const int value = (negative ? -1 : 1) * digits.toInt();
    if (value < minimum || value > maximum)
        return refuse();
    return value;
}

Result<QVariant> OptionFromArgument(const ExportOptionSpec &spec, const QString &text)
{
    if (spec.kind == OptionKind::Bool)
        return QVariant(true);
    if (spec.kind != OptionKind::Int || spec.readsDigits)
        return OptionFromText(spec, text);
    const Result<int> number = WholeNumberIn(text, spec.minimum, spec.maximum);
    if (!number)
        return Result<QVariant>::Fail(
            Tr::tr("%1 “%2”：%3").arg(spec.cliFlag, text, number.message()));
    return QVariant(*number);
}

QVariant OptionFromText(const ExportOptionSpec &spec, const QString &text)
{
    switch (spec.kind) {
    case OptionKind::Bool:
        for (const char *yes : {"yes", "true", "1"})
            if (text.compare(QLatin1StringView(yes), Qt::CaseInsensitive) == 0)
                return true;
        return false;
    case OptionKind::Int:
        return ClampedDigits(text, spec.minimum, spec.maximum);
    case OptionKind::Text:
    case OptionKind::Choice:
        return text;
    }
    return {};
}

Status CheckOptionValue(const ExportOptionSpec &spec, const QVariant &value)
{
    if (value == spec.defaultValue)
        return Status::Ok();
    switch (spec.kind) {
    case OptionKind::Bool:
        return Status::Ok();
    case OptionKind::Int: {
        bool ok = false;
        const int number = value.toInt(&ok);
        if (ok && number >= spec.minimum && number <= spec.maximum)
            return Status::Ok();
        return Status::Fail(Tr::tr("应为 %1 到 %2 之间的整数").arg(spec.minimum).arg(spec.maximum));
    }
    case OptionKind::Choice:
        for (const OptionChoice &choice : spec.choices)
            if (choice.value == value.toString())
                return Status::Ok();
        return Status::Fail(Tr::tr("“%1”不是可选的值").arg(value.toString()));
    case OptionKind::Text:
        return spec.check ? spec.check(value.toString()) : Status::Ok();
    }
    return Status::Ok();
}

QMap<QString, QString> StoredOptionValues(const QList<ExportOptionSpec> &specs,
                                          const ExportOptions &options)
{
    QMap<QString, QString> stored;
    for (const ExportOptionSpec &spec : specs) {
        const QVariant value = options.values.value(spec.name, spec.defaultValue);
        stored.insert(spec.name, spec.kind == OptionKind::Bool
                                     ? QString::number(value.toBool() ? 1 : 0)
                                     : value.toString());
    }
    return stored;
}

namespace {

/// A stored text as the option's value; none when it does not say one.
std::optional<QVariant> StoredValue(const ExportOptionSpec &spec, const QString &text)
{
    switch (spec.kind) {
    case OptionKind::Bool:
        if (text == u"1" || text == u"0")
            return QVariant(text == u"1");
        return std::nullopt;
    case OptionKind::Int: {
        bool ok = false;
        const int number = text.toInt(&ok);
        return ok ? std::optional<QVariant>(number) : std::nullopt;
    }
    case OptionKind::Text:
    case OptionKind::Choice:
        return QVariant(text);
    }
    return std::nullopt;
}

} // namespace

void ApplyStoredOptionValues(const QList<ExportOptionSpec> &specs,
                             const QMap<QString, QString> &stored, ExportOptions &options)
{
    for (const ExportOptionSpec &spec : specs) {
        const auto found = stored.constFind(spec.name);
        if (found == stored.constEnd())
            continue;
        const std::optional<QVariant> value = StoredValue(spec, *found);
        if (value && CheckOptionValue(spec, *value))
            options.values.insert(spec.name, *value);
    }
}

} // namespace mrv
