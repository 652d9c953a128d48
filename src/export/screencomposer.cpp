#include "export/screencomposer.h"

#include "export/exportsource.h"
#include "imaging/canvas.h"
#include "support/bootgeometry.h"

#include <QPainter>

namespace mrv {

namespace {

/// Screen pixels per project pixel; none for a project without a usable size.
ScreenScale scaleTo(QSize screen, const MVK &project)
{
    if (project.aWidth <= 0 || project.aHeight <= 0)
        return {0.0, 0.0};
    return {double(screen.width()) / project.aWidth, double(screen.height()) / project.aHeight};
}

QStringList picturePaths(const ExportSource &source, bool withBackground)
{
    QStringList paths{withBackground ? source.backgroundPath : QString()};
    paths << source.framePaths;
    return paths;
}

} // namespace

ScreenComposer::ScreenComposer(const ExportSource &source, QSize screen, bool withBackground)
    : m_screen(screen.expandedTo(QSize(0, 0))),
      m_area(AnimationAreaPixels(m_screen)),
      m_framePaths(source.framePaths),
      m_sources(picturePaths(source, withBackground), scaleTo(m_screen, source.project))
{
    const ScreenScale scale = scaleTo(m_screen, source.project);
    for (int i = 1; i <= source.project.aFrame.Count(); ++i)
        m_offsets << *source.project.aFrame.Item(i);
    m_background = CreateCanvas(m_screen.width(), m_screen.height());
    if (m_background.isNull() || !withBackground || scale.sx <= 0.0)
        return;
    const SourcePicture background = m_sources.Get(source.backgroundPath);
    const aImage place = source.project.aBackground.value_or(aImage{});
    QPainter painter(&m_background);
    m_sources.Draw(painter, background, place.aX, place.aY);
}

QImage ScreenComposer::Compose(int frame) const
{
    if (m_background.isNull())
        return {};
    QImage screen = m_background.copy();
    if (frame < 1 || frame > m_offsets.size() || frame > m_framePaths.size())
        return screen;
    const SourcePicture picture = m_sources.Get(m_framePaths.at(frame - 1));
    if (picture.image.isNull())
        return screen;
    // The frame's offset counts from the area's corner, and the area cuts it off.
    QPainter painter(&screen);
    painter.setClipRect(m_area);
    painter.translate(m_area.topLeft());
    const aImage &offset = m_offsets.at(frame - 1);
    m_sources.Draw(painter, picture, offset.aX, offset.aY);
    return screen;
}

} // namespace mrv
