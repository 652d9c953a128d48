#include "export/framesequence.h"

#include "imaging/canvas.h"
#include "export/cellcomposer.h"
#include "export/exportgeometry.h"
#include "imaging/imageencoders.h"
#include "support/parallel.h"
#include "imaging/picturefile.h"
#include "export/sourcepictures.h"
#include "project/mvk.h"
#include "support/stagedfolder.h"
#include "support/tr.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace mrv {

namespace {

// Files written per task; large enough that scheduling costs nothing next to the writes.
constexpr int WriteBatch = 64;

struct BatchOutcome
{
    int written = 0;
    Status status;
};

} // namespace

ExportResult ExportFrameSequence(const MVK &project, const QString &backgroundPath,
                                 const QStringList &framePaths, const SequenceOptions &options,
                                 const ExportProgress &progress, const std::atomic_bool *cancel)
{
    ExportResult result;
    const std::optional<PictureFormat> format = FormatOfExtension(options.target.extension);
    if (!format) {
        result.status = Status::Fail(
            UnsupportedExtensionMessage(options.target.extension, options.target.FileName(1, 3)));
        return result;
    }
    const Result<SequenceArea> area = SequenceAreaOf(project);
    if (!area) {
        result.Refuse(area.status());
        return result;
    }
    const SequencePlan plan =
        SequencePlan::Make(project.aFrame.Count(), std::clamp(options.loopTimes, 1, 255));
    if (plan.total <= 0)
        return result;
    const int distinct = plan.DistinctFrames();
    const int steps = distinct + plan.total;

    ExportPool pool;
    const QString background = options.drawBackground ? backgroundPath : QString();
    QStringList sourcePaths{background};
    for (int k = 0; k < distinct; ++k)
        sourcePaths << FramePathAt(framePaths, k);
    SourcePictures sources(sourcePaths, ScreenScale{});
    sources.LoadShared(pool, cancel);

    const CellComposer composer(sources, area->cell, area->left, area->top, background,
                                project.aBackground.value_or(aImage{}));
    const PictureJob job{
        [&](int index) {
            QImage cell = CreateCanvas(area->cell.width(), area->cell.height());
            if (!cell.isNull())
                composer.Compose(cell, sources.Get(FramePathAt(framePaths, index)),
                                 *project.aFrame.Item(index + 1));
            return cell;
        },
        [&](const QImage &cell) { return EncodePicture(cell, *format); },
        [&](int index) { return options.target.FileName(index + 1, plan.numberWidth); }};
    int encoded = 0;
    const std::optional<std::vector<QByteArray>> pictures = EncodeInOrder(
        pool, distinct, job,
        [&] {
            if (progress)
                progress(++encoded, steps);
        },
        cancel, result);
    result.unreadable = sources.Unreadable();
    if (!pictures)
        return result;

    // The files are written into a staging folder and moved into place together, so a
    // failed or cancelled run leaves no set that mixes this run with an earlier one.
    const QFileInfo first(options.target.FileName(1, plan.numberWidth));
    if (!first.absoluteDir().exists()) {
        result.status = PictureWriteFailure(first.filePath(), Tr::tr("文件夹不存在"));
        return result;
    }
    StagedFolder staged(first.absolutePath());
    if (result.status = staged.Open(); !result.status)
        return result;

    // Writes go in batches. After a failure or a cancel the batches not yet begun write
    // nothing, but every batch is still collected so the list of written files is complete.
    std::atomic_bool stop = false;
    const int batches = (plan.total + WriteBatch - 1) / WriteBatch;
    auto writeBatch = [&](int batch) {
        BatchOutcome outcome;
        const int last = std::min(plan.total, (batch + 1) * WriteBatch);
        for (int n = batch * WriteBatch + 1; n <= last; ++n) {
            if (stop.load() || IsCancelled(cancel))
                break;
            outcome.status = staged.Shown(
                WritePictureFile(staged.StagedPath(options.target.FileName(n, plan.numberWidth)),
                                 (*pictures)[size_t(plan.FrameOf(n) - 1)], WriteMode::Direct));
            if (!outcome.status) {
                stop = true;
                break;
            }
            ++outcome.written;
        }
        return outcome;
    };
    int done = distinct;
    auto collect = [&](int, const BatchOutcome &outcome) {
        done += outcome.written;
        if (progress)
            progress(done, steps);
        if (!outcome.status && result.status)
            result.status = outcome.status;
        return true;
    };
    ForEachOrdered(pool, batches, writeBatch, collect, nullptr);
    if (result.status && IsCancelled(cancel) && done < steps)
        result.Cancel();
    if (result.status) {
        result.status = staged.Commit(cancel);
        result.moved = staged.Moved();
    }
    if (result.status)
        for (int n = 1; n <= plan.total; ++n)
            result.written << options.target.FileName(n, plan.numberWidth);
    return result;
}

} // namespace mrv
