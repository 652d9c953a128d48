#include "editor/thumbnailmaker.h"

#include "export/cellcomposer.h"
#include "export/sourcepictures.h"
#include "support/bootgeometry.h"

#include <QFuture>
#include <QMetaObject>
#include <QtConcurrent/QtConcurrentRun>

namespace mrv {

struct ThumbnailMaker::Run
{
    QFuture<void> future;
};

QString ThumbnailKey(const ThumbnailJob &job)
{
    return QStringLiteral("%1|%2|%3").arg(job.x).arg(job.y).arg(job.path);
}

QImage ComposeThumbnail(const ThumbnailScene &scene, const ThumbnailJob &job, int side,
                        bool *readable)
{
    SourcePictures sources({scene.backgroundPath, job.path}, scene.scale);
    const CellComposer composer(sources, QSize(AreaSize, AreaSize), AreaLeft, AreaTop,
                                scene.backgroundPath, scene.background);
    QImage cell(AreaSize, AreaSize, QImage::Format_ARGB32_Premultiplied);
    cell.fill(Qt::transparent);
    const SourcePicture picture = sources.Get(job.path);
    if (readable)
        *readable = job.path.isEmpty() || !picture.image.isNull();
    aImage frame;
    frame.aX = job.x;
    frame.aY = job.y;
    composer.Compose(cell, picture, frame);
    return cell.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

ThumbnailMaker::ThumbnailMaker(int side, QObject *parent)
    : QObject(parent), m_side(side), m_cancel(std::make_shared<std::atomic_bool>(false))
{}

ThumbnailMaker::~ThumbnailMaker()
{
    m_cancel->store(true);
    Wait();
}

void ThumbnailMaker::SetScene(const ThumbnailScene &scene)
{
    m_cancel->store(true);
    m_cancel = std::make_shared<std::atomic_bool>(false);
    m_scene = scene;
}

void ThumbnailMaker::Make(const QList<ThumbnailJob> &jobs)
{
    if (jobs.isEmpty())
        return;
    m_runs.removeIf([](const std::shared_ptr<Run> &run) { return run->future.isFinished(); });
    auto run = std::make_shared<Run>();
    // The destructor waits for the runs, so `this` outlives them; a queued call left over
    // when it is gone is dropped with it.
    run->future =
        QtConcurrent::run([this, jobs, scene = m_scene, side = m_side, cancel = m_cancel] {
            for (const ThumbnailJob &job : jobs) {
                if (cancel->load())
                    return;
                bool readable = true;
                const QImage image = ComposeThumbnail(scene, job, side, &readable);
                if (cancel->load())
                    return;
                // Handed to the window's thread; dropped there when the scene changed since.
                QMetaObject::invokeMethod(
                    this,
                    [this, cancel, key = ThumbnailKey(job), image, readable] {
                        if (!cancel->load())
                            emit made(key, image, readable);
                    },
                    Qt::QueuedConnection);
            }
        });
    m_runs.append(run);
}

void ThumbnailMaker::Wait()
{
    for (const auto &run : m_runs)
        run->future.waitForFinished();
    m_runs.clear();
}

} // namespace mrv
