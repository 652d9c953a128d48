#include "widgets/showpicture.h"

#include "imaging/pictureloader.h"
#include "widgets/picturesurface.h"

#include <algorithm>

namespace mrv {

namespace {

// Layout values may be as large as any 32-bit number; beyond this no surface shows a
// difference, and keeping them here keeps the placement sums and products inside 32 bits.
constexpr int MaxParam = 32767;

PictureParams Bounded(PictureParams p)
{
    for (int *v : {&p.PicX, &p.PicY, &p.PicWidth, &p.PicHeight, &p.PicTop, &p.PicRight,
                   &p.PicButtom, &p.PicLeft})
        *v = std::clamp(*v, -MaxParam, MaxParam);
    return p;
}

} // namespace

void ShowPicture(const QString &path, PictureSurface &target, const PictureParams &params)
{
    ShowPicture(LoadPicture(path), target, params);
}

void ShowPicture(const QImage &picture, PictureSurface &target, const PictureParams &params)
{
    // An unreadable picture would measure 1 x 1 and shrink a size-target surface to its
    // margins; since it draws nothing anyway, nothing about the target changes.
    if (picture.isNull())
        return;
    const PicturePlacement placed = PlacePicture(picture.size(), target.InnerSize(), Bounded(params));
    if (!placed.draws)
        return;
    if (placed.targetSize)
        target.SetInnerSize(*placed.targetSize);
    target.DrawImage(picture, placed.rect);
}

} // namespace mrv
