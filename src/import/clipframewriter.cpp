#include "import/clipframewriter.h"

#include "imaging/picturefile.h"
#include "imaging/pictureformats.h"
#include "import/boottiming.h"
#include "import/frameimport.h"
#include "support/bootgeometry.h"
#include "support/pathrules.h"
#include "support/tr.h"

#include <QDir>

namespace mrv {

namespace {

qint16 Clamped16(int value)
{
    return qint16(qBound(-32768, value, 32767));
}

} // namespace

ClipFrameWriter::ClipFrameWriter(const QString &source, const QString &framesFolder,
                                 const QString &projectFolder, const FitPlacement &placement)
    : m_framesFolder(framesFolder), m_projectFolder(projectFolder), m_placement(placement),
      // A folder of its own for every import: pictures an earlier import wrote may be the
      // frames of this project's undo history or of another project.
      m_folder(AnimationFramesFolder(framesFolder, source)), m_staged(m_folder)
{
}

Status ClipFrameWriter::Open()
{
    if (const Status made = EnsureFolder(m_framesFolder); !made)
        return made;
    return m_staged.Open();
}

Result<QString> ClipFrameWriter::Write(const QImage &frame)
{
    const QString path = QDir(m_folder).filePath(
        QStringLiteral("%1.png").arg(m_written + 1, 4, 10, QChar(u'0')));
    const Result<QByteArray> bytes =
        FormatInfo(PictureFormat::Png).encode(ApplyPlacement(frame, m_placement));
    const Status written = bytes ? m_staged.Shown(WritePictureFile(m_staged.StagedPath(path),
                                                                   *bytes, WriteMode::Direct))
                                 : bytes.status();
    if (!written)
        return Result<QString>::Fail(written.message());
    ++m_written;
    return path;
}

Status ClipFrameWriter::Remove(const QString &path)
{
    if (QFile::remove(m_staged.StagedPath(path)))
        return Status::Ok();
    return Status::Fail(
        Tr::tr("无法删除“%1”").arg(QDir::toNativeSeparators(path)));
}

aImage ClipFrameWriter::FrameFor(const QString &path) const
{
    return {PictureBoxText(m_projectFolder, QDir::toNativeSeparators(path)),
            Clamped16(m_placement.offset.x()), Clamped16(m_placement.offset.y())};
}

QString BootNotice(int sourceFrames, const BootSampling &sampling)
{
    return Tr::tr("已按开机时间导入 %1 帧（原片 %2 帧，第 61-%1 帧循环播放原片 %n 遍），%3",
                  nullptr, sampling.passes)
        .arg(BootFrames)
        .arg(sourceFrames)
        .arg(SpeedMessage(sampling.speed));
}

} // namespace mrv
