#include "export/projectimages.h"

#include "imaging/canvas.h"
#include "export/cellcomposer.h"
#include "imaging/imageencoders.h"
#include "support/parallel.h"
#include "imaging/picturefile.h"
#include "export/sourcepictures.h"
#include "project/mvk.h"
#include "support/stagedfolder.h"

#include <QFileInfo>

#include <QPainter>

namespace mrv {

ExportResult ExportProjectImages(const MVK &project, const QString &backgroundPath,
                                 const QStringList &framePaths, const ProjectImagesTarget &target,
                                 const ExportProgress &progress, const std::atomic_bool *cancel)
{
    ExportResult result;
    const std::optional<PictureFormat> format = FormatOfExtension(target.extension);
    if (!format) {
        result.status =
            Status::Fail(UnsupportedExtensionMessage(target.extension, target.backgroundPath));
        return result;
    }
    const Result<ScreenScale> scale = ReferenceScale(project);
    if (!scale) {
        result.Refuse(scale.status());
        return result;
    }
    // Written into a staging folder and moved into place together: a failed or cancelled
    // run leaves the earlier images as they were.
    StagedFolder staged(QFileInfo(target.backgroundPath).absolutePath());
    if (result.status = staged.Open(); !result.status)
        return result;
    if (result.status = staged.MakeFolder(target.frameFolder); !result.status)
        return result;
    QStringList written;

    const int frames = project.aFrame.Count();
    const int steps = frames + 1;
    ExportPool pool;
    // The background is drawn twice: on the screen picture and behind the frames.
    QStringList sourcePaths{backgroundPath, backgroundPath};
    for (int i = 0; i < frames; ++i)
        sourcePaths << FramePathAt(framePaths, i);
    SourcePictures sources(sourcePaths, *scale);
    sources.LoadShared(pool, cancel);
    if (IsCancelled(cancel)) {
        result.Cancel();
        return result;
    }

    const aImage background = project.aBackground.value_or(aImage{});
    QImage screen = CreateCanvas(ReferenceWidth, ReferenceHeight);
    {
        QPainter painter(&screen);
        sources.Draw(painter, sources.Get(backgroundPath), background.aX, background.aY);
    }
    const Result<QByteArray> screenBytes = EncodePicture(screen, *format);
    result.unreadable = sources.Unreadable();
    if (!screenBytes) {
        result.status =
            Status::Fail(NotWrittenMessage(screenBytes.message(), target.backgroundPath));
        return result;
    }
    if (result.status = staged.Shown(WritePictureFile(staged.StagedPath(target.backgroundPath),
                                                      *screenBytes, WriteMode::Direct));
        !result.status)
        return result;
    written << target.backgroundPath;
    if (progress)
        progress(1, steps);

    const CellComposer composer(sources, QSize(CellSize, CellSize), AreaLeft, AreaTop,
                                backgroundPath, background);
    auto encode = [&](int index) {
        if (IsCancelled(cancel))
            return EncodedPicture{{}, CancelledMessage()};
        QImage cell = CreateCanvas(CellSize, CellSize);
        composer.Compose(cell, sources.Get(FramePathAt(framePaths, index)),
                         *project.aFrame.Item(index + 1));
        return EncodedPicture::From(EncodePicture(cell, *format));
    };
    auto write = [&](int index, const EncodedPicture &encoded) {
        if (IsCancelled(cancel))
            return false;
        const QString path = target.FramePath(index + 1);
        if (!encoded.ok()) {
            result.status = Status::Fail(NotWrittenMessage(encoded.error, path));
            return false;
        }
        if (result.status = staged.Shown(
                WritePictureFile(staged.StagedPath(path), encoded.bytes, WriteMode::Direct));
            !result.status)
            return false;
        written << path;
        if (progress)
            progress(index + 2, steps);
        return true;
    };
    const bool complete = ForEachOrdered(pool, frames, encode, write, cancel);
    result.unreadable = sources.Unreadable();
    if (!complete && result.status)
        result.Cancel();
    if (result.status) {
        result.status = staged.Commit(cancel);
        result.moved = staged.Moved();
    }
    if (result.status)
        result.written = written;
    return result;
}

} // namespace mrv
