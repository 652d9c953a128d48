#pragma once

#include "support/result.h"

class QFile;

namespace mrv {

/// Opens the file (named by its fileName()) for reading, but only when the name leads to a
/// regular file. A FIFO, device or socket is refused without a blocking open: opening a FIFO
/// waits for a writer and reading a device may never end, so a stray one in a project or a
/// folder would hang the program. Failures carry the reason in words a user can act on.
Status OpenRegularFile(QFile &file);

} // namespace mrv
