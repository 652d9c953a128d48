#pragma once

#include "export/exportgeometry.h"
#include "project/aimage.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

namespace mrv {

/// What the animation area shows behind every frame: the background and the screen's scale.
struct ThumbnailScene
{
    QString backgroundPath; ///< resolved; empty: no background
    aImage background;
    ScreenScale scale;
};

/// One frame's picture to draw: its resolved path and its offset.
struct ThumbnailJob
{
    QString path;
    qint16 x = 0;
    qint16 y = 0;
};

/// The cache key of a frame's thumbnail: the same file at the same offset looks the same.
QString ThumbnailKey(const ThumbnailJob &job);

/// The animation area as the preview composes it (the background piece, the frame at its
/// offset), scaled to `side` pixels square. `readable` tells whether the frame's picture
/// could be read (a frame without a path counts as readable: there is nothing to read).
QImage ComposeThumbnail(const ThumbnailScene &scene, const ThumbnailJob &job, int side,
                        bool *readable);

/// Makes thumbnails on the thread pool, one run at a time: a new scene drops what the runs
/// before it still make.
class ThumbnailMaker : public QObject
{
    Q_OBJECT

public:
    explicit ThumbnailMaker(int side, QObject *parent = nullptr);
    ~ThumbnailMaker() override;

    /// Everything made from now on shows this scene; results of the scene before are dropped.
    void SetScene(const ThumbnailScene &scene);
    /// Makes these thumbnails (in this order) in the background.
    void Make(const QList<ThumbnailJob> &jobs);
    /// Waits for the runs under way (tests, shutdown).
    void Wait();

signals:
    void made(const QString &key, const QImage &image, bool readable);

private:
    struct Run;
    int m_side;
    ThumbnailScene m_scene;
    std::shared_ptr<std::atomic_bool> m_cancel;
    QList<std::shared_ptr<Run>> m_runs;
};

} // namespace mrv
