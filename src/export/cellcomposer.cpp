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
    // decoded before it is ready are kept and composed after, so that no thread waits for it.
    std::optional<CellComposer> composer;
    std::atomic_bool pieceReady = false;
    auto makePiece = [&] {
        composer.emplace(sources, QSize(CellSize, CellSize), AreaLeft, AreaTop, backgroundPath,
                         project.aBackground.value_or(aImage{}));
        pieceReady.store(true, std::memory_order_release);
    };
    std::vector<std::pair<int, SourcePicture>> early;
    QMutex earlyLock;
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
    auto compose = [&](int index) {
        if (IsCancelled(cancel))
            return false;
        SourcePicture frame = sources.Get(FramePathAt(framePaths, index));
        if (!pieceReady.load(std::memory_order_acquire)) {
            const QMutexLocker lock(&earlyLock);
            early.emplace_back(index, std::move(frame));
            return true;
        }
        return composeCell(index, frame);
    };
    auto composeEarly = [&](int i) {
        return !IsCancelled(cancel) && composeCell(early[size_t(i)].first, early[size_t(i)].second);
    };
    const bool complete = ForEachTogether(pool, cells, compose, makePiece)
                          && ForEachTogether(pool, int(early.size()), composeEarly, [] {});
    if (unreadable)
        *unreadable = sources.Unreadable();
    return complete && !IsCancelled(cancel);
}

} // namespace mrv
