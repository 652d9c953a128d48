#include "imaging/pngcodec.h"

#include "imaging/canvas.h"
#include "support/parallel.h"
#include "imaging/pngchunks.h"
#include "imaging/pngrowfilter.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <map>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace mrv {

namespace {

// Pictures larger than this are left to Qt's reader, which applies its own allocation limit.
constexpr qint64 MaxDecodedBytes = 256LL * 1024 * 1024;
// Large pictures (the long picture) take the fastest level; the size differs by a few per cent.
constexpr int CompressionLevel = 2;
constexpr int LargeCompressionLevel = 1;
constexpr qint64 LargePixels = 1024 * 1024;
constexpr size_t KeptBufferBytes = 4 * 1024 * 1024;

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
        for (int y = 0; y < h.height; ++y) {
            const uchar *row = raw.data() + size_t(y) * size_t(rowBytes + 1);
            uchar *line = straight.scanLine(y);
            std::memcpy(line, row + 1, size_t(rowBytes));
            if (!UnfilterPngRow(row[0], line, prev, rowBytes, h.channels))
                return {};
            prev = line;
        }
        straight.convertTo(plainRgba ? transparentFormat : QImage::Format_RGB32);
        return straight;
    }

    const bool transparent = h.colourType == 4 || h.colourType == 6 || chunks.hasTransparency;
    QImage image(h.width, h.height, transparent ? transparentFormat : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const uchar *prev = nullptr;
    for (int y = 0; y < h.height; ++y) {
        uchar *row = raw.data() + size_t(y) * size_t(rowBytes + 1);
        if (!UnfilterPngRow(row[0], row + 1, prev, rowBytes, h.channels))
            return {};
        convertRow(chunks, row + 1, reinterpret_cast<QRgb *>(image.scanLine(y)), h.width, alpha);
        prev = row + 1;
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

/// The zlib stream of a rectangle of an encodable picture as 8-bit RGB (opaque) or
/// RGBA rows, each filtered with Sub or Up, whichever leaves the smaller differences. Bands of
/// rows are independent (a band recomputes the row above it), so a tall picture is filtered on
/// all cores. Empty when the compressor cannot be had.
QByteArray compressedRows(const QImage &source, QRect rect, bool opaque)
{
    const int width = rect.width(), height = rect.height();
    const int channels = opaque ? 3 : 4;
    const auto rowSize = static_cast<size_t>(width) * size_t(channels);
    std::vector<uchar> filtered((rowSize + 1) * size_t(height));
    const bool premultiplied = source.format() == QImage::Format_ARGB32_Premultiplied;
    auto straightRow = [&](int y, uchar *px) {
        const auto *line =
            reinterpret_cast<const QRgb *>(source.constScanLine(rect.y() + y)) + rect.x();
        for (int x = 0; x < width; ++x, px += channels) {
            const QRgb c = opaque || !premultiplied ? line[x] : qUnpremultiply(line[x]);
            px[0] = uchar(qRed(c));
            px[1] = uchar(qGreen(c));
            px[2] = uchar(qBlue(c));
            if (!opaque)
                px[3] = uchar(qAlpha(c));
        }
    };
    auto filterRows = [&](int first, int last) {
        std::vector<uchar> current(rowSize), previous(rowSize, 0), sub(rowSize), up(rowSize);
        if (first > 0)
            straightRow(first - 1, previous.data());
        for (int y = first; y < last; ++y) {
            straightRow(y, current.data());
            qint64 subCost = 0, upCost = 0;
            for (size_t i = 0; i < rowSize; ++i) {
                sub[i] = uchar(current[i] - (i >= size_t(channels) ? current[i - channels] : 0));
                up[i] = uchar(current[i] - previous[i]);
                subCost += std::abs(int(qint8(sub[i])));
                upCost += std::abs(int(qint8(up[i])));
            }
            const bool useUp = y > 0 && upCost < subCost;
            uchar *out = filtered.data() + size_t(y) * (rowSize + 1);
            out[0] = useUp ? 2 : 1;
            std::memcpy(out + 1, useUp ? up.data() : sub.data(), rowSize);
            std::swap(current, previous);
        }
    };
    ForEachBand(height, filterRows);

    std::unique_ptr<libdeflate_compressor, CompressorDeleter> deflater(libdeflate_alloc_compressor(
        qint64(width) * height >= LargePixels ? LargeCompressionLevel : CompressionLevel));
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

} // namespace

QByteArray EncodePngFast(const QImage &canvas)
{
    if (canvas.isNull())
        return {};
    const QImage source = encodable(canvas);
    const bool opaque = IsOpaque(source);
    const QByteArray compressed = compressedRows(source, source.rect(), opaque);
    if (compressed.isEmpty())
        return {};
    QByteArray out = pngStart(source.size(), opaque);
    AppendPngChunk(out, "IDAT", compressed);
    AppendPngChunk(out, "IEND", nullptr, 0);
    return out;
}

Result<QByteArray> EncodeApng(const AnimationSequence &sequence, const EncodeStep &step)
{
    auto failure = [](const QString &what) {
        return Result<QByteArray>::Fail(QStringLiteral("图片编码失败（APNG）：%1").arg(what));
    };
    if (sequence.pictures.isEmpty() || sequence.order.empty() ||
        sequence.pictures.first().isNull())
        return failure(QStringLiteral("没有可写的帧"));
    const QSize size = sequence.pictures.first().size();
    QList<QImage> pictures;
    bool opaque = true;
    for (const QImage &picture : sequence.pictures) {
        if (picture.size() != size)
            return failure(QStringLiteral("帧的尺寸不一致"));
        pictures << encodable(picture);
        opaque = opaque && IsOpaque(pictures.last());
    }
    for (const int picture : sequence.order)
        if (picture < 0 || picture >= pictures.size())
            return failure(QStringLiteral("帧序号超出范围"));

    // A frame replaces the rectangle that changed since the picture before (blend "source",
    // no disposal), so its bytes depend on that pair only and are compressed once.
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
        QByteArray rows;
    };
    std::vector<Compressed> stored(distinct.size());
    const int total = int(distinct.size()) + 1;
    ExportPool pool;
    bool failed = false;
    const bool complete = ForEachOrdered(
        pool, int(distinct.size()),
        [&](int i) {
            const auto [before, picture] = distinct[size_t(i)];
            const QImage &image = pictures[picture];
            const QRect rect = before < 0 ? image.rect() : changedRect(pictures[before], image);
            return Compressed{rect, compressedRows(image, rect, opaque)};
        },
        [&](int i, const Compressed &compressed) {
            if (compressed.rows.isEmpty()) {
                failed = true;
                return false;
            }
            stored[size_t(i)] = compressed;
            return !step || step(i + 1, total);
        },
        nullptr);
    if (failed)
        return failure(QStringLiteral("无法压缩"));
    if (!complete)
        return QByteArray();

    QByteArray out = pngStart(size, opaque);
    uchar control[26];
    PutBe32(control, quint32(frames.size()));
    PutBe32(control + 4, sequence.repeat ? 0 : 1);
    AppendPngChunk(out, "acTL", control, 8);
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
        control[24] = 0; // dispose: none
        control[25] = 0; // blend: source
        AppendPngChunk(out, "fcTL", control, sizeof control);
        if (f == 0) {
            AppendPngChunk(out, "IDAT", frame.rows);
        } else {
            QByteArray data(4, Qt::Uninitialized);
            PutBe32(reinterpret_cast<uchar *>(data.data()), sequenceNumber++);
            data += frame.rows;
            AppendPngChunk(out, "fdAT", data);
        }
    }
    AppendPngChunk(out, "IEND", nullptr, 0);
    if (step && !step(total, total))
        return QByteArray();
    return out;
}

} // namespace mrv
