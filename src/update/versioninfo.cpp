#include "update/versioninfo.h"

#include "support/appinfo.h"
#include "support/xmledit.h"
#include "support/xmlfile.h"

#include <QStringConverter>
#include <QStringDecoder>
#include <QStringList>

namespace mrv {

namespace {

const QString SoftPath = QStringLiteral("/versioninfo/soft");
const QString LogPath = QStringLiteral("/versioninfo/log");

QString attr(const pugi::xml_document &doc, const QString &name, const QString &fallback)
{
    // Without a ceiling a read cannot fail; the fallback covers a missing attribute.
    return XmlGetAttr(doc, SoftPath, name, fallback, 0).value_or(fallback);
}

Result<qint32> parsePart(const QString &part)
{
    const QString digits = part.trimmed();
    if (digits.isEmpty())
        return Result<qint32>::Fail(QStringLiteral("empty version part"));
    for (const QChar c : digits)
        if (c < u'0' || c > u'9')
            return Result<qint32>::Fail(QStringLiteral("version part “%1” is not a number").arg(part));
    bool ok = false;
    const qint32 value = digits.toInt(&ok, 10);
    if (!ok)
        return Result<qint32>::Fail(QStringLiteral("version part “%1” is too large").arg(part));
    return value;
}

QString decodeReply(const QByteArray &body)
{
    const auto encoding = QStringConverter::encodingForData(body);
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
    return decoder.decode(body);
}

} // namespace

VersionNumber RunningVersion()
{
    return {AppInfo::Major(), AppInfo::Minor(), AppInfo::Revision()};
}

QString VersionText(const VersionNumber &version)
{
    return QStringLiteral("%1.%2.%3").arg(version.Major).arg(version.Minor).arg(version.Revision);
}

QString NewestVersionText(const VersionInfo &info)
{
    QString text = VersionText(info.Number());
    if (!info.Beta.isEmpty())
        text += u' ' + info.Beta;
    return text;
}

bool IsNewer(const VersionInfo &info, const VersionNumber &running)
{
    return info.Number() > running;
}

Result<VersionNumber> ParseVersionText(const QString &text)
{
    const QStringList parts = text.split(u'.');
    if (parts.size() < 3)
        return Result<VersionNumber>::Fail(
            QStringLiteral("version “%1” has fewer than three parts").arg(text));
    qint32 numbers[3] = {};
    for (int i = 0; i < 3; ++i) {
        const auto number = parsePart(parts[i]);
        if (!number)
            return number.status();
        numbers[i] = *number;
    }
    return VersionNumber{numbers[0], numbers[1], numbers[2]};
}

Result<VersionInfo> ParseVersionInfo(const pugi::xml_document &doc)
{
    VersionInfo info;
    info.Name = attr(doc, QStringLiteral("name"), {});
    info.Website = attr(doc, QStringLiteral("website"), {});
    const auto version = ParseVersionText(attr(doc, QStringLiteral("version"), QStringLiteral("0.0.0")));
    if (!version)
        return version.status();
    info.Major = version->Major;
    info.Minor = version->Minor;
    info.Revision = version->Revision;
    info.Beta = attr(doc, QStringLiteral("beta"), {});
    info.Time = attr(doc, QStringLiteral("time"), info.Time);
    info.Log = XmlGetText(doc, LogPath, {}, 0).value_or(QString());
    return info;
}

Result<VersionInfo> ParseReply(const QByteArray &body)
{
    const QString text = decodeReply(body);
    if (text.isEmpty())
        return Result<VersionInfo>::Fail(QStringLiteral("empty reply"));
    if (text.startsWith(u"Error", Qt::CaseInsensitive))
        return Result<VersionInfo>::Fail(QStringLiteral("server refused: %1").arg(text.left(200)));
    pugi::xml_document doc;
    const Status parsed = LoadXmlText(doc, body);
    if (!parsed)
        return Result<VersionInfo>::Fail(QStringLiteral("reply is not XML: %1").arg(parsed.message()));
    return ParseVersionInfo(doc);
}

} // namespace mrv
