#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <vector>

class QIODevice;

namespace mrv {

/// A file's bytes as parts written one after another. A part the file repeats (an animation
/// frame shown on every loop) is one shared QByteArray however often it appears, so a long
/// file is never laid out whole in memory.
class FileBytes
{
public:
    FileBytes() = default;
    /// A file of one part.
    explicit FileBytes(QByteArray whole) { Append(std::move(whole)); }

    /// Adds a part at the end; the bytes are shared, not copied.
    void Append(QByteArray part);

    qint64 Size() const { return m_size; }
    bool IsEmpty() const { return m_size == 0; }

    /// Writes every part in order, gathering small parts into large writes; false as soon as
    /// a write fails.
    bool WriteTo(QIODevice &device) const;
    /// The whole file in one array.
    QByteArray Joined() const;

private:
    std::vector<QByteArray> m_parts;
    qint64 m_size = 0;
};

} // namespace mrv
