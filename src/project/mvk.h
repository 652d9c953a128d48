#pragma once

#include "project/aframe.h"
#include "project/aimage.h"
#include "support/result.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace mrv {

/// How a project file is written.
struct SaveOptions
{
    /// One element per line, indented, with a standalone UTF-8 declaration.
    bool pretty = false;
    /// The folder that the project's relative picture paths are relative to: the folder of the
    /// file the project was last read from (the editor's current project folder).
    QString projectFolder;
};

/// A boot-animation project: a screen size, one background picture and the frames.
class MVK
{
public:
    QString aName;
    qint16 aWidth = 0;
    qint16 aHeight = 0;
    bool aChanged = false;
    QString aFilePath;   ///< project file last read or assigned for saving
    QString aFileFolder; ///< folder of the file last read, without trailing separator
    std::optional<aImage> aBackground;
    ::mrv::aFrame aFrame;

    /// Turns this object into a new project: 1024 x 768, NewMRV\Background.jpg and
    /// 105 frames NewMRV\000.png .. NewMRV\104.png. File path and folder stay untouched.
    void AddNew();

    /// Reads a project file. On failure the object is left exactly as it was and the
    /// message says why ("工程文件读取失败", "该文件不是MRVK工程文件", or the bad attribute).
    Status OpenFile(const QString &path);

    /// Writes the project file. Picture paths inside the project folder are written relative
    /// to it (and made relative in this object when the file goes into that same folder).
    /// Saved into another folder, every path is rebased so it names the same picture.
    Status SaveFile(const QString &path, const SaveOptions &options);

    /// A picture path as the previews and exports use it; empty for an empty path.
    QString ResolvePicture(const QString &url) const;
    QString BackgroundPath() const;
    /// Entry i-1 holds the resolved path of frame i.
    QStringList FramePaths() const;
};

/// The editor's check before opening: "工程文件读取失败" when the file does not load as XML with
/// a root element, "该XML文件不是MRVK工程文件" when it has no /MRV/Config.
Status CheckProjectFile(const QString &path);

/// Why the file does not open as a project, for logs (see ProjectFileProblem); empty when the
/// file itself loads and the failure, if any, lies in one of its values.
QString DescribeProjectFileProblem(const QString &path);

} // namespace mrv
