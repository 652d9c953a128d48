#include "export/cellcomposer.h"

#include "imaging/canvas.h"
#include "export/sourcepictures.h"
#include "project/aimage.h"

#include <QPainter>

#include <cstring>

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

} // namespace mrv
