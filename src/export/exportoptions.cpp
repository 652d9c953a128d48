#include "export/exportoptions.h"

#include "support/regexutil.h"

#include <algorithm>

namespace mrv {

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
        return text;
    }
    return {};
}

} // namespace mrv
