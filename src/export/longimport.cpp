#include "export/longimport.h"

#include "export/exportgeometry.h"
#include "project/mvk.h"

namespace mrv {

Status CheckLongImport(const MVK &project)
{
    if (project.aFrame.Count() > MaxImportFrames)
        return Status::Fail(
            QStringLiteral("工程有 %1 帧，超过 %2 帧时纵向偏移超出范围，无法导入动画长图")
                .arg(project.aFrame.Count())
                .arg(MaxImportFrames));
    return Status::Ok();
}

Status ApplyLongImport(MVK &project, const QString &storedPath, qint16 x)
{
    if (Status check = CheckLongImport(project); !check)
        return check;
    int i = 0;
    for (aImage &frame : project.aFrame) {
        ++i;
        frame.aURL = storedPath;
        frame.aX = x;
        frame.aY = qint16(CellSize - i * CellSize);
    }
    project.aChanged = true;
    return Status::Ok();
}

} // namespace mrv
