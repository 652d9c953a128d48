#pragma once

#include <QIcon>

class QPainter;

namespace mrv {

/// The sizes the icon is drawn at, for the window and for the installed icon theme.
inline constexpr int AppIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

/// Paints the icon into the square (0, 0, size, size) of the painter's device.
void PaintAppIcon(QPainter &p, double size);

/// The program's window icon, drawn at the usual icon sizes: a dark screen with a glowing
/// ring of four coloured dots, as a boot animation shows.
QIcon AppIcon();

} // namespace mrv
