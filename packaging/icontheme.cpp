// Writes the program's own icon into a freedesktop icon theme folder, at build time: one PNG
// per size as DIR/<size>x<size>/apps/NAME.png and the scalable DIR/scalable/apps/NAME.svg.

#include "appicon.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

bool WritePng(const QString &themeDir, const QString &name, int size)
{
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(themeDir).arg(size);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    mrv::PaintAppIcon(p, size);
    p.end();
    return QDir().mkpath(dir) && image.save(dir + u'/' + name + u".png");
}

bool WriteSvg(const QString &themeDir, const QString &name)
{
    const QString dir = themeDir + u"/scalable/apps";
    const int size = 256;
    QSvgGenerator svg;
    svg.setFileName(dir + u'/' + name + u".svg");
    svg.setSize(QSize(size, size));
    svg.setViewBox(QRect(0, 0, size, size));
    svg.setTitle(QStringLiteral("Mirovane"));
    svg.setDescription(QStringLiteral("Mirovane, a boot-animation editor"));
    if (!QDir().mkpath(dir))
        return false;
    QPainter p;
    if (!p.begin(&svg))
        return false;
    mrv::PaintAppIcon(p, size);
    return p.end();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fputs("usage: mirovane-icontheme DIR NAME\n", stderr);
        return 1;
    }
    const QString themeDir = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    bool ok = WriteSvg(themeDir, name);
    for (const int size : mrv::AppIconSizes)
        ok = WritePng(themeDir, name, size) && ok;
    if (!ok)
        std::fprintf(stderr, "mirovane-icontheme: cannot write the icons into %s\n", argv[1]);
    return ok ? 0 : 1;
}
