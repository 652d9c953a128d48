#pragma once

#include "support/result.h"

#include <QString>

#include <vector>

namespace mrv {

/// The frames a range names: "N", "N-M" or a comma list of those, in frame numbers as the rows
/// show them (1 .. count). Returns the 0-based positions, ascending and each once; an empty
/// text is every frame. Fails, naming the part, on anything else or a number outside 1..count.
Result<std::vector<int>> ParseFrameRange(const QString &text, int count);

} // namespace mrv
