#include "project/mvk.h"

#include "project/projectfile.h"
#include "support/bootgeometry.h"
#include "support/pathrules.h"
#include "support/tr.h"

namespace mrv {

void MVK::AddNew()
{
    aName = Tr::tr("Win7全屏开机动画");
    aWidth = ReferenceWidth;
    aHeight = ReferenceHeight;
    aBackground = aImage{QStringLiteral("NewMRV\\Background.jpg"), 0, 0};
    aFrame = ::mrv::aFrame();
    aFrame.Reserve(BootFrames);
    for (int n = 0; n < BootFrames; ++n)
        aFrame.Add(QStringLiteral("NewMRV\\%1.png").arg(n, 3, 10, QChar(u'0')), 0, 0);
    aChanged = false;
}

Status MVK::OpenFile(const QString &path)
{
    return ReadProjectFile(*this, path);
}

Status MVK::SaveFile(const QString &path, const SaveOptions &options)
{
    return WriteProjectFile(*this, path, options);
}

QString MVK::ResolvePicture(const QString &url) const
{
    // An empty path names no picture; resolved it would name the project folder itself.
    return url.isEmpty() ? QString() : ResolvePath(aFileFolder, url);
}

QString MVK::BackgroundPath() const
{
    return aBackground ? ResolvePicture(aBackground->aURL) : QString();
}

QStringList MVK::FramePaths() const
{
    QStringList paths;
    paths.reserve(aFrame.Count());
    for (const aImage &frame : aFrame)
        paths << ResolvePicture(frame.aURL);
    return paths;
}

Status CheckProjectFile(const QString &path)
{
    return CheckProjectDocument(path);
}

QString DescribeProjectFileProblem(const QString &path)
{
    return ProjectFileProblem(path);
}

} // namespace mrv
