#include "imaging/pngcodec.h"

#include "imaging/canvas.h"
#include "support/parallel.h"
#include "imaging/pngchunks.h"
#include "imaging/pngrowfilter.h"
#include "support/tr.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <map>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace mrv {

namespace {

// Pictures larger than this are left to Qt's reader, which applies its own allocation limit.
constexpr qint64 MaxDecodedBytes = 256LL * 1024 * 1024;
// Large pictures (the long picture) take the fastest level; the size differs by a few per cent.
constexpr int CompressionLevel = 2;
constexpr int LargeCompressionLevel = 1;
constexpr qint64 LargePixels = 1024 * 1024;
// Animation frames take libdeflate's strongest level: about 6 % smaller than level 9 for 1.5
// times the time; whole screens of an animation take level 7.
constexpr int AnimationCompressionLevel = 12;
constexpr int LargeAnimationCompressionLevel = 7;
// Stored screens take level 6 at every size, so their time follows their pixels: level 7 is
// 4 - 9 % smaller for 1.2 - 1.5 times the time, but slows detailed screens more than ones with
// black bands (up to 1.56 times their time per pixel, against 1.38 at level 6); each level
// above 7 costs several times more per per cent saved (12: a quarter smaller, 24 times slower).
constexpr int StoredCompressionLevel = 6;
constexpr size_t KeptBufferBytes = 4 * 1024 * 1024;
// Rows are un-filtered this many at a time, so that runs of Paeth rows go side by side.
constexpr int RowsAtOnce = 4;

struct DecompressorDeleter
{
    void operator()(libdeflate_decompressor *d) const { libdeflate_free_decompressor(d); }
};
struct CompressorDeleter
{
    void operator()(libdeflate_compressor *c) const { libdeflate_free_compressor(c); }
};

struct Header
{
    int width = 0;
    int height = 0;
    int colourType = 0;
    int channels = 0;
};

/// What the chunks before the pixel data say, and the compressed data itself.
struct Chunks
{
    Header header;
    std::vector<QRgb> palette;    ///< straight (not premultiplied) ARGB
    bool hasTransparency = false; ///< a tRNS chunk
    int transparentGrey = -1;     ///< grey pictures: the transparent level
    QRgb transparentRgb = 0;      ///< RGB pictures: the transparent colour (alpha 0xff)
    bool hasTransparentRgb = false;
    QByteArray data; ///< the IDAT chunks joined
};

bool readChunks(const QByteArray &file, Chunks &chunks)
{
    const auto *bytes = reinterpret_cast<const uchar *>(file.constData());
    const qsizetype size = file.size();
    if (size < 8 + 25 || std::memcmp(bytes, PngSignature.data(), PngSignature.size()) != 0)
        return false;
    qsizetype pos = 8;
    bool seenHeader = false;
    bool seenEnd = false;
    while (pos + 12 <= size && !seenEnd) {
        const quint32 length = ReadBe32(bytes + pos);
        if (length > quint32(size - pos - 12))
            return false;
        const uchar *type = bytes + pos + 4;
        const uchar *body = bytes + pos + 8;
        if (std::memcmp(type, "IHDR", 4) == 0) {
            if (length != 13)
                return false;
            Header &h = chunks.header;
            const quint32 width = ReadBe32(body), height = ReadBe32(body + 4);
            const int depth = body[8];
            h.colourType = body[9];
            const int interlace = body[12];
            if (width == 0 || height == 0 || width > 0x7fffffff || height > 0x7fffffff)
                return false;
            if (depth != 8 || interlace != 0 || body[10] != 0 || body[11] != 0)
                return false;
            static constexpr int channelsOf[] = {1, 0, 3, 1, 2, 0, 4};
            if (h.colourType > 6 || channelsOf[h.colourType] == 0)
                return false;
            h.channels = channelsOf[h.colourType];
            h.width = int(width);
            h.height = int(height);
            // Divided, not multiplied: two 31-bit sides overflow even 64 bits once times four.
            if (h.width > MaxDecodedBytes / 4 / h.height)
                return false;
            seenHeader = true;
        } else if (!seenHeader) {
            return false;
        } else if (std::memcmp(type, "PLTE", 4) == 0) {
            if (length % 3 != 0 || length / 3 > 256)
                return false;
            chunks.palette.clear();
            for (quint32 i = 0; i < length; i += 3)
                chunks.palette.push_back(qRgb(body[i], body[i + 1], body[i + 2]));
        } else if (std::memcmp(type, "tRNS", 4) == 0) {
            chunks.hasTransparency = true;
            if (chunks.header.colourType == 3) {
                for (quint32 i = 0; i < length && i < chunks.palette.size(); ++i)
                    chunks.palette[i] = qRgba(qRed(chunks.palette[i]), qGreen(chunks.palette[i]),
                                              qBlue(chunks.palette[i]), body[i]);
            } else if (chunks.header.colourType == 0 && length >= 2) {
                chunks.transparentGrey = (body[0] << 8) | body[1];
            } else if (chunks.header.colourType == 2 && length >= 6) {
                const int r = (body[0] << 8) | body[1], g = (body[2] << 8) | body[3],
                          b = (body[4] << 8) | body[5];
                if (r < 256 && g < 256 && b < 256) {
                    chunks.transparentRgb = qRgb(r, g, b);
                    chunks.hasTransparentRgb = true;
                }
            } else {
                chunks.hasTransparency = false;
            }
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            chunks.data.append(reinterpret_cast<const char *>(body), length);
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            seenEnd = true;
        } else if (!(type[0] & 0x20)) {
            return false; // an unknown critical chunk
        }
        pos += 12 + qsizetype(length);
    }
    if (!seenHeader || chunks.data.isEmpty())
        return false;
    return chunks.header.colourType != 3 || !chunks.palette.empty();
}

/// A pixel as the file states it, straight; a transparent key colour keeps its colour.
QRgb straightPixel(const Chunks &c, const uchar *px)
{
    switch (c.header.colourType) {
    case 0: {
        const int v = px[0];
        return qRgba(v, v, v, v == c.transparentGrey ? 0 : 255);
    }
    case 2: {
        const QRgb rgb = qRgb(px[0], px[1], px[2]);
        return c.hasTransparentRgb && rgb == c.transparentRgb ? rgb & RGB_MASK : rgb;
    }
    case 3:
        return px[0] < c.palette.size() ? c.palette[px[0]] : qRgb(0, 0, 0);
    case 4:
        return qRgba(px[0], px[0], px[0], px[1]);
    default:
        return qRgba(px[0], px[1], px[2], px[3]);
    }
}

/// One row of grey or palette pixels to the image's format.
void convertRow(const Chunks &c, const uchar *px, QRgb *out, int width, PngAlpha alpha)
{
    if (alpha == PngAlpha::Straight) {
        for (int x = 0; x < width; ++x, px += c.header.channels)
            out[x] = straightPixel(c, px);
        return;
    }
    for (int x = 0; x < width; ++x, px += c.header.channels)
        out[x] = qPremultiply(straightPixel(c, px));
}

} // namespace

QImage DecodePngFast(const QByteArray &file, PngAlpha alpha)
{
    Chunks chunks;
    if (!readChunks(file, chunks))
        return {};
    const Header &h = chunks.header;
    const qsizetype rowBytes = qsizetype(h.width) * h.channels;
    const size_t rawSize = size_t(rowBytes + 1) * size_t(h.height);
    // Each thread keeps its inflater and a buffer for small pictures: exports decode many
    // pictures in a row. Large ones get a buffer of their own that does not outlive the call.
    thread_local std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> inflater(
        libdeflate_alloc_decompressor());
    thread_local std::vector<uchar> reused;
    std::vector<uchar> own;
    std::vector<uchar> &raw = rawSize <= KeptBufferBytes ? reused : own;
    if (!inflater)
        return {};
    if (raw.size() < rawSize)
        raw.resize(rawSize);
    size_t produced = 0;
    if (libdeflate_zlib_decompress(inflater.get(), chunks.data.constData(),
                                   size_t(chunks.data.size()), raw.data(), rawSize,
                                   &produced) != LIBDEFLATE_SUCCESS ||
        produced != rawSize)
        return {};

    const QImage::Format transparentFormat =
        alpha == PngAlpha::Straight ? QImage::Format_ARGB32 : QImage::Format_ARGB32_Premultiplied;
    // Straight RGBA and RGB rows are unfiltered into an image of that layout and then
    // converted by Qt, whose conversions use the processor's vector units.
    const bool plainRgba = h.colourType == 6;
    const bool plainRgb = h.colourType == 2 && !chunks.hasTransparentRgb;
    if (plainRgba || plainRgb) {
        QImage straight(h.width, h.height,
                        plainRgba ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
        if (straight.isNull())
            return {};
        const uchar *prev = nullptr;
        for (int y = 0; y < h.height;) {
            // Rows go four at a time: Paeth rows are undone side by side.
            const int rows = std::min(RowsAtOnce, h.height - y);
            uchar *lines[RowsAtOnce] = {};
            int filters[RowsAtOnce] = {};
            for (int r = 0; r < rows; ++r) {
                const uchar *row = raw.data() + size_t(y + r) * size_t(rowBytes + 1);
                filters[r] = row[0];
                lines[r] = straight.scanLine(y + r);
                std::memcpy(lines[r], row + 1, size_t(rowBytes));
            }
            if (!UnfilterPngRows(filters, lines, rows, prev, rowBytes, h.channels))
                return {};
            prev = lines[rows - 1];
            y += rows;
        }
        straight.convertTo(plainRgba ? transparentFormat : QImage::Format_RGB32);
        return straight;
    }

    const bool transparent = h.colourType == 4 || h.colourType == 6 || chunks.hasTransparency;
    QImage image(h.width, h.height, transparent ? transparentFormat : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const uchar *prev = nullptr;
    for (int y = 0; y < h.height;) {
        const int rows = std::min(RowsAtOnce, h.height - y);
        uchar *lines[RowsAtOnce] = {};
        int filters[RowsAtOnce] = {};
        for (int r = 0; r < rows; ++r) {
            uchar *row = raw.data() + size_t(y + r) * size_t(rowBytes + 1);
            filters[r] = row[0];
            lines[r] = row + 1;
        }
        if (!UnfilterPngRows(filters, lines, rows, prev, rowBytes, h.channels))
            return {};
        for (int r = 0; r < rows; ++r)
            convertRow(chunks, lines[r], reinterpret_cast<QRgb *>(image.scanLine(y + r)),
                       h.width, alpha);
        prev = lines[rows - 1];
        y += rows;
    }
    return image;
}

namespace {

/// The picture as RGB32, premultiplied ARGB32 or straight ARGB32. Straight colours stay
/// straight: premultiplying them would lose what a low alpha keeps.
QImage encodable(const QImage &canvas)
{
    if (canvas.format() == QImage::Format_RGB32 || canvas.format() == QImage::Format_ARGB32 ||
        canvas.format() == QImage::Format_ARGB32_Premultiplied)
        return canvas;
    return canvas.convertToFormat(canvas.pixelFormat().premultiplied() ==
                                          QPixelFormat::Premultiplied
                                      ? QImage::Format_ARGB32_Premultiplied
                                      : QImage::Format_ARGB32);
}

/// How hard rows are compressed.
enum class Effort
{
    Fast,      ///< Sub or Up per row, a fast level: the long picture, the sequence
    Animation, ///< any of the five filters per row, the strongest level: APNG frames
    Stored,    ///< any of the five filters per row, one level at any size: boot screens
};

int CompressionLevelFor(Effort effort, qint64 pixels)
{
    const bool large = pixels >= LargePixels;
    switch (effort) {
    case Effort::Fast:
        return large ? LargeCompressionLevel : CompressionLevel;
    case Effort::Animation:
        return large ? LargeAnimationCompressionLevel : AnimationCompressionLevel;
    case Effort::Stored:
        break;
    }
    return StoredCompressionLevel;
}

/// The filter chosen for a row and the sum of its differences read as signed bytes: the
/// usual estimate of how well a filtered row compresses.
struct FilterChoice
{
    int filter = -1;
    qint64 cost = 0;
};

/// What a filtered byte is taken to cost. Fast: its size read as a signed byte, libpng's
/// estimate. Otherwise: nothing for a zero, else a few bits more than its size needs, which
/// follows what deflate's codes spend better and lets runs of zeros win.
struct ByteCosts
{
    std::array<quint8, 256> of{};

    explicit ByteCosts(bool small)
    {
        for (int b = 0; b < 256; ++b) {
            const int v = std::abs(int(qint8(uchar(b))));
            int bits = 0;
            while ((1 << bits) <= v)
                ++bits;
            of[size_t(b)] = quint8(!small ? v : v == 0 ? 0 : 3 + bits);
        }
    }
};

/// The value a filter predicts for byte i of a row from the bytes to the left and above.
inline int predict(int filter, const uchar *row, const uchar *above, size_t i, size_t bpp)
{
    const int left = i >= bpp ? row[i - bpp] : 0;
    switch (filter) {
    case 1:
        return left;
    case 2:
        return above[i];
    case 3:
        return (left + above[i]) / 2;
    case 4: {
        const int up = above[i], upLeft = i >= bpp ? above[i - bpp] : 0;
        const int p = left + up - upLeft;
        const int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
        return pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft;
    }
    default:
        return 0;
    }
}

/// Filters `row` into `out` and returns the cost. A pixel marked in `spare` (an unchanged
/// pixel of a blended frame, drawn alike either way) may show `clear` instead of its own
/// colour: it takes whichever costs less (the clear colour on a tie, since runs of it compress
/// to nothing), and `row` is left as chosen.
qint64 filterRow(int filter, uchar *row, const uchar *above, size_t rowSize, size_t bpp,
                 const ByteCosts &costs, const uchar *spare, const uchar *clear, uchar *out)
{
    auto weight = [&](uchar b) { return costs.of[b]; };
    qint64 cost = 0;
    if (!spare) {
        // Every pixel as it is: one loop per filter, which the compiler vectorises.
        auto run = [&](auto predicted) {
            for (size_t i = 0; i < rowSize; ++i) {
                out[i] = uchar(row[i] - predicted(i));
                cost += weight(out[i]);
            }
        };
        switch (filter) {
        case 0:
            run([](size_t) { return 0; });
            break;
        case 1:
            run([&](size_t i) { return i >= bpp ? int(row[i - bpp]) : 0; });
            break;
        case 2:
            run([&](size_t i) { return int(above[i]); });
            break;
        default:
            run([&](size_t i) { return predict(filter, row, above, i, bpp); });
            break;
        }
        return cost;
    }
    for (size_t px = 0; px < rowSize; px += bpp) {
        qint64 own = 0;
        for (size_t i = px; i < px + bpp; ++i) {
            out[i] = uchar(row[i] - predict(filter, row, above, i, bpp));
            own += weight(out[i]);
        }
        if (spare && spare[px / bpp] && own > 0) {
            uchar keep[4], kept[4];
            std::memcpy(keep, row + px, bpp);
            std::memcpy(kept, out + px, bpp);
            std::memcpy(row + px, clear, bpp);
            qint64 cleared = 0;
            for (size_t i = px; i < px + bpp; ++i) {
                out[i] = uchar(row[i] - predict(filter, row, above, i, bpp));
                cleared += weight(out[i]);
            }
            // Forced pixels (spare value 2) take the clear colour whatever it costs.
            if (cleared > own && spare[px / bpp] != 2) {
                std::memcpy(row + px, keep, bpp);
                std::memcpy(out + px, kept, bpp);
            } else {
                own = cleared;
            }
        } else if (spare && spare[px / bpp] == 2) {
            std::memcpy(row + px, clear, bpp);
            own = 0;
            for (size_t i = px; i < px + bpp; ++i) {
                out[i] = uchar(row[i] - predict(filter, row, above, i, bpp));
                own += weight(out[i]);
            }
        }
        cost += own;
    }
    return cost;
}

/// What a blended frame may change: `before` is the picture the canvas shows, `clear` the
/// colour that draws nothing.
struct Blending
{
    const QImage *before = nullptr;
    QRgb clear = 0;
};

/// The zlib stream of a rectangle of an encodable picture as 8-bit RGB (opaque) or
/// RGBA rows, each filtered with the filter that leaves the smallest differences (Sub or Up
/// when fast). With `blending`, pixels that `before` already shows may be drawn clear.
/// Bands of rows are independent (a band recomputes the row above it), so a tall picture is
/// filtered on all cores. Empty when the compressor cannot be had.
QByteArray compressedRows(const QImage &source, QRect rect, bool opaque, Effort effort,
                          Blending blending = {})
{
    const int width = rect.width(), height = rect.height();
    const int channels = opaque ? 3 : 4;
    const auto bpp = size_t(channels);
    const auto rowSize = static_cast<size_t>(width) * bpp;
    std::vector<uchar> filtered((rowSize + 1) * size_t(height));
    const bool premultiplied = source.format() == QImage::Format_ARGB32_Premultiplied;
    auto toBytes = [&](QRgb c, uchar *px) {
        if (!opaque && premultiplied)
            c = qUnpremultiply(c);
        px[0] = uchar(qRed(c));
        px[1] = uchar(qGreen(c));
        px[2] = uchar(qBlue(c));
        if (!opaque)
            px[3] = uchar(qAlpha(c));
    };
    uchar clear[4] = {};
    toBytes(blending.clear, clear);
    // 1: unchanged, may be drawn clear; 2: unchanged but not opaque, must be drawn clear, as
    // blending it over itself would change it.
    auto straightRow = [&](int y, uchar *px, uchar *spare) {
        const auto *line =
            reinterpret_cast<const QRgb *>(source.constScanLine(rect.y() + y)) + rect.x();
        const auto *under = blending.before ? reinterpret_cast<const QRgb *>(
                                                  blending.before->constScanLine(rect.y() + y)) +
                                                  rect.x()
                                            : nullptr;
        for (int x = 0; x < width; ++x, px += channels) {
            toBytes(line[x], px);
            if (spare)
                spare[x] = under && under[x] == line[x] ? (qAlpha(line[x]) == 255 ? 1 : 2) : 0;
        }
    };
    static const ByteCosts fastCosts(false), smallCosts(true);
    const ByteCosts &costs = effort == Effort::Fast ? fastCosts : smallCosts;
    static constexpr int FastFilters[] = {1, 2};
    static constexpr int AllFilters[] = {0, 1, 2, 3, 4};
    const std::span<const int> filters = effort == Effort::Fast
                                             ? std::span<const int>(FastFilters)
                                             : std::span<const int>(AllFilters);
    auto filterRows = [&](int first, int last) {
        std::vector<uchar> current(rowSize), previous(rowSize, 0), trial(rowSize),
            chosenRow(rowSize), residuals(rowSize), best(rowSize);
        std::vector<uchar> spare(blending.before ? size_t(width) : 0);
        uchar *spareMarks = blending.before ? spare.data() : nullptr;
        if (first > 0) {
            // The row above as the band before settles it is not known here: without
            // blending it is the picture's own row.
            straightRow(first - 1, previous.data(), nullptr);
        }
        for (int y = first; y < last; ++y) {
            straightRow(y, current.data(), spareMarks);
            FilterChoice chosen;
            for (const int filter : filters) {
                // The first row has nothing above: Up would only repeat None.
                if (y == 0 && filter == 2 && effort == Effort::Fast)
                    continue;
                std::memcpy(trial.data(), current.data(), rowSize);
                const qint64 cost = filterRow(filter, trial.data(), previous.data(), rowSize,
                                              bpp, costs, spareMarks, clear, residuals.data());
                if (chosen.filter < 0 || cost < chosen.cost) {
                    chosen = {filter, cost};
                    std::swap(residuals, best);
                    std::swap(trial, chosenRow);
                }
            }
            uchar *out = filtered.data() + size_t(y) * (rowSize + 1);
            out[0] = uchar(chosen.filter);
            std::memcpy(out + 1, best.data(), rowSize);
            std::swap(chosenRow, previous);
        }
    };
    // A blended frame's rows depend on the rows chosen above them: one band.
    if (blending.before)
        filterRows(0, height);
    else
        ForEachBand(height, filterRows);

    std::unique_ptr<libdeflate_compressor, CompressorDeleter> deflater(
        libdeflate_alloc_compressor(CompressionLevelFor(effort, qint64(width) * height)));
    if (!deflater)
        return {};
    QByteArray compressed(
        qsizetype(libdeflate_zlib_compress_bound(deflater.get(), filtered.size())), Qt::Uninitialized);
    const size_t compressedSize =
        libdeflate_zlib_compress(deflater.get(), filtered.data(), filtered.size(),
                                 compressed.data(), size_t(compressed.size()));
    compressed.resize(qsizetype(compressedSize));
    return compressed;
}

QByteArray pngStart(QSize size, bool opaque)
{
    QByteArray out;
    out.append(reinterpret_cast<const char *>(PngSignature.data()), PngSignature.size());
    uchar header[13];
    PutBe32(header, quint32(size.width()));
    PutBe32(header + 4, quint32(size.height()));
    header[8] = 8;
    header[9] = opaque ? 2 : 6;
    header[10] = header[11] = header[12] = 0;
    AppendPngChunk(out, "IHDR", header, sizeof header);
    return out;
}

/// The rectangle of `picture` that differs from `before`; 1 x 1 pixel at the corner when none
/// does, since a frame must have one.
QRect changedRect(const QImage &before, const QImage &picture)
{
    int left = picture.width(), top = picture.height(), right = -1, bottom = -1;
    for (int y = 0; y < picture.height(); ++y) {
        const auto *a = reinterpret_cast<const QRgb *>(before.constScanLine(y));
        const auto *b = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (a[x] != b[x]) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    return right < 0 ? QRect(0, 0, 1, 1) : QRect(QPoint(left, top), QPoint(right, bottom));
}

/// An opaque colour that no picture uses; none when the pictures use all 2^24.
std::optional<QRgb> UnusedColour(const QList<QImage> &pictures)
{
    std::vector<bool> used(size_t(1) << 24);
    for (const QImage &picture : pictures)
        for (int y = 0; y < picture.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                used[line[x] & RGB_MASK] = true;
        }
    // From black up: black itself, where free, compressed best among the colours tried.
    for (size_t colour = 0; colour < used.size(); ++colour)
        if (!used[colour])
            return QRgb(0xff000000u | quint32(colour));
    return std::nullopt;
}

/// Whether every pixel of `rect` where `picture` differs from `before` is opaque: blending
/// can draw only those exactly.
bool ChangesOpaque(const QImage &before, const QImage &picture, QRect rect)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const auto *under = reinterpret_cast<const QRgb *>(before.constScanLine(y));
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (under[x] != line[x] && qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

} // namespace

namespace {

QByteArray encodeStill(const QImage &canvas, Effort effort)
{
    if (canvas.isNull())
        return {};
    const QImage source = encodable(canvas);
    const bool opaque = IsOpaque(source);
    const QByteArray compressed = compressedRows(source, source.rect(), opaque, effort);
    if (compressed.isEmpty())
        return {};
    QByteArray out = pngStart(source.size(), opaque);
    AppendPngChunk(out, "IDAT", compressed);
    AppendPngChunk(out, "IEND", nullptr, 0);
    return out;
}

} // namespace

QByteArray EncodePngFast(const QImage &canvas)
{
    return encodeStill(canvas, Effort::Fast);
}

QByteArray EncodePngSmall(const QImage &canvas)
{
    return encodeStill(canvas, Effort::Stored);
}

Result<FileBytes> EncodeApngParts(const AnimationSequence &sequence, const EncodeStep &step)
{
    auto failure = [](const QString &what) {
        return Status::Fail(Tr::tr("图片编码失败（APNG）：%1").arg(what));
    };
    if (sequence.pictures.isEmpty() || sequence.order.empty() ||
        sequence.pictures.first().isNull())
        return failure(Tr::tr("没有可写的帧"));
    const QSize size = sequence.pictures.first().size();
    QList<QImage> pictures;
    bool opaque = true;
    for (const QImage &picture : sequence.pictures) {
        if (picture.size() != size)
            return failure(Tr::tr("帧的尺寸不一致"));
        pictures << encodable(picture);
        opaque = opaque && IsOpaque(pictures.last());
    }
    for (const int picture : sequence.order)
        if (picture < 0 || picture >= pictures.size())
            return failure(Tr::tr("帧序号超出范围"));
    // Unchanged pixels of a blended frame are transparent: fully transparent RGBA pixels, or in
    // an opaque animation a colour no picture uses, declared transparent by tRNS.
    const std::optional<QRgb> key = opaque ? UnusedColour(pictures) : std::nullopt;
    const QRgb clear = key ? *key : QRgb(0);
    const bool canBlend = !opaque || key.has_value();

    // A frame draws the rectangle that changed since the picture before and keeps the canvas
    // (no disposal), so its bytes depend on that pair only and are compressed once.
    using Pair = std::pair<int, int>; // picture before (-1: none), picture
    std::map<Pair, int> rowsOf;
    std::vector<Pair> distinct;
    std::vector<Pair> frames;
    for (size_t f = 0; f < sequence.order.size(); ++f) {
        const Pair pair{f == 0 ? -1 : sequence.order[f - 1], sequence.order[f]};
        frames.push_back(pair);
        if (rowsOf.emplace(pair, int(distinct.size())).second)
            distinct.push_back(pair);
    }
    struct Compressed
    {
        QRect rect;
        bool blend = false;
        QByteArray rows;
    };
    const int total = int(distinct.size()) + 1;
    ExportPool pool;
    const OrderedItems<Compressed> compressed = MakeInOrder(
        pool, int(distinct.size()),
        [&](int i) {
            const auto [before, picture] = distinct[size_t(i)];
            const QImage &image = pictures[picture];
            if (before < 0)
                return Compressed{image.rect(), false,
                                  compressedRows(image, image.rect(), opaque, Effort::Animation)};
            const QRect rect = changedRect(pictures[before], image);
            if (!canBlend || !ChangesOpaque(pictures[before], image, rect))
                return Compressed{rect, false,
                                  compressedRows(image, rect, opaque, Effort::Animation)};
            return Compressed{rect, true,
                              compressedRows(image, rect, opaque, Effort::Animation,
                                             Blending{&pictures[before], clear})};
        },
        [](int, const Compressed &frame) { return frame.rows.isEmpty(); },
        [&](int i) { return !step || step(i + 1, total); }, nullptr);
    if (compressed.failed)
        return failure(Tr::tr("无法压缩"));
    if (!compressed.complete)
        return FileBytes();
    const std::vector<Compressed> &stored = compressed.items;

    QByteArray start = pngStart(size, opaque);
    uchar control[26];
    PutBe32(control, quint32(frames.size()));
    PutBe32(control + 4, sequence.repeat ? 0 : 1);
    AppendPngChunk(start, "acTL", control, 8);
    const bool anyBlended =
        std::any_of(stored.begin(), stored.end(), [](const Compressed &c) { return c.blend; });
    if (key && anyBlended) {
        uchar transparent[6] = {0, uchar(qRed(clear)), 0, uchar(qGreen(clear)), 0,
                                uchar(qBlue(clear))};
        AppendPngChunk(start, "tRNS", transparent, sizeof transparent);
    }
    // Every frame's chunks carry their own sequence number, so only the compressed rows are
    // shared between the showings of a frame; the rest is a few bytes per frame.
    FileBytes out(start);
    quint32 sequenceNumber = 0;
    for (size_t f = 0; f < frames.size(); ++f) {
        const Compressed &frame = stored[size_t(rowsOf[frames[f]])];
        PutBe32(control, sequenceNumber++);
        PutBe32(control + 4, quint32(frame.rect.width()));
        PutBe32(control + 8, quint32(frame.rect.height()));
        PutBe32(control + 12, quint32(frame.rect.x()));
        PutBe32(control + 16, quint32(frame.rect.y()));
        const quint16 delay = quint16(std::clamp(sequence.frameMs, 0, 65535));
        control[20] = uchar(delay >> 8);
        control[21] = uchar(delay);
        control[22] = uchar(1000 >> 8);
        control[23] = uchar(1000 & 0xff);
        control[24] = 0;                   // dispose: none
        control[25] = frame.blend ? 1 : 0; // blend: over, or source
        QByteArray head;
        AppendPngChunk(head, "fcTL", control, sizeof control);
        if (f == 0) {
            AppendPngChunk(head, "IDAT", frame.rows);
            out.Append(head);
            continue;
        }
        uchar dataHead[12];
        PutBe32(dataHead, quint32(4 + frame.rows.size()));
        std::memcpy(dataHead + 4, "fdAT", 4);
        PutBe32(dataHead + 8, sequenceNumber++);
        head.append(reinterpret_cast<const char *>(dataHead), sizeof dataHead);
        out.Append(head);
        out.Append(frame.rows);
        uchar crc[4];
        PutBe32(crc, libdeflate_crc32(libdeflate_crc32(0, dataHead + 4, 8), frame.rows.constData(),
                                      size_t(frame.rows.size())));
        out.Append(QByteArray(reinterpret_cast<const char *>(crc), sizeof crc));
    }
    QByteArray end;
    AppendPngChunk(end, "IEND", nullptr, 0);
    out.Append(end);
    if (step && !step(total, total))
        return FileBytes();
    return out;
}

Result<QByteArray> EncodeApng(const AnimationSequence &sequence, const EncodeStep &step)
{
    const Result<FileBytes> parts = EncodeApngParts(sequence, step);
    if (!parts)
        return parts.status();
    return parts->Joined();
}

} // namespace mrv
