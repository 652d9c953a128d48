#include "support/regexutil.h"

#include "support/appinfo.h"
#include "support/pathrules.h"

#include <QRegularExpression>

namespace mrv {

namespace {

QRegularExpression compile(const QString &pattern)
{
    return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption);
}

QStringList capturesOf(const QRegularExpressionMatch &match, int groups)
{
    // capturedTexts() stops at the last group that took part; a group that did not is empty.
    QStringList captures = match.capturedTexts();
    while (captures.size() < groups + 1)
        captures.append(QString());
    return captures;
}

} // namespace

QString ExpandTemplate(const QString &templ, const QStringList &captures)
{
    QString out;
    out.reserve(templ.size());
    const int groups = int(captures.size()) - 1;
    for (qsizetype i = 0; i < templ.size(); ++i) {
        const QChar c = templ[i];
        if (c != u'$' || i + 1 >= templ.size()) {
            out += c;
            continue;
        }
        const QChar next = templ[i + 1];
        if (next == u'$') {
            out += u'$';
            ++i;
        } else if (next == u'&') {
            out += captures.value(0);
            ++i;
        } else if (next.isDigit()) {
            // Two digits when that group exists, else one, as the template dialect reads them.
            const int one = next.digitValue();
            if (i + 2 < templ.size() && templ[i + 2].isDigit()) {
                const int two = one * 10 + templ[i + 2].digitValue();
                if (two >= 1 && two <= groups) {
                    out += captures.value(two);
                    i += 2;
                    continue;
                }
            }
            if (one >= 1 && one <= groups) {
                out += captures.value(one);
                ++i;
            } else {
                out += c;
            }
        } else {
            out += c;
        }
    }
    return out;
}

bool RegexTest(const QString &text, const QString &pattern)
{
    return compile(pattern).match(text).hasMatch();
}

QString RegexReplace(const QString &text, const QString &pattern, const QString &templ)
{
    const QRegularExpression re = compile(pattern);
    if (!re.isValid())
        return text;
    QString out;
    qsizetype last = 0;
    auto it = re.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        out += QStringView(text).mid(last, m.capturedStart() - last);
        out += ExpandTemplate(templ, capturesOf(m, re.captureCount()));
        last = m.capturedEnd();
    }
    out += QStringView(text).mid(last);
    return out;
}

QString RegexCollect(const QString &text, const QString &pattern, const QString &defaultText,
                     const QString &templ)
{
    const QRegularExpression re = compile(pattern);
    if (!re.isValid())
        return defaultText;
    auto it = re.globalMatch(text);
    if (!it.hasNext())
        return defaultText;
    QString joined;
    QString lastMatch;
    while (it.hasNext()) {
        const auto m = it.next();
        lastMatch = m.captured(0);
        joined += lastMatch;
    }
    if (templ.isEmpty())
        return joined;
    return RegexReplace(lastMatch, pattern, templ);
}

QString RegexMatches(const QString &text, const QString &pattern, QList<MatchInfo> &matches,
                     const QString &templates)
{
    const QRegularExpression re = compile(pattern);
    if (!re.isValid())
        return QStringLiteral("0");
    const QStringList templs = templates.split(QChar(u'\0'));
    QList<MatchInfo> found;
    auto it = re.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        MatchInfo info;
        info.Position = int(m.capturedStart());
        info.Value = m.captured(0);
        for (const QString &t : templs)
            info.Rewrites.append(RegexReplace(info.Value, pattern, t));
        found.append(std::move(info));
    }
    const qsizetype count = found.size();
    if (count > 0)
        matches = std::move(found);
    return QString::number(count);
}

ExpandContext ExpandContext::Host()
{
    ExpandContext c;
    c.title = AppInfo::Title();
    c.exeFolder = AppInfo::ExeFolder();
    c.exeName = AppInfo::ExeName();
    c.major = AppInfo::Major();
    c.minor = AppInfo::Minor();
    c.revision = AppInfo::Revision();
    c.env = [](const QString &name) { return qEnvironmentVariable(name.toLocal8Bit().constData()); };
    c.posix = HostPathStyle == PathStyle::Posix;
    return c;
}

namespace {

QString envValue(const ExpandContext &context, const QString &name)
{
    return context.env ? context.env(name) : QString();
}

QString resourceDir(const ExpandContext &context)
{
    return envValue(context, QStringLiteral("Windir")) + u"\\Resources";
}

} // namespace

QString ExpandPath(const QString &path)
{
    return ExpandPath(path, ExpandContext::Host());
}

QString ExpandPath(const QString &input, const ExpandContext &context)
{
    QString path = input;
    const QString sep = context.posix ? QStringLiteral("/") : QStringLiteral("\\");
    auto it = compile(QStringLiteral("%(\\w+)%")).globalMatch(input);
    while (it.hasNext()) {
        const auto m = it.next();
        const QString name = m.captured(1);
        QString value;
        if (name.compare(u"AppTitle", Qt::CaseInsensitive) == 0)
            value = context.title;
        else if (name.compare(u"AppPath", Qt::CaseInsensitive) == 0)
            value = context.exeFolder;
        else if (name.compare(u"AppEXEName", Qt::CaseInsensitive) == 0)
            value = context.exeName;
        else if (name.compare(u"ResourceDir", Qt::CaseInsensitive) == 0)
            value = resourceDir(context);
        else
            value = envValue(context, name);
        if (!value.endsWith(u'\\') && !(context.posix && value.endsWith(u'/')))
            value += sep;
        path.replace(m.captured(0), value, Qt::CaseSensitive);
    }

    const PathStyle style = context.posix ? PathStyle::Posix : PathStyle::Windows;
    if (!path.isEmpty() && !IsAbsolutePath(path, style))
        path = context.exeFolder + sep + path;

    if (context.posix) {
        path = RegexReplace(path, QStringLiteral("\\\\"), QStringLiteral("/"));
        path = RegexReplace(path, QStringLiteral("([^/])/{2,}"), QStringLiteral("$1/"));
        path = RegexReplace(path, QStringLiteral("^/{3,}"), QStringLiteral("//"));
    } else {
        path = RegexReplace(path, QStringLiteral("/"), QStringLiteral("\\"));
        path = RegexReplace(path, QStringLiteral("([^\\\\/])\\\\{2,}"), QStringLiteral("$1\\"));
        path = RegexReplace(path, QStringLiteral("^\\\\{3,}"), QStringLiteral("\\\\"));
    }
    return path;
}

QString ExpandText(const QString &text)
{
    return ExpandText(text, ExpandContext::Host());
}

QString ExpandText(const QString &text, const ExpandContext &context)
{
    QString out = text;
    auto it = compile(QStringLiteral("%s\\(([\\w\\.]+?)\\)")).globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        const QString name = m.captured(1);
        auto is = [&name](const char16_t *candidate) {
            return name.compare(QStringView(candidate), Qt::CaseInsensitive) == 0;
        };
        QString value;
        if (is(u"AppTitle"))
            value = context.title;
        else if (is(u"AppPath"))
            value = context.exeFolder;
        else if (is(u"AppEXEName"))
            value = context.exeName;
        else if (is(u"AppMajor"))
            value = QString::number(context.major);
        else if (is(u"AppMinor"))
            value = QString::number(context.minor);
        else if (is(u"AppRevision"))
            value = QString::number(context.revision);
        else if (is(u"AppBeta"))
            value = QString();
        else if (is(u"ResourceDir"))
            value = resourceDir(context);
        else {
            value = envValue(context, name);
            if (value.isEmpty())
                value = name;
        }
        out.replace(m.captured(0), value, Qt::CaseSensitive);
    }
    return out;
}

} // namespace mrv
