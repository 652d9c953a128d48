#include "imaging/gifencoder.h"

extern "C" {
#include <gif_lib.h>
#include <libimagequant.h>
}

#include <memory>
#include <vector>

namespace mrv {

namespace {

constexpr int OpaqueThreshold = 128;
constexpr qint64 LargePixels = 1024 * 1024;

struct LiqAttrDeleter
{
    void operator()(liq_attr *p) const { liq_attr_destroy(p); }
};
struct LiqImageDeleter
{
    void operator()(liq_image *p) const { liq_image_destroy(p); }
};
struct LiqResultDeleter
{
    void operator()(liq_result *p) const { liq_result_destroy(p); }
};
struct GifMapDeleter
{
    void operator()(ColorMapObject *p) const { GifFreeMapObject(p); }
};

Result<QByteArray> gifFailure(const QString &what)
{
    return Result<QByteArray>::Fail(QStringLiteral("图片编码失败（GIF）：%1").arg(what));
}

int appendToBuffer(GifFileType *gif, const GifByteType *data, int length)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), length);
    return length;
}

/// The picture as straight RGBA bytes with alpha reduced to all or nothing.
std::vector<unsigned char> thresholdedRgba(const QImage &canvas, bool &hasTransparent)
{
    const QImage argb = canvas.convertToFormat(QImage::Format_ARGB32);
    std::vector<unsigned char> rgba(size_t(argb.width()) * argb.height() * 4);
    unsigned char *out = rgba.data();
    hasTransparent = false;
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x, out += 4) {
            const QRgb c = line[x];
            if (qAlpha(c) < OpaqueThreshold) {
                out[0] = out[1] = out[2] = out[3] = 0;
                hasTransparent = true;
            } else {
                out[0] = uchar(qRed(c));
                out[1] = uchar(qGreen(c));
                out[2] = uchar(qBlue(c));
                out[3] = 255;
            }
        }
    }
    return rgba;
}

/// The index of the nearest opaque palette entry.
int nearestOpaque(const liq_palette &palette, const unsigned char *px)
{
    int best = 0;
    long bestDistance = -1;
    for (unsigned i = 0; i < palette.count; ++i) {
        const liq_color &c = palette.entries[i];
        if (c.a < OpaqueThreshold)
            continue;
        const long dr = long(c.r) - px[0], dg = long(c.g) - px[1], db = long(c.b) - px[2];
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = int(i);
        }
    }
    return best;
}

} // namespace

Result<QByteArray> EncodeGif(const QImage &canvas)
{
    if (canvas.isNull())
        return gifFailure(QStringLiteral("画布为空"));
    const int width = canvas.width();
    const int height = canvas.height();
    if (width > 65535 || height > 65535)
        return gifFailure(QStringLiteral("图片过大"));

    bool hasTransparent = false;
    std::vector<unsigned char> rgba = thresholdedRgba(canvas, hasTransparent);

    std::unique_ptr<liq_attr, LiqAttrDeleter> attr(liq_attr_create());
    if (!attr)
        return gifFailure(QStringLiteral("无法初始化调色板"));
    // One entry stays free for the transparent index.
    liq_set_max_colors(attr.get(), hasTransparent ? 255 : 256);
    // A picture as large as the long picture is quantised at a faster, coarser setting.
    if (qint64(width) * height >= LargePixels)
        liq_set_speed(attr.get(), 8);
    std::unique_ptr<liq_image, LiqImageDeleter> image(
        liq_image_create_rgba(attr.get(), rgba.data(), width, height, 0));
    if (!image)
        return gifFailure(QStringLiteral("无法读取画布"));
    liq_result *rawResult = nullptr;
    if (liq_image_quantize(image.get(), attr.get(), &rawResult) != LIQ_OK || !rawResult)
        return gifFailure(QStringLiteral("无法生成调色板"));
    std::unique_ptr<liq_result, LiqResultDeleter> result(rawResult);
    liq_set_dithering_level(result.get(), 1.0f);
    std::vector<unsigned char> indices(size_t(width) * height);
    if (liq_write_remapped_image(result.get(), image.get(), indices.data(), indices.size()) !=
        LIQ_OK)
        return gifFailure(QStringLiteral("无法映射颜色"));
    const liq_palette &palette = *liq_get_palette(result.get());

    std::vector<GifColorType> colours(palette.count);
    int transparentIndex = NO_TRANSPARENT_COLOR;
    for (unsigned i = 0; i < palette.count; ++i) {
        colours[i] = {palette.entries[i].r, palette.entries[i].g, palette.entries[i].b};
        if (hasTransparent && transparentIndex == NO_TRANSPARENT_COLOR &&
            palette.entries[i].a < OpaqueThreshold)
            transparentIndex = int(i);
    }
    if (hasTransparent && transparentIndex == NO_TRANSPARENT_COLOR) {
        transparentIndex = int(colours.size());
        colours.push_back({0, 0, 0});
    }
    // Transparent pixels take exactly the transparent index; opaque ones never do.
    for (size_t p = 0; p < indices.size(); ++p) {
        const unsigned char *px = &rgba[p * 4];
        if (px[3] == 0)
            indices[p] = GifPixelType(transparentIndex);
        else if (indices[p] >= palette.count || palette.entries[indices[p]].a < OpaqueThreshold)
            indices[p] = GifPixelType(nearestOpaque(palette, px));
    }

    int mapSize = 2;
    while (mapSize < int(colours.size()))
        mapSize *= 2;
    colours.resize(size_t(mapSize), GifColorType{0, 0, 0});
    std::unique_ptr<ColorMapObject, GifMapDeleter> map(GifMakeMapObject(mapSize, colours.data()));
    if (!map)
        return gifFailure(QStringLiteral("无法生成调色板"));

    QByteArray bytes;
    int error = 0;
    GifFileType *gif = EGifOpen(&bytes, appendToBuffer, &error);
    if (!gif)
        return gifFailure(QString::fromLatin1(GifErrorString(error)));
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, map.get()) == GIF_OK;
    if (ok) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.UserInputFlag = false;
        gcb.DelayTime = 0;
        gcb.TransparentColor = transparentIndex;
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&gcb, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < height; ++y)
        ok = EGifPutLine(gif, indices.data() + size_t(y) * width, width) == GIF_OK;
    const int writeError = gif->Error;
    if (EGifCloseFile(gif, &error) != GIF_OK)
        ok = false;
    if (!ok)
        return gifFailure(QString::fromLatin1(GifErrorString(writeError ? writeError : error)));
    return bytes;
}

} // namespace mrv
