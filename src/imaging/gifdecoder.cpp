#include "imaging/gifdecoder.h"

#include "support/tr.h"

#include <QImage>

#include <gif_lib.h>

#include <cstring>
#include <memory>
#include <vector>

namespace mrv {

namespace {

// A canvas beyond this many pixels (4096 x 4096) is refused rather than allocated: a hostile
// screen size would otherwise take gigabytes for the canvas and its copies.
constexpr qint64 MaxCanvasPixels = qint64(1) << 24;

struct Reader
{
    const QByteArray *bytes;
    qsizetype at = 0;
};

int readBytes(GifFileType *gif, GifByteType *into, int wanted)
{
    auto *reader = static_cast<Reader *>(gif->UserData);
    const qsizetype left = reader->bytes->size() - reader->at;
    const int n = int(qMin<qsizetype>(left, wanted));
    std::memcpy(into, reader->bytes->constData() + reader->at, size_t(n));
    reader->at += n;
    return n;
}

struct CloseGif
{
    void operator()(GifFileType *gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

Result<AnimationInfo> failure(int error)
{
    const char *text = GifErrorString(error);
    return Result<AnimationInfo>::Fail(
        Tr::tr("GIF 数据损坏：%1").arg(QString::fromLatin1(text ? text : "unknown error")));
}

// The rows of an interlaced frame in the order they are stored.
std::vector<int> rowOrder(int height, bool interlaced)
{
    std::vector<int> rows;
    rows.reserve(size_t(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            rows.push_back(y);
        return rows;
    }
    const int starts[] = {0, 4, 2, 1};
    const int steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < height; y += steps[pass])
            rows.push_back(y);
    return rows;
}

class Composer
{
public:
    explicit Composer(QSize screen) : m_canvas(screen, QImage::Format_ARGB32) { m_canvas.fill(0); }
    bool IsNull() const { return m_canvas.isNull(); }

    /// Reads the frame's pixels from the file and draws them; false when the data is damaged.
    bool Draw(GifFileType *gif, const GraphicsControlBlock &control)
    {
        const GifImageDesc &d = gif->Image;
        const ColorMapObject *map = d.ColorMap ? d.ColorMap : gif->SColorMap;
        m_disposal = control.DisposalMode;
        m_rect = QRect(d.Left, d.Top, d.Width, d.Height).intersected(m_canvas.rect());
        if (m_disposal == DISPOSE_PREVIOUS)
            m_previous = m_canvas.copy();
        // giflib passes over the rest of a frame's data when a row completes it; for a frame
        // without pixels every row read would take another block, so its data is skipped
        // here, else it would be read as the records after it.
        if (d.Width <= 0 || d.Height <= 0)
            return skipData(gif);
        std::vector<GifPixelType> line(size_t(qMax(d.Width, 0)));
        for (int row : rowOrder(d.Height, d.Interlace)) {
            if (DGifGetLine(gif, line.data(), d.Width) != GIF_OK)
                return false;
            const int y = d.Top + row;
            if (y < 0 || y >= m_canvas.height())
                continue;
            auto *out = reinterpret_cast<QRgb *>(m_canvas.scanLine(y));
            for (int x = 0; x < d.Width; ++x) {
                const int index = line[size_t(x)];
                const int cx = d.Left + x;
                // Transparent pixels, and indices beyond the colour table, leave the canvas.
                if (index == control.TransparentColor || !map || index >= map->ColorCount ||
                    cx < 0 || cx >= m_canvas.width())
                    continue;
                const GifColorType &c = map->Colors[index];
                out[cx] = qRgb(c.Red, c.Green, c.Blue);
            }
        }
        return true;
    }

    const QImage &Canvas() const { return m_canvas; }

    /// Leaves the canvas as the last frame's disposal says, before the next frame.
    void Dispose()
    {
        if (m_disposal == DISPOSE_BACKGROUND) {
            for (int y = m_rect.top(); y <= m_rect.bottom(); ++y)
                std::fill_n(reinterpret_cast<QRgb *>(m_canvas.scanLine(y)) + m_rect.left(),
                            m_rect.width(), QRgb(0));
        } else if (m_disposal == DISPOSE_PREVIOUS && !m_previous.isNull()) {
            m_canvas = m_previous;
        }
        m_disposal = DISPOSAL_UNSPECIFIED;
        m_previous = QImage();
    }

private:
    static bool skipData(GifFileType *gif)
    {
        int codeSize = 0;
        GifByteType *block = nullptr;
        if (DGifGetCode(gif, &codeSize, &block) != GIF_OK)
            return false;
        while (block)
            if (DGifGetCodeNext(gif, &block) != GIF_OK)
                return false;
        return true;
    }

    QImage m_canvas;
    QImage m_previous;
    QRect m_rect;
    int m_disposal = DISPOSAL_UNSPECIFIED;
};

} // namespace

Result<AnimationInfo> DecodeGifAnimation(const QByteArray &file, const AnimationFrameSink &sink)
{
    Reader reader{&file};
    int error = 0;
    std::unique_ptr<GifFileType, CloseGif> gif(DGifOpen(&reader, readBytes, &error));
    if (!gif)
        return failure(error);
    AnimationInfo info{QSize(gif->SWidth, gif->SHeight), 0, 1};
    if (info.size.isEmpty() || qint64(info.size.width()) * info.size.height() > MaxCanvasPixels)
        return Result<AnimationInfo>::Fail(Tr::tr("GIF 画布尺寸无效"));
    Composer composer(info.size);
    if (composer.IsNull())
        return Result<AnimationInfo>::Fail(Tr::tr("GIF 画布太大，内存不足"));
    GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    int loops = -1;
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    do {
        if (DGifGetRecordType(gif.get(), &type) != GIF_OK) {
            // Data that ends where a record would begin lacks only its trailer: every frame
            // before is complete, as other readers take it.
            if (gif->Error == D_GIF_ERR_READ_FAILED && reader.at == file.size() &&
                info.frameCount > 0)
                break;
            return failure(gif->Error);
        }
        if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif.get()) != GIF_OK)
                return failure(gif->Error);
            composer.Dispose();
            if (!composer.Draw(gif.get(), control))
                return failure(gif->Error);
            ++info.frameCount;
            if (!sink(AnimationFrame{composer.Canvas().copy(), control.DelayTime * 10}))
                break;
            control = {DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
        } else if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType *block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) != GIF_OK)
                return failure(gif->Error);
            bool netscape = code == APPLICATION_EXT_FUNC_CODE && block && block[0] >= 11 &&
                            std::memcmp(block + 1, "NETSCAPE2.0", 11) == 0;
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
                DGifExtensionToGCB(block[0], block + 1, &control);
            while (block) {
                if (DGifGetExtensionNext(gif.get(), &block) != GIF_OK)
                    return failure(gif->Error);
                if (netscape && block && block[0] >= 3 && block[1] == 1) {
                    loops = block[2] | block[3] << 8;
                    netscape = false;
                }
            }
        }
    } while (type != TERMINATE_RECORD_TYPE);
    if (info.frameCount == 0)
        return Result<AnimationInfo>::Fail(Tr::tr("GIF 中没有图像"));
    // The loop count repeats the animation after its first play; 0 repeats it for ever.
    info.plays = info.frameCount > 1 && loops >= 0 ? (loops == 0 ? 0 : loops + 1) : 1;
    return info;
}

} // namespace mrv
