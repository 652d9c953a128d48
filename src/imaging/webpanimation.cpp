#include "imaging/webpanimation.h"

#include "imaging/canvas.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <memory>

namespace mrv {

namespace {

struct EncoderDeleter
{
    void operator()(WebPAnimEncoder *p) const { WebPAnimEncoderDelete(p); }
};

struct PictureFree
{
    void operator()(WebPPicture *p) const { WebPPictureFree(p); }
};

Result<QByteArray> webpFailure(const QString &what)
{
    return Result<QByteArray>::Fail(QStringLiteral("图片编码失败（WebP）：%1").arg(what));
}

} // namespace

Result<QByteArray> EncodeWebPAnimation(const AnimationSequence &sequence, int quality,
                                       const EncodeStep &step)
{
    if (sequence.pictures.isEmpty() || sequence.order.empty() || sequence.pictures.first().isNull())
        return webpFailure(QStringLiteral("没有可写的帧"));
    const QSize size = sequence.pictures.first().size();
    if (size.width() > WEBP_MAX_DIMENSION || size.height() > WEBP_MAX_DIMENSION)
        return webpFailure(QStringLiteral("图片过大"));
    // libwebp reads straight BGRA bytes, the memory layout of ARGB32 here.
    QList<QImage> straight;
    bool transparent = false;
    for (const QImage &picture : sequence.pictures) {
        if (picture.size() != size)
            return webpFailure(QStringLiteral("帧的尺寸不一致"));
        straight << StraightCopy(picture);
        transparent = transparent || !IsOpaque(straight.last());
    }
    for (const int picture : sequence.order)
        if (picture < 0 || picture >= straight.size())
            return webpFailure(QStringLiteral("帧序号超出范围"));

    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options))
        return webpFailure(QStringLiteral("libwebp 版本不符"));
    options.anim_params.loop_count = sequence.repeat ? 0 : 1;
    // Viewers that honour the background colour show transparency, as the other formats do.
    options.anim_params.bgcolor = 0;
    // Frames with transparency that depend on the frame before are drawn wrongly by some
    // readers (Qt's among them clear the whole canvas for a frame disposed to the background),
    // so such animations store whole frames.
    if (transparent)
        options.kmax = 1;
    std::unique_ptr<WebPAnimEncoder, EncoderDeleter> encoder(
        WebPAnimEncoderNew(size.width(), size.height(), &options));
    WebPConfig config;
    if (!encoder || !WebPConfigInit(&config))
        return webpFailure(QStringLiteral("无法初始化编码器"));
    config.lossless = quality == WebPLossless ? 1 : 0;
    config.quality = quality == WebPLossless ? 70.0f : float(std::clamp(quality, 0, 100));
    // The exports favour speed; the higher methods gain a few per cent for several times the time.
    config.method = 2;
    if (!WebPValidateConfig(&config))
        return webpFailure(QStringLiteral("编码参数无效"));

    const int total = int(sequence.order.size()) + 1;
    int timestamp = 0;
    for (size_t f = 0; f < sequence.order.size(); ++f) {
        const QImage &image = straight[sequence.order[f]];
        WebPPicture picture;
        if (!WebPPictureInit(&picture))
            return webpFailure(QStringLiteral("无法初始化画布"));
        const std::unique_ptr<WebPPicture, PictureFree> owned(&picture);
        picture.use_argb = 1;
        picture.width = size.width();
        picture.height = size.height();
        if (!WebPPictureImportBGRA(&picture, image.constBits(), int(image.bytesPerLine())))
            return webpFailure(QStringLiteral("内存不足"));
        if (!WebPAnimEncoderAdd(encoder.get(), &picture, timestamp, &config))
            return webpFailure(QString::fromUtf8(WebPAnimEncoderGetError(encoder.get())));
        timestamp += sequence.frameMs;
        if (step && !step(int(f) + 1, total))
            return QByteArray();
    }
    if (!WebPAnimEncoderAdd(encoder.get(), nullptr, timestamp, nullptr))
        return webpFailure(QString::fromUtf8(WebPAnimEncoderGetError(encoder.get())));
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAssemble(encoder.get(), &data))
        return webpFailure(QString::fromUtf8(WebPAnimEncoderGetError(encoder.get())));
    QByteArray bytes(reinterpret_cast<const char *>(data.bytes), qsizetype(data.size));
    WebPDataClear(&data);
    if (step && !step(total, total))
        return QByteArray();
    return bytes;
}

} // namespace mrv
