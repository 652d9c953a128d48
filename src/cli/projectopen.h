#pragma once

#include "project/mvk.h"

#include <QString>
#include <QTextStream>

#include <optional>

namespace mrv::cli {

/// Makes the path absolute, checks it as the editor's open does and reads it. On failure the
/// editor's message goes to err, followed on the next line by the path and, when the file
/// itself is at fault, the reason; nothing is returned (exit code 2 for the caller).
std::optional<MVK> OpenProjectArgument(const QString &path, QTextStream &err);

/// A path argument made absolute against the current folder.
QString AbsoluteArgument(const QString &path);

} // namespace mrv::cli
