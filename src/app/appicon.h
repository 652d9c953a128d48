#pragma once

#include <QIcon>

namespace mrv {

/// The program's window icon, drawn at the usual icon sizes: a dark screen with a glowing
/// ring of four coloured dots, as a boot animation shows.
QIcon AppIcon();

} // namespace mrv
