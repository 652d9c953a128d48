#pragma once

#include "support/placement.h"

#include <QImage>
#include <QString>

namespace mrv {

class PictureSurface;

/// Draws a picture file on a surface in one of the five placement styles (`PictureParams`).
/// The target's size is its drawing area (inside any border); positions are in that area.
/// A file that is missing or cannot be decoded draws nothing and, in the size-target style,
/// leaves the target's size alone. An unknown style draws nothing. The surface is neither
/// cleared nor presented: callers `Cls` before and `Refresh` after, as a redraw needs.
void ShowPicture(const QString &path, PictureSurface &target, const PictureParams &params);

/// The same with a picture already decoded (for callers that keep decoded pictures).
void ShowPicture(const QImage &picture, PictureSurface &target, const PictureParams &params);

} // namespace mrv
