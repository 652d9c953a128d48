#include "imaging/webpdecoder.h"

#include "support/tr.h"

#include <QImage>

#include <webp/decode.h>
#include <webp/demux.h>

#include <memory>

namespace mrv {

namespace {

// As for GIF: a canvas beyond 4096 x 4096 pixels is refused before the decoder allocates it.
constexpr qint64 MaxCanvasPixels = qint64(1) << 24;

struct DeleteDecoder
{
    void operator()(WebPAnimDecoder *decoder) const { WebPAnimDecoderDelete(decoder); }
};

} // namespace

Result<AnimationInfo> DecodeWebPAnimation(const QByteArray &file, const AnimationFrameSink &sink)
{
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options))
        return Result<AnimationInfo>::Fail(Tr::tr("WebP 解码器无法启动"));
    // Straight colours in the order QImage keeps ARGB32 in memory: libwebp then composes
    // without premultiplying, which would lose colour where the alpha is low.
    options.color_mode = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? MODE_BGRA : MODE_ARGB;
    options.use_threads = 0;
    const WebPData data{reinterpret_cast<const uint8_t *>(file.constData()), size_t(file.size())};
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(data.bytes, data.size, &features) != VP8_STATUS_OK)
        return Result<AnimationInfo>::Fail(Tr::tr("WebP 数据损坏"));
    if (qint64(features.width) * features.height > MaxCanvasPixels)
        return Result<AnimationInfo>::Fail(Tr::tr("WebP 画布太大"));
    std::unique_ptr<WebPAnimDecoder, DeleteDecoder> decoder(WebPAnimDecoderNew(&data, &options));
    WebPAnimInfo about;
    if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &about))
        return Result<AnimationInfo>::Fail(Tr::tr("WebP 数据损坏"));
    AnimationInfo info{QSize(int(about.canvas_width), int(about.canvas_height)), 0, 1};
    int shownAt = 0;
    while (WebPAnimDecoderHasMoreFrames(decoder.get())) {
        uint8_t *pixels = nullptr;
        int timestamp = 0;
        if (!WebPAnimDecoderGetNext(decoder.get(), &pixels, &timestamp))
            return Result<AnimationInfo>::Fail(Tr::tr("WebP 数据损坏"));
        const QImage canvas(pixels, info.size.width(), info.size.height(), info.size.width() * 4,
                            QImage::Format_ARGB32);
        ++info.frameCount;
        // The decoder owns the pixels until the next frame: the sink gets a copy.
        if (!sink(AnimationFrame{canvas.copy(), timestamp - shownAt}))
            break;
        shownAt = timestamp;
    }
    if (info.frameCount == 0)
        return Result<AnimationInfo>::Fail(Tr::tr("WebP 中没有图像"));
    // WebP counts the plays themselves; 0 plays for ever.
    info.plays = info.frameCount > 1 ? int(about.loop_count) : 1;
    return info;
}

} // namespace mrv
