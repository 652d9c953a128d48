#pragma once

#include "support/result.h"

#include <QString>

#include <cstdint>

namespace mrv {

/// Reads a hexadecimal colour written bare, or with "0x", "x", "#" or "&H" in front.
/// Any other text gives 0; more than eight digits is an error.
Result<qint32> ParseHex(const QString &text);

/// 0xRRGGBB to a colour value with red in the lowest byte. The top byte is ignored.
qint32 WebColorToRgb(qint32 value);

inline qint32 MaxOf(qint32 a, qint32 b) { return a >= b ? a : b; }
inline qint32 MinOf(qint32 a, qint32 b) { return a <= b ? a : b; }

/// Nearest integer, ties to the even neighbour (0.5 -> 0, 1.5 -> 2, -2.5 -> -2).
int RoundHalfEven(double value);

/// Smallest integer not below the value; drawn picture sizes are rounded this way.
int RoundUp(double value);

/// True when the value fits the 16-bit signed integers that hold sizes and offsets.
inline bool FitsInt16(long long value) { return value >= -32768 && value <= 32767; }

/// Which input box a key filter serves. Every filter takes the digits and backspace.
enum class KeyFilter {
    ScreenScale, ///< also "*"
    Offset,      ///< also "-"
    FrameTime,   ///< nothing else
};

/// True when the box accepts the typed character; key is the character code
/// (8 for backspace).
bool KeyAccepted(KeyFilter filter, int key);

} // namespace mrv
