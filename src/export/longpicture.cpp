#include "export/longpicture.h"

#include "export/canvas.h"
#include "export/cellcomposer.h"
#include "export/imageencoders.h"
#include "export/parallel.h"
#include "export/picturefile.h"
#include "export/sourcepictures.h"
#include "project/mvk.h"

#include <future>
#include <optional>

namespace mrv {

namespace {

QString pathAt(const QStringList &paths, int index)
{
    return index < paths.size() ? paths[index] : QString();
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
    const int cells = std::min(project.aFrame.Count(), StripCells);
    const QString background = includeBackground ? backgroundPath : QString();

    ExportPool pool;
    QStringList sourcePaths{background};
    for (int i = 0; i < cells; ++i)
        sourcePaths << pathAt(framePaths, i);
    SourcePictures sources(sourcePaths, *scale);
    sources.LoadShared(pool, cancel);

    QImage strip = CreateCanvas(CellSize, CellSize * StripCells);
    if (strip.isNull())
        return Result<QImage>::Fail(QStringLiteral("内存不足，无法创建长图画布"));

    // The background piece is made on this thread while the pool decodes the frames; a cell
    // waits for it only once its frame is ready.
    std::optional<CellComposer> composer;
    std::promise<void> pieceMade;
    const std::shared_future<void> pieceReady = pieceMade.get_future().share();
    auto makePiece = [&] {
        composer.emplace(sources, QSize(CellSize, CellSize), AreaLeft, AreaTop, background,
                         project.aBackground.value_or(aImage{}));
        pieceMade.set_value();
    };
    uchar *const bits = strip.bits();
    const qsizetype stride = strip.bytesPerLine();
    auto compose = [&](int index) {
        if (IsCancelled(cancel))
            return false;
        const SourcePicture frame = sources.Get(pathAt(framePaths, index));
        pieceReady.wait();
        // The cell is a view into the strip's own rows, so cells fill in parallel without copies.
        QImage cell(bits + stride * CellSize * index, CellSize, CellSize, stride,
                    QImage::Format_ARGB32_Premultiplied);
        composer->Compose(cell, frame, *project.aFrame.Item(index + 1));
        return true;
    };
    auto report = [&](int index, bool) {
        if (progress)
            progress(index + 1, cells);
        return true;
    };
    const bool complete = ForEachOrdered(pool, cells, compose, report, cancel, makePiece);
    if (unreadable)
        *unreadable = sources.Unreadable();
    if (!complete || IsCancelled(cancel))
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
    if (const Result<ScreenScale> scale = ReferenceScale(project); !scale) {
        result.refused = true;
        result.status = scale.status();
        return result;
    }
    const int cells = std::min(project.aFrame.Count(), StripCells);
    auto composeProgress = [&](int done, int) {
        if (progress)
            progress(done, cells + 1);
    };
    const Result<QImage> strip =
        ComposeLongPicture(project, backgroundPath, framePaths, options.includeBackground,
                           &result.unreadable, composeProgress, cancel);
    if (!strip) {
        result.status = strip.status();
        return result;
    }
    if (strip->isNull() || IsCancelled(cancel)) {
        result.cancelled = true;
        result.status = Status::Fail(CancelledMessage());
        return result;
    }
    result.status = SaveByExtension(*strip, options.target.path, options.target.extension);
    if (result.status)
        result.written << options.target.path;
    if (progress)
        progress(cells + 1, cells + 1);
    return result;
}

} // namespace mrv
