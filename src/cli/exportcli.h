#pragma once

#include "cli/cliapp.h"
#include "support/result.h"

#include <QString>
#include <QStringList>

namespace mrv::cli {

/// The export file type (1-based position in the export types) the CLI uses: the one named by
/// --format (png, bmp, jpg, gif, tif); without it, the one whose extension OUT ends with
/// (lower case only); otherwise the default of the command's save dialog. An unknown --format
/// fails.
Result<int> ExportTypeForCli(const QString *format, const QString &out, int defaultIndex);

/// One warning line per picture that could not be read.
void WarnUnreadable(const QStringList &unreadable, QTextStream &err);

/// Lets a write beyond the process's file-size limit fail with an error instead of ending the
/// process, so that the command can report it.
void ReportFileSizeLimitAsError();

/// The commands of the long-picture import and the demo project.
Command ImportLongCommand();
Command DemoCommand();

} // namespace mrv::cli
