#pragma once

#include "support/result.h"

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

#include <compare>

namespace mrv {

/// Major, minor and revision, compared in that order.
struct VersionNumber
{
    qint32 Major = 0;
    qint32 Minor = 0;
    qint32 Revision = 0;

    friend auto operator<=>(const VersionNumber &, const VersionNumber &) = default;
};

/// What the version server says about the newest release.
struct VersionInfo
{
    QString Name;
    QString Website;
    qint32 Major = 0;
    qint32 Minor = 0;
    qint32 Revision = 0;
    QString Beta;
    QString Time = QStringLiteral("0000-00-00");
    QString Log;

    VersionNumber Number() const { return {Major, Minor, Revision}; }
};

/// The version of the running program (1.4.34).
VersionNumber RunningVersion();

/// "major.minor.revision".
QString VersionText(const VersionNumber &version);

/// The newest version as shown to the user: the numbers, then a space and the beta label if any.
QString NewestVersionText(const VersionInfo &info);

/// True when the reply names a later release than the given one; the beta label plays no part.
bool IsNewer(const VersionInfo &info, const VersionNumber &running);

/// Reads "a.b.c" (further parts ignored). Fewer than three parts, or a part among the first
/// three that is not a decimal 32-bit number, is an error.
Result<VersionNumber> ParseVersionText(const QString &text);

/// Reads /versioninfo/soft and /versioninfo/log; missing values take their defaults
/// (a missing version reads as 0.0.0). A version text that does not read is an error.
Result<VersionInfo> ParseVersionInfo(const pugi::xml_document &doc);

/// The whole reply body: empty, a body beginning with "Error" (any letter case), text that is
/// not XML with a root element, or an unreadable version is an error.
Result<VersionInfo> ParseReply(const QByteArray &body);

} // namespace mrv
