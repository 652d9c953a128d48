#include "export/longpicture.h"

#include "imaging/bmpfile.h"
#include "imaging/canvas.h"
#include "export/cellcomposer.h"
#include "imaging/imageencoders.h"
#include "support/parallel.h"
#include "imaging/picturefile.h"
#include "export/sourcepictures.h"
#include "project/mvk.h"
#include "support/tr.h"

#include <QMutex>

#include <optional>

namespace mrv {

namespace {

/// Writes the strip as a bitmap cell by cell, straight from the composing threads.
Status writeBmpStrip(const MVK &project, ScreenScale scale, const QString &backgroundPath,
                     const QStringList &framePaths, const QString &path, QStringList *unreadable,
                     const ExportProgress &progress, int steps, const std::atomic_bool *cancel,
                     bool *cancelled)
{
    BmpBlockWriter file(path, QSize(CellSize, CellSize * StripCells));
    if (Status opened = file.Open(); !opened)
        return opened;
    Status failure;
    QMutex failureLock;
    CellTarget target;
    // Each thread composes its cells on one canvas of its own, overwritten cell after cell.
    target.canvas = [](int) {
        thread_local QImage canvas = CreateCanvas(CellSize, CellSize);
        if (canvas.isNull())
            return QImage();
        // A view of the thread's canvas: drawing on it must not detach a copy.
        return QImage(canvas.bits(), CellSize, CellSize, canvas.bytesPerLine(),
                      QImage::Format_ARGB32_Premultiplied);
    };
    target.state = CellComposer::CellState::Used;
    target.done = [&](int index, const QImage &cell) {
        const Status written = cell.isNull() ? Status::Fail(Tr::tr("内存不足，无法创建画布"))
                                             : file.WriteRows(index * CellSize, cell);
        if (!written) {
            const QMutexLocker lock(&failureLock);
            failure = written;
        }
        return bool(written);
    };
    const bool complete = ComposeCells(project, scale, backgroundPath, framePaths,
                                       std::min(project.aFrame.Count(), StripCells), target,
                                       unreadable, progress, steps, cancel);
    if (!failure)
        return failure;
    if (!complete) {
        *cancelled = true;
        return Status::Fail(CancelledMessage());
    }
    return file.Commit();
}

} // namespace

Result<QImage> ComposeLongPicture(const MVK &project, const QString &backgroundPath,
                                  const QStringList &framePaths, bool includeBackground,
                                  QStringList *unreadable, const ExportProgress &progress,
                                  const std::atomic_bool *cancel)
{
    const Result<ScreenScale> scale = ReferenceScale(project);
    if (!scale)
        return scale.status();
    QImage strip = CreateCanvas(CellSize, CellSize * StripCells);
    if (strip.isNull())
        return Result<QImage>::Fail(Tr::tr("内存不足，无法创建长图画布"));
    uchar *const bits = strip.bits();
    const qsizetype stride = strip.bytesPerLine();
    CellTarget target;
    // Each cell is a view into the strip's own rows, so cells fill in parallel without copies.
    target.canvas = [&](int index) {
        return QImage(bits + stride * CellSize * index, CellSize, CellSize, stride,
                      QImage::Format_ARGB32_Premultiplied);
    };
    target.done = [](int, const QImage &) { return true; };
    const int cells = std::min(project.aFrame.Count(), StripCells);
    if (!ComposeCells(project, *scale, includeBackground ? backgroundPath : QString(), framePaths,
                      cells, target, unreadable, progress, cells, cancel))
        return QImage();
    return strip;
}

ExportResult ExportLongPicture(const MVK &project, const QString &backgroundPath,
                               const QStringList &framePaths, const LongPictureOptions &options,
                               const ExportProgress &progress, const std::atomic_bool *cancel)
{
    ExportResult result;
    const std::optional<PictureFormat> format = FormatOfExtension(options.target.extension);
    if (!format) {
        result.status = Status::Fail(
            UnsupportedExtensionMessage(options.target.extension, options.target.path));
        return result;
    }
    const Result<ScreenScale> scale = ReferenceScale(project);
    if (!scale) {
        result.Refuse(scale.status());
        return result;
    }
    const int steps = std::min(project.aFrame.Count(), StripCells) + 1;
    if (*format == PictureFormat::Bmp) {
        // The format boot tools take is written without a picture-sized buffer.
        result.status = writeBmpStrip(
            project, *scale, options.includeBackground ? backgroundPath : QString(), framePaths,
            options.target.path, &result.unreadable, progress, steps, cancel, &result.cancelled);
    } else {
        const Result<QImage> strip = ComposeLongPicture(
            project, backgroundPath, framePaths, options.includeBackground, &result.unreadable,
            [&](int done, int) {
                if (progress)
                    progress(done, steps);
            },
            cancel);
        if (!strip) {
            result.status = strip.status();
            return result;
        }
        if (strip->isNull() || IsCancelled(cancel)) {
            result.Cancel();
            return result;
        }
        result.status = SaveByExtension(*strip, options.target.path, options.target.extension);
    }
    if (result.status)
        result.written << options.target.path;
    if (progress && result.status)
        progress(steps, steps);
    return result;
}

} // namespace mrv
