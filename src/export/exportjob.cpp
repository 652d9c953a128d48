#include "export/exportjob.h"

namespace mrv {

void ExportResult::Cancel()
{
    cancelled = true;
    status = Status::Fail(CancelledMessage());
}

QString NothingWrittenNote()
{
    return QStringLiteral("没有写入任何文件，原有的文件保持不变。");
}

QString CancelledMessage()
{
    return QStringLiteral("导出已取消");
}

} // namespace mrv
