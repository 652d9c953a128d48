#include "imaging/picturecache.h"

#include "imaging/pictureloader.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

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

QImage PictureCache::ScaledPart(const QString &path, QSize size, const QRect &part)
{
    const Entry *e = Lookup(path);
    const QRect piece = part & QRect(QPoint(0, 0), size);
    if (!e || e->picture.isNull() || piece.isEmpty())
        return QImage();
    const QImage &picture = e->picture;
    const double fx = double(picture.width()) / size.width();
    const double fy = double(picture.height()) / size.height();
    // The source pixels under the piece, one more on each side for the smoothing filter,
    // and where they land in the scaled picture.
    const int sx0 = std::clamp(int(std::floor(piece.left() * fx)) - 1, 0, picture.width());
    const int sy0 = std::clamp(int(std::floor(piece.top() * fy)) - 1, 0, picture.height());
    const int sx1 = std::clamp(int(std::ceil((piece.right() + 1) * fx)) + 1, 0, picture.width());
    const int sy1 = std::clamp(int(std::ceil((piece.bottom() + 1) * fy)) + 1, 0, picture.height());
    const int dx0 = int(std::lround(sx0 / fx));
    const int dy0 = int(std::lround(sy0 / fy));
    const int dx1 = int(std::lround(sx1 / fx));
    const int dy1 = int(std::lround(sy1 / fy));
    const QImage scaled =
        picture.copy(sx0, sy0, sx1 - sx0, sy1 - sy0)
            .scaled(dx1 - dx0, dy1 - dy0, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    ++m_scales;
    return scaled.copy(piece.translated(-dx0, -dy0));
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
