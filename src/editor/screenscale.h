#pragma once

#include <QSize>
#include <QString>

#include <optional>

namespace mrv {

/// The text of a screen-scale entry: width, "*", height ("1024*768").
QString ScreenScaleText(int width, int height);

/// The screen size in a screen-scale text: the first "digits*digits" in it ("12*34*56" gives
/// 12 x 34). Nothing when there is none, or when a side is 0 or above 32767 (such a size
/// cannot be stored or laid out).
std::optional<QSize> ParseScreenScale(const QString &text);

} // namespace mrv
