#pragma once

#include "imaging/pictureformats.h"
#include "support/result.h"

#include <QString>
#include <QStringList>

namespace mrv {

/// Positions (1-based) of the export file types, in the order the save dialogs list them
/// (the typeIndex of each PictureFormats() entry).
enum ExportTypeIndex : int
{
    ExportTypePng = 1,
    ExportTypeBmp = 2,
    ExportTypeJpg = 3,
    ExportTypeGif = 4,
    ExportTypeTif = 5,
};

/// The entry each save dialog preselects.
inline constexpr int LongPictureDefaultType = ExportTypeBmp;
inline constexpr int SequenceDefaultType = ExportTypePng;
inline constexpr int ProjectImagesDefaultType = ExportTypePng;

/// "." followed by the extension of the export file type at the 1-based position.
Result<QString> ExportExtension(int filterIndex);
/// The format of the export file type at the 1-based position; fails for a position without one.
Result<PictureFormat> ExportFormatOfType(int filterIndex);

/// Where the long picture goes. The format always follows the file type, not the typed name.
struct LongPictureTarget
{
    QString path;
    QString extension;
};

/// The chosen path (folder and file name, as the save dialog returns it) with the extension
/// appended unless the file name already contains it in any letter case ("anim.jpg.png" with
/// JPEG and "anim.JPG" stay as they are).
LongPictureTarget LongPictureTargetFor(const QString &chosenPath, PictureFormat format);
/// The same for the format of an export file type; fails for a position without one.
Result<LongPictureTarget> LongPictureTargetFor(const QString &chosenPath, int filterIndex);

/// Where the frame sequence goes: the prefix that the numbers and the extension follow.
struct SequenceTarget
{
    QString prefix;
    QString extension;

    /// prefix + n padded with zeros to the width + extension ("seq001.png").
    QString FileName(int n, int numberWidth) const;
};

/// The chosen path cut before the last occurrence of the extension in its file name, in any
/// letter case ("seq.PNG" with PNG gives the prefix "seq"); unchanged when the name does not
/// contain it.
SequenceTarget SequenceTargetFor(const QString &chosenPath, PictureFormat format);
Result<SequenceTarget> SequenceTargetFor(const QString &chosenPath, int filterIndex);

/// Where the project images go.
struct ProjectImagesTarget
{
    QString
        backgroundPath;  ///< the chosen path, with the extension appended as for the long picture
    QString baseName;    ///< the file name cut before the extension (when it is not its start)
    QString frameFolder; ///< chosen folder + base name + "_Frame"
    QString extension;

    /// frameFolder/NNN.ext with at least three digits ("001.png").
    QString FramePath(int frame) const;
};

ProjectImagesTarget ProjectImagesTargetFor(const QString &chosenPath, PictureFormat format);
Result<ProjectImagesTarget> ProjectImagesTargetFor(const QString &chosenPath, int filterIndex);

/// Every file the frame sequence writes for a project of `frameCount` frames, in order.
QStringList SequenceFiles(const SequenceTarget &target, int frameCount, int loopTimes);

/// The background picture and every frame picture the project-image export writes.
QStringList ProjectImageFiles(const ProjectImagesTarget &target, int frameCount);

/// Loop times from the answer typed into the loop box: its digits joined in order, read as a
/// number and clamped to 1..255; an answer without digits (or a cancelled box) gives 1.
int LoopTimesFromAnswer(const QString &answer);

} // namespace mrv
