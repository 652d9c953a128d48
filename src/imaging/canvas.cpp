#include "imaging/canvas.h"

#include <QPainter>

#include <cstdlib>
#include <limits>

namespace mrv {

namespace {

// Above this many pixels a scaled copy is not kept; the painter scales at each draw instead,
// touching only the pixels inside the canvas.
constexpr qint64 MaxPreparedPixels = 4096LL * 4096LL;

} // namespace

QImage CreateCanvas(int width, int height)
{
    if (width <= 0 || height <= 0 || height > std::numeric_limits<int>::max() / 4 / width)
        return {};
    // Zeroed memory is a transparent canvas. For large canvases the system hands out pages
    // that are zero already, so parts never drawn on cost nothing.
    const qsizetype stride = qsizetype(width) * 4;
    void *memory = std::calloc(size_t(stride) * size_t(height), 1);
    if (!memory)
        return {};
    return QImage(
        static_cast<uchar *>(memory), width, height, stride, QImage::Format_ARGB32_Premultiplied,
        [](void *p) { std::free(p); }, memory);
}

void DrawPicture(QPainter &painter, const QImage &picture, const QRect &target)
{
    if (picture.isNull() || target.width() <= 0 || target.height() <= 0)
        return;
    if (target.size() == picture.size()) {
        painter.drawImage(target.topLeft(), picture);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(target, picture);
    painter.restore();
}

QImage PrescalePicture(const QImage &source, QSize drawSize)
{
    if (source.isNull() || drawSize.isEmpty() || source.size() == drawSize)
        return source;
    if (qint64(drawSize.width()) * drawSize.height() > MaxPreparedPixels)
        return source;
    QImage scaled = source.scaled(drawSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.isNull())
        return source;
    if (scaled.format() != source.format())
        scaled.convertTo(source.format());
    return scaled;
}

QImage FlattenOverBlack(const QImage &canvas)
{
    QImage flat = canvas.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // Premultiplied colour channels already are the picture over black; only alpha goes.
    for (int y = 0; y < flat.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(flat.scanLine(y));
        for (int x = 0; x < flat.width(); ++x)
            line[x] |= 0xff000000u;
    }
    flat.reinterpretAsFormat(QImage::Format_RGB32);
    return flat;
}

QImage StraightCopy(const QImage &picture)
{
    if (picture.format() == QImage::Format_ARGB32 || picture.isNull())
        return picture;
    if (picture.format() != QImage::Format_ARGB32_Premultiplied)
        return picture.convertToFormat(QImage::Format_ARGB32);
    QImage straight(picture.size(), QImage::Format_ARGB32);
    if (straight.isNull())
        return straight;
    for (int y = 0; y < picture.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(straight.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            out[x] = qUnpremultiply(in[x]);
    }
    return straight;
}

bool IsOpaque(const QImage &picture)
{
    if (!picture.hasAlphaChannel())
        return true;
    if (picture.format() != QImage::Format_ARGB32 &&
        picture.format() != QImage::Format_ARGB32_Premultiplied)
        return IsOpaque(picture.convertToFormat(QImage::Format_ARGB32));
    for (int y = 0; y < picture.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

} // namespace mrv
