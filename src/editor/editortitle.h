#pragma once

#include <QString>

namespace mrv {

/// The file name shown in the title: the part of the project's file path after its folder
/// and separator, or "NewMRV.mrv" when there is none.
QString TitleFileNameOf(const QString &filePath, const QString &fileFolder);

/// The window title: the base caption, a space, the file name, and "*" when changed.
QString EditorTitle(const QString &baseCaption, const QString &titleFileName, bool changed);

} // namespace mrv
