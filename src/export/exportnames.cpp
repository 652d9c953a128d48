#include "export/exportnames.h"

#include "export/exportgeometry.h"
#include "export/exportoptions.h"
#include "support/bootgeometry.h"
#include "support/filetypes.h"
#include "support/pathrules.h"
#include "support/stringutil.h"
#include "support/tr.h"

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
    return Status::Fail(Tr::tr("没有第 %1 种导出文件类型").arg(filterIndex));
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

} // namespace mrv
