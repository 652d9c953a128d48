#include "edit/frameedit.h"

#include "imaging/pictureloader.h"
#include "imaging/pngcodec.h"
#include "project/mvk.h"
#include "support/regularfile.h"
#include "support/tr.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace mrv {

FrameEditResult EditFailed(EditFailure failure, QString message)
{
    return {Result<FrameEdit>::Fail(std::move(message)), failure};
}

std::vector<aImage> FrameListOf(const MVK &project)
{
    std::vector<aImage> frames;
    frames.reserve(size_t(project.aFrame.Count()));
    for (const aImage &frame : project.aFrame)
        frames.push_back(frame);
    return frames;
}

QImage ReadEditPicture(const QString &path, QString &problem)
{
    problem = PictureProblem(path);
    if (!problem.isEmpty())
        return {};
    QFile file(path);
    if (const Status opened = OpenRegularFile(file); !opened) {
        problem = opened.message();
        return {};
    }
    const QByteArray bytes = file.readAll();
    QImage picture = DecodePngFast(bytes, PngAlpha::Straight);
    if (picture.isNull()) {
        QBuffer buffer;
        buffer.setData(bytes);
        QImageReader reader(&buffer);
        reader.setDecideFormatFromContent(true);
        picture = reader.read();
    }
    if (picture.isNull()) {
        problem = Tr::tr("图片内容无法解码");
        return {};
    }
    return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                             : QImage::Format_RGB32);
}

QString UnusedFolder(const QString &folder, const QString &base)
{
    const QDir dir(folder);
    QString name = base;
    for (int n = 2;
         QFileInfo::exists(dir.filePath(name)) || QFileInfo(dir.filePath(name)).isSymLink(); ++n)
        name = QStringLiteral("%1-%2").arg(base).arg(n);
    return dir.filePath(name);
}

} // namespace mrv
