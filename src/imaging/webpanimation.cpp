#include "imaging/webpanimation.h"

#include "imaging/canvas.h"
#include "support/parallel.h"
#include "support/tr.h"

#include <QtEndian>

#include <webp/encode.h>
#include <webp/decode.h>

#include <algorithm>
#include <map>
#include <memory>

namespace mrv {

namespace {

struct PictureFree
{
    void operator()(WebPPicture *p) const { WebPPictureFree(p); }
};

// Lossless effort: method 4 at quality 30 stores the demo's frames a little smaller than
// libwebp's defaults (method 4, quality 75) in 80 % of the time: the quality only sets how
// hard matches are searched, and above 25 the window is the same. At 25 and below the files
// grow by 1.5 % or more; method 3 is 2 % larger.
constexpr int LosslessMethod = 4;
constexpr float LosslessEffort = 30;

Status webpFailure(const QString &what)
{
    return Status::Fail(Tr::tr("图片编码失败（WebP）：%1").arg(what));
}

/// Two straight pixels that look alike: equal, or both fully transparent (whose colour no
/// reader shows, and which the encoder is free to change).
bool alike(QRgb a, QRgb b)
{
    return a == b || (qAlpha(a) == 0 && qAlpha(b) == 0);
}

/// The rectangle of `picture` that differs from `before`, widened to even offsets, since an
/// animation frame can only start at an even pixel; one pixel at the corner when nothing does.
QRect changedRect(const QImage &before, const QImage &picture)
{
    int left = picture.width(), top = picture.height(), right = -1, bottom = -1;
    for (int y = 0; y < picture.height(); ++y) {
        const auto *a = reinterpret_cast<const QRgb *>(before.constScanLine(y));
        const auto *b = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (!alike(a[x], b[x])) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    if (right < 0)
        return QRect(0, 0, 1, 1);
    return QRect(QPoint(left & ~1, top & ~1), QPoint(right, bottom));
}

/// The piece of `picture` over `rect` with every pixel that `before` already shows made
/// transparent, to be blended over the canvas; null when a changed pixel is not opaque, as
/// blending could not draw it.
QImage blendablePiece(const QImage &before, const QImage &picture, QRect rect)
{
    QImage piece = picture.copy(rect);
    if (piece.isNull())
        return piece;
    for (int y = 0; y < rect.height(); ++y) {
        const auto *under =
            reinterpret_cast<const QRgb *>(before.constScanLine(rect.y() + y)) + rect.x();
        auto *line = reinterpret_cast<QRgb *>(piece.scanLine(y));
        for (int x = 0; x < rect.width(); ++x) {
            if (alike(under[x], line[x]))
                line[x] = 0;
            else if (qAlpha(line[x]) != 255)
                return QImage();
        }
    }
    return piece;
}

/// One picture (straight ARGB32) as a still WebP; empty when libwebp fails.
QByteArray encodeStill(const QImage &piece, const WebPConfig &config)
{
    WebPPicture picture;
    if (!WebPPictureInit(&picture))
        return {};
    const std::unique_ptr<WebPPicture, PictureFree> owned(&picture);
    picture.use_argb = 1;
    picture.width = piece.width();
    picture.height = piece.height();
    WebPMemoryWriter writer;
    WebPMemoryWriterInit(&writer);
    picture.writer = WebPMemoryWrite;
    picture.custom_ptr = &writer;
    // libwebp reads straight BGRA bytes, the memory layout of ARGB32 here.
    const bool done =
        WebPPictureImportBGRA(&picture, piece.constBits(), int(piece.bytesPerLine())) &&
        WebPEncode(&config, &picture);
    QByteArray bytes = done ? QByteArray(reinterpret_cast<const char *>(writer.mem),
                                         qsizetype(writer.size))
                            : QByteArray();
    WebPMemoryWriterClear(&writer);
    return bytes;
}

/// A frame's stored bytes: where it lies, whether it is blended over the canvas, the still.
struct Piece
{
    QRect rect;
    bool blend = false;
    QByteArray still;
};

/// The frame that turns the canvas showing `before` (null: none) into `picture`: the changed
/// rectangle, replacing the canvas there or, with what is unchanged made transparent, blended
/// over it. Lossless frames blend whenever they can, as libwebp's own animation encoder does:
/// the transparent pixels cost next to nothing, and trying both ways gains about 1 % for twice
/// the time. Lossy frames take the smaller of the two, since an alpha plane often costs more
/// than the pixels it spares.
Piece encodePiece(const QImage &before, const QImage &picture, const WebPConfig &config)
{
    const QRect rect = before.isNull() ? picture.rect() : changedRect(before, picture);
    const QImage blendable = before.isNull() ? QImage() : blendablePiece(before, picture, rect);
    if (!blendable.isNull() && config.lossless)
        return Piece{rect, true, encodeStill(blendable, config)};
    Piece piece{rect, false, encodeStill(picture.copy(rect), config)};
    if (!blendable.isNull()) {
        QByteArray blended = encodeStill(blendable, config);
        if (!blended.isEmpty() && (piece.still.isEmpty() || blended.size() < piece.still.size()))
            piece = Piece{rect, true, std::move(blended)};
    }
    return piece;
}

/// Appends the low `bytes` bytes of `value`, least significant first, as RIFF fields are.
void appendLe(QByteArray &out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xff));
}

/// The image chunks (ALPH, VP8, VP8L) of a still WebP file, each with its padding byte: what an
/// animation frame holds. Empty when the still is not a WebP file.
QByteArrayView imageChunks(const QByteArray &still)
{
    constexpr qsizetype FileHeaderBytes = 12;
    if (still.size() < FileHeaderBytes || !still.startsWith("RIFF"))
        return {};
    // WebPEncode writes a VP8X chunk first only for lossy pictures with alpha; the image
    // chunks are all the rest.
    qsizetype at = FileHeaderBytes;
    if (still.mid(at, 4) == "VP8X")
        at += 8 + qsizetype(qFromLittleEndian<quint32>(still.constData() + at + 4) + 1) / 2 * 2;
    return at < still.size() ? QByteArrayView(still).sliced(at) : QByteArrayView();
}

/// The animation around the pieces' stills, laid out as libwebp's mux lays it out (RIFF, VP8X,
/// ANIM, one ANMF per frame holding its still's image chunks; byte for byte the same). Each
/// piece's ANMF chunk is made once and shared by every frame that shows it, so a file that
/// repeats its loop hundreds of times is not held whole in memory.
Result<FileBytes> assembleAnimation(QSize canvas, int loops, int frameMs,
                                    const std::vector<Piece> &pieces,
                                    const std::vector<int> &frames)
{
    constexpr qint64 ChunkHeaderBytes = 8, FrameHeaderBytes = 16, MaxRiffBytes = 0xfffffff6;
    std::vector<QByteArray> frameChunks;
    bool alpha = false;
    for (const Piece &piece : pieces) {
        WebPBitstreamFeatures features;
        const QByteArrayView image = imageChunks(piece.still);
        if (image.isEmpty() || piece.rect.x() % 2 || piece.rect.y() % 2
            || WebPGetFeatures(reinterpret_cast<const uint8_t *>(piece.still.constData()),
                               size_t(piece.still.size()), &features) != VP8_STATUS_OK
            || features.width != piece.rect.width() || features.height != piece.rect.height())
            return webpFailure(Tr::tr("无法组装动画"));
        alpha = alpha || features.has_alpha;
        QByteArray chunk;
        chunk.reserve(ChunkHeaderBytes + FrameHeaderBytes + image.size());
        chunk.append("ANMF");
        appendLe(chunk, quint32(FrameHeaderBytes + image.size()), 4);
        appendLe(chunk, quint32(piece.rect.x() / 2), 3);
        appendLe(chunk, quint32(piece.rect.y() / 2), 3);
        appendLe(chunk, quint32(piece.rect.width() - 1), 3);
        appendLe(chunk, quint32(piece.rect.height() - 1), 3);
        appendLe(chunk, quint32(frameMs), 3);
        // Bit 1: drawn over the canvas without blending; bit 0 (disposal) stays clear.
        chunk.append(char(piece.blend ? 0 : 2));
        chunk.append(image);
        frameChunks.push_back(std::move(chunk));
    }
    qint64 fileBytes = 4 + (ChunkHeaderBytes + 10) + (ChunkHeaderBytes + 6);
    for (const int frame : frames)
        fileBytes += frameChunks[size_t(frame)].size();
    if (fileBytes > MaxRiffBytes)
        return webpFailure(Tr::tr("文件将超过 4 GB"));

    QByteArray start;
    start.append("RIFF");
    appendLe(start, quint32(fileBytes), 4);
    start.append("WEBPVP8X");
    appendLe(start, 10, 4);
    constexpr quint32 AnimationFlag = 0x02, AlphaFlag = 0x10;
    appendLe(start, AnimationFlag | (alpha ? AlphaFlag : 0), 4);
    appendLe(start, quint32(canvas.width() - 1), 3);
    appendLe(start, quint32(canvas.height() - 1), 3);
    start.append("ANIM");
    appendLe(start, 6, 4);
    appendLe(start, 0, 4); // background colour
    appendLe(start, quint32(loops), 2);
    FileBytes out(start);
    for (const int frame : frames)
        out.Append(frameChunks[size_t(frame)]);
    return out;
}

Result<WebPConfig> encoderConfig(int quality)
{
    WebPConfig config;
    if (!WebPConfigInit(&config))
        return Result<WebPConfig>::Fail(Tr::tr("libwebp 版本不符"));
    if (quality == WebPLossless) {
        config.lossless = 1;
        config.quality = LosslessEffort;
        config.method = LosslessMethod;
    } else {
        config.quality = float(std::clamp(quality, 0, 100));
        // The higher methods gain a few per cent for several times the time.
        config.method = 2;
    }
    if (!WebPValidateConfig(&config))
        return Result<WebPConfig>::Fail(Tr::tr("编码参数无效"));
    return config;
}

} // namespace

Result<FileBytes> EncodeWebPAnimationParts(AnimationSequence sequence, int quality,
                                           const EncodeStep &step)
{
    if (sequence.pictures.isEmpty() || sequence.order.empty() || sequence.pictures.first().isNull())
        return webpFailure(Tr::tr("没有可写的帧"));
    const QSize size = sequence.pictures.first().size();
    if (size.width() > WEBP_MAX_DIMENSION || size.height() > WEBP_MAX_DIMENSION)
        return webpFailure(Tr::tr("图片过大"));
    QList<QImage> straight;
    // Each picture is let go once copied, so that a large animation is not held twice.
    for (QImage &picture : sequence.pictures) {
        if (picture.size() != size)
            return webpFailure(Tr::tr("帧的尺寸不一致"));
        straight << StraightCopy(picture);
        picture = QImage();
    }
    for (const int picture : sequence.order)
        if (picture < 0 || picture >= straight.size())
            return webpFailure(Tr::tr("帧序号超出范围"));
    const Result<WebPConfig> config = encoderConfig(quality);
    if (!config)
        return webpFailure(config.message());

    // Every frame keeps the canvas (no disposal) and draws only what changed since the picture
    // before, so its bytes depend on that pair alone: each pair is encoded once, however often
    // the loop repeats it.
    using Pair = std::pair<int, int>; // picture before (-1: none), picture
    std::map<Pair, int> pieceOf;
    std::vector<Pair> distinct;
    std::vector<int> frames;
    for (size_t f = 0; f < sequence.order.size(); ++f) {
        const Pair pair{f == 0 ? -1 : sequence.order[f - 1], sequence.order[f]};
        const auto [at, added] = pieceOf.emplace(pair, int(distinct.size()));
        if (added)
            distinct.push_back(pair);
        frames.push_back(at->second);
    }
    const int total = int(distinct.size()) + 1;
    ExportPool pool;
    const OrderedItems<Piece> encoded = MakeInOrder(
        pool, int(distinct.size()),
        [&](int i) {
            const auto [before, picture] = distinct[size_t(i)];
            return encodePiece(before < 0 ? QImage() : straight[before], straight[picture],
                               *config);
        },
        [](int, const Piece &piece) { return piece.still.isEmpty(); },
        [&](int i) { return !step || step(i + 1, total); }, nullptr);
    if (encoded.failed)
        return webpFailure(Tr::tr("内存不足"));
    if (!encoded.complete)
        return FileBytes();
    const std::vector<Piece> &pieces = encoded.items;

    // Viewers that honour the background colour (0: transparent) show transparency, as the
    // other formats do.
    Result<FileBytes> bytes =
        assembleAnimation(size, sequence.repeat ? 0 : 1, sequence.frameMs, pieces, frames);
    if (!bytes)
        return bytes;
    if (step && !step(total, total))
        return FileBytes();
    return bytes;
}

Result<QByteArray> EncodeWebPAnimation(AnimationSequence sequence, int quality,
                                       const EncodeStep &step)
{
    const Result<FileBytes> parts = EncodeWebPAnimationParts(std::move(sequence), quality, step);
    if (!parts)
        return parts.status();
    return parts->Joined();
}

} // namespace mrv
