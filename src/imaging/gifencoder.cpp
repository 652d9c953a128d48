#include "imaging/gifencoder.h"

#include "imaging/gifpalette.h"

extern "C" {
#include <gif_lib.h>
}

#include <memory>
#include <vector>

namespace mrv {

namespace {

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

} // namespace

Result<QByteArray> EncodeGif(const QImage &canvas)
{
    if (canvas.isNull())
        return gifFailure(QStringLiteral("画布为空"));
    const int width = canvas.width();
    const int height = canvas.height();
    if (width > 65535 || height > 65535)
        return gifFailure(QStringLiteral("图片过大"));

    Result<IndexedPicture> indexed = IndexColours(canvas);
    if (!indexed)
        return gifFailure(indexed.message());
    std::vector<uchar> &indices = indexed->indices;
    const int transparentIndex =
        indexed->transparentIndex < 0 ? NO_TRANSPARENT_COLOR : indexed->transparentIndex;
    std::vector<GifColorType> colours;
    for (const IndexedPicture::Colour &c : indexed->palette)
        colours.push_back({c.r, c.g, c.b});

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
