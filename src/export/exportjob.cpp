#include "export/exportjob.h"

namespace mrv {

QString CancelledMessage()
{
    return QStringLiteral("导出已取消");
}

} // namespace mrv
