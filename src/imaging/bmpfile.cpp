#include "imaging/bmpfile.h"

#include "imaging/picturefile.h"
#include "support/fileerror.h"
#include "support/tr.h"

#include <QIODevice>

#include <algorithm>
#include <cerrno>

namespace mrv {

namespace {

constexpr int HeaderBytes = 14 + 40;

void putLe16(char *at, quint16 value)
{
    at[0] = char(value & 0xff);
    at[1] = char(value >> 8);
}

void putLe32(char *at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = char((value >> (8 * i)) & 0xff);
}

/// Rows of a premultiplied (or RGB32) picture as stored bitmap rows, the picture's last row
/// first. Premultiplied channels are the picture laid over black.
void convertRows(const QImage &source, int first, int count, char *out, qint64 rowBytes)
{
    const int width = source.width();
    for (int r = 0; r < count; ++r) {
        const auto *line =
            reinterpret_cast<const QRgb *>(source.constScanLine(first + count - 1 - r));
        char *px = out + rowBytes * r;
        for (int x = 0; x < width; ++x, px += 3) {
            const QRgb c = line[x];
            px[0] = char(qBlue(c));
            px[1] = char(qGreen(c));
            px[2] = char(qRed(c));
        }
        std::fill(px, out + rowBytes * (r + 1), char(0));
    }
}

QImage bmpSource(const QImage &canvas)
{
    return canvas.format() == QImage::Format_RGB32
               ? canvas
               : canvas.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

qint64 BmpRowBytes(int width)
{
    return (qint64(width) * 3 + 3) & ~qint64(3);
}

QByteArray BmpHeader(QSize size)
{
    const qint64 imageBytes = BmpRowBytes(size.width()) * size.height();
    if (size.isEmpty() || HeaderBytes + imageBytes > 0x7fffffff)
        return {};
    QByteArray header(HeaderBytes, '\0');
    char *h = header.data();
    h[0] = 'B';
    h[1] = 'M';
    putLe32(h + 2, quint32(HeaderBytes + imageBytes));
    putLe32(h + 10, HeaderBytes);
    putLe32(h + 14, 40);
    putLe32(h + 18, quint32(size.width()));
    putLe32(h + 22, quint32(size.height())); // positive: rows stored bottom-up
    putLe16(h + 26, 1);
    putLe16(h + 28, 24);
    putLe32(h + 30, 0); // BI_RGB, uncompressed
    putLe32(h + 34, quint32(imageBytes));
    putLe32(h + 38, 3780); // 96 dpi
    putLe32(h + 42, 3780);
    return header;
}

bool WriteBmp(const QImage &canvas, QIODevice &device)
{
    const QImage source = bmpSource(canvas);
    const QByteArray header = BmpHeader(source.size());
    if (header.isEmpty() || device.write(header) != header.size())
        return false;
    const qint64 rowBytes = BmpRowBytes(source.width());
    const int rowsPerChunk = int(std::max<qint64>(1, (256 * 1024) / rowBytes));
    QByteArray chunk(rowBytes * rowsPerChunk, Qt::Uninitialized);
    for (int end = source.height(); end > 0; end -= rowsPerChunk) {
        const int rows = std::min(rowsPerChunk, end);
        convertRows(source, end - rows, rows, chunk.data(), rowBytes);
        if (device.write(chunk.constData(), rowBytes * rows) != rowBytes * rows)
            return false;
    }
    return true;
}

BmpBlockWriter::BmpBlockWriter(const QString &path, QSize size)
    : m_path(path), m_size(size), m_file(path)
{}

BmpBlockWriter::~BmpBlockWriter() = default;

Status BmpBlockWriter::Open()
{
    const QByteArray header = BmpHeader(m_size);
    if (header.isEmpty())
        return PictureWriteFailure(m_path, Tr::tr("图片过大"));
    if (const Status opened = m_file.Open(); !opened)
        return opened;
    QFile &file = m_file.Device();
    errno = 0;
    if (file.write(header) != header.size() ||
        !file.resize(header.size() + BmpRowBytes(m_size.width()) * m_size.height())) {
        const Status failed = PictureWriteFailure(m_path, FileErrorReason(file, errno));
        Abort();
        return failed;
    }
    return Status::Ok();
}

Status BmpBlockWriter::WriteRows(int top, const QImage &rows)
{
    const QImage source = bmpSource(rows);
    const qint64 rowBytes = BmpRowBytes(m_size.width());
    const int count = std::min(source.height(), m_size.height() - top);
    if (source.width() != m_size.width() || top < 0 || count <= 0)
        return Status::Ok();
    QByteArray block(rowBytes * count, Qt::Uninitialized);
    convertRows(source, 0, count, block.data(), rowBytes);
    // Bottom-up: the block's first stored row is the picture's row top + count - 1.
    const qint64 offset = HeaderBytes + rowBytes * (m_size.height() - top - count);
    {
        const QMutexLocker lock(&m_waitingLock);
        m_waiting.push_back({offset, std::move(block)});
    }
    // A thread that waited here would sleep and, on a busy machine, wait again for a core
    // once woken; the thread writing takes this block along instead.
    if (!m_writing.tryLock())
        return Status::Ok();
    const Status written = writeWaiting();
    m_writing.unlock();
    return written;
}

Status BmpBlockWriter::writeWaiting()
{
    QFile &file = m_file.Device();
    for (;;) {
        Block block;
        {
            const QMutexLocker lock(&m_waitingLock);
            if (!m_failure || m_waiting.empty())
                return m_failure;
            block = std::move(m_waiting.back());
            m_waiting.pop_back();
        }
        errno = 0;
        if (!file.seek(block.offset) || file.write(block.bytes) != block.bytes.size()) {
            const QMutexLocker lock(&m_waitingLock);
            m_failure = PictureWriteFailure(m_path, FileErrorReason(file, errno));
        }
    }
}

Status BmpBlockWriter::Commit()
{
    m_writing.lock();
    const Status written = writeWaiting();
    m_writing.unlock();
    if (!written) {
        Abort();
        return written;
    }
    return m_file.Commit();
}

void BmpBlockWriter::Abort()
{
    m_file.Abort();
}

} // namespace mrv
