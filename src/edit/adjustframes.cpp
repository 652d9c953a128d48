#include "edit/adjustframes.h"

#include "imaging/picturefile.h"
#include "imaging/pngcodec.h"
#include "project/mvk.h"
#include "support/parallel.h"
#include "support/pathrules.h"
#include "support/stagedfolder.h"
#include "support/tr.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace mrv {

namespace {

qint16 Clamped16(int value)
{
    return qint16(std::clamp(value, -32768, 32767));
}

/// One picture to make: its source and the first frame that shows it, which names the file.
struct Job
{
    QString source;
    int frame = 0;
};

struct Made
{
    QSize before;
    QSize after;
    QString problem;
    bool writeFailed = false;
};

QString FolderBase(const MVK &project)
{
    const QString name = QFileInfo(project.aFilePath).completeBaseName();
    return (name.isEmpty() ? QStringLiteral("frames") : name) + QStringLiteral("_adjusted");
}

} // namespace

QString FrameAdjustProblem(const FrameAdjust &adjust)
{
    const auto outside = [](double value, double low, double high) {
        return !(value >= low && value <= high); // NaN is outside too
    };
    if (outside(adjust.colour.hueDegrees, -MaxHueTurn, MaxHueTurn))
        return Tr::tr("色相须在 %1 到 %2 度之间").arg(-MaxHueTurn).arg(MaxHueTurn);
    if (outside(adjust.colour.saturation, 0, MaxModulatePercent))
        return Tr::tr("饱和度须在 0 到 %1% 之间").arg(MaxModulatePercent);
    if (outside(adjust.colour.brightness, 0, MaxModulatePercent))
        return Tr::tr("亮度须在 0 到 %1% 之间").arg(MaxModulatePercent);
    if (outside(adjust.scalePercent, MinScalePercent, MaxScalePercent))
        return Tr::tr("缩放须在 %1% 到 %2% 之间").arg(MinScalePercent).arg(MaxScalePercent);
    return {};
}

QImage AdjustedPicture(const QImage &picture, const FrameAdjust &adjust)
{
    return ScalePicture(AdjustColours(picture, adjust.colour), adjust.scalePercent);
}

QPoint CentreKeepingOffset(QPoint offset, QSize before, QSize after)
{
    return offset +
           QPoint((before.width() - after.width()) / 2, (before.height() - after.height()) / 2);
}

FrameEditResult AdjustFrames(const MVK &project, const FrameAdjust &adjust,
                             const FrameEditRequest &request)
{
    if (const QString problem = FrameAdjustProblem(adjust); !problem.isEmpty())
        return EditFailed(EditFailure::Source, problem);
    const QStringList paths = project.FramePaths();
    std::vector<Job> jobs;
    QHash<QString, int> jobOf; // resolved picture -> its job
    for (int frame : request.frames) {
        const QString &source = paths.value(frame);
        if (source.isEmpty() || jobOf.contains(source))
            continue;
        jobOf.insert(source, int(jobs.size()));
        jobs.push_back({source, frame});
    }
    FrameEdit edit;
    edit.frames = FrameListOf(project);
    if (jobs.empty() || adjust.IsIdentity()) {
        edit.notice = Tr::tr("没有需要调整的图片，未作任何更改");
        return {std::move(edit), EditFailure::None};
    }
    if (const Status made = EnsureFolder(request.framesFolder); !made)
        return EditFailed(EditFailure::Write, made.message());
    const QString target = UnusedFolder(request.framesFolder, FolderBase(project));
    StagedFolder staged(target);
    if (const Status opened = staged.Open(); !opened)
        return EditFailed(EditFailure::Write, opened.message());

    const auto fileOf = [&](const Job &job) {
        return QDir(target).filePath(
            QStringLiteral("%1.png").arg(job.frame + 1, 4, 10, QChar(u'0')));
    };
    // Each picture is read, made and written by whichever thread takes it: nothing is handed
    // from thread to thread, which on a busy machine costs more than the work.
    std::vector<Made> made(jobs.size());
    std::atomic_int done = 0;
    ExportPool pool;
    const bool complete = ForEachTogether(
        pool, int(jobs.size()),
        [&](int i) {
            if (request.cancel && request.cancel->load())
                return false;
            const Job &job = jobs[size_t(i)];
            Made &result = made[size_t(i)];
            const QImage picture = ReadEditPicture(job.source, result.problem);
            if (picture.isNull()) {
                result.problem = Tr::tr("“%1”无法读取：%2")
                                     .arg(QDir::toNativeSeparators(job.source), result.problem);
                return false;
            }
            const QImage adjusted = AdjustedPicture(picture, adjust);
            result.before = picture.size();
            result.after = adjusted.size();
            const Status written = WritePictureFile(staged.StagedPath(fileOf(job)),
                                                    EncodePngFast(adjusted), WriteMode::Direct);
            if (!written) {
                result.problem = written.message();
                result.writeFailed = true;
                return false;
            }
            if (request.progress)
                request.progress(++done, int(jobs.size()));
            return true;
        },
        [] {});
    if (request.cancel && request.cancel->load())
        return EditFailed(EditFailure::Cancelled, Tr::tr("调整已取消，未作任何更改"));
    if (!complete) {
        // The first failure in the order of the frames names what went wrong.
        const auto failed = std::find_if(made.begin(), made.end(),
                                         [](const Made &m) { return !m.problem.isEmpty(); });
        if (failed == made.end())
            return EditFailed(EditFailure::Cancelled, Tr::tr("调整已取消，未作任何更改"));
        return EditFailed(failed->writeFailed ? EditFailure::Write : EditFailure::Source,
                          failed->problem);
    }
    if (const Status committed = staged.Commit(); !committed)
        return EditFailed(EditFailure::Write, committed.message());

    for (int frame : request.frames) {
        const auto job = jobOf.constFind(paths.value(frame));
        if (job == jobOf.constEnd())
            continue;
        const Made &result = made[size_t(*job)];
        aImage &image = edit.frames[size_t(frame)];
        const QPoint at =
            CentreKeepingOffset(QPoint(image.aX, image.aY), result.before, result.after);
        image = {PictureBoxText(request.projectFolder,
                                QDir::toNativeSeparators(fileOf(jobs[size_t(*job)]))),
                 Clamped16(at.x()), Clamped16(at.y())};
    }
    edit.writtenFolder = target;
    edit.notice = Tr::tr("已调整 %n 张图片，新图片在“%1”", nullptr, int(jobs.size()))
                      .arg(QDir::toNativeSeparators(target));
    return {std::move(edit), EditFailure::None};
}

} // namespace mrv
