#include "imaging/apngdecoder.h"

#include "imaging/animationprobe.h"
#include "imaging/pngchunks.h"
#include "imaging/pngcodec.h"
#include "support/tr.h"

#include <QBuffer>

#include <cstring>
#include <vector>

namespace mrv {

namespace {

// The canvas and every frame stay within what the still-picture reader accepts.
constexpr qint64 MaxCanvasBytes = 256LL * 1024 * 1024;

enum DisposeOp { DisposeNone = 0, DisposeBackground = 1, DisposePrevious = 2 };
enum BlendOp { BlendSource = 0, BlendOver = 1 };

struct FrameControl
{
    QRect region;
    int delayMs = 0;
    uchar dispose = DisposeNone;
    uchar blend = BlendSource;
    QByteArray data; ///< the frame's zlib stream, IDAT or fdAT bodies joined
};

/// What the chunks of an animated PNG hold, before any pixel is decoded.
struct ApngLayout
{
    QByteArrayView header; ///< IHDR's body
    QSize canvas;
    std::vector<PngChunk> paletteChunks; ///< PLTE and tRNS, copied into every frame
    bool animated = false;
    int plays = 1;
    std::vector<FrameControl> frames;
};

int delayOf(quint16 numerator, quint16 denominator)
{
    // A zero denominator means hundredths of a second.
    const int den = denominator == 0 ? 100 : denominator;
    return int((qint64(numerator) * 1000 + den / 2) / den);
}

QString Incomplete()
{
    return Tr::tr("文件不完整，在中途被截断");
}

Result<ApngLayout> readLayout(const QByteArray &file)
{
    const auto chunks = ReadPngChunks(file);
    if (!chunks && file.startsWith(QByteArrayView(PngSignature.data(), PngSignature.size())))
        return Result<ApngLayout>::Fail(Incomplete());
    if (!chunks || chunks->empty() || !chunks->front().Is("IHDR")
        || chunks->front().body.size() != 13)
        return Result<ApngLayout>::Fail(Tr::tr("不是有效的 PNG 文件"));
    ApngLayout layout;
    layout.header = chunks->front().body;
    const auto *h = reinterpret_cast<const uchar *>(layout.header.data());
    const quint32 width = ReadBe32(h), height = ReadBe32(h + 4);
    if (width == 0 || height == 0 || width > 0x7fffffff || height > 0x7fffffff
        || qint64(width) > MaxCanvasBytes / 4 / qint64(height))
        return Result<ApngLayout>::Fail(Tr::tr("图片尺寸无效或过大"));
    layout.canvas = QSize(int(width), int(height));

    bool seenData = false;
    bool dataIsFirstFrame = false;
    quint32 declaredFrames = 0;
    quint32 sequence = 0;
    for (const PngChunk &chunk : *chunks) {
        const auto *body = reinterpret_cast<const uchar *>(chunk.body.data());
        const qsizetype length = chunk.body.size();
        // fcTL and fdAT are numbered 0, 1, 2, ... in file order; a gap, a repeat or a swap
        // means chunks were lost or shuffled.
        if (layout.animated && (chunk.Is("fcTL") || chunk.Is("fdAT")) && length >= 4
            && ReadBe32(body) != sequence++)
            return Result<ApngLayout>::Fail(
                Tr::tr("动画块的序号错乱（应为 %1，实为 %2），文件已损坏")
                    .arg(sequence - 1)
                    .arg(ReadBe32(body)));
        if ((chunk.Is("PLTE") || chunk.Is("tRNS")) && !seenData) {
            layout.paletteChunks.push_back(chunk);
        } else if (chunk.Is("acTL") && !seenData && length == 8) {
            layout.animated = true;
            declaredFrames = ReadBe32(body);
            layout.plays = int(std::min<quint32>(ReadBe32(body + 4), 0x7fffffff));
        } else if (chunk.Is("fcTL") && layout.animated) {
            if (length != 26)
                return Result<ApngLayout>::Fail(Tr::tr("动画帧的控制块已损坏"));
            const quint32 w = ReadBe32(body + 4), fh = ReadBe32(body + 8);
            const quint32 x = ReadBe32(body + 12), y = ReadBe32(body + 16);
            if (w == 0 || fh == 0 || x > width || y > height || w > width - x || fh > height - y)
                return Result<ApngLayout>::Fail(Tr::tr("动画帧超出了图片范围"));
            FrameControl frame;
            frame.region = QRect(int(x), int(y), int(w), int(fh));
            frame.delayMs = delayOf(quint16((body[20] << 8) | body[21]),
                                    quint16((body[22] << 8) | body[23]));
            frame.dispose = body[24] <= DisposePrevious ? body[24] : uchar(DisposeNone);
            frame.blend = body[25] == BlendOver ? BlendOver : BlendSource;
            // Nothing lies under the first frame to blend with or to return to.
            if (layout.frames.empty()) {
                frame.blend = BlendSource;
                if (frame.dispose == DisposePrevious)
                    frame.dispose = DisposeBackground;
            }
            if (!seenData)
                dataIsFirstFrame = true;
            layout.frames.push_back(std::move(frame));
        } else if (chunk.Is("IDAT")) {
            seenData = true;
            if (dataIsFirstFrame)
                layout.frames.front().data.append(chunk.body);
        } else if (chunk.Is("fdAT") && layout.animated) {
            if (layout.frames.empty() || length < 4)
                return Result<ApngLayout>::Fail(Tr::tr("动画帧数据缺少控制块"));
            layout.frames.back().data.append(chunk.body.sliced(4));
        }
    }
    if (!layout.animated)
        return layout;
    if (!chunks->back().Is("IEND"))
        return Result<ApngLayout>::Fail(Incomplete());
    if (layout.frames.size() != declaredFrames)
        return Result<ApngLayout>::Fail(
            Tr::tr("动画声明有 %1 帧，文件中却是 %2 帧，文件已损坏")
                .arg(declaredFrames)
                .arg(layout.frames.size()));
    return layout;
}

/// A still PNG holding one frame's data, so that the PNG readers decode it.
QByteArray stillPngOf(const ApngLayout &layout, const FrameControl &frame)
{
    QByteArray png(reinterpret_cast<const char *>(PngSignature.data()), PngSignature.size());
    QByteArray header = layout.header.toByteArray();
    PutBe32(reinterpret_cast<uchar *>(header.data()), quint32(frame.region.width()));
    PutBe32(reinterpret_cast<uchar *>(header.data()) + 4, quint32(frame.region.height()));
    AppendPngChunk(png, "IHDR", header);
    for (const PngChunk &chunk : layout.paletteChunks)
        AppendPngChunk(png, chunk.type.toByteArray().constData(), chunk.body);
    AppendPngChunk(png, "IDAT", frame.data);
    AppendPngChunk(png, "IEND", nullptr, 0);
    return png;
}

/// The picture with straight colours (ARGB32): premultiplying would lose colour where the
/// alpha is low.
QImage decodeStill(const QByteArray &png)
{
    QImage image = DecodePngFast(png, PngAlpha::Straight);
    if (image.isNull())
        image = QImage::fromData(png, "PNG");
    if (!image.isNull() && image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_ARGB32);
    return image;
}

/// One straight pixel over another, in whole numbers as APNG's reference decoder composes:
/// the colours weighted by their share of the combined alpha, rounded down.
QRgb straightOver(QRgb top, QRgb under)
{
    const int topAlpha = qAlpha(top);
    if (topAlpha == 255 || qAlpha(under) == 0)
        return top;
    if (topAlpha == 0)
        return under;
    const int u = topAlpha * 255;
    const int v = (255 - topAlpha) * qAlpha(under);
    const int sum = u + v;
    return qRgba((qRed(top) * u + qRed(under) * v) / sum,
                 (qGreen(top) * u + qGreen(under) * v) / sum,
                 (qBlue(top) * u + qBlue(under) * v) / sum, sum / 255);
}

void blendRegion(QImage &canvas, const QImage &picture, QPoint at)
{
    for (int y = 0; y < picture.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(canvas.scanLine(at.y() + y)) + at.x();
        for (int x = 0; x < picture.width(); ++x)
            out[x] = straightOver(in[x], out[x]);
    }
}

void replaceRegion(QImage &canvas, const QImage &picture, QPoint at)
{
    const size_t rowBytes = size_t(picture.width()) * 4;
    for (int y = 0; y < picture.height(); ++y)
        std::memcpy(canvas.scanLine(at.y() + y) + size_t(at.x()) * 4, picture.constScanLine(y),
                    rowBytes);
}

void clearRegion(QImage &canvas, const QRect &region)
{
    const size_t rowBytes = size_t(region.width()) * 4;
    for (int y = region.top(); y <= region.bottom(); ++y)
        std::memset(canvas.scanLine(y) + size_t(region.left()) * 4, 0, rowBytes);
}

} // namespace

bool IsAnimatedPng(const QByteArray &file)
{
    if (!file.startsWith(QByteArrayView(PngSignature.data(), PngSignature.size())))
        return false;
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    const std::optional<AnimationInfo> probe = ProbeAnimation(buffer);
    return probe && probe->frameCount > 1;
}

Result<AnimationInfo> DecodeApng(const QByteArray &file, const AnimationFrameSink &sink)
{
    Result<ApngLayout> read = readLayout(file);
    if (!read)
        return Result<AnimationInfo>::Fail(read.message());
    const ApngLayout &layout = *read;
    if (!layout.animated) {
        const QImage still = decodeStill(file);
        if (still.isNull())
            return Result<AnimationInfo>::Fail(Tr::tr("无法解码图片数据"));
        sink(AnimationFrame{still, 0});
        return AnimationInfo{still.size(), 1, 1};
    }
    if (layout.frames.empty())
        return Result<AnimationInfo>::Fail(Tr::tr("动画中没有帧"));

    QImage canvas(layout.canvas, QImage::Format_ARGB32);
    if (canvas.isNull())
        return Result<AnimationInfo>::Fail(Tr::tr("内存不足"));
    canvas.fill(0);
    AnimationInfo info{layout.canvas, 0, layout.plays};
    for (const FrameControl &frame : layout.frames) {
        const QImage picture = decodeStill(stillPngOf(layout, frame));
        if (picture.isNull() || picture.size() != frame.region.size())
            return Result<AnimationInfo>::Fail(
                Tr::tr("第 %1 帧的数据已损坏").arg(info.frameCount + 1));
        const QImage before =
            frame.dispose == DisposePrevious ? canvas.copy(frame.region) : QImage();
        if (frame.blend == BlendSource)
            replaceRegion(canvas, picture, frame.region.topLeft());
        else
            blendRegion(canvas, picture, frame.region.topLeft());
        ++info.frameCount;
        // The sink may keep the picture; the next change to the canvas then copies it.
        if (!sink(AnimationFrame{canvas, frame.delayMs}))
            break;
        if (frame.dispose == DisposeBackground)
            clearRegion(canvas, frame.region);
        else if (frame.dispose == DisposePrevious)
            replaceRegion(canvas, before, frame.region.topLeft());
    }
    return info;
}

} // namespace mrv
