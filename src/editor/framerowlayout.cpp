#include "editor/framerowlayout.h"

#include "support/stringutil.h"

#include <algorithm>
#include <cmath>

namespace mrv {

namespace {

qint16 toInt16(double value)
{
    return qint16(std::clamp(RoundHalfEven(value), -32768, 32767));
}

} // namespace

RowMetrics MeasureRows(const RowTemplate &row, int listDistance)
{
    RowMetrics m;
    const QRect parts[] = {row.label, row.path, row.browse, row.setting};
    m.RowTop = parts[0].top();
    m.RowBottom = parts[0].top() + parts[0].height();
    for (const QRect &r : parts) {
        m.RowTop = std::min(m.RowTop, r.top());
        m.RowBottom = std::max(m.RowBottom, r.top() + r.height());
    }
    m.RowPitch = m.RowBottom - m.RowTop + listDistance;
    m.HighlightHeight = m.RowBottom - m.RowTop + 8;
    return m;
}

RowArrangement ArrangeRows(QSize outerInner, int scrollWidth, int innerLeft,
                           const RowTemplate &row, int rowPitch, int rowCount, int scrollMax)
{
    RowArrangement a;
    a.innerWidth = MaxOf(outerInner.width() - scrollWidth - 2 * innerLeft, 0);
    const int W = a.innerWidth;
    a.settingLeft = W - row.setting.width() - 5;
    a.browseLeft = a.settingLeft - row.browse.width() - 5;
    a.pathWidth = MaxOf(a.browseLeft - row.path.left() - 5, 0);
    a.highlightWidth = MaxOf(W - row.highlightLeft - 2, 0);

    const qint64 height = row.label.top() + qint64(rowPitch) * rowCount;
    if (height <= outerInner.height()) {
        a.innerHeight = outerInner.height();
        a.scrollEnabled = false;
        return a;
    }
    a.innerHeight = int(std::min<qint64>(height, 16777215));
    a.scrollEnabled = true;
    const double overflow = MaxOf(a.innerHeight - outerInner.height(), 0);
    a.largeChange = toInt16(scrollMax / (overflow / 1000.0 + 1.0));
    a.smallChange = toInt16(scrollMax / (overflow / 100.0 + 10.0));
    return a;
}

int ListWidthForPath(int pathWidth, const RowTemplate &row, int scrollWidth, int innerLeft,
                     int panelBorderWidth)
{
    const int inner =
        row.path.left() + pathWidth + 5 + row.browse.width() + 5 + row.setting.width() + 5;
    return inner + scrollWidth + 2 * innerLeft + panelBorderWidth;
}

int InnerPanelTop(int innerHeight, int outerHeight, int value, int maximum)
{
    if (maximum <= 0)
        return 0;
    const double travel = std::max(innerHeight - outerHeight, 0);
    return -RoundHalfEven(travel * (double(value) / maximum));
}

int FocusScrollValue(int frame, int frameCount, int scrollMax)
{
    if (frameCount <= 1)
        return 0;
    return toInt16(double(frame - 1) / double(frameCount - 1) * scrollMax);
}

RowRange VisibleRows(int innerTop, int viewHeight, const RowMetrics &m, int rowCount)
{
    RowRange range;
    if (rowCount <= 0 || m.RowPitch <= 0 || viewHeight <= 0)
        return range;
    const qint64 height = m.RowBottom - m.RowTop;
    // Row i covers [RowTop + (i-1)*pitch, that + height) in panel coordinates; the view shows
    // [-innerTop, -innerTop + viewHeight).
    const qint64 viewTop = -qint64(innerTop);
    const qint64 viewBottom = viewTop + viewHeight;
    qint64 first = (viewTop - m.RowTop - height) / m.RowPitch + 1;
    qint64 last = (viewBottom - m.RowTop) / m.RowPitch + 1;
    first = std::clamp<qint64>(first, 1, rowCount);
    last = std::clamp<qint64>(last, 0, rowCount);
    range.first = int(first);
    range.last = int(last);
    return range;
}

int RevealScrollValue(int row, const RowMetrics &m, int innerTop, int viewHeight, int travel,
                      int value, int scrollMax)
{
    if (travel <= 0 || scrollMax <= 0 || viewHeight <= 0)
        return value;
    // The highlight reaches 4 pixels beyond the row on either side.
    const qint64 top = HighlightTop(row, m);
    const qint64 bottom = top + (m.RowBottom - m.RowTop) + 8;
    const qint64 viewTop = -qint64(innerTop);
    qint64 wantedTop;
    if (top < viewTop)
        wantedTop = top;
    else if (bottom > viewTop + viewHeight)
        wantedTop = bottom - viewHeight;
    else
        return value;
    wantedTop = std::clamp<qint64>(wantedTop, 0, travel);
    // Round away from the row so the rounding never leaves it a pixel short.
    const double exact = double(wantedTop) / travel * scrollMax;
    const qint64 v = qint64(wantedTop > viewTop ? std::ceil(exact) : std::floor(exact));
    return int(std::clamp<qint64>(v, 0, scrollMax));
}

} // namespace mrv
