#pragma once

#include "update/versioninfo.h"

#include <QString>

namespace mrv {

/// Title and text of one update message box.
struct UpdateMessage
{
    QString title;
    QString text;
};

/// Shown after a failed fetch when the check was asked for.
UpdateMessage FetchFailedMessage();

/// Shown when the server names a newer version, asking whether to update now.
UpdateMessage NewVersionMessage(const VersionInfo &info, const VersionNumber &running);

/// Shown after an asked-for check that found nothing newer, offering the web site.
UpdateMessage NoNewVersionMessage(const VersionInfo &info, const VersionNumber &running);

} // namespace mrv
