#include "widgets/editorpreview.h"

#include "imaging/picturecache.h"
#include "document/projectdocument.h"
#include "widgets/picturesurface.h"
#include "project/mvk.h"
#include "support/pathrules.h"
#include "support/placement.h"

#include <QFileInfo>
#include <QPainter>

namespace mrv {

bool IsUsablePicture(const QString &path)
{
    return !path.isEmpty() && IsAbsolutePath(path) && QFileInfo(path).isFile();
}

EditorPreview::EditorPreview(PictureSurface &picBG, PictureSurface &activity, PictureSurface &crop,
                             PictureCache &cache, const ProjectDocument &document)
    : m_picBG(picBG), m_activity(activity), m_crop(crop), m_cache(cache), m_document(document)
{}

QPoint EditorPreview::OffsetOf(int index, qint16 x, qint16 y) const
{
    if (m_offsetShown && m_offsetShown->first == index)
        return m_offsetShown->second;
    return {x, y};
}

void EditorPreview::PicFit(const QRect &outer, const QRect &activityBox)
{
    m_picBG.setGeometry(outer);
    m_activity.SetPlacement(activityBox);
    QRect crop = m_crop.Placement();
    crop.setSize(activityBox.size());
    m_crop.SetPlacement(crop);
}

void EditorPreview::DrawScaled(PictureSurface &target, const QString &path, int x, int y,
                               double originX, double originY)
{
    const QImage picture = m_cache.Picture(path);
    if (picture.isNull())
        return;
    const QRect place = ScaledPlacement(x, y, picture.size(), ScaleX, ScaleY, originX, originY);
    const QSize shown = m_picBG.InnerSize();
    if (qint64(place.width()) * place.height() <= qint64(shown.width()) * shown.height()) {
        target.DrawImage(m_cache.Scaled(path, place.size()), place.topLeft());
        return;
    }
    // Scaled further than the preview shows (an odd screen size, a huge picture): only the
    // part that lands on the surface is scaled.
    const QRect visible = place & QRect(QPoint(0, 0), target.InnerSize());
    if (visible.isEmpty())
        return;
    target.DrawImage(m_cache.ScaledPart(path, place.size(), visible.translated(-place.topLeft())),
                     visible.topLeft());
}

void EditorPreview::DrawBackground()
{
    // A background that cannot be drawn leaves the screen empty, as the exports leave it
    // transparent: never the picture of an earlier path.
    const QString &path = m_document.BackgroundPath();
    const bool usable = IsUsablePicture(path);
    const aImage background = m_document.Project().aBackground.value_or(aImage{});
    const QPoint at = OffsetOf(0, background.aX, background.aY);
    m_picBG.Cls();
    if (usable)
        DrawScaled(m_picBG, path, at.x(), at.y(), 0.0, 0.0);
    m_picBG.Refresh();
    const QRect box = m_activity.Placement();
    m_crop.Cls();
    if (usable)
        DrawScaled(m_crop, path, at.x(), at.y(), box.left(), box.top());
    m_crop.Refresh();
}

void EditorPreview::DrawFrame(int frame)
{
    // The piece of background goes back first whatever follows, so a frame without a
    // picture (or no frame at all) shows what the exports write for it.
    m_crop.CopyImageTo(m_activity);
    const QStringList &paths = m_document.FramePaths();
    const aImage *image = frame >= 1 && frame <= paths.size() ? m_document.Frame(frame) : nullptr;
    if (image && IsUsablePicture(paths.at(frame - 1))) {
        if (m_onionSkin && m_offsetShown && m_offsetShown->first == frame) {
            DrawFaint(frame - 1);
            DrawFaint(frame + 1);
        }
        const QPoint at = OffsetOf(frame, image->aX, image->aY);
        DrawScaled(m_activity, paths.at(frame - 1), at.x(), at.y(), 0.0, 0.0);
    }
    m_activity.Refresh();
}

void EditorPreview::DrawFaint(int frame)
{
    // A third of its strength: enough to line up an edge, too little to take for the frame.
    constexpr double Faint = 0.35;
    const QStringList &paths = m_document.FramePaths();
    if (frame < 1 || frame > paths.size() || !IsUsablePicture(paths.at(frame - 1)))
        return;
    const aImage *image = m_document.Frame(frame);
    const QImage picture = m_cache.Picture(paths.at(frame - 1));
    if (!image || picture.isNull())
        return;
    const QRect place =
        ScaledPlacement(image->aX, image->aY, picture.size(), ScaleX, ScaleY, 0.0, 0.0);
    const QSize shown = m_picBG.InnerSize();
    if (qint64(place.width()) * place.height() > qint64(shown.width()) * shown.height())
        return; // larger than the whole preview: no help in lining up
    QPainter painter(&m_activity.Canvas());
    painter.setOpacity(Faint);
    painter.drawImage(place.topLeft(), m_cache.Scaled(paths.at(frame - 1), place.size()));
}

void EditorPreview::ClearAll()
{
    for (PictureSurface *s : {&m_picBG, &m_activity, &m_crop}) {
        s->Cls();
        s->Refresh();
    }
}

} // namespace mrv
