#include "support/fileerror.h"

#include <QFileDevice>

#include <cstring>

namespace mrv {

QString FileErrorReason(const QFileDevice &file, int systemError)
{
    if (file.error() != QFileDevice::NoError || systemError == 0)
        return file.errorString();
    return QString::fromLocal8Bit(std::strerror(systemError));
}

} // namespace mrv
