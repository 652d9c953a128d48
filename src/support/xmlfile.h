#pragma once

#include "support/result.h"

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

namespace mrv {

/// Largest XML file the program reads; larger ones are refused before they are read.
inline constexpr qint64 MaxXmlFileBytes = 64 * 1024 * 1024;

/// Whether comments survive parsing. Documents that are written back keep them, so that a
/// user's notes in a settings file outlive the next save.
enum class XmlComments
{
    Drop,
    Keep
};

/// Parses a whole file into the document. Fails for a missing, unreadable, oversized or
/// malformed file.
Status LoadXmlFile(pugi::xml_document &doc, const QString &path,
                   XmlComments comments = XmlComments::Drop);

/// Parses UTF-8 text into the document.
Status LoadXmlText(pugi::xml_document &doc, const QByteArray &utf8,
                   XmlComments comments = XmlComments::Drop);

/// The document as UTF-8 text: without whitespace between elements, or one element per line
/// with indentation. The pretty form declares standalone="yes".
QByteArray XmlToBytes(const pugi::xml_document &doc, bool pretty);

/// Writes bytes through a temporary file that replaces the target only when complete, so a
/// failed or interrupted save leaves the old file intact. The error names the path and reason.
Status WriteFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace mrv
