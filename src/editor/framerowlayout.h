#pragma once

#include <QRect>
#include <QSize>

namespace mrv {

/// The hidden template row 0 of the frame list: the four controls every row is made from,
/// and the left edge of the highlight, all in the inner list panel's coordinates.
struct RowTemplate
{
    QRect label, path, browse, setting;
    int highlightLeft = 0;
};

/// Row metrics measured once from the template row.
struct RowMetrics
{
    int RowTop = 0;    ///< smallest top of the template controls
    int RowBottom = 0; ///< largest bottom (top + height) of the template controls
    int RowPitch = 0;  ///< distance from one row to the next: row height plus the list distance
    int HighlightHeight = 0;
};

RowMetrics MeasureRows(const RowTemplate &row, int listDistance);

/// What arranging the rows writes: the row controls' horizontal geometry (the same for every
/// row), the inner panel's size and the scrollbar's state.
struct RowArrangement
{
    int innerWidth = 0;
    int innerHeight = 0;
    int settingLeft = 0;
    int browseLeft = 0;
    int pathWidth = 0;
    int highlightWidth = 0;
    bool scrollEnabled = false;
    int largeChange = 0; ///< only set when the scrollbar is enabled
    int smallChange = 0;
};

/// Lays out `rowCount` rows inside a panel whose inner size is `outerInner`, beside a
/// scrollbar of the given width and maximum. A list that fits stretches the inner panel to
/// the outer panel's inner height and disables the scrollbar.
RowArrangement ArrangeRows(QSize outerInner, int scrollWidth, int innerLeft,
                           const RowTemplate &row, int rowPitch, int rowCount, int scrollMax);

/// The narrowest a row's path box may get before the window's left column stops giving way
/// to the preview: about fifteen characters of a path.
inline constexpr int ReadablePathWidth = 100;

/// The outer width of a frame-list panel whose rows show the number, a path box
/// `pathWidth` wide and both buttons (the inverse of ArrangeRows' width arithmetic).
int ListWidthForPath(int pathWidth, const RowTemplate &row, int scrollWidth, int innerLeft,
                     int panelBorderWidth);

/// Top of row i's copy of a template control whose own top is `templateTop`.
inline qint64 RowControlTop(int templateTop, int row, int rowPitch)
{
    return templateTop + qint64(row - 1) * rowPitch;
}

/// Top of the highlight framing row v, 4 pixels above the row.
inline qint64 HighlightTop(int row, const RowMetrics &m)
{
    return qint64(row - 1) * m.RowPitch + m.RowTop - 4;
}

/// The inner panel's top for a scrollbar value: 0 shows the first row, the maximum moves the
/// list up by the difference of the two heights. A list lower than its panel never moves down.
int InnerPanelTop(int innerHeight, int outerHeight, int value, int maximum);

/// The scrollbar value that brings frame v of `frameCount` into view: the first frame at the
/// top, the last at the bottom, the others proportionally. A single frame stays at the top.
int FocusScrollValue(int frame, int frameCount, int scrollMax);

/// The rows (1-based, inclusive) that show in a panel `viewHeight` high while the inner panel
/// sits at `innerTop`; an empty range has first > last.
struct RowRange
{
    int first = 1;
    int last = 0;
};
RowRange VisibleRows(int innerTop, int viewHeight, const RowMetrics &m, int rowCount);

/// The scrollbar value that brings row `row` (with its highlight) into a view `viewHeight`
/// high by moving the list as little as possible; `value` itself when the row shows already.
/// `travel` is how far the inner panel can move up.
int RevealScrollValue(int row, const RowMetrics &m, int innerTop, int viewHeight, int travel,
                      int value, int scrollMax);

} // namespace mrv
