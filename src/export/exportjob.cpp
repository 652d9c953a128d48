#include "export/exportjob.h"

namespace mrv {

void ExportResult::Cancel()
{
    cancelled = true;
    status = Status::Fail(CancelledMessage());
}

QString CancelledMessage()
{
    return QStringLiteral("导出已取消");
}

} // namespace mrv
