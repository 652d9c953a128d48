#include "export/sourcepictures.h"

#include "imaging/pictureloader.h"
#include "imaging/canvas.h"
#include "support/placement.h"
#include "support/stringutil.h"

#include <QPainter>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>

namespace mrv {

SourcePictures::SourcePictures(const QStringList &paths, ScreenScale scale) : m_scale(scale)
{
    QHash<QString, int> uses;
    for (int i = 0; i < paths.size(); ++i) {
        const QString &path = paths[i];
        if (path.isEmpty())
            continue;
        if (++uses[path] == 1)
            m_firstUse.insert(path, i);
        else if (uses[path] == 2)
            m_shared << path;
    }
}

void SourcePictures::LoadShared(QThreadPool &pool, const std::atomic_bool *cancel)
{
    // Waiting on the pool for nothing would still cost a hand-over to one of its threads and
    // back, which on a busy machine means waiting twice for a core.
    if (m_shared.isEmpty())
        return;
    auto load = [this, cancel](const QString &path) {
        return cancel && cancel->load(std::memory_order_relaxed) ? SourcePicture{} : decode(path);
    };
    const QList<SourcePicture> decoded = QtConcurrent::blockingMapped(&pool, m_shared, load);
    for (qsizetype i = 0; i < m_shared.size(); ++i)
        m_kept.insert(m_shared[i], decoded[i]);
}

SourcePicture SourcePictures::decode(const QString &path) const
{
    SourcePicture picture;
    const QImage source = LoadPicture(path);
    if (source.isNull()) {
        const QMutexLocker lock(&m_mutex);
        m_unreadable.insert(path, m_firstUse.value(path));
        return picture;
    }
    picture.sourceSize = source.size();
    picture.image = PrescalePicture(
        source, QSize(RoundUp(source.width() * m_scale.sx), RoundUp(source.height() * m_scale.sy)));
    return picture;
}

SourcePicture SourcePictures::Get(const QString &path) const
{
    if (path.isEmpty())
        return {};
    const auto kept = m_kept.constFind(path);
    if (kept != m_kept.constEnd())
        return *kept;
    return decode(path);
}

void SourcePictures::Draw(QPainter &painter, const SourcePicture &picture, int x, int y,
                          double originX, double originY) const
{
    if (picture.image.isNull())
        return;
    DrawPicture(
        painter, picture.image,
        ScaledPlacement(x, y, picture.sourceSize, m_scale.sx, m_scale.sy, originX, originY));
}

QStringList SourcePictures::Unreadable() const
{
    const QMutexLocker lock(&m_mutex);
    QStringList paths = m_unreadable.keys();
    std::sort(paths.begin(), paths.end(), [this](const QString &a, const QString &b) {
        return m_unreadable.value(a) < m_unreadable.value(b);
    });
    return paths;
}

} // namespace mrv
