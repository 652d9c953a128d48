#pragma once

#include "support/frameduration.h"
#include "support/result.h"

#include <QString>

#include <pugixml.hpp>

namespace mrv {

/// Reads a frame time typed in the options dialog: up to five digits, from 1 to 65535 as the
/// exports take it. Fails with the message the dialog shows: "只允许输入整数" for anything
/// that is not a whole number (an empty box included), "只允许输入1-65535" for a number out
/// of range.
Result<int> ParseFrameTime(const QString &text);

/// Element of the window document that holds the play timer's interval of a window.
QString FrameTimePath(const QString &windowName);

/// The interval the play timer of the named window gets from the window document when the
/// window loads, or the 75 ms the timer starts with when the document gives none it takes.
int StoredFrameTime(const pugi::xml_node &windowDocument, const QString &windowName);

/// Writes the interval under the window's element of the window document, creating the
/// root and the elements when missing.
Status StoreFrameTime(pugi::xml_document &windowDocument, const QString &windowName, int ms);

} // namespace mrv
