#pragma once

#include <QtGlobal>

namespace mrv {

/// Undoes the filter of one PNG row in place. row holds length filtered bytes of pixels bpp
/// bytes wide (1 to 8); prev is the row above, already unfiltered, or null for the first row.
/// Returns false for a filter type PNG does not define.
bool UnfilterPngRow(int filter, uchar *row, const uchar *prev, qsizetype length, int bpp);

/// The same for `count` rows one under the other: rows[0] lies under prev, each next row
/// under the one before. Runs of Paeth rows with 3- or 4-byte pixels are undone up to four at
/// once, each row a pixel behind the one above, two to three times as fast as one by one.
bool UnfilterPngRows(const int *filters, uchar *const *rows, int count, const uchar *prev,
                     qsizetype length, int bpp);

} // namespace mrv
