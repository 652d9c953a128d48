#include "imaging/gifanimation.h"

#include "imaging/gifpalette.h"
#include "imaging/gifwriter.h"
#include "support/parallel.h"
#include "support/tr.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <unordered_map>

namespace mrv {

namespace {

using Pixel = quint32;
constexpr Pixel Clear = 0;
constexpr int NoBase = -1;
constexpr uchar DisposeKeep = 1;
constexpr uchar DisposeClear = 2;

void appendLe16(QByteArray &out, int value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

/// One stored frame: the picture drawn over what the frame before left (a picture, or a clear
/// canvas), and whether it is cleared away before the next. Frames alike in these are alike
/// in every byte but their delay.
struct FrameKey
{
    int picture = 0;
    int base = NoBase;
    bool clearAfter = false;

    auto tie() const { return std::tie(picture, base, clearAfter); }
    bool operator<(const FrameKey &other) const { return tie() < other.tie(); }
};

/// A frame's stored bytes: its image block and what its graphic control block needs.
struct EncodedFrame
{
    QByteArray block; ///< image descriptor, local colour table, compressed pixels
    int transparentIndex = -1;
    QString error;
};

/// Whether drawing `next` after `shown` makes a pixel transparent, which drawing cannot do.
bool needsClear(const std::vector<Pixel> &shown, const std::vector<Pixel> &next)
{
    for (size_t i = 0; i < shown.size(); ++i)
        if (shown[i] != Clear && next[i] == Clear)
            return true;
    return false;
}

/// The bounding box of the pixels where `picture` differs from `base` (a clear canvas when
/// null) or, with `opaqueToo`, is opaque.
QRect changedBox(const std::vector<Pixel> &picture, const std::vector<Pixel> *base, int width,
                 int height, bool opaqueToo)
{
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y) {
        const size_t row = size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x) {
            const Pixel p = picture[row + size_t(x)];
            const Pixel under = base ? (*base)[row + size_t(x)] : Clear;
            if (p != under || (opaqueToo && p != Clear)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

/// The whole animation's opaque colours, each once, after the transparent entry 0; nothing
/// when they do not fit into 255 entries.
std::optional<std::unordered_map<Pixel, uchar>>
sharedPalette(const std::vector<std::vector<Pixel>> &pictures,
              std::vector<IndexedPicture::Colour> &palette)
{
    std::unordered_map<Pixel, uchar> index;
    palette.assign(1, IndexedPicture::Colour{});
    for (const std::vector<Pixel> &picture : pictures) {
        Pixel last = Clear;
        for (const Pixel p : picture) {
            if (p == Clear || p == last)
                continue;
            last = p;
            if (index.contains(p))
                continue;
            if (palette.size() == 256)
                return std::nullopt;
            index.emplace(p, uchar(palette.size()));
            palette.push_back(GifPixelColour(p));
        }
    }
    return index;
}

/// The image block of one frame. giflib writes whole files, so the frame is written as a
/// file of its own and the block cut out between its screen descriptor (with the global
/// colour table, when there is one) and its trailer.
Result<QByteArray> imageBlock(QSize screen, QRect rect, const std::vector<uchar> &indices,
                              const ColorMapObject *globalMap, const ColorMapObject *localMap)
{
    const Result<QByteArray> file = WriteGifFile(screen, globalMap, [&](GifFileType *gif) {
        return PutGifImage(gif, rect, indices, localMap);
    });
    if (!file)
        return file;
    const qsizetype start = 13 + (globalMap ? 3 * globalMap->ColorCount : 0);
    return file->mid(start, file->size() - start - 1);
}

class GifAnimationWriter
{
public:
    explicit GifAnimationWriter(AnimationSequence sequence) : m_sequence(std::move(sequence)) {}

    Result<QByteArray> Write(const EncodeStep &step)
    {
        const QSize size = m_sequence.pictures.first().size();
        if (size.width() > 65535 || size.height() > 65535)
            return GifFailure(Tr::tr("图片过大"));
        m_size = size;
        // Each picture is let go once its pixels are taken, so that a large animation is not
        // held twice.
        for (QImage &picture : m_sequence.pictures) {
            if (picture.size() != size)
                return GifFailure(Tr::tr("帧的尺寸不一致"));
            m_pixels.push_back(GifPixels(picture));
            picture = QImage();
        }
        std::vector<IndexedPicture::Colour> palette;
        if (auto index = sharedPalette(m_pixels, palette)) {
            m_sharedIndex = std::move(*index);
            m_globalMap = MakeGifMap(palette);
            if (!m_globalMap)
                return GifFailure(Tr::tr("无法生成调色板"));
        }
        const std::vector<FrameKey> frames = plan();
        std::vector<FrameKey> distinct;
        std::map<FrameKey, int> blockOf;
        for (const FrameKey &key : frames)
            if (blockOf.emplace(key, int(distinct.size())).second)
                distinct.push_back(key);

        std::vector<EncodedFrame> blocks(distinct.size());
        const int total = int(distinct.size()) + 1;
        QString failure;
        ExportPool pool;
        const bool complete = ForEachOrdered(
            pool, int(distinct.size()), [&](int i) { return encode(distinct[size_t(i)]); },
            [&](int i, const EncodedFrame &encoded) {
                if (!encoded.error.isEmpty()) {
                    failure = encoded.error;
                    return false;
                }
                blocks[size_t(i)] = encoded;
                return !step || step(i + 1, total);
            },
            nullptr);
        if (!failure.isEmpty())
            return Result<QByteArray>::Fail(failure);
        if (!complete)
            return QByteArray();

        QByteArray out = header();
        const std::vector<int> delays = GifDelays(int(frames.size()), m_sequence.frameMs);
        for (size_t f = 0; f < frames.size(); ++f) {
            const EncodedFrame &encoded = blocks[size_t(blockOf[frames[f]])];
            const uchar disposal = frames[f].clearAfter ? DisposeClear : DisposeKeep;
            const bool transparent = encoded.transparentIndex >= 0;
            out.append("\x21\xf9\x04", 3);
            out.append(char((disposal << 2) | (transparent ? 1 : 0)));
            appendLe16(out, std::min(delays[f], 65535));
            out.append(char(transparent ? encoded.transparentIndex : 0));
            out.append('\0');
            out.append(encoded.block);
        }
        out.append('\x3b');
        if (step && !step(total, total))
            return QByteArray();
        return out;
    }

private:
    /// Every shown frame's key, in order. A frame is drawn over the picture before it unless
    /// that one had to be cleared away; the first frame is drawn over a clear canvas, also
    /// when a repeating file comes round to it again.
    std::vector<FrameKey> plan() const
    {
        const std::vector<int> &order = m_sequence.order;
        std::vector<FrameKey> frames(order.size());
        for (size_t f = 0; f < order.size(); ++f) {
            FrameKey &key = frames[f];
            key.picture = order[f];
            const bool last = f + 1 == order.size();
            if (!last || m_sequence.repeat) {
                const int next = last ? order.front() : order[f + 1];
                key.clearAfter = needsClear(m_pixels[size_t(key.picture)], m_pixels[size_t(next)]);
            }
            if (f > 0 && !frames[f - 1].clearAfter)
                key.base = order[f - 1];
        }
        return frames;
    }

    EncodedFrame encode(const FrameKey &key) const
    {
        const std::vector<Pixel> &picture = m_pixels[size_t(key.picture)];
        const std::vector<Pixel> *base = key.base == NoBase ? nullptr : &m_pixels[size_t(key.base)];
        QRect rect = changedBox(picture, base, m_size.width(), m_size.height(), key.clearAfter);
        if (rect.isEmpty())
            rect = QRect(0, 0, 1, 1);
        // Pixels the canvas shows already become transparent: long runs compress well.
        std::vector<Pixel> shown(size_t(rect.width()) * size_t(rect.height()));
        for (int y = 0; y < rect.height(); ++y)
            for (int x = 0; x < rect.width(); ++x) {
                const size_t at =
                    size_t(rect.y() + y) * size_t(m_size.width()) + size_t(rect.x() + x);
                const Pixel p = picture[at];
                shown[size_t(y) * size_t(rect.width()) + size_t(x)] =
                    base && (*base)[at] == p ? Clear : p;
            }

        EncodedFrame out;
        std::vector<uchar> indices(shown.size());
        GifMap localMap;
        if (m_globalMap) {
            for (size_t i = 0; i < shown.size(); ++i)
                indices[i] = shown[i] == Clear ? 0 : m_sharedIndex.at(shown[i]);
            out.transparentIndex = 0;
        } else {
            QImage crop(rect.size(), QImage::Format_ARGB32);
            for (int y = 0; y < rect.height(); ++y) {
                auto *line = reinterpret_cast<QRgb *>(crop.scanLine(y));
                for (int x = 0; x < rect.width(); ++x) {
                    const Pixel p = shown[size_t(y) * size_t(rect.width()) + size_t(x)];
                    const IndexedPicture::Colour c = GifPixelColour(p);
                    line[x] = p == Clear ? 0 : qRgb(c.r, c.g, c.b);
                }
            }
            Result<IndexedPicture> indexed = IndexColours(crop, QuantiseEffort::Fast);
            if (!indexed) {
                out.error = GifFailure(indexed.message()).message();
                return out;
            }
            // A frame cleared away needs a transparent index: viewers clear to it.
            if (indexed->transparentIndex < 0 && key.clearAfter && indexed->palette.size() < 256) {
                indexed->transparentIndex = int(indexed->palette.size());
                indexed->palette.push_back({});
            }
            indices = std::move(indexed->indices);
            out.transparentIndex = indexed->transparentIndex;
            localMap = MakeGifMap(indexed->palette);
            if (!localMap) {
                out.error = GifFailure(Tr::tr("无法生成调色板")).message();
                return out;
            }
        }
        Result<QByteArray> block =
            imageBlock(m_size, rect, indices, m_globalMap.get(), localMap.get());
        if (!block)
            out.error = block.message();
        else
            out.block = std::move(*block);
        return out;
    }

    QByteArray header() const
    {
        QByteArray out("GIF89a");
        appendLe16(out, m_size.width());
        appendLe16(out, m_size.height());
        if (m_globalMap) {
            const int bits = m_globalMap->BitsPerPixel;
            out.append(char(0x80 | ((bits - 1) << 4) | (bits - 1)));
        } else {
            out.append(char(0x70));
        }
        out.append('\0');
        out.append('\0');
        if (m_globalMap)
            for (int i = 0; i < m_globalMap->ColorCount; ++i) {
                const GifColorType &c = m_globalMap->Colors[i];
                out.append(char(c.Red));
                out.append(char(c.Green));
                out.append(char(c.Blue));
            }
        if (m_sequence.repeat)
            out.append("\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
        return out;
    }

    AnimationSequence m_sequence;
    QSize m_size;
    std::vector<std::vector<Pixel>> m_pixels;
    std::unordered_map<Pixel, uchar> m_sharedIndex;
    GifMap m_globalMap;
};

} // namespace

std::vector<int> GifDelays(int frames, int frameMs)
{
    if (frameMs < MinGifFrameMs)
        return std::vector<int>(size_t(std::max(frames, 0)), MinGifFrameMs / 10);
    std::vector<int> delays;
    qint64 endedBefore = 0;
    for (qint64 k = 1; k <= frames; ++k) {
        const qint64 ends = (k * frameMs + 5) / 10;
        delays.push_back(int(ends - endedBefore));
        endedBefore = ends;
    }
    return delays;
}

Result<QByteArray> EncodeGifAnimation(AnimationSequence sequence, const EncodeStep &step)
{
    if (sequence.pictures.isEmpty() || sequence.order.empty() || sequence.pictures.first().isNull())
        return GifFailure(Tr::tr("没有可写的帧"));
    for (const int picture : sequence.order)
        if (picture < 0 || picture >= sequence.pictures.size())
            return GifFailure(Tr::tr("帧序号超出范围"));
    return GifAnimationWriter(std::move(sequence)).Write(step);
}

} // namespace mrv
