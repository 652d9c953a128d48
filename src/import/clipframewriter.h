#pragma once

#include "import/framefit.h"
#include "project/aimage.h"
#include "support/result.h"
#include "support/stagedfolder.h"

#include <QImage>
#include <QString>

namespace mrv {

struct BootSampling;

/// Where a clip's frames go: numbered PNG files ("0001.png", ...) in a new "<name>_frames"
/// folder beside the project, written into a staging folder that appears whole at Commit or
/// not at all. The one writer of an animated picture's and a video's import.
class ClipFrameWriter
{
public:
    /// Frames of `source` placed in the area as `placement` says, stored by the relative-path
    /// rule of `projectFolder`, written under `framesFolder` (which must not be empty).
    ClipFrameWriter(const QString &source, const QString &framesFolder,
                    const QString &projectFolder, const FitPlacement &placement);

    /// Makes the frames folder's parent when missing and opens the staging folder.
    Status Open();
    /// Writes the next picture: the source frame at its own size, or at the placement's
    /// scaled size (a decoder scales it already), cut and encoded as the placement says.
    /// Gives the file's final path.
    Result<QString> Write(const QImage &frame);
    /// Takes back a written picture no frame shows.
    Status Remove(const QString &path);
    /// The project frame that shows a written picture.
    aImage FrameFor(const QString &path) const;
    /// Moves the written pictures into place.
    Status Commit() { return m_staged.Commit(); }
    /// The folder the pictures end up in.
    const QString &Folder() const { return m_folder; }
    int Written() const { return m_written; }

private:
    QString m_framesFolder;
    QString m_projectFolder;
    FitPlacement m_placement;
    QString m_folder;
    StagedFolder m_staged;
    int m_written = 0;
};

/// The notice of a clip retimed for the boot: frame count, source frames, passes and speed.
QString BootNotice(int sourceFrames, const BootSampling &sampling);

} // namespace mrv
