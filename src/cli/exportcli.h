#pragma once

#include "cli/cliapp.h"

#include <QString>
#include <QStringList>

namespace mrv::cli {

/// One warning line per picture that could not be read.
void WarnUnreadable(const QStringList &unreadable, QTextStream &err);

/// Lets a write beyond the process's file-size limit fail with an error instead of ending the
/// process, so that the command can report it.
void ReportFileSizeLimitAsError();

/// The commands of the long-picture import and the demo project.
Command ImportLongCommand();
/// Replaces the frames with a folder's pictures or an animated picture's frames.
Command ImportFramesCommand();
Command DemoCommand();

} // namespace mrv::cli
