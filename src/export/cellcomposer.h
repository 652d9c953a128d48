#pragma once

#include "export/exportgeometry.h"
#include "export/exportjob.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

namespace mrv {

class MVK;
class SourcePictures;
struct SourcePicture;
struct aImage;

/// Composes the pictures of the animation area: the piece of the background that lies behind
/// the area (composed once) with one frame drawn over it.
class CellComposer
{
public:
    /// cellSize: the area's size on the output; (originX, originY): the area's top-left corner
    /// on the scaled screen. Without a background path the cells have no background.
    CellComposer(const SourcePictures &sources, QSize cellSize, double originX, double originY,
                 const QString &backgroundPath, const aImage &background);

    QSize CellSize() const { return m_cellSize; }

    /// What a cell holds before it is composed.
    enum class CellState
    {
        Clear, ///< transparent already
        Used,  ///< anything: a canvas reused from the cell before
    };

    /// Composes a premultiplied cell of CellSize(): the background piece (or transparency),
    /// then the frame's picture placed at its offset from the area's corner. Any other image
    /// is left alone.
    void Compose(QImage &cell, const SourcePicture &picture, const aImage &frame,
                 CellState state = CellState::Clear) const;

private:
    const SourcePictures &m_sources;
    QSize m_cellSize;
    QImage m_backgroundPiece; ///< null when there is no background to draw
};

/// Where composed cells go: the transparent CellSize x CellSize canvas to draw cell i on, and
/// what happens once it is drawn (false stops the export).
struct CellTarget
{
    std::function<QImage(int index)> canvas;
    std::function<bool(int index, const QImage &cell)> done;
    CellComposer::CellState state = CellComposer::CellState::Clear;
};

/// Composes the cells of frames 1 .. cells (at most the project's frames) in parallel, as the
/// long picture shows them: each frame over the background piece behind the animation area of
/// the 1024 x 768 screen (none without a background path), decoding each source once. Cells go
/// to the target from the composing threads, in no particular order; progress counts the cells
/// done, of `steps`. Returns false when cancelled or stopped by the target.
bool ComposeCells(const MVK &project, ScreenScale scale, const QString &backgroundPath,
                  const QStringList &framePaths, int cells, const CellTarget &target,
                  QStringList *unreadable, const ExportProgress &progress, int steps,
                  const std::atomic_bool *cancel);

} // namespace mrv
