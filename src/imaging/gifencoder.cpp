#include "imaging/gifencoder.h"

#include "imaging/gifpalette.h"
#include "imaging/gifwriter.h"
#include "support/tr.h"

#include <QRect>

namespace mrv {

Result<QByteArray> EncodeGif(const QImage &canvas)
{
    if (canvas.isNull())
        return GifFailure(Tr::tr("画布为空"));
    const int width = canvas.width();
    const int height = canvas.height();
    if (width > 65535 || height > 65535)
        return GifFailure(Tr::tr("图片过大"));

    Result<IndexedPicture> indexed = IndexColours(canvas);
    if (!indexed)
        return GifFailure(indexed.message());
    const GifMap map = MakeGifMap(indexed->palette);
    if (!map)
        return GifFailure(Tr::tr("无法生成调色板"));
    return WriteGifFile(QSize(width, height), map.get(), [&](GifFileType *gif) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.UserInputFlag = false;
        gcb.DelayTime = 0;
        gcb.TransparentColor =
            indexed->transparentIndex < 0 ? NO_TRANSPARENT_COLOR : indexed->transparentIndex;
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&gcb, extension);
        return EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK &&
               PutGifImage(gif, QRect(0, 0, width, height), indexed->indices, nullptr);
    });
}

} // namespace mrv
