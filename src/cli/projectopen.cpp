#include "cli/projectopen.h"

#include <QDir>
#include <QFileInfo>

namespace mrv::cli {

QString AbsoluteArgument(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

std::optional<MVK> OpenProjectArgument(const QString &path, QTextStream &err)
{
    const QString absolute = AbsoluteArgument(path);
    if (const Status valid = CheckProjectFile(absolute); !valid) {
        err << valid.message() << "\n";
        return std::nullopt;
    }
    MVK project;
    if (const Status read = project.OpenFile(absolute); !read) {
        err << read.message() << "\n";
        return std::nullopt;
    }
    return project;
}

} // namespace mrv::cli
