#include "edit/alignframes.h"

#include "imaging/picturealign.h"
#include "import/framefit.h"
#include "project/mvk.h"
#include "support/parallel.h"
#include "support/tr.h"

#include <QDir>
#include <QHash>

#include <algorithm>
#include <cmath>

namespace mrv {

namespace {

qint16 Clamped16(int value)
{
    return qint16(std::clamp(value, -32768, 32767));
}

/// The pictures of the frames an edit looks at, each read once, on all cores. Frames without a
/// picture get a null one; an unreadable picture fails the edit.
struct FramePictures
{
    QHash<QString, QImage> byPath;
    QString problem;
    bool cancelled = false;
};

FramePictures ReadPictures(const QStringList &paths, const std::vector<int> &frames,
                           const std::atomic_bool *cancel)
{
    QStringList wanted;
    for (int frame : frames)
        if (const QString &path = paths.value(frame); !path.isEmpty() && !wanted.contains(path))
            wanted << path;
    FramePictures pictures;
    struct Read
    {
        QImage picture;
        QString problem;
    };
    ExportPool pool;
    const bool complete = ForEachOrdered(
        pool, int(wanted.size()),
        [&](int i) {
            Read read;
            if (!(cancel && cancel->load()))
                read.picture = ReadEditPicture(wanted[i], read.problem);
            return read;
        },
        [&](int i, const Read &read) {
            if (!read.problem.isEmpty()) {
                pictures.problem = Tr::tr("“%1”无法读取：%2")
                                       .arg(QDir::toNativeSeparators(wanted[i]), read.problem);
                return false;
            }
            pictures.byPath.insert(wanted[i], read.picture);
            return true;
        },
        cancel);
    pictures.cancelled = !complete && pictures.problem.isEmpty();
    return pictures;
}

FrameEditResult Failed(const FramePictures &pictures)
{
    if (pictures.cancelled)
        return EditFailed(EditFailure::Cancelled, Tr::tr("对齐已取消，未作任何更改"));
    return EditFailed(EditFailure::Source, pictures.problem);
}

} // namespace

FrameEditResult CentreFrames(const MVK &project, const FrameEditRequest &request)
{
    const QStringList paths = project.FramePaths();
    const FramePictures pictures = ReadPictures(paths, request.frames, request.cancel);
    if (!pictures.problem.isEmpty() || pictures.cancelled)
        return Failed(pictures);
    const QSizeF area = AreaInProject(QSize(project.aWidth, project.aHeight));
    FrameEdit edit;
    edit.frames = FrameListOf(project);
    int moved = 0;
    for (int frame : request.frames) {
        const QRect visible = VisibleBounds(pictures.byPath.value(paths.value(frame)));
        if (visible.isEmpty())
            continue;
        // The visible part's centre, x + (left + right + 1) / 2, on the area's centre.
        aImage &image = edit.frames[size_t(frame)];
        const double x = area.width() / 2 - (visible.left() + visible.right() + 1) / 2.0;
        const double y = area.height() / 2 - (visible.top() + visible.bottom() + 1) / 2.0;
        const qint16 nx = Clamped16(int(std::floor(x + 0.5)));
        const qint16 ny = Clamped16(int(std::floor(y + 0.5)));
        moved += nx != image.aX || ny != image.aY;
        image.aX = nx;
        image.aY = ny;
    }
    edit.notice = Tr::tr("已居中 %n 帧", nullptr, moved);
    return {std::move(edit), EditFailure::None};
}

FrameEditResult SteadyFrames(const MVK &project, int range, const FrameEditRequest &request)
{
    if (range < 1 || range > MaxSteadyRange)
        return EditFailed(EditFailure::Source,
                          Tr::tr("搜索范围须在 1 到 %1 像素之间").arg(MaxSteadyRange));
    const QStringList paths = project.FramePaths();
    std::vector<int> looked;
    for (int frame : request.frames) {
        if (frame > 0)
            looked.push_back(frame - 1);
        looked.push_back(frame);
    }
    const FramePictures pictures = ReadPictures(paths, looked, request.cancel);
    if (!pictures.problem.isEmpty() || pictures.cancelled)
        return Failed(pictures);
    FrameEdit edit;
    edit.frames = FrameListOf(project);
    int moved = 0;
    int done = 0;
    // In order: each frame matches the one before it as that one was just moved, so a run of
    // picked frames follows its first.
    for (int frame : request.frames) {
        if (request.cancel && request.cancel->load())
            return EditFailed(EditFailure::Cancelled, Tr::tr("对齐已取消，未作任何更改"));
        if (request.progress)
            request.progress(done++, int(request.frames.size()));
        if (frame == 0)
            continue;
        const QImage picture = pictures.byPath.value(paths.value(frame));
        const QImage before = pictures.byPath.value(paths.value(frame - 1));
        if (picture.isNull() || before.isNull())
            continue;
        aImage &image = edit.frames[size_t(frame)];
        const aImage &previous = edit.frames[size_t(frame - 1)];
        const QPoint shift = BestShift(picture, QPoint(image.aX, image.aY), before,
                                       QPoint(previous.aX, previous.aY), range);
        if (shift.isNull())
            continue;
        ++moved;
        image.aX = Clamped16(image.aX + shift.x());
        image.aY = Clamped16(image.aY + shift.y());
    }
    edit.notice = Tr::tr("已稳定 %n 帧", nullptr, moved);
    return {std::move(edit), EditFailure::None};
}

} // namespace mrv
