#pragma once

#include <QtGlobal>

namespace mrv {

/// Undoes the filter of one PNG row in place. row holds length filtered bytes of pixels bpp
/// bytes wide (1 to 8); prev is the row above, already unfiltered, or null for the first row.
/// Returns false for a filter type PNG does not define.
bool UnfilterPngRow(int filter, uchar *row, const uchar *prev, qsizetype length, int bpp);

/// The same for two rows in a row: row1 lies under row0, prev above row0. Two Paeth rows of 3-
/// or 4-byte pixels are undone side by side, almost twice as fast as one after the other.
bool UnfilterPngRowPair(int filter0, int filter1, uchar *row0, uchar *row1, const uchar *prev,
                        qsizetype length, int bpp);

} // namespace mrv
