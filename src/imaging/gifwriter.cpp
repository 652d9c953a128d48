#include "imaging/gifwriter.h"

#include "support/tr.h"

#include <QRect>

namespace mrv {

namespace {

int appendToBuffer(GifFileType *gif, const GifByteType *data, int length)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), length);
    return length;
}

} // namespace

GifMap MakeGifMap(const std::vector<IndexedPicture::Colour> &palette)
{
    std::vector<GifColorType> colours;
    for (const IndexedPicture::Colour &c : palette)
        colours.push_back({c.r, c.g, c.b});
    int size = 2;
    while (size < int(colours.size()))
        size *= 2;
    colours.resize(size_t(size), GifColorType{0, 0, 0});
    return GifMap(GifMakeMapObject(size, colours.data()));
}

Result<QByteArray> GifFailure(const QString &what)
{
    return Result<QByteArray>::Fail(Tr::tr("图片编码失败（GIF）：%1").arg(what));
}

Result<QByteArray> WriteGifFile(QSize screen, const ColorMapObject *globalMap,
                                const std::function<bool(GifFileType *gif)> &body)
{
    QByteArray bytes;
    int error = 0;
    GifFileType *gif = EGifOpen(&bytes, appendToBuffer, &error);
    if (!gif)
        return GifFailure(QString::fromLatin1(GifErrorString(error)));
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, screen.width(), screen.height(), 8, 0, globalMap) == GIF_OK;
    ok = ok && body(gif);
    const int writeError = gif->Error;
    if (EGifCloseFile(gif, &error) != GIF_OK)
        ok = false;
    if (!ok)
        return GifFailure(QString::fromLatin1(GifErrorString(writeError ? writeError : error)));
    return bytes;
}

bool PutGifImage(GifFileType *gif, const QRect &rect, const std::vector<uchar> &indices,
                 const ColorMapObject *localMap)
{
    bool ok = EGifPutImageDesc(gif, rect.x(), rect.y(), rect.width(), rect.height(), false,
                               localMap) == GIF_OK;
    auto *rows = const_cast<GifPixelType *>(indices.data());
    for (int y = 0; ok && y < rect.height(); ++y)
        ok = EGifPutLine(gif, rows + size_t(y) * size_t(rect.width()), rect.width()) == GIF_OK;
    return ok;
}

} // namespace mrv
