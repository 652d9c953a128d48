#include "exporttestdata.h"

#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace mrv::test {

QImage Flat(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

QString WritePng(const QString &path, const QImage &image)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    image.save(path, "PNG");
    return path;
}

QColor At(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y);
}

QImage ReferenceBackground(int factor)
{
    QImage image = Flat(1024 * factor, 768 * factor, Red);
    QPainter painter(&image);
    painter.fillRect(412 * factor, 284 * factor, 200 * factor, 200 * factor, Green);
    painter.fillRect(412 * factor, 284 * factor, 10 * factor, 10 * factor, Blue);
    return image;
}

MVK MakeProject(const TempFolder &folder, int width, int height, const QStringList &framePaths,
                const QList<QPoint> &offsets)
{
    MVK project;
    project.aName = QStringLiteral("golden");
    project.aWidth = qint16(width);
    project.aHeight = qint16(height);
    project.aBackground = aImage{QStringLiteral("bg.png"), 0, 0};
    for (qsizetype i = 0; i < framePaths.size(); ++i) {
        const QPoint at = i < offsets.size() ? offsets[i] : QPoint();
        project.aFrame.Add(framePaths[i], qint16(at.x()), qint16(at.y()));
    }
    project.aFileFolder = folder.path();
    return project;
}

QString SaveProject(MVK &project, const TempFolder &folder, const QString &name)
{
    const QString path = folder.file(name);
    SaveOptions options;
    options.projectFolder = folder.path();
    if (!project.SaveFile(path, options))
        return {};
    return path;
}

QImage ReadBack(const QString &path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

} // namespace mrv::test
