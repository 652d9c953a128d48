#pragma once

#include <QString>

class QFileDevice;

namespace mrv {

/// Why a file operation failed, in words a user can act on: Qt's own reason when it has one,
/// else the system's for the error number taken right after the failing call. A write cut
/// short by a full disk or the file-size limit leaves Qt with no error of its own ("Unknown
/// error") while the system knows exactly what happened.
QString FileErrorReason(const QFileDevice &file, int systemError);

} // namespace mrv
