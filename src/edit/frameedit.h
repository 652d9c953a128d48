#pragma once

#include "project/aimage.h"
#include "support/result.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <atomic>
#include <functional>
#include <vector>

namespace mrv {

class MVK;

/// What an edit works on beyond the project: the frames picked and where new pictures go.
struct FrameEditRequest
{
    /// 0-based positions of the frames the edit changes, ascending; the rest stay as they are.
    std::vector<int> frames;
    /// The folder of the project file that will be written: new pictures go into a new folder
    /// there, and paths inside the project folder are stored relative to it.
    QString framesFolder;
    /// Where the project's relative paths are relative to (its current folder); empty for a
    /// project never saved, whose paths are stored in full.
    QString projectFolder;
    /// Stops the edit when set; whatever it wrote is removed.
    const std::atomic_bool *cancel = nullptr;
    /// Hears how many of the picked frames are done, from any of the edit's threads; may be
    /// empty.
    std::function<void(int done, int total)> progress = nullptr;
};

/// Why an edit failed: a picture could not be read, something could not be written, or the
/// user stopped it. Every kind leaves the project and the pictures as they were.
enum class EditFailure
{
    None,
    Source,
    Write,
    Cancelled,
};

/// The new frame list of an edit, whole, and what it wrote.
struct FrameEdit
{
    std::vector<aImage> frames;
    /// The folder the edit's new pictures were written into; empty when it wrote none.
    QString writtenFolder;
    /// What the edit did, in a sentence for the user.
    QString notice;
};

struct FrameEditResult
{
    Result<FrameEdit> edit;
    EditFailure failure = EditFailure::None;
};

/// A failure of the given kind with its message.
FrameEditResult EditFailed(EditFailure failure, QString message);

/// The frames of the project as a list, in playing order.
std::vector<aImage> FrameListOf(const MVK &project);

/// A picture as an edit reads it: straight ARGB32 (colours of soft edges at full precision)
/// or RGB32 when it has no transparency; a null image with the reason in `problem` otherwise.
QImage ReadEditPicture(const QString &path, QString &problem);

/// A folder name beside the others that is not taken: "<folder>/<base>", else "<base>-2", -3 ...
/// An edit never writes into a folder it did not make.
QString UnusedFolder(const QString &folder, const QString &base);

} // namespace mrv
