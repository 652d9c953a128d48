#pragma once

#include "export/exportgeometry.h"

#include <QHash>
#include <QImage>
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
    QImage image;      ///< null when the file could not be read
    QSize sourceSize;  ///< the picture's own pixel size, which placement is computed from
};

/// The source pictures of one export, each distinct path decoded once (in parallel) and
/// scaled once for the export's screen scale.
class SourcePictures
{
public:
    /// Decodes the distinct non-empty paths. A path that cannot be read is remembered as
    /// unreadable and draws nothing.
    static SourcePictures Load(const QStringList &paths, ScreenScale scale, QThreadPool &pool,
                               const std::atomic_bool *cancel);

    /// The picture of a path; a null picture for an empty or unreadable path.
    const SourcePicture &Get(const QString &path) const;

    /// Draws a path's picture placed at project offset (x, y), scaled by the export's scale,
    /// onto a surface whose origin lies at (originX, originY) in scaled coordinates.
    void Draw(QPainter &painter, const QString &path, int x, int y, double originX = 0.0,
              double originY = 0.0) const;

    /// The paths that could not be read, each once, in the order given to Load.
    const QStringList &Unreadable() const { return m_unreadable; }

private:
    ScreenScale m_scale;
    QHash<QString, SourcePicture> m_pictures;
    QStringList m_unreadable;
};

} // namespace mrv
