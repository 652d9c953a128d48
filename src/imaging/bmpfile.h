#pragma once

#include "support/atomicfile.h"
#include "support/result.h"

#include <QByteArray>
#include <QImage>
#include <QMutex>
#include <QSize>
#include <QString>

#include <vector>

class QIODevice;

namespace mrv {

/// The 54-byte header of an uncompressed 24-bit bottom-up bitmap of the size; empty when the
/// file would exceed 2 GiB.
QByteArray BmpHeader(QSize size);

/// Bytes per stored row of such a bitmap (three per pixel, padded to four).
qint64 BmpRowBytes(int width);

/// Writes a whole canvas as such a bitmap, a few rows at a time, so that even a tall strip
/// needs no second picture-sized buffer. Transparent parts come out black.
bool WriteBmp(const QImage &canvas, QIODevice &device);

/// A bitmap file filled in blocks of rows, in any order and from any thread: the strip export
/// writes each cell as soon as it is composed. Rows never written stay black. The file is
/// written under a temporary name and replaces the target on Commit.
class BmpBlockWriter
{
public:
    BmpBlockWriter(const QString &path, QSize size);
    ~BmpBlockWriter();

    /// Creates the temporary file at its full length with the header.
    Status Open();
    /// Writes the rows of the picture (premultiplied, as wide as the bitmap) with its top row
    /// at the given row of the bitmap. Thread-safe, and a caller never waits for another's
    /// write: while one thread is writing, the rows of the others are left for it to write.
    Status WriteRows(int top, const QImage &rows);
    /// Writes what is left, closes the file and puts it in place of the target.
    Status Commit();
    /// Removes the temporary file (also done on destruction without Commit).
    void Abort();

private:
    struct Block
    {
        qint64 offset;
        QByteArray bytes;
    };
    /// Writes the waiting blocks until none is left; the caller holds m_writing.
    Status writeWaiting();

    QString m_path;
    QSize m_size;
    AtomicFile m_file;
    QMutex m_writing; // held by the one thread that writes
    QMutex m_waitingLock;
    std::vector<Block> m_waiting;
    Status m_failure;
};

} // namespace mrv
