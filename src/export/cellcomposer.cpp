#include "export/cellcomposer.h"

#include "imaging/canvas.h"
#include "export/sourcepictures.h"
#include "project/aimage.h"
#include "project/mvk.h"
#include "support/parallel.h"

#include <QMutex>
#include <QPainter>

#include <cstring>
#include <optional>

namespace mrv {

CellComposer::CellComposer(const SourcePictures &sources, QSize cellSize, double originX,
                           double originY, const QString &backgroundPath, const aImage &background)
    : m_sources(sources), m_cellSize(cellSize)
{
    const SourcePicture picture = sources.Get(backgroundPath);
    if (picture.image.isNull())
        return;
    m_backgroundPiece = CreateCanvas(cellSize.width(), cellSize.height());
    QPainter painter(&m_backgroundPiece);
    sources.Draw(painter, picture, background.aX, background.aY, originX, originY);
}

void CellComposer::Compose(QImage &cell, const SourcePicture &picture, const aImage &frame,
                           CellState state) const
{
    if (cell.size() != m_cellSize || cell.format() != QImage::Format_ARGB32_Premultiplied)
        return;
    const size_t rowBytes = size_t(m_cellSize.width()) * 4;
    if (!m_backgroundPiece.isNull()) {
        for (int y = 0; y < m_cellSize.height(); ++y)
            std::memcpy(cell.scanLine(y), m_backgroundPiece.constScanLine(y), rowBytes);
    } else if (state == CellState::Used) {
        for (int y = 0; y < m_cellSize.height(); ++y)
            std::memset(cell.scanLine(y), 0, rowBytes);
    }
    if (picture.image.isNull())
        return;
    QPainter painter(&cell);
    m_sources.Draw(painter, picture, frame.aX, frame.aY);
}

bool ComposeCells(const MVK &project, ScreenScale scale, const QString &backgroundPath,
                  const QStringList &framePaths, int cells, const CellTarget &target,
                  QStringList *unreadable, const ExportProgress &progress, int steps,
                  const std::atomic_bool *cancel)
{
    cells = std::min(cells, project.aFrame.Count());
    ExportPool pool;
    QStringList sourcePaths{backgroundPath};
    for (int i = 0; i < cells; ++i)
        sourcePaths << FramePathAt(framePaths, i);
    SourcePictures sources(sourcePaths, scale);
    sources.LoadShared(pool, cancel);

    // The background piece is made on this thread while the others decode frames; frames
    // decoded before it is ready are kept, and the first thread to find it ready composes them,
    // so that no thread waits for it and nothing is handed over.
    std::optional<CellComposer> composer;
    std::atomic_bool pieceReady = false;
    std::vector<std::pair<int, SourcePicture>> early;
    std::atomic_int earlyLeft = 0; // read without the lock: none are added once the piece is ready
    QMutex earlyLock;
    auto makePiece = [&] {
        composer.emplace(sources, QSize(CellSize, CellSize), AreaLeft, AreaTop, backgroundPath,
                         project.aBackground.value_or(aImage{}));
        const QMutexLocker lock(&earlyLock);
        pieceReady.store(true, std::memory_order_release);
    };
    // Cells land in place (a strip's rows, a file's blocks, a list's entries), so any thread
    // composes any of them; the progress counts them as they are done.
    int composed = 0;
    QMutex progressLock;
    auto composeCell = [&](int index, const SourcePicture &frame) {
        QImage cell = target.canvas(index);
        composer->Compose(cell, frame, *project.aFrame.Item(index + 1), target.state);
        if (!target.done(index, cell))
            return false;
        if (progress) {
            const QMutexLocker lock(&progressLock);
            progress(++composed, steps);
        }
        return true;
    };
    auto composeEarly = [&] {
        while (earlyLeft.load(std::memory_order_acquire) > 0) {
            std::pair<int, SourcePicture> kept;
            {
                const QMutexLocker lock(&earlyLock);
                if (early.empty())
                    return true;
                kept = std::move(early.back());
                early.pop_back();
                earlyLeft.fetch_sub(1, std::memory_order_relaxed);
            }
            if (IsCancelled(cancel) || !composeCell(kept.first, kept.second))
                return false;
        }
        return true;
    };
    auto compose = [&](int index) {
        if (IsCancelled(cancel))
            return false;
        SourcePicture frame = sources.Get(FramePathAt(framePaths, index));
        if (!pieceReady.load(std::memory_order_acquire)) {
            const QMutexLocker lock(&earlyLock);
            if (!pieceReady.load(std::memory_order_relaxed)) {
                early.emplace_back(index, std::move(frame));
                earlyLeft.fetch_add(1, std::memory_order_relaxed);
                return true;
            }
        }
        return composeEarly() && composeCell(index, frame);
    };
    // Frames kept while the last cells were taken are composed here.
    const bool complete = ForEachTogether(pool, cells, compose, makePiece) && composeEarly();
    if (unreadable)
        *unreadable = sources.Unreadable();
    return complete && !IsCancelled(cancel);
}

} // namespace mrv
