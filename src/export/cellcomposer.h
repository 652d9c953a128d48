#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace mrv {

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

} // namespace mrv
