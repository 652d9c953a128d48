#pragma once

#include "support/result.h"

#include <QByteArray>
#include <QString>

#include <atomic>

#include <pugixml.hpp>

namespace mrv {

class MVK;
struct SaveOptions;

/// Fills the project from a file; on any failure the project is left unchanged.
Status ReadProjectFile(MVK &project, const QString &path);

/// Writes the project file through a temporary file. See MVK::SaveFile. A cancel flag set
/// (by a signal) before the file is in place fails the save and leaves the file as it was.
Status WriteProjectFile(MVK &project, const QString &path, const SaveOptions &options,
                        const std::atomic_bool *cancel = nullptr);

/// The project's XML text as SaveFile writes it (paths taken as they are in the project).
QByteArray ProjectToBytes(const MVK &project, bool pretty);

/// The editor's validity check before opening a file.
Status CheckProjectDocument(const QString &path);

/// Why the file does not load as a project, in words for a log: missing, a folder, too
/// large, unreadable, not XML (the parser's reason and line), no or another root element, or
/// no Config element. Empty when it loads; a bad attribute is named by the read itself.
QString ProjectFileProblem(const QString &path);

/// Writes a document pretty-printed; the unformatted form is never needed as a fallback
/// because the pretty form is produced from the same parsed tree.
Status formatDoc(const pugi::xml_document &doc, const QString &path);

} // namespace mrv
