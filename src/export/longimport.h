#pragma once

#include "support/result.h"

#include <QString>

namespace mrv {

class MVK;

/// The most frames a long picture can be imported into: frame i gets the Y offset
/// 200 - i * 200, which must fit a 16-bit offset.
inline constexpr int MaxImportFrames = 164;

/// Whether the project can take a long picture; refused with a message when it has more
/// frames than MaxImportFrames.
Status CheckLongImport(const MVK &project);

/// Points every frame at the strip: frame i gets the stored path, X = x and Y = 200 - i * 200,
/// so that cell i of the strip sits in the animation area. Marks the project changed.
/// Refused (and nothing changed) when CheckLongImport refuses.
Status ApplyLongImport(MVK &project, const QString &storedPath, qint16 x);

} // namespace mrv
