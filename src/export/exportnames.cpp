#include "export/exportnames.h"

#include "export/exportgeometry.h"
#include "export/exportoptions.h"
#include "support/bootgeometry.h"
#include "support/filetypes.h"
#include "support/pathrules.h"
#include "support/stringutil.h"

#include <QRegularExpression>

#include <algorithm>

namespace mrv {

namespace {

/// The dialog's answer split into folder (with its separator) and file name.
struct ChosenPath
{
    QString folder;
    QString fileName;
};

ChosenPath splitChosen(const QString &chosenPath)
{
    const DialogFiles files = ParseDialogFiles(chosenPath);
    if (files.Count == 0)
        return {QString(), chosenPath};
    return {files.Folder, files.Files.first()};
}

Status noExportType(int filterIndex)
{
    return Status::Fail(QStringLiteral("没有第 %1 种导出文件类型").arg(filterIndex));
}

/// The target made for the format of an export file type, or why there is none.
template <typename Target>
Result<Target> forTypeIndex(const QString &chosenPath, int filterIndex,
                            Target (*make)(const QString &, PictureFormat))
{
    const Result<PictureFormat> format = ExportFormatOfType(filterIndex);
    if (!format)
        return format.status();
    return make(chosenPath, *format);
}

/// The chosen path with the extension appended unless its file name contains it, in any
/// letter case ("X.GIF" stays). Only the file name is searched: an extension that happens to
/// occur in a folder name must not leave the file without one.
QString withExtension(const ChosenPath &chosen, const QString &extension)
{
    const QString path = chosen.folder + chosen.fileName;
    return chosen.fileName.contains(extension, Qt::CaseInsensitive) ? path : path + extension;
}

} // namespace

Result<QString> ExportExtension(int filterIndex)
{
    const PictureFormatInfo *info = FormatByTypeIndex(filterIndex);
    if (!info)
        return noExportType(filterIndex);
    return info->extension;
}

Result<PictureFormat> ExportFormatOfType(int filterIndex)
{
    const PictureFormatInfo *info = FormatByTypeIndex(filterIndex);
    if (!info)
        return noExportType(filterIndex);
    return info->format;
}

LongPictureTarget LongPictureTargetFor(const QString &chosenPath, PictureFormat format)
{
    const QString &extension = FormatInfo(format).extension;
    return LongPictureTarget{withExtension(splitChosen(chosenPath), extension), extension};
}

Result<LongPictureTarget> LongPictureTargetFor(const QString &chosenPath, int filterIndex)
{
    return forTypeIndex<LongPictureTarget>(chosenPath, filterIndex, LongPictureTargetFor);
}

QString SequenceTarget::FileName(int n, int numberWidth) const
{
    return prefix + QString::number(n).rightJustified(numberWidth, QChar(u'0')) + extension;
}

SequenceTarget SequenceTargetFor(const QString &chosenPath, PictureFormat format)
{
    const QString &extension = FormatInfo(format).extension;
    const ChosenPath chosen = splitChosen(chosenPath);
    QString name = chosen.fileName;
    // With a folder in front, a name starting with the extension is still cut (to nothing).
    const qsizetype at = name.lastIndexOf(extension, -1, Qt::CaseInsensitive);
    if (at > 0 || (at == 0 && !chosen.folder.isEmpty()))
        name.truncate(at);
    return SequenceTarget{chosen.folder + name, extension};
}

Result<SequenceTarget> SequenceTargetFor(const QString &chosenPath, int filterIndex)
{
    return forTypeIndex<SequenceTarget>(chosenPath, filterIndex, SequenceTargetFor);
}

QString ProjectImagesTarget::FramePath(int frame) const
{
    return frameFolder + HostSeparator() + QString::number(frame).rightJustified(3, QChar(u'0')) +
           extension;
}

ProjectImagesTarget ProjectImagesTargetFor(const QString &chosenPath, PictureFormat format)
{
    const QString &extension = FormatInfo(format).extension;
    const ChosenPath chosen = splitChosen(chosenPath);
    ProjectImagesTarget target;
    target.extension = extension;
    target.backgroundPath = withExtension(chosen, extension);
    target.baseName = chosen.fileName;
    const qsizetype at = chosen.fileName.lastIndexOf(extension, -1, Qt::CaseInsensitive);
    if (at > 0)
        target.baseName.truncate(at);
    target.frameFolder = chosen.folder + target.baseName + QStringLiteral("_Frame");
    return target;
}

Result<ProjectImagesTarget> ProjectImagesTargetFor(const QString &chosenPath, int filterIndex)
{
    return forTypeIndex<ProjectImagesTarget>(chosenPath, filterIndex, ProjectImagesTargetFor);
}

QStringList SequenceFiles(const SequenceTarget &target, int frameCount, int loopTimes)
{
    const SequencePlan plan = SequencePlan::Make(frameCount, std::clamp(loopTimes, 1, 255));
    QStringList files;
    files.reserve(qMax(plan.total, 0));
    for (int n = 1; n <= plan.total; ++n)
        files << target.FileName(n, plan.numberWidth);
    return files;
}

QStringList ProjectImageFiles(const ProjectImagesTarget &target, int frameCount)
{
    QStringList files{target.backgroundPath};
    files.reserve(frameCount + 1);
    for (int i = 1; i <= frameCount; ++i)
        files << target.FramePath(i);
    return files;
}

int LoopTimesFromAnswer(const QString &answer)
{
    return ClampedDigits(answer, 1, 255);
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
    return QStringLiteral("偏移参数不符合规则");
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
        return Result<qint16>::Fail(OffsetRuleMessage() +
                                    QStringLiteral("：X偏移必须在 -32768 到 32767 之间"));
    return qint16(value);
}

} // namespace mrv
