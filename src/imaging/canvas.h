#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

class QPainter;

namespace mrv {

/// A new, fully transparent 32-bit canvas with premultiplied alpha. Null when the size is not
/// positive or the memory cannot be had.
QImage CreateCanvas(int width, int height);

/// Draws the whole picture into the target rectangle with alpha blending. A picture drawn at
/// its own size is copied exactly; a scaled one is filtered smoothly. A null picture or an
/// empty rectangle draws nothing.
void DrawPicture(QPainter &painter, const QImage &picture, const QRect &target);

/// The picture scaled once, with smooth filtering, to the size it will be drawn at, so that
/// every later draw at that size is an exact copy. A picture already of that size, a null one,
/// and one whose scaled copy would be very large are returned as they are (the painter then
/// scales at each draw, clipped to the canvas).
QImage PrescalePicture(const QImage &source, QSize drawSize);

/// The picture with straight colours (ARGB32), unpremultiplied pixel by pixel as the PNG
/// writer does (qUnpremultiply), so that every lossless format stores the same colours; Qt's
/// own conversion rounds some of them differently. A straight picture is returned as it is.
QImage StraightCopy(const QImage &picture);

/// Whether every pixel of a picture is fully opaque.
bool IsOpaque(const QImage &picture);

/// The colours of a premultiplied canvas laid over black, fully opaque (RGB32). This is what
/// the formats without an alpha channel (BMP, JPEG) store.
QImage FlattenOverBlack(const QImage &canvas);

} // namespace mrv
