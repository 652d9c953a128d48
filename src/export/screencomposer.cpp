#include "export/screencomposer.h"

#include "export/exportsource.h"
#include "imaging/canvas.h"
#include "support/bootgeometry.h"

#include <QPainter>

namespace mrv {

namespace {

QSize projectSize(const MVK &project)
{
    return QSize(project.aWidth, project.aHeight);
}

/// The project's screen on the composed screen; empty for a project without a usable size.
QRect shownRect(QSize screen, const MVK &project, ScreenFit fit)
{
    if (project.aWidth <= 0 || project.aHeight <= 0)
        return {};
    return fit == ScreenFit::KeepShape ? FitScreen(projectSize(project), screen).rect
                                       : QRect(QPoint(0, 0), screen);
}

/// Screen pixels per project pixel; none for a project without a usable size.
ScreenScale scaleTo(QSize screen, const MVK &project, ScreenFit fit)
{
    if (project.aWidth <= 0 || project.aHeight <= 0)
        return {0.0, 0.0};
    if (fit == ScreenFit::KeepShape) {
        const double scale = FitScreen(projectSize(project), screen).scale;
        return {scale, scale};
    }
    return {double(screen.width()) / project.aWidth, double(screen.height()) / project.aHeight};
}

QStringList picturePaths(const ExportSource &source, bool withBackground)
{
    QStringList paths{withBackground ? source.backgroundPath : QString()};
    paths << source.framePaths;
    return paths;
}

} // namespace

ScreenComposer::ScreenComposer(const ExportSource &source, QSize screen, bool withBackground,
                               ScreenFit fit)
    : m_screen(screen.expandedTo(QSize(0, 0))), m_shown(shownRect(m_screen, source.project, fit)),
      m_area(AnimationAreaPixels(m_shown.size()).translated(m_shown.topLeft())),
      m_framePaths(source.framePaths),
      m_sources(picturePaths(source, withBackground), scaleTo(m_screen, source.project, fit))
{
    for (int i = 1; i <= source.project.aFrame.Count(); ++i)
        m_offsets << *source.project.aFrame.Item(i);
    m_background = CreateCanvas(m_screen.width(), m_screen.height());
    if (m_background.isNull() || !withBackground || m_shown.isEmpty())
        return;
    QPainter painter(&m_background);
    if (m_shown != m_background.rect()) {
        // The device shows nothing beyond the project's screen, as a boot screen shows black.
        painter.fillRect(m_background.rect(), Qt::black);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(m_shown, Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setClipRect(m_shown);
    }
    const SourcePicture background = m_sources.Get(source.backgroundPath);
    const aImage place = source.project.aBackground.value_or(aImage{});
    painter.translate(m_shown.topLeft());
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
