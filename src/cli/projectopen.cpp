#include "cli/projectopen.h"

#include <QDir>
#include <QFileInfo>

namespace mrv::cli {

QString AbsoluteArgument(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

namespace {

/// The editor's message as it stands (scripts may look for it), then the file and the reason.
void reportUnopened(const Status &failure, const QString &path, QTextStream &err)
{
    err << failure.message() << "\n" << QDir::toNativeSeparators(path);
    if (const QString problem = DescribeProjectFileProblem(path); !problem.isEmpty())
        err << ": " << problem;
    err << "\n";
}

} // namespace

std::optional<MVK> OpenProjectArgument(const QString &path, QTextStream &err)
{
    const QString absolute = AbsoluteArgument(path);
    if (const Status valid = CheckProjectFile(absolute); !valid) {
        reportUnopened(valid, absolute, err);
        return std::nullopt;
    }
    MVK project;
    if (const Status read = project.OpenFile(absolute); !read) {
        reportUnopened(read, absolute, err);
        return std::nullopt;
    }
    return project;
}

} // namespace mrv::cli
