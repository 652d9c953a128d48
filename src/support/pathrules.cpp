#include "support/pathrules.h"

#include <QRegularExpression>

namespace mrv {

bool IsAbsolutePath(const QString &path, PathStyle style)
{
    if (style == PathStyle::Posix && path.startsWith(u'/'))
        return true;
    // Compiled once: every picture path of a project goes through here when it is shown.
    static const QRegularExpression absolute(
        QStringLiteral("(?:[A-Za-z]:|[\\\\/])[\\\\/][^:\\*\\?\"<>\\|]*"),
        QRegularExpression::CaseInsensitiveOption);
    return absolute.match(path).hasMatch();
}

bool IsSeparator(QChar c, PathStyle style)
{
    return c == u'\\' || (style == PathStyle::Posix && c == u'/');
}

QString ResolvePath(const QString &folder, const QString &path, PathStyle style)
{
    if (IsAbsolutePath(path, style))
        return path;
    if (folder.isEmpty())
        return QString();
    if (style == PathStyle::Windows)
        return folder + u'\\' + path;
    QString relative = path;
    relative.replace(u'\\', u'/');
    return folder + u'/' + relative;
}

bool LiesInFolder(const QString &folder, const QString &path, Qt::CaseSensitivity cs,
                  PathStyle style)
{
    if (folder.isEmpty() || path.size() <= folder.size())
        return false;
    if (!path.startsWith(folder, cs))
        return false;
    // A folder given with its trailing separator still counts as a whole folder.
    if (IsSeparator(folder.back(), style))
        return true;
    return IsSeparator(path[folder.size()], style);
}

QString MakeRelative(const QString &folder, const QString &path, PathStyle style)
{
    if (!LiesInFolder(folder, path, Qt::CaseSensitive, style))
        return path;
    const qsizetype cut = IsSeparator(folder.back(), style) ? folder.size() : folder.size() + 1;
    return path.mid(cut);
}

std::optional<QString> FolderOfFile(const QString &filePath, PathStyle style)
{
    const QChar sep = style == PathStyle::Windows ? u'\\' : u'/';
    const qsizetype last = filePath.lastIndexOf(sep);
    if (last < 1)
        return std::nullopt;
    return filePath.left(last);
}

QString HostSeparator()
{
    return HostPathStyle == PathStyle::Windows ? QStringLiteral("\\") : QStringLiteral("/");
}

QString PictureBoxText(const QString &projectFolder, const QString &file, PathStyle style)
{
    const Qt::CaseSensitivity cs =
        style == PathStyle::Windows ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (!LiesInFolder(projectFolder, file, cs, style))
        return file;
    const bool endsInSeparator = IsSeparator(projectFolder.back(), style);
    QString relative = file.mid(projectFolder.size() + (endsInSeparator ? 0 : 1));
    // Project files separate relative paths with "\" wherever they were made, so a project
    // moves between systems unchanged; POSIX resolution reads "\" as a separator.
    relative.replace(u'/', u'\\');
    return relative;
}

} // namespace mrv
