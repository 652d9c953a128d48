#include "editor/screenscale.h"

#include "support/regexutil.h"

namespace mrv {

namespace {

std::optional<int> side(const QString &digits)
{
    bool ok = false;
    const qlonglong value = digits.toLongLong(&ok);
    if (!ok || value < 1 || value > 32767)
        return std::nullopt;
    return int(value);
}

} // namespace

QString ScreenScaleText(int width, int height)
{
    return QString::number(width) + u'*' + QString::number(height);
}

std::optional<QSize> ParseScreenScale(const QString &text)
{
    if (!RegexTest(text, QStringLiteral("\\d+\\*\\d+")))
        return std::nullopt;
    QList<MatchInfo> matches;
    const QString count = RegexMatches(text, QStringLiteral("(\\d+)\\*(\\d+)"), matches,
                                       QStringLiteral("$1") + QChar(0) + QStringLiteral("$2"));
    if (count.toInt() == 0 || matches.isEmpty() || matches.first().Rewrites.size() < 2)
        return std::nullopt;
    const auto w = side(matches.first().Rewrites.at(0));
    const auto h = side(matches.first().Rewrites.at(1));
    if (!w || !h)
        return std::nullopt;
    return QSize(*w, *h);
}

} // namespace mrv
