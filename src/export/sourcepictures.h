#pragma once

#include "export/exportgeometry.h"

#include <QHash>
#include <QImage>
#include <QMutex>
#include <QSize>
#include <QString>
#include <QStringList>

#include <atomic>

class QPainter;
class QThreadPool;

namespace mrv {

/// One decoded source picture, already scaled to the size it is drawn at.
struct SourcePicture
{
    QImage image;     ///< null when the file could not be read
    QSize sourceSize; ///< the picture's own pixel size, which placement is computed from
};

/// The source pictures of one export. Each is decoded once and scaled once for the export's
/// screen scale: a picture used more than once is decoded up front and kept; one used once is
/// decoded when it is needed and dropped after, so that memory stays small.
class SourcePictures
{
public:
    /// paths: every use of a picture, in the order the export uses them (empty: no picture).
    SourcePictures(const QStringList &paths, ScreenScale scale);

    /// Decodes the pictures used more than once, in parallel.
    void LoadShared(QThreadPool &pool, const std::atomic_bool *cancel);

    /// The picture of a path: kept, or decoded now. Safe from any thread; a null picture for
    /// an empty or unreadable path.
    SourcePicture Get(const QString &path) const;

    /// Draws a picture placed at project offset (x, y), scaled by the export's scale, onto a
    /// surface whose origin lies at (originX, originY) in scaled coordinates.
    void Draw(QPainter &painter, const SourcePicture &picture, int x, int y, double originX = 0.0,
              double originY = 0.0) const;

    /// The paths that could not be read, each once, in the order of their first use.
    QStringList Unreadable() const;

private:
    SourcePicture decode(const QString &path) const;

    ScreenScale m_scale;
    QHash<QString, int> m_firstUse; ///< path -> position of its first use
    QStringList m_shared;           ///< paths used more than once
    QHash<QString, SourcePicture> m_kept;
    mutable QMutex m_mutex;
    mutable QHash<QString, int> m_unreadable; ///< path -> first use, guarded by m_mutex
};

} // namespace mrv
