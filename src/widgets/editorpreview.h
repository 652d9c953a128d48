#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

namespace mrv {

class PictureCache;
class ProjectDocument;
class PictureSurface;

/// A resolved picture path that the previews can draw: an absolute path naming an existing
/// file. A path resolved against the empty folder of a project that has no file yet is not.
bool IsUsablePicture(const QString &path);

/// The editor's preview: the preview box `picBG` with the activity box `picA`(0) and the
/// crop buffer `picA`(1) inside it, and the two redraw steps. It draws the document's project
/// with the document's resolved paths, read at each draw. Decoded and scaled pictures come
/// from the shared picture cache, so stepping through frames decodes nothing twice.
class EditorPreview
{
public:
    EditorPreview(PictureSurface &picBG, PictureSurface &activity, PictureSurface &crop,
                  PictureCache &cache, const ProjectDocument &document);

    PictureSurface &PicBG() const { return m_picBG; }
    PictureSurface &Activity() const { return m_activity; }
    PictureSurface &Crop() const { return m_crop; }

    /// Sizes the preview box to the outer geometry (its border included) and places the
    /// activity box; the crop buffer takes the activity box's size where it stands.
    void PicFit(const QRect &outer, const QRect &activityBox);

    double ScaleX = 1.0;
    double ScaleY = 1.0;

    /// Draws the background (0) or frame `index` at this offset instead of its own, so an
    /// offset can be shown before it is stored; until ClearShownOffset.
    void ShowOffset(int index, QPoint offset) { m_offsetShown = {index, offset}; }
    void ClearShownOffset() { m_offsetShown.reset(); }

    /// Onion skin: while a frame is placed (its offset shown through ShowOffset), the frames
    /// before and after it are drawn faintly under it, so it can be lined up with them.
    void SetOnionSkin(bool on) { m_onionSkin = on; }
    bool OnionSkin() const { return m_onionSkin; }

    /// Background step: the background over the whole box and the piece under the activity
    /// box into the crop buffer; both are left empty when the background cannot be drawn.
    /// The frame step follows.
    void DrawBackground();
    /// Frame step: the crop buffer's piece of background and frame `frame` over it in the
    /// activity box; the piece alone for a frame without a usable picture or out of range.
    void DrawFrame(int frame);
    /// Clears all three surfaces.
    void ClearAll();

private:
    void DrawScaled(PictureSurface &target, const QString &path, int x, int y, double originX,
                    double originY);
    /// Frame `frame` at its stored offset, faintly, into the activity box.
    void DrawFaint(int frame);

    PictureSurface &m_picBG;
    PictureSurface &m_activity;
    PictureSurface &m_crop;
    /// The offset the picture is drawn at.
    QPoint OffsetOf(int index, qint16 x, qint16 y) const;

    PictureCache &m_cache;
    const ProjectDocument &m_document;
    std::optional<std::pair<int, QPoint>> m_offsetShown;
    bool m_onionSkin = false;
};

} // namespace mrv
