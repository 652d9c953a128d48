#include "core/picturecache.h"

#include "core/pictureloader.h"

#include <QFileInfo>

namespace mrv {

qint64 PictureCache::Cost(const Entry &e)
{
    return e.picture.sizeInBytes() + e.scaled.sizeInBytes();
}

PictureCache::Entry *PictureCache::Lookup(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile()) {
        Erase(path);
        return nullptr;
    }
    const qint64 size = info.size();
    const QDateTime modified = info.lastModified();

    auto it = m_entries.find(path);
    if (it == m_entries.end()) {
        m_order.push_front(path);
        it = m_entries.insert(path, Entry{});
        it->lru = m_order.begin();
    } else if (it->fileSize == size && it->modified == modified) {
        m_order.splice(m_order.begin(), m_order, it->lru);
        return &*it;
    } else {
        m_order.splice(m_order.begin(), m_order, it->lru);
    }

    m_cost -= Cost(*it);
    it->fileSize = size;
    it->modified = modified;
    it->picture = LoadPicture(path);
    it->scaled = QImage();
    ++m_decodes;
    m_cost += Cost(*it);
    Trim(path);
    return &m_entries[path];
}

QImage PictureCache::Picture(const QString &path)
{
    const Entry *e = Lookup(path);
    return e ? e->picture : QImage();
}

QImage PictureCache::Scaled(const QString &path, QSize size)
{
    Entry *e = Lookup(path);
    if (!e || e->picture.isNull() || size.isEmpty())
        return QImage();
    if (size == e->picture.size())
        return e->picture;
    if (e->scaled.size() != size) {
        m_cost -= Cost(*e);
        e->scaled = e->picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        ++m_scales;
        m_cost += Cost(*e);
        const QImage result = e->scaled;
        Trim(path);
        return result;
    }
    return e->scaled;
}

void PictureCache::Clear()
{
    m_entries.clear();
    m_order.clear();
    m_cost = 0;
}

void PictureCache::Erase(const QString &path)
{
    const auto it = m_entries.find(path);
    if (it == m_entries.end())
        return;
    m_cost -= Cost(*it);
    m_order.erase(it->lru);
    m_entries.erase(it);
}

void PictureCache::Trim(const QString &keep)
{
    while (m_cost > m_budget && !m_order.empty() && m_order.back() != keep)
        Erase(m_order.back());
}

} // namespace mrv
