#include "update/updateaddress.h"

#include "support/xmledit.h"

namespace mrv {

namespace {

// A base may carry a folder ("https://host/mirror"); the fixed paths go below it.
QUrl below(const QString &server, const QString &path)
{
    QUrl url = WebAddress(server);
    if (url.isEmpty())
        return {};
    QString base = url.path();
    while (base.endsWith(u'/'))
        base.chop(1);
    url.setPath(base + path);
    url.setQuery(QString());
    url.setFragment(QString());
    return url;
}

} // namespace

QString UpdateServerAddress(const pugi::xml_document &config)
{
    return XmlGetAttr(config, QStringLiteral("/Soft/Update"), QStringLiteral("Server"), {}, 0)
        .value_or(QString())
        .trimmed();
}

QUrl WebAddress(const QString &text)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return {};
    const QString scheme = url.scheme().toLower();
    if (scheme != u"http" && scheme != u"https")
        return {};
    return url;
}

QUrl VersionQueryUrl(const QString &server)
{
    QUrl url = below(server, QStringLiteral("/tools/checkver/index.php"));
    if (!url.isEmpty())
        url.setQuery(QStringLiteral("soft=Mirovane&mod=xmlverinfo&ver=newest"));
    return url;
}

QUrl ProductPageUrl(const QString &server)
{
    return below(server, QStringLiteral("/tools/Mirovane"));
}

} // namespace mrv
