#include "export/sourcepictures.h"

#include "core/pictureloader.h"
#include "export/canvas.h"
#include "support/placement.h"
#include "support/stringutil.h"

#include <QPainter>
#include <QSet>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

namespace mrv {

SourcePictures SourcePictures::Load(const QStringList &paths, ScreenScale scale, QThreadPool &pool,
                                    const std::atomic_bool *cancel)
{
    SourcePictures pictures;
    pictures.m_scale = scale;
    QStringList distinct;
    QSet<QString> seen;
    for (const QString &path : paths)
        if (!path.isEmpty() && !seen.contains(path)) {
            seen.insert(path);
            distinct << path;
        }

    auto decode = [scale, cancel](const QString &path) {
        SourcePicture picture;
        if (cancel && cancel->load(std::memory_order_relaxed))
            return picture;
        const QImage source = LoadPicture(path);
        if (source.isNull())
            return picture;
        picture.sourceSize = source.size();
        picture.image = PrescalePicture(source, QSize(RoundUp(source.width() * scale.sx),
                                                      RoundUp(source.height() * scale.sy)));
        return picture;
    };
    const QList<SourcePicture> decoded = QtConcurrent::blockingMapped(&pool, distinct, decode);
    for (qsizetype i = 0; i < distinct.size(); ++i) {
        if (decoded[i].image.isNull() && !(cancel && cancel->load()))
            pictures.m_unreadable << distinct[i];
        pictures.m_pictures.insert(distinct[i], decoded[i]);
    }
    return pictures;
}

const SourcePicture &SourcePictures::Get(const QString &path) const
{
    static const SourcePicture none;
    const auto it = m_pictures.constFind(path);
    return it == m_pictures.constEnd() ? none : *it;
}

void SourcePictures::Draw(QPainter &painter, const QString &path, int x, int y, double originX,
                          double originY) const
{
    const SourcePicture &picture = Get(path);
    if (picture.image.isNull())
        return;
    DrawPicture(painter, picture.image,
                ScaledPlacement(x, y, picture.sourceSize, m_scale.sx, m_scale.sy, originX, originY));
}

} // namespace mrv
