#include "project/projectfile.h"

#include "project/mvk.h"
#include "support/atomicfile.h"
#include "support/pathrules.h"
#include "support/regularfile.h"
#include "support/stringutil.h"
#include "support/xmledit.h"
#include "support/xmlfile.h"
#include "support/tr.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace mrv {

namespace {

QString ReadFailed()
{
    return Tr::tr("工程文件读取失败");
}

QString NotProjectFile()
{
    return Tr::tr("该文件不是MRVK工程文件");
}

QString NotProjectXml()
{
    return Tr::tr("该XML文件不是MRVK工程文件");
}

/// A numeric attribute read with the ceiling rule, then stored in 16 bits.
Result<qint16> readInt16(const pugi::xml_node &element, const char *attr, const QString &defaultText,
                         const QString &where)
{
    const auto attribute = element.attribute(attr);
    QString text = defaultText;
    if (attribute) {
        const QString raw = FromUtf8(attribute.value());
        auto ceiled = ApplyCeiling(raw, defaultText, 65535);
        bool ok = ceiled.ok();
        const int value = ok ? ceiled->toInt(&ok) : 0;
        if (!ok || !FitsInt16(value))
            return Result<qint16>::Fail(
                Tr::tr("%1：%2 的 %3 属性值“%4”不是 -32768 到 32767 之间的整数")
                    .arg(ReadFailed(), where, QString::fromLatin1(attr), raw));
        return qint16(value);
    }
    return qint16(text.toInt());
}

Result<aImage> readImage(const pugi::xml_node &element, const QString &where)
{
    aImage image;
    image.aURL = FromUtf8(element.attribute("Url").value());
    auto x = readInt16(element, "X", QStringLiteral("0"), where);
    if (!x)
        return x.status();
    auto y = readInt16(element, "Y", QStringLiteral("0"), where);
    if (!y)
        return y.status();
    image.aX = *x;
    image.aY = *y;
    return image;
}

void appendImage(pugi::xml_node parent, const char *name, const aImage &image)
{
    auto element = parent.append_child(name);
    element.append_attribute("Url") = ToUtf8(image.aURL).c_str();
    element.append_attribute("X") = int(image.aX);
    element.append_attribute("Y") = int(image.aY);
}

/// The path as written into a file in targetFolder, for a project whose paths are relative
/// to projectFolder.
QString pathForFile(const QString &url, const QString &projectFolder, const QString &targetFolder)
{
    if (projectFolder.isEmpty() || targetFolder == projectFolder)
        return MakeRelative(projectFolder, url);
    const QString resolved = ResolvePath(projectFolder, url);
    QString rebased = MakeRelative(targetFolder, resolved);
    // Resolving used the host's separator; a path made relative again is stored with the
    // file's own "\", as every other relative path of the file is.
    if (HostPathStyle == PathStyle::Posix && rebased != resolved)
        rebased.replace(u'/', u'\\');
    return rebased;
}

/// Loads the file as XML; the failure is the plain read message, with the size named when the
/// file is too large to be a project.
Status loadProjectXml(pugi::xml_document &doc, const QString &path)
{
    const qint64 size = QFileInfo(path).size();
    if (size > MaxXmlFileBytes)
        return Status::Fail(Tr::tr("%1：文件过大（%2 MB），工程文件不能超过 %3 MB")
                                .arg(ReadFailed())
                                .arg(size / (1024 * 1024))
                                .arg(MaxXmlFileBytes / (1024 * 1024)));
    if (!LoadXmlFile(doc, path))
        return Status::Fail(ReadFailed());
    return Status::Ok();
}

} // namespace

QString ProjectFileProblem(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Tr::tr("文件不存在");
    if (info.isDir())
        return Tr::tr("这是文件夹，不是文件");
    if (info.size() > MaxXmlFileBytes)
        return Tr::tr("文件过大（%1 MB）").arg(info.size() / (1024 * 1024));
    QFile file(path);
    if (const Status opened = OpenRegularFile(file); !opened)
        return Tr::tr("无法读取：%1").arg(opened.message());
    const QByteArray bytes = file.readAll();
    pugi::xml_document doc;
    const auto parsed = doc.load_buffer(bytes.constData(), size_t(bytes.size()),
                                        pugi::parse_default | pugi::parse_declaration);
    if (!parsed) {
        const qsizetype at = std::clamp(qsizetype(parsed.offset), qsizetype(0), bytes.size());
        return Tr::tr("不是有效的 XML：%1（第 %2 行）")
            .arg(QString::fromUtf8(parsed.description()))
            .arg(bytes.left(at).count('\n') + 1);
    }
    const pugi::xml_node root = doc.document_element();
    if (!root)
        return Tr::tr("XML 中没有根元素");
    if (std::strcmp(root.name(), "MRV") != 0)
        return Tr::tr("根元素是 <%1>，工程文件的根元素应为 <MRV>")
            .arg(FromUtf8(root.name()));
    if (!root.child("Config"))
        return Tr::tr("<MRV> 中没有 <Config> 元素");
    return QString();
}

Status CheckProjectDocument(const QString &path)
{
    pugi::xml_document doc;
    if (const Status loaded = loadProjectXml(doc, path); !loaded)
        return loaded;
    if (XmlCount(doc, QStringLiteral("/MRV/Config")) == 0)
        return Status::Fail(NotProjectXml());
    return Status::Ok();
}

Status ReadProjectFile(MVK &project, const QString &path)
{
    pugi::xml_document doc;
    if (const Status loaded = loadProjectXml(doc, path); !loaded)
        return loaded;
    const auto configs = XmlSelect(doc, QStringLiteral("/MRV/Config"));
    if (configs.empty())
        return Status::Fail(NotProjectFile());
    const pugi::xml_node config = configs.front();

    MVK read = project;
    read.aFilePath = path;
    if (auto folder = FolderOfFile(path))
        read.aFileFolder = *folder;
    read.aName = FromUtf8(config.attribute("Name").value());
    const QString configWhere = QStringLiteral("Config");
    auto width = readInt16(config, "Width", QStringLiteral("1024"), configWhere);
    if (!width)
        return width.status();
    auto height = readInt16(config, "Height", QStringLiteral("1024"), configWhere);
    if (!height)
        return height.status();
    read.aWidth = *width;
    read.aHeight = *height;

    const auto backgrounds = XmlSelect(doc, QStringLiteral("/MRV/Config/Background"));
    if (backgrounds.empty()) {
        read.aBackground = aImage{};
    } else {
        auto background = readImage(backgrounds.front(), QStringLiteral("Background"));
        if (!background)
            return background.status();
        read.aBackground = *background;
    }

    const auto images = XmlSelect(doc, QStringLiteral("/MRV/Config/Frames/Image"));
    read.aFrame = ::mrv::aFrame();
    read.aFrame.Reserve(int(images.size()));
    for (size_t i = 0; i < images.size(); ++i) {
        auto image = readImage(images[i], Tr::tr("第 %1 帧").arg(i + 1));
        if (!image)
            return image.status();
        read.aFrame.Add(image->aURL, image->aX, image->aY);
    }
    read.aChanged = false;
    project = std::move(read);
    return Status::Ok();
}

QByteArray ProjectToBytes(const MVK &project, bool pretty)
{
    pugi::xml_document doc;
    auto decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "utf-8";
    auto root = doc.append_child("MRV");
    auto config = root.append_child("Config");
    config.append_attribute("Name") = ToUtf8(project.aName).c_str();
    config.append_attribute("Width") = int(project.aWidth);
    config.append_attribute("Height") = int(project.aHeight);
    appendImage(config, "Background", project.aBackground.value_or(aImage{}));
    auto frames = config.append_child("Frames");
    for (const aImage &frame : project.aFrame)
        appendImage(frames, "Image", frame);
    return XmlToBytes(doc, pretty);
}

Status WriteProjectFile(MVK &project, const QString &path, const SaveOptions &options,
                        const std::atomic_bool *cancel)
{
    const QString targetFolder = FolderOfFile(path).value_or(options.projectFolder);
    const bool sameFolder =
        options.projectFolder.isEmpty() || targetFolder == options.projectFolder;
    // A file the user keeps indented stays indented.
    const bool pretty = options.pretty || IsIndentedXml(path);
    auto rewrite = [&](aImage &image) {
        image.aURL = pathForFile(image.aURL, options.projectFolder, targetFolder);
    };

    QByteArray bytes;
    if (sameFolder) {
        // The model takes the relative form too, as the file now stores it.
        if (project.aBackground)
            rewrite(*project.aBackground);
        for (aImage &frame : project.aFrame)
            rewrite(frame);
        bytes = ProjectToBytes(project, pretty);
    } else {
        // Rebased paths are right for the new file only; the open project keeps its own.
        MVK rebased = project;
        if (rebased.aBackground)
            rewrite(*rebased.aBackground);
        for (aImage &frame : rebased.aFrame)
            rewrite(frame);
        bytes = ProjectToBytes(rebased, pretty);
    }
    return WriteFileAtomically(path, bytes, Durability::Sync, cancel);
}

Status formatDoc(const pugi::xml_document &doc, const QString &path)
{
    return WriteFileAtomically(path, XmlToBytes(doc, true), Durability::Sync);
}

} // namespace mrv
