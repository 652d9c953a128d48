#include "import/longimport.h"

#include "project/mvk.h"
#include "support/bootgeometry.h"
#include "support/pathrules.h"
#include "support/stringutil.h"
#include "support/tr.h"

#include <QRegularExpression>

namespace mrv {

Status CheckLongImport(const MVK &project)
{
    if (project.aFrame.Count() > MaxImportFrames)
        return Status::Fail(Tr::tr("工程有 %1 帧，超过 %2 帧时纵向偏移超出范围，无法导入动画长图")
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
        frame.aY = qint16(AreaSize - i * AreaSize);
    }
    project.aChanged = true;
    return Status::Ok();
}

qint16 DefaultImportX(qint16 projectWidth)
{
    return qint16(
        RoundHalfEven((projectWidth / double(ReferenceWidth) * AreaSize - AreaSize) / 2.0));
}

QString StoredStripPath(const QString &projectFolder, const QString &stripPath)
{
    if (!LiesInFolder(projectFolder, stripPath, Qt::CaseSensitive))
        return stripPath;
    // Relative paths are stored with the project file's "\" separator wherever they were made.
    QString relative = MakeRelative(projectFolder, stripPath);
    relative.replace(u'/', u'\\');
    return relative;
}

QString OffsetRuleMessage()
{
    return Tr::tr("偏移参数不符合规则");
}

Result<qint16> ParseImportOffset(const QString &answer)
{
    static const QRegularExpression pattern(QStringLiteral("\\A-?[0-9]+\\z"));
    if (!pattern.match(answer).hasMatch())
        return Result<qint16>::Fail(OffsetRuleMessage());
    QStringView digits(answer);
    const bool negative = digits.startsWith(u'-');
    if (negative)
        digits = digits.mid(1);
    while (digits.size() > 1 && digits.front() == u'0')
        digits = digits.mid(1);
    const long long magnitude = digits.size() > 6 ? 1000000 : digits.toLongLong();
    const long long value = negative ? -magnitude : magnitude;
    if (!FitsInt16(value))
        return Result<qint16>::Fail(
            Tr::tr("%1：X偏移必须在 -32768 到 32767 之间").arg(OffsetRuleMessage()));
    return qint16(value);
}

} // namespace mrv
