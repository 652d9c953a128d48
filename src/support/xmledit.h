#pragma once

#include "support/result.h"

#include <QString>

#include <pugixml.hpp>

#include <optional>
#include <vector>

namespace mrv {

// Path-addressed access to values in a parsed XML document. A path is absolute ("/Soft/Window"):
// element names joined by "/", always evaluated from the document's root, whichever node of the
// document is passed. The index picks one of the matches in document order, 0 for the first.
// Reads never fail for a missing element or attribute; the default comes back verbatim.
// With a ceiling, a value read from the document keeps only its "-" and digit characters, is
// taken as a 32-bit integer and lowered to the ceiling; text that is no integer is an error.

/// All elements matching the path, in document order. Empty for a malformed path.
std::vector<pugi::xml_node> XmlSelect(const pugi::xml_node &node, const QString &path);

Result<QString> XmlGetText(const pugi::xml_node &node, const QString &path,
                           const QString &defaultText, int index,
                           std::optional<qint32> ceiling = std::nullopt);

Result<QString> XmlGetAttr(const pugi::xml_node &node, const QString &path, const QString &attr,
                           const QString &defaultText, int index,
                           std::optional<qint32> ceiling = std::nullopt);

int XmlCount(const pugi::xml_node &node, const QString &path);

/// Appends a new element under the index-th match of the parent path, creating missing
/// ancestors under the first match of their own parents. The root is never created.
Status XmlAppendElement(const pugi::xml_node &node, const QString &parentPath,
                        const QString &name, const QString &text, int index);

/// Adds (or replaces) an attribute of the index-th match, which must exist.
Status XmlAddAttr(const pugi::xml_node &node, const QString &path, const QString &attr,
                  const QString &value, int index);

/// Sets an attribute, creating the element (and its missing ancestors) and the attribute.
Status XmlSetAttr(const pugi::xml_node &node, const QString &path, const QString &attr,
                  const QString &value, int index);

/// The ceiling rule on a text read from a document.
Result<QString> ApplyCeiling(const QString &value, const QString &defaultText, qint32 ceiling);

/// Conversions between Qt text and pugixml's UTF-8.
inline std::string ToUtf8(const QString &text) { return text.toStdString(); }
inline QString FromUtf8(const char *text) { return QString::fromUtf8(text); }

} // namespace mrv
