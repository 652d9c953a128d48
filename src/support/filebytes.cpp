#include "support/filebytes.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace mrv {

void FileBytes::Append(QByteArray part)
{
    if (part.isEmpty())
        return;
    m_size += part.size();
    m_parts.push_back(std::move(part));
}

bool FileBytes::WriteTo(QIODevice &device) const
{
    // Parts are often a few kilobytes (a frame's header and bytes); one system call each would
    // cost more than copying them into a buffer of the size the kernel writes well.
    constexpr qsizetype BatchBytes = qsizetype(1) << 20;
    QByteArray batch;
    qsizetype filled = 0;
    auto flush = [&] {
        const bool written = filled == 0 || device.write(batch.constData(), filled) == filled;
        filled = 0;
        return written;
    };
    for (const QByteArray &part : m_parts) {
        if (part.size() >= BatchBytes) {
            if (!flush() || device.write(part) != part.size())
                return false;
            continue;
        }
        if (filled + part.size() > BatchBytes && !flush())
            return false;
        if (batch.isEmpty())
            batch.resize(std::min<qsizetype>(BatchBytes, m_size));
        std::memcpy(batch.data() + filled, part.constData(), size_t(part.size()));
        filled += part.size();
    }
    return flush();
}

QByteArray FileBytes::Joined() const
{
    if (m_parts.size() == 1)
        return m_parts.front();
    QByteArray whole;
    whole.reserve(qsizetype(m_size));
    for (const QByteArray &part : m_parts)
        whole.append(part);
    return whole;
}

} // namespace mrv
