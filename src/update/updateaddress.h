#pragma once

#include <QString>
#include <QUrl>

#include <pugixml.hpp>

namespace mrv {

/// The project's own site: the product page's home when no server is configured.
inline const QString BuiltInSite = QStringLiteral("https://mirovane.org");

/// The version server's base address, attribute Server of /Soft/Update; empty when missing.
QString UpdateServerAddress(const pugi::xml_document &config);

/// The text as a web address: an http or https URL with a host, else an empty QUrl.
/// Anything else (file:, a program path, javascript:) must never reach the browser.
QUrl WebAddress(const QString &text);

/// The version query on the server: "/tools/checkver/index.php?soft=Mirovane&mod=xmlverinfo&
/// ver=newest" below the base address. Empty when the base is no web address.
QUrl VersionQueryUrl(const QString &server);

/// The product page "/tools/Mirovane" below the base address; empty when it is no web address.
QUrl ProductPageUrl(const QString &server);

/// The header that keeps caches out of the version query, and its value.
inline constexpr char IfModifiedSinceHeader[] = "If-Modified-Since";
inline constexpr char IfModifiedSinceValue[] = "Thu, 01 Jan 1970 00:00:00 GMT";

} // namespace mrv
