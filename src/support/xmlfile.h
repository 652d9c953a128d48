#pragma once

#include "support/result.h"

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

namespace mrv {

/// Largest XML file the program reads; larger ones are refused before they are read.
inline constexpr qint64 MaxXmlFileBytes = 64 * 1024 * 1024;

/// Whether comments and the whitespace between elements survive parsing. Documents that are
/// written back keep them, so that a user's notes and layout in a settings file outlive the
/// next save.
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

/// Whether the file's first lines put elements on lines of their own, indented: such a file is
/// written back in the same form. False for a missing or unreadable file.
bool IsIndentedXml(const QString &path);

/// The document as UTF-8 text: without whitespace between elements, or one element per line
/// with indentation. The pretty form declares standalone="yes".
QByteArray XmlToBytes(const pugi::xml_document &doc, bool pretty);

} // namespace mrv
