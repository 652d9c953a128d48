#pragma once

#include <QtGlobal>

namespace mrv {

/// Undoes the filter of one PNG row in place. row holds length filtered bytes of pixels bpp
/// bytes wide (1 to 8); prev is the row above, already unfiltered, or null for the first row.
/// Returns false for a filter type PNG does not define.
bool UnfilterPngRow(int filter, uchar *row, const uchar *prev, qsizetype length, int bpp);

} // namespace mrv
