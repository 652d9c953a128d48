#include "export/animationexport.h"

#include "export/bootparts.h"
#include "export/cellcomposer.h"
#include "export/exportgeometry.h"
#include "export/screencomposer.h"
#include "imaging/canvas.h"
#include "imaging/gifanimation.h"
#include "imaging/picturefile.h"
#include "support/atomicfile.h"
#include "imaging/pngcodec.h"
#include "project/mvk.h"
#include "support/parallel.h"
#include "support/stringutil.h"
#include "support/tr.h"

#include <QMultiHash>

#include <algorithm>

namespace mrv {

namespace {

/// The whole screens of the frames, composed once each in parallel, frame i + 1 at index i;
/// empty when stopped.
std::vector<QImage> composeScreens(const ExportSource &source, const AnimationOptions &options,
                                   ExportResult &result, const ExportProgress &progress, int steps,
                                   const std::atomic_bool *cancel)
{
    const int count = source.project.aFrame.Count();
    // The height is rounded to whole pixels; one scale for both axes keeps shapes exact.
    const ScreenComposer composer(source, AnimationScreenSize(source.project, options.screenWidth),
                                  options.includeBackground, ScreenFit::KeepShape);
    std::vector<QImage> screens(static_cast<size_t>(count));
    bool outOfMemory = false;
    ExportPool pool;
    const bool complete = ForEachOrdered(
        pool, count,
        [&](int index) { return IsCancelled(cancel) ? QImage() : composer.Compose(index + 1); },
        [&](int index, const QImage &screen) {
            if (screen.isNull()) {
                outOfMemory = !IsCancelled(cancel);
                return false;
            }
            screens[size_t(index)] = screen;
            if (progress)
                progress(index + 1, steps);
            return true;
        },
        cancel);
    result.unreadable = composer.Unreadable();
    if (outOfMemory)
        result.status = Status::Fail(Tr::tr("内存不足，无法创建画布"));
    else if (!complete)
        result.Cancel();
    return complete ? screens : std::vector<QImage>();
}

/// The frames' cells, composed once each, frame i + 1 at index i; empty when stopped.
std::vector<QImage> composeCells(const ExportSource &source, const AnimationOptions &options,
                                 ExportResult &result, const ExportProgress &progress, int steps,
                                 const std::atomic_bool *cancel)
{
    const int count = source.project.aFrame.Count();
    std::vector<QImage> cells(static_cast<size_t>(count));
    std::atomic_bool outOfMemory = false;
    CellTarget target;
    target.canvas = [](int) { return CreateCanvas(CellSize, CellSize); };
    // Each cell is its own picture, so the composing threads write to distinct entries; they
    // run this on their own threads.
    target.done = [&](int index, const QImage &cell) {
        if (cell.isNull()) {
            outOfMemory = true;
            return false;
        }
        cells[size_t(index)] = cell;
        return true;
    };
    const bool complete =
        ComposeCells(source.project, *ReferenceScale(source.project),
                     options.includeBackground ? source.backgroundPath : QString(),
                     source.framePaths, count, target, &result.unreadable, progress, steps, cancel);
    if (outOfMemory)
        result.status = Status::Fail(Tr::tr("内存不足，无法创建画布"));
    else if (!complete)
        result.Cancel();
    return complete ? cells : std::vector<QImage>();
}

/// Keeps each distinct picture once (frames that show the same picture at the same place look
/// alike) and returns the index of each frame's picture among them.
std::vector<int> distinctPictures(const std::vector<QImage> &pictures, QList<QImage> &distinct)
{
    std::vector<int> pictureOf;
    QMultiHash<size_t, int> byHash;
    for (const QImage &picture : pictures) {
        const size_t hash = qHashBits(picture.constBits(), size_t(picture.sizeInBytes()));
        int found = -1;
        for (auto it = byHash.constFind(hash); it != byHash.cend() && it.key() == hash; ++it)
            if (distinct[it.value()] == picture)
                found = it.value();
        if (found < 0) {
            found = int(distinct.size());
            distinct << picture;
            byHash.insert(hash, found);
        }
        pictureOf.push_back(found);
    }
    return pictureOf;
}

Result<FileBytes> encode(AnimationSequence sequence, const AnimationOptions &options,
                         const EncodeStep &step)
{
    switch (options.format) {
    case PictureFormat::WebP:
        return EncodeWebPAnimationParts(std::move(sequence), options.quality, step);
    case PictureFormat::Apng:
        return EncodeApngParts(std::move(sequence), step);
    default: {
        Result<QByteArray> gif = EncodeGifAnimation(std::move(sequence), step);
        if (!gif)
            return gif.status();
        return FileBytes(std::move(gif).value());
    }
    }
}

} // namespace

QString GifFrameTimeWarning(int frameMs)
{
    return Tr::tr("GIF 每帧至少 %1 毫秒（更短的帧会被浏览器放慢到约 100 毫秒），"
                  "已按每帧 %1 毫秒写入，而不是 %2 毫秒")
        .arg(MinGifFrameMs)
        .arg(frameMs);
}

Status CheckAnimationProject(const MVK &project)
{
    if (project.aFrame.Count() == 0)
        return Status::Fail(Tr::tr("工程中没有帧，无法导出动画图片"));
    return ReferenceScale(project).status();
}

std::vector<int> AnimationFrameOrder(int frameCount, int loops)
{
    const BootParts parts = BootParts::Of(frameCount);
    std::vector<int> order;
    for (int frame = 1; frame <= parts.introCount; ++frame)
        order.push_back(frame);
    for (int loop = 0; loop < loops; ++loop)
        for (int index = 0; index < parts.loopCount; ++index)
            order.push_back(parts.LoopFrame(index));
    return order;
}

QSize AnimationScreenSize(const MVK &project, int width)
{
    const int height =
        project.aWidth > 0 ? RoundHalfEven(double(width) * project.aHeight / project.aWidth) : 0;
    return QSize(width, std::max(height, 1));
}

ExportResult ExportAnimation(const ExportSource &source, const AnimationOptions &options,
                             const ExportProgress &progress, const std::atomic_bool *cancel)
{
    ExportResult result;
    if (const Status accepted = CheckAnimationProject(source.project); !accepted) {
        result.Refuse(accepted);
        return result;
    }
    // A target that may not be replaced is refused before anything is composed.
    if (result.status = CheckReplaceable(options.path); !result.status)
        return result;
    // Every frame's picture is held until the distinct ones are known: refuse a project whose
    // pictures could not all fit in memory instead of exhausting it.
    const int count = source.project.aFrame.Count();
    const QSize picture = options.area == AnimationArea::Screen
                              ? AnimationScreenSize(source.project, options.screenWidth)
                              : QSize(CellSize, CellSize);
    const qint64 composedBytes = qint64(count) * picture.width() * picture.height() * 4;
    if (composedBytes > MaxComposedAnimationBytes) {
        result.Refuse(
            Status::Fail(Tr::tr("动画图片要合成 %1 帧 %2 x %3 的画面（%4 MB），超过上限 %5 MB；"
                                "请减少帧数或宽度")
                             .arg(count)
                             .arg(picture.width())
                             .arg(picture.height())
                             .arg(composedBytes >> 20)
                             .arg(MaxComposedAnimationBytes >> 20)));
        return result;
    }
    // Composing takes one step per frame, encoding as many again.
    const int steps = 2 * count + 1;
    std::vector<QImage> pictures =
        options.area == AnimationArea::Screen
            ? composeScreens(source, options, result, progress, steps, cancel)
            : composeCells(source, options, result, progress, steps, cancel);
    if (pictures.empty())
        return result;

    AnimationSequence sequence;
    const std::vector<int> pictureOf = distinctPictures(pictures, sequence.pictures);
    pictures.clear();
    for (const int frame : AnimationFrameOrder(count, options.loops))
        sequence.order.push_back(pictureOf[size_t(frame - 1)]);
    sequence.frameMs = options.frameMs;
    sequence.repeat = options.repeat;
    const Result<FileBytes> bytes = encode(std::move(sequence), options, [&](int done, int total) {
        if (progress)
            progress(count + int(qint64(done) * count / std::max(total, 1)), steps);
        return !IsCancelled(cancel);
    });
    if (!bytes) {
        result.status = bytes.status();
        return result;
    }
    if (bytes->IsEmpty() || IsCancelled(cancel)) {
        result.Cancel();
        return result;
    }
    result.status =
        WritePictureFile(options.path, [&](QIODevice &file) { return bytes->WriteTo(file); });
    if (!result.status)
        return result;
    result.written << options.path;
    if (options.format == PictureFormat::Gif && options.frameMs < MinGifFrameMs)
        result.warnings << GifFrameTimeWarning(options.frameMs);
    if (progress)
        progress(steps, steps);
    return result;
}

} // namespace mrv
