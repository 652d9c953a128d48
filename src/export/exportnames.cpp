#include "export/exportnames.h"

#include "support/filetypes.h"
#include "support/pathrules.h"
#include "support/regexutil.h"
#include "support/stringutil.h"

#include <QRegularExpression>

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

template <typename T> Result<T> noExportType(int filterIndex)
{
    return Result<T>::Fail(QStringLiteral("没有第 %1 种导出文件类型").arg(filterIndex));
}

/// The chosen path with the extension appended unless its file name contains it. Only the
/// file name is searched: an extension that happens to occur in a folder name must not
/// leave the file without one.
QString withExtension(const ChosenPath &chosen, const QString &extension)
{
    const QString path = chosen.folder + chosen.fileName;
    return chosen.fileName.contains(extension, Qt::CaseSensitive) ? path : path + extension;
}

} // namespace

Result<QString> ExportExtension(int filterIndex)
{
    const DlgFTlist types = MakeExportTypes();
    const FileType *type = types.Item(filterIndex);
    if (!type)
        return noExportType<QString>(filterIndex);
    return QString(u'.' + type->Extensions);
}

Result<LongPictureTarget> LongPictureTargetFor(const QString &chosenPath, int filterIndex)
{
    const Result<QString> extension = ExportExtension(filterIndex);
    if (!extension)
        return extension.status();
    return LongPictureTarget{withExtension(splitChosen(chosenPath), *extension), *extension};
}

QString SequenceTarget::FileName(int n, int numberWidth) const
{
    return prefix + QString::number(n).rightJustified(numberWidth, QChar(u'0')) + extension;
}

Result<SequenceTarget> SequenceTargetFor(const QString &chosenPath, int filterIndex)
{
    const Result<QString> extension = ExportExtension(filterIndex);
    if (!extension)
        return extension.status();
    const ChosenPath chosen = splitChosen(chosenPath);
    QString name = chosen.fileName;
    // With a folder in front, a name starting with the extension is still cut (to nothing).
    const qsizetype at = name.lastIndexOf(*extension, -1, Qt::CaseSensitive);
    if (at > 0 || (at == 0 && !chosen.folder.isEmpty()))
        name.truncate(at);
    return SequenceTarget{chosen.folder + name, *extension};
}

QString ProjectImagesTarget::FramePath(int frame) const
{
    return frameFolder + HostSeparator() + QString::number(frame).rightJustified(3, QChar(u'0')) +
           extension;
}

Result<ProjectImagesTarget> ProjectImagesTargetFor(const QString &chosenPath, int filterIndex)
{
    const Result<QString> extension = ExportExtension(filterIndex);
    if (!extension)
        return extension.status();
    const ChosenPath chosen = splitChosen(chosenPath);
    ProjectImagesTarget target;
    target.extension = *extension;
    target.backgroundPath = withExtension(chosen, *extension);
    target.baseName = chosen.fileName;
    const qsizetype at = chosen.fileName.lastIndexOf(*extension, -1, Qt::CaseSensitive);
    if (at > 0)
        target.baseName.truncate(at);
    target.frameFolder = chosen.folder + target.baseName + QStringLiteral("_Frame");
    return target;
}

int LoopTimesFromAnswer(const QString &answer)
{
    const QString digits = RegexCollect(answer, QStringLiteral("[\\d]"), QString());
    if (digits.isEmpty())
        return 1;
    // Leading zeros do not count; more than three significant digits is above 255 anyway.
    qsizetype first = 0;
    while (first < digits.size() - 1 && digits[first] == u'0')
        ++first;
    const QStringView significant = QStringView(digits).mid(first);
    if (significant.size() > 3)
        return 255;
    bool ok = false;
    const int value = significant.toInt(&ok);
    if (!ok)
        return 1;
    return value < 1 ? 1 : (value > 255 ? 255 : value);
}

qint16 DefaultImportX(qint16 projectWidth)
{
    return qint16(RoundHalfEven((projectWidth / 1024.0 * 200.0 - 200.0) / 2.0));
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
