#include "imaging/gifpalette.h"

#include "support/tr.h"

extern "C" {
#include <libimagequant.h>
}

#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <unordered_map>

namespace mrv {

namespace {

constexpr int OpaqueThreshold = 128;
// The side of the smallest square of one colour that counts as a flat area.
constexpr int FlatSide = 4;

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

/// A pixel as four bytes R, G, B, A in memory, the layout libimagequant reads. Alpha is all or
/// nothing, and a transparent pixel is all zero, so equal values mean equal colours.
using Pixel = quint32;
constexpr Pixel Transparent = 0;

std::vector<Pixel> thresholdedPixels(const QImage &canvas, bool &hasTransparent)
{
    const QImage argb = canvas.convertToFormat(QImage::Format_ARGB32);
    std::vector<Pixel> pixels(size_t(argb.width()) * size_t(argb.height()));
    Pixel *out = pixels.data();
    hasTransparent = false;
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x, ++out) {
            const QRgb c = line[x];
            if (qAlpha(c) < OpaqueThreshold) {
                *out = Transparent;
                hasTransparent = true;
            } else {
                const uchar bytes[4] = {uchar(qRed(c)), uchar(qGreen(c)), uchar(qBlue(c)), 255};
                std::memcpy(out, bytes, 4);
            }
        }
    }
    return pixels;
}

IndexedPicture::Colour colourOf(Pixel pixel)
{
    uchar bytes[4];
    std::memcpy(bytes, &pixel, 4);
    return {bytes[0], bytes[1], bytes[2]};
}

/// The picture's own colours in the order they first appear, the transparent index first;
/// nothing when they do not fit into 256 entries.
std::optional<IndexedPicture> exactColours(const std::vector<Pixel> &pixels, bool hasTransparent)
{
    // Open addressing: at most 257 colours are ever looked up, so the table never fills.
    constexpr quint32 Slots = 1024;
    std::array<Pixel, Slots> keys{}; // Transparent marks a free slot: it is never stored
    std::array<uchar, Slots> values{};
    IndexedPicture out;
    if (hasTransparent) {
        out.transparentIndex = 0;
        out.palette.push_back({});
    }
    out.indices.resize(pixels.size());
    auto indexOf = [&](Pixel pixel) -> std::optional<uchar> {
        if (pixel == Transparent)
            return uchar(0);
        quint32 slot = (pixel * 2654435761u) >> 22;
        while (keys[slot] != Transparent && keys[slot] != pixel)
            slot = (slot + 1) % Slots;
        if (keys[slot] == Transparent) {
            if (out.palette.size() == 256)
                return std::nullopt;
            keys[slot] = pixel;
            values[slot] = uchar(out.palette.size());
            out.palette.push_back(colourOf(pixel));
        }
        return values[slot];
    };
    // Neighbours share their colour more often than not.
    Pixel last = Transparent;
    uchar lastIndex = 0;
    for (size_t p = 0; p < pixels.size(); ++p) {
        if (pixels[p] != last) {
            const std::optional<uchar> index = indexOf(pixels[p]);
            if (!index)
                return std::nullopt;
            last = pixels[p];
            lastIndex = *index;
        }
        out.indices[p] = lastIndex;
    }
    return out;
}

/// Marks the pixels that lie in a square of FlatSide x FlatSide pixels of one colour.
std::vector<uchar> flatAreas(const std::vector<Pixel> &pixels, int width, int height)
{
    const auto w = size_t(width);
    // First the top-left corners of such squares, from the bottom row up: below[x] counts the
    // rows from y down whose FlatSide pixels from x on are all pixel (x, y)'s colour.
    std::vector<uchar> marks(pixels.size(), 0);
    std::vector<int> below(w, 0);
    for (int y = height - 1; y >= 0; --y) {
        const Pixel *row = pixels.data() + size_t(y) * w;
        int run = 0; // pixels equal to row[x] from x rightwards
        for (int x = width - 1; x >= 0; --x) {
            run = x + 1 < width && row[x] == row[x + 1] ? run + 1 : 1;
            int &rows = below[size_t(x)];
            if (run < FlatSide)
                rows = 0;
            else
                rows = rows > 0 && row[x] == row[x + w] ? rows + 1 : 1;
            marks[size_t(y) * w + size_t(x)] = rows >= FlatSide;
        }
    }
    // Then every pixel of those squares: each mark spreads FlatSide - 1 pixels right, then down.
    for (size_t y = 0; y < size_t(height); ++y) {
        uchar *row = marks.data() + y * w;
        int sinceCorner = FlatSide;
        for (size_t x = 0; x < w; ++x) {
            sinceCorner = row[x] ? 0 : sinceCorner + 1;
            row[x] = sinceCorner < FlatSide;
        }
    }
    std::vector<int> sinceCorner(w, FlatSide);
    for (size_t y = 0; y < size_t(height); ++y) {
        uchar *row = marks.data() + y * w;
        for (size_t x = 0; x < w; ++x) {
            sinceCorner[x] = row[x] ? 0 : sinceCorner[x] + 1;
            row[x] = sinceCorner[x] < FlatSide;
        }
    }
    return marks;
}

/// The nearest opaque palette entry of each colour asked for, remembered per colour.
class NearestOpaque
{
public:
    explicit NearestOpaque(const liq_palette &palette) : m_palette(palette) {}

    uchar operator()(Pixel pixel)
    {
        if (pixel == m_lastPixel)
            return m_lastIndex;
        const auto found = m_known.find(pixel);
        if (found != m_known.end()) {
            m_lastIndex = found->second;
        } else {
            m_lastIndex = search(pixel);
            m_known.emplace(pixel, m_lastIndex);
        }
        m_lastPixel = pixel;
        return m_lastIndex;
    }

private:
    uchar search(Pixel pixel) const
    {
        const IndexedPicture::Colour px = colourOf(pixel);
        uchar best = 0;
        long bestDistance = -1;
        for (unsigned i = 0; i < m_palette.count; ++i) {
            const liq_color &c = m_palette.entries[i];
            if (c.a < OpaqueThreshold)
                continue;
            const long dr = long(c.r) - px.r, dg = long(c.g) - px.g, db = long(c.b) - px.b;
            const long distance = dr * dr + dg * dg + db * db;
            if (bestDistance < 0 || distance < bestDistance) {
                bestDistance = distance;
                best = uchar(i);
            }
        }
        return best;
    }

    const liq_palette &m_palette;
    std::unordered_map<Pixel, uchar> m_known;
    Pixel m_lastPixel = Transparent;
    uchar m_lastIndex = 0;
};

Result<IndexedPicture> quantisedColours(std::vector<Pixel> &pixels, int width, int height,
                                        bool hasTransparent, QuantiseEffort effort)
{
    using Failure = Result<IndexedPicture>;
    std::unique_ptr<liq_attr, LiqAttrDeleter> attr(liq_attr_create());
    if (!attr)
        return Failure::Fail(Tr::tr("无法初始化调色板"));
    // One entry stays free for the transparent index.
    liq_set_max_colors(attr.get(), hasTransparent ? 255 : 256);
    if (effort == QuantiseEffort::Fast)
        liq_set_speed(attr.get(), 10);
    std::unique_ptr<liq_image, LiqImageDeleter> image(
        liq_image_create_rgba(attr.get(), pixels.data(), width, height, 0));
    if (!image)
        return Failure::Fail(Tr::tr("无法读取画布"));
    liq_result *rawResult = nullptr;
    if (liq_image_quantize(image.get(), attr.get(), &rawResult) != LIQ_OK || !rawResult)
        return Failure::Fail(Tr::tr("无法生成调色板"));
    std::unique_ptr<liq_result, LiqResultDeleter> result(rawResult);
    liq_set_dithering_level(result.get(), effort == QuantiseEffort::Fast ? 0.5f : 1.0f);
    IndexedPicture out;
    out.indices.resize(pixels.size());
    if (liq_write_remapped_image(result.get(), image.get(), out.indices.data(),
                                 out.indices.size()) != LIQ_OK)
        return Failure::Fail(Tr::tr("无法映射颜色"));
    const liq_palette &palette = *liq_get_palette(result.get());

    for (unsigned i = 0; i < palette.count; ++i) {
        out.palette.push_back({palette.entries[i].r, palette.entries[i].g, palette.entries[i].b});
        if (hasTransparent && out.transparentIndex < 0 && palette.entries[i].a < OpaqueThreshold)
            out.transparentIndex = int(i);
    }
    if (hasTransparent && out.transparentIndex < 0) {
        out.transparentIndex = int(out.palette.size());
        out.palette.push_back({});
    }
    // Transparent pixels take exactly the transparent index. Dithering would scatter other
    // colours over a flat area whose colour is not in the palette, so its pixels take their
    // nearest entry instead, as do opaque pixels mapped to a transparent entry.
    const std::vector<uchar> flat = flatAreas(pixels, width, height);
    NearestOpaque nearest(palette);
    for (size_t p = 0; p < pixels.size(); ++p) {
        uchar &index = out.indices[p];
        if (pixels[p] == Transparent)
            index = uchar(out.transparentIndex);
        else if (flat[p] || index >= palette.count || palette.entries[index].a < OpaqueThreshold)
            index = nearest(pixels[p]);
    }
    return out;
}

} // namespace

std::vector<quint32> GifPixels(const QImage &canvas)
{
    bool hasTransparent = false;
    return thresholdedPixels(canvas, hasTransparent);
}

IndexedPicture::Colour GifPixelColour(quint32 pixel)
{
    return colourOf(pixel);
}

Result<IndexedPicture> IndexColours(const QImage &canvas, QuantiseEffort effort)
{
    bool hasTransparent = false;
    std::vector<Pixel> pixels = thresholdedPixels(canvas, hasTransparent);
    if (std::optional<IndexedPicture> exact = exactColours(pixels, hasTransparent))
        return std::move(*exact);
    return quantisedColours(pixels, canvas.width(), canvas.height(), hasTransparent, effort);
}

} // namespace mrv
