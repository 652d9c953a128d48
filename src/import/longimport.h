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

/// The X offset proposed by the long-picture import: (width / 1024 * 200 - 200) / 2, rounded
/// to the nearest with ties to even (0 for 1024, 100 for 2048).
qint16 DefaultImportX(qint16 projectWidth);

/// The strip path stored in the frames: relative to the project folder when the strip lies in
/// that folder (compared case-sensitively, whole folder names only; separated by "\" as all
/// relative paths of a project file), else the full path.
QString StoredStripPath(const QString &projectFolder, const QString &stripPath);

/// The message for an offset that does not follow the rules.
QString OffsetRuleMessage();

/// The batch X offset typed for the import: an optional minus sign and digits only, within
/// -32768..32767. Anything else fails with OffsetRuleMessage() (out of range adds why).
Result<qint16> ParseImportOffset(const QString &answer);

} // namespace mrv
