#pragma once

#include <QString>

#include <algorithm>

namespace mrv {

/// How long one frame shows, in milliseconds, with the limits every player and export keeps.
/// The play timers take 0 from a layout document (as fast as the screen allows); what a user
/// types and a written animation show each frame for at least 1 ms. The upper limit is the range of a timer interval.
struct FrameDuration
{
    static constexpr int Min = 0;
    static constexpr int MinWritten = 1;
    static constexpr int Max = 65535;
    /// What the play timers start with and what an export proposes without a preview.
    static constexpr int Default = 75;

    /// A value brought into the range an export writes.
    static constexpr int Written(int ms) { return std::clamp(ms, MinWritten, Max); }
    /// The range an export takes, as the questions show it: "1-65535".
    static QString WrittenRange() { return QStringLiteral("%1-%2").arg(MinWritten).arg(Max); }
};

} // namespace mrv
