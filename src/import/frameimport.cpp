#include "import/frameimport.h"

#include "imaging/animationprobe.h"
#include "imaging/animationreader.h"
#include "imaging/picturefile.h"
#include "imaging/pictureformats.h"
#include "imaging/pictureloader.h"
#include "imaging/videosource.h"
#include "import/clipframewriter.h"
#include "import/openedclip.h"
#include "import/videoimport.h"
#include "support/bootgeometry.h"
#include "support/naturalorder.h"
#include "support/pathrules.h"
#include "support/stagedfolder.h"
#include "support/regularfile.h"
#include "support/tr.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>

namespace mrv {

namespace {

// What a picture file gives the import: its size, or why it cannot be read.
struct PictureHead
{
    QSize size;
    QString problem;
};

PictureHead ReadHead(const QString &path)
{
    if (QString problem = PictureProblem(path); !problem.isEmpty())
        return {{}, std::move(problem)};
    QFile file(path);
    if (const Status opened = OpenRegularFile(file); !opened)
        return {{}, opened.message()};
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    QSize size = reader.size();
    // Not every reader knows the size before decoding.
    if (!size.isValid())
        size = LoadPicture(path).size();
    if (size.isEmpty())
        return {{}, Tr::tr("图片内容无法解码")};
    return {size, {}};
}

QString TooManyMessage(const QString &source, qsizetype count)
{
    return Tr::tr("“%1”有 %2 张图片，一次最多导入 %3 张，未作任何更改")
        .arg(QDir::toNativeSeparators(source))
        .arg(count)
        .arg(MaxImportedFrames);
}

FrameImportResult SourceFailure(QString message)
{
    return {Result<FrameImport>::Fail(std::move(message)), ImportFailure::Source};
}

FrameImportResult ImportFolder(const QString &folder, const FrameImportOptions &options)
{
    const QStringList pictures = FolderPictures(folder);
    if (pictures.size() > MaxImportedFrames)
        return SourceFailure(TooManyMessage(folder, pictures.size()));
    FrameImport import = FramesForPictures(pictures, options.projectFolder, options.projectSize);
    if (import.frames.empty())
        return SourceFailure(
            Tr::tr("文件夹“%1”中没有可以读取的图片").arg(QDir::toNativeSeparators(folder)));
    return {std::move(import), ImportFailure::None};
}

FrameImportResult ImportStill(const QString &file, const FrameImportOptions &options)
{
    FrameImport import = FramesForPictures({file}, options.projectFolder, options.projectSize);
    if (import.frames.empty())
        return SourceFailure(
            Tr::tr("“%1”不是可以读取的图片：%2")
                .arg(QDir::toNativeSeparators(file), import.skipped.first().reason));
    return {std::move(import), ImportFailure::None};
}

/// Replaces the frames with the boot's 105 sampled by time, and removes the written pictures
/// none of them shows.
/// A loop start the clip cannot take is a problem of the source, named in `refused`.
Status RetimeForBoot(FrameImport &import, const QStringList &written,
                     const std::vector<int> &delays, ClipFrameWriter &writer,
                     const FrameImportOptions &options, QString &refused)
{
    const BootSampling sampling = SampleForBoot(delays, options.frameTimeMs, options.loopStartMs);
    if (sampling.sourceFrames.empty()) {
        if (options.loopStartMs > 0)
            refused = Tr::tr("循环起点 %1 秒不在原片的循环可以开始的范围内：它须在原片长度以内，"
                             "且第 1-60 帧能播放到它")
                          .arg(options.loopStartMs / 1000.0);
        return Status::Ok();
    }
    std::vector<aImage> frames;
    std::vector<bool> shown(written.size(), false);
    for (int source : sampling.sourceFrames) {
        frames.push_back(import.frames[size_t(source)]);
        shown[size_t(source)] = true;
    }
    for (qsizetype i = 0; i < written.size(); ++i)
        if (!shown[size_t(i)])
            if (const Status removed = writer.Remove(written[i]); !removed)
                return removed;
    import.notice = BootNotice(int(written.size()), sampling);
    import.frames = std::move(frames);
    return Status::Ok();
}

qint16 Clamped16(int value)
{
    return qint16(qBound(-32768, value, 32767));
}

FrameImportResult ImportAnimation(const QString &file, QSize canvas,
                                  const FrameImportOptions &options)
{
    const QString native = QDir::toNativeSeparators(file);
    const FrameFit fit = options.fit.value_or(DefaultFit(canvas, options.projectSize));
    const FrameTiming timing = options.timing.value_or(FrameTiming::Boot);
    if (options.framesFolder.isEmpty())
        return SourceFailure(Tr::tr("动画“%1”的帧要保存在工程文件旁边，请先保存工程").arg(native));
    ClipFrameWriter writer(file, options.framesFolder, options.projectFolder,
                           PlaceInArea(canvas, options.projectSize, fit));
    if (const Status opened = writer.Open(); !opened)
        return {Result<FrameImport>::Fail(opened.message()), ImportFailure::Write};
    FrameImport import;
    import.writtenFolder = writer.Folder();
    QStringList written;
    std::vector<int> delays;
    Status failure;
    bool tooMany = false;
    bool cancelled = false;
    const auto sink = [&](const AnimationFrame &frame) {
        if (options.cancel && options.cancel->load()) {
            cancelled = true;
            return false;
        }
        if (written.size() == MaxImportedFrames) {
            tooMany = true;
            return false;
        }
        const Result<QString> path = writer.Write(frame.image);
        failure = path.status();
        if (!failure)
            return false;
        written.append(*path);
        delays.push_back(ShownDelayMs(frame.delayMs));
        import.frames.push_back(writer.FrameFor(*path));
        return true;
    };
    const Result<AnimationInfo> read = ReadAnimationFrames(file, sink);
    if (cancelled)
        return {Result<FrameImport>::Fail(Tr::tr("导入已取消，未作任何更改")),
                ImportFailure::Write};
    QString refused;
    if (failure && read && !tooMany && timing == FrameTiming::Boot)
        failure = RetimeForBoot(import, written, delays, writer, options, refused);
    if (!refused.isEmpty())
        return SourceFailure(Tr::tr("“%1”：%2").arg(native, refused));
    if (failure && read && !tooMany)
        failure = writer.Commit();
    if (tooMany || !failure || !read) {
        // A refused or broken animation leaves no half set of frames behind: the staging
        // folder goes with everything in it.
        if (tooMany)
            return SourceFailure(
                Tr::tr("动画“%1”超过 %2 帧，未作任何更改").arg(native).arg(MaxImportedFrames));
        if (!failure)
            return {Result<FrameImport>::Fail(failure.message()), ImportFailure::Write};
        return SourceFailure(Tr::tr("“%1”无法读取：%2").arg(native, read.message()));
    }
    return {std::move(import), ImportFailure::None};
}

} // namespace

QString AnimationSizeProblem(const QString &file, const AnimationInfo &info)
{
    const QString native = QDir::toNativeSeparators(file);
    if (info.frameCount > MaxImportedFrames)
        return Tr::tr("动画“%1”有 %2 帧，超过 %3 帧，未作任何更改")
            .arg(native)
            .arg(info.frameCount)
            .arg(MaxImportedFrames);
    // Divided, not multiplied: a header may claim 2^31 x 2^31 pixels.
    if (qint64(info.size.width()) * info.size.height()
        > MaxImportedPixels / std::max(1, info.frameCount))
        return Tr::tr("动画“%1”是 %2 × %3 像素的 %4 帧，超过一次导入的上限"
                      "（画布宽 × 高 × 帧数不超过 %5 像素），未作任何更改")
            .arg(native)
            .arg(info.size.width())
            .arg(info.size.height())
            .arg(info.frameCount)
            .arg(MaxImportedPixels);
    return {};
}

QString NotAPictureReason()
{
    return Tr::tr("不是可以导入的图片类型");
}

bool HasImportPictureExtension(const QString &path)
{
    return IsFramePictureName(path);
}

QList<SkippedPicture> NonPictureFiles(const QString &folder)
{
    const QDir dir(folder);
    QStringList names;
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot))
        if (!HasImportPictureExtension(name))
            names.append(name);
    NaturalSort(names);
    QList<SkippedPicture> skipped;
    for (const QString &name : names)
        skipped.append({QDir::toNativeSeparators(dir.filePath(name)), NotAPictureReason()});
    return skipped;
}

QStringList FolderPictures(const QString &folder)
{
    const QDir dir(folder);
    QStringList names;
    // FIFOs and devices with a picture's name are listed too, so that the import names them
    // among the files it skips.
    for (const QString &name :
         dir.entryList(QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot))
        if (HasImportPictureExtension(name))
            names.append(name);
    NaturalSort(names);
    QStringList paths;
    paths.reserve(names.size());
    for (const QString &name : names)
        paths.append(dir.filePath(name));
    return paths;
}

QPoint CentredOffset(QSize picture)
{
    // Integer division rounds toward zero, for pictures larger than the area as well.
    return {(AreaSize - picture.width()) / 2, (AreaSize - picture.height()) / 2};
}

FrameImport FramesForPictures(const QStringList &files, const QString &projectFolder,
                              QSize projectSize)
{
    const QList<PictureHead> heads = QtConcurrent::blockingMapped(files, ReadHead);
    FrameImport import;
    import.frames.reserve(size_t(files.size()));
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString native = QDir::toNativeSeparators(files[i]);
        if (!heads[i].problem.isEmpty()) {
            import.skipped.append({native, heads[i].problem});
            continue;
        }
        const QPoint offset = PlaceInArea(heads[i].size, projectSize, FrameFit::None).offset;
        import.frames.push_back({PictureBoxText(projectFolder, native), Clamped16(offset.x()),
                                 Clamped16(offset.y())});
    }
    return import;
}

FrameImportResult ImportFrames(const QString &source, const FrameImportOptions &options)
{
    const QFileInfo info(source);
    if (source.isEmpty() || !info.exists())
        return SourceFailure(Tr::tr("找不到“%1”").arg(QDir::toNativeSeparators(source)));
    const std::optional<ClipKind> kind = ClipKindOf(source);
    if (kind == ClipKind::Animation) {
        const auto probe = ProbeAnimation(source);
        if (!probe)
            return SourceFailure(Tr::tr("找不到“%1”").arg(QDir::toNativeSeparators(source)));
        if (QString problem = AnimationSizeProblem(source, *probe); !problem.isEmpty())
            return SourceFailure(std::move(problem));
        if (options.startMs != 0 || options.endMs)
            return SourceFailure(Tr::tr("“%1”是动画图片：开始和结束时间只用于视频")
                                     .arg(QDir::toNativeSeparators(source)));
        return ImportAnimation(source, probe->size, options);
    }
    if (kind == ClipKind::Video) {
        const Result<std::shared_ptr<OpenedClip>> clip =
            OpenedClip::Open(source, *kind, options.cancel);
        if (!clip && clip.message() == VideoCancelledMessage())
            return {Result<FrameImport>::Fail(clip.message()), ImportFailure::Write};
        if (!clip)
            return SourceFailure(clip.message());
        return ImportVideo(**clip, options);
    }
    if (options.fit.value_or(FrameFit::None) != FrameFit::None ||
        options.timing.value_or(FrameTiming::Frames) != FrameTiming::Frames)
        return SourceFailure(Tr::tr("“%1”不是动画图片：缩放和按开机时间只用于动画图片")
                                 .arg(QDir::toNativeSeparators(source)));
    if (info.isDir())
        return ImportFolder(source, options);
    return ImportStill(source, options);
}

bool IsAnimatedSource(const QString &source)
{
    return ClipKindOf(source) == ClipKind::Animation;
}

FrameImportResult ImportClip(const OpenedClip &clip, const FrameImportOptions &options)
{
    if (clip.Source().kind == ClipKind::Video)
        return ImportVideo(clip, options);
    return ImportAnimation(clip.Source().path, clip.Source().size, options);
}

QString AnimationFramesFolder(const QString &framesFolder, const QString &animation)
{
    const QDir folder(framesFolder);
    const QString base = QFileInfo(animation).completeBaseName() + QStringLiteral("_frames");
    QString name = base;
    for (int n = 2;
         QFileInfo::exists(folder.filePath(name)) || QFileInfo(folder.filePath(name)).isSymLink();
         ++n)
        name = QStringLiteral("%1-%2").arg(base).arg(n);
    return folder.filePath(name);
}

QString FrameCountWarning(int count)
{
    if (count == BootFrames)
        return {};
    if (count > BootFrames)
        return Tr::tr("工程现在有 %1 帧。Windows 启动动画只显示 %2 帧：第 %3 帧及以后的帧"
                      "不会进入动画长图。")
            .arg(count)
            .arg(BootFrames)
            .arg(BootFrames + 1);
    return Tr::tr("工程现在有 %n 帧。Windows 启动动画显示 %1 帧：动画长图的第 %2 至 %1 格"
                  "将是空白。",
                  nullptr, count)
        .arg(BootFrames)
        .arg(count + 1);
}

QString SkippedPicturesMessage(const QList<SkippedPicture> &skipped)
{
    if (skipped.isEmpty())
        return {};
    constexpr qsizetype Listed = 15;
    QString text = Tr::tr("以下 %n 个文件无法读取，已跳过：", nullptr, int(skipped.size()));
    for (qsizetype i = 0; i < skipped.size() && i < Listed; ++i)
        text += u'\n' + Tr::tr("%1（%2）").arg(skipped[i].path, skipped[i].reason);
    if (skipped.size() > Listed)
        text += u'\n' + Tr::tr("……以及另外 %n 个文件", nullptr, int(skipped.size() - Listed));
    return text;
}

} // namespace mrv
