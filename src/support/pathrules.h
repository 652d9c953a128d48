#pragma once

#include <QString>

#include <optional>

namespace mrv {

/// Which separator rules a path follows. Project files store paths with Windows rules;
/// on POSIX hosts "\" is also a separator and a leading "/" is absolute.
enum class PathStyle { Windows, Posix };

#ifdef Q_OS_WIN
inline constexpr PathStyle HostPathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle HostPathStyle = PathStyle::Posix;
#endif

/// A drive letter with colon then a separator, or two separators in a row, anywhere in the
/// text; on POSIX also a leading "/".
bool IsAbsolutePath(const QString &path, PathStyle style = HostPathStyle);

/// An absolute path unchanged; a relative one appended to the folder with the style's separator.
/// On POSIX every "\" of the relative part becomes "/". A relative path names nothing while
/// there is no folder (a project that was never saved): the result is empty, so it is neither
/// drawn nor read from wherever the program happens to run.
QString ResolvePath(const QString &folder, const QString &path, PathStyle style = HostPathStyle);

/// True when the character is a path separator under the style.
bool IsSeparator(QChar c, PathStyle style = HostPathStyle);

/// True when the path lies inside the folder: it begins with the folder text followed by a
/// separator. An empty folder contains nothing.
bool LiesInFolder(const QString &folder, const QString &path, Qt::CaseSensitivity cs,
                  PathStyle style = HostPathStyle);

/// The path without the folder and its separator when it lies in the folder (case-sensitive),
/// else unchanged.
QString MakeRelative(const QString &folder, const QString &path, PathStyle style = HostPathStyle);

/// The text a chosen picture file puts into a path box: the path inside the project folder,
/// written with the "\" separator of project files, when the file lies in that folder (the
/// folder text followed by a separator); else the full path. With Windows rules the folder is
/// matched without regard to letter case; on POSIX hosts, whose file names differ by case,
/// with it. An empty folder contains nothing.
QString PictureBoxText(const QString &projectFolder, const QString &file,
                       PathStyle style = HostPathStyle);

/// The folder of a file path: the part before its last separator ("\" on Windows, "/" on
/// POSIX) when that separator is not the first character; none otherwise.
std::optional<QString> FolderOfFile(const QString &filePath, PathStyle style = HostPathStyle);

/// The host's separator as text.
QString HostSeparator();

} // namespace mrv
