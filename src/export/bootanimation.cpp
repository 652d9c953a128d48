#include "export/bootanimation.h"

#include "export/bootparts.h"
#include "export/libzip.h"
#include "export/screencomposer.h"
#include "imaging/imageencoders.h"
#include "imaging/picturefile.h"
#include "imaging/pngcodec.h"
#include "support/atomicfile.h"
#include "support/frameduration.h"
#include "support/parallel.h"
#include "support/tr.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace mrv {

namespace {

/// Milliseconds per picture at a rate with a repeat count, off from the frame time by
/// |repeat * 1000 - frameTime * fps| / fps: the numerator.
qint64 TimingError(int frameTime, int fps, int repeat)
{
    return std::abs(qint64(repeat) * 1000 - qint64(frameTime) * fps);
}

int NearestRepeat(int frameTime, int fps)
{
    return int(std::max<qint64>(1, (qint64(frameTime) * fps + 500) / 1000));
}

QString PartEntry(int part, int n, bool jpeg)
{
    return QStringLiteral("part%1/%2.%3")
        .arg(part)
        .arg(n, 5, 10, QLatin1Char('0'))
        .arg(jpeg ? QStringLiteral("jpg") : QStringLiteral("png"));
}

/// A screen as the zip stores it: PNG compressed hard, since each is stored `repeat` times
/// and sent to a phone, or JPEG at the quality asked for.
Result<QByteArray> EncodeScreen(const QImage &screen, int jpegQuality)
{
    if (jpegQuality != BootAnimationPng)
        return EncodeJpg(screen, std::clamp(jpegQuality, 0, 100));
    QByteArray bytes = EncodePngSmall(screen);
    if (bytes.isEmpty())
        return Result<QByteArray>::Fail(Tr::tr("图片编码失败（PNG）"));
    return bytes;
}

Status ZipFailure(const QString &path, const QString &reason)
{
    return PictureWriteFailure(path, reason);
}

/// The archive being written; discarded unless closed.
class ZipWriter
{
public:
    explicit ZipWriter(const QString &path) : m_path(path), m_file(path)
    {
        const Result<const LibZip *> zip = LibZip::Get();
        if (!zip) {
            m_opened = ZipFailure(m_path, zip.message());
            return;
        }
        m_api = *zip;
        // libzip writes the archive under the unique temporary name, which replaces the
        // target only when the archive is complete.
        if (const Status opened = m_file.Open(); !opened) {
            m_opened = opened;
            return;
        }
        int code = 0;
        m_zip = m_api->open(QFile::encodeName(m_file.Device().fileName()).constData(),
                            ZIP_CREATE | ZIP_TRUNCATE, &code);
        if (!m_zip) {
            zip_error_t error;
            m_api->errorInitWithCode(&error, code);
            m_error = QString::fromLocal8Bit(m_api->errorStrerror(&error));
            m_api->errorFini(&error);
        }
    }
    ~ZipWriter()
    {
        if (m_zip)
            m_api->discard(m_zip);
    }
    ZipWriter(const ZipWriter &) = delete;
    ZipWriter &operator=(const ZipWriter &) = delete;

    Status Opened() const
    {
        if (!m_opened)
            return m_opened;
        return m_zip ? Status::Ok() : ZipFailure(m_path, m_error);
    }

    /// Adds a stored entry over bytes that must outlive the writer's Close.
    Status AddStored(const QString &name, const QByteArray &bytes)
    {
        zip_source_t *source =
            m_api->sourceBuffer(m_zip, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        if (!source)
            return Failure();
        const zip_int64_t index =
            m_api->fileAdd(m_zip, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            m_api->sourceFree(source);
            return Failure();
        }
        if (m_api->setFileCompression(m_zip, zip_uint64_t(index), ZIP_CM_STORE, 0) != 0)
            return Failure();
        return Status::Ok();
    }

    /// Writes the archive (to a temporary file that replaces the path when complete).
    /// The cancel flag is polled while it writes.
    Status Close(const std::atomic_bool *cancel)
    {
        if (cancel)
            m_api->registerCancelCallback(
                m_zip,
                [](zip_t *, void *flag) -> int {
                    return IsCancelled(static_cast<const std::atomic_bool *>(flag)) ? 1 : 0;
                },
                nullptr, const_cast<std::atomic_bool *>(cancel));
        if (m_api->close(m_zip) != 0)
            return Failure();
        m_zip = nullptr;
        return m_file.Commit();
    }

private:
    Status Failure() const
    {
        return ZipFailure(m_path, QString::fromLocal8Bit(m_api->strerror(m_zip)));
    }

    QString m_path;
    AtomicFile m_file;
    Status m_opened;
    const LibZip *m_api = nullptr;
    zip_t *m_zip = nullptr;
    QString m_error;
};

} // namespace

AndroidTiming AndroidTimingFor(int frameTime)
{
    const int time = FrameDuration::Written(frameTime);
    for (int fps = 1; fps <= MaxAndroidFps; ++fps)
        if (qint64(time) * fps % 1000 == 0)
            return {fps, NearestRepeat(time, fps)};
    // For each number of writes, the rate that comes nearest; the first within 1 % is taken.
    // Compared as error / fps, cross-multiplied to stay in whole numbers.
    const int mostRepeats = NearestRepeat(time, MaxAndroidFps);
    AndroidTiming nearest{1, NearestRepeat(time, 1)};
    for (int repeat = 1; repeat <= mostRepeats; ++repeat) {
        const qint64 exactFps = qint64(repeat) * 1000;
        const int fps = int(std::clamp<qint64>((exactFps + time / 2) / time, 1, MaxAndroidFps));
        // The rate rounded to the nearest may sit on the far side of the other neighbour.
        for (const int candidate : {fps, std::max(fps - 1, 1), std::min(fps + 1, MaxAndroidFps)}) {
            const AndroidTiming timing{candidate, repeat};
            if (TimingError(time, candidate, repeat) * nearest.fps <
                TimingError(time, nearest.fps, nearest.repeat) * candidate)
                nearest = timing;
        }
        if (!AndroidTimingIsOff(time, nearest))
            return nearest;
    }
    return nearest;
}

bool AndroidTimingIsOff(int frameTime, AndroidTiming timing)
{
    // |repeat / fps - time / 1000| > time / 1000 / 100, multiplied by fps * 1000 * 100.
    const int time = FrameDuration::Written(frameTime);
    return TimingError(time, timing.fps, timing.repeat) * 100 > qint64(time) * timing.fps;
}

QString AndroidFrameTimeWarning(int frameTime)
{
    const AndroidTiming timing = AndroidTimingFor(frameTime);
    if (!AndroidTimingIsOff(frameTime, timing))
        return {};
    const int time = FrameDuration::Written(frameTime);
    const double shown = 1000.0 * timing.repeat / timing.fps;
    return Tr::tr("Android 开机动画只能以每秒 1 到 %1 的整数帧播放：每帧将显示 %2 毫秒（%3 fps），"
                  "与要求的 %4 毫秒相差 %5%")
        .arg(MaxAndroidFps)
        .arg(shown, 0, 'f', 1)
        .arg(timing.fps)
        .arg(time)
        .arg(QStringLiteral("%1%2")
                 .arg(shown > time ? QStringLiteral("+") : QString())
                 .arg(100.0 * (shown - time) / time, 0, 'f', 1));
}

Result<QSize> ParseBootAnimationSize(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,9})\\s*[xX*]\\s*(\\d{1,9})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    const int width = match.hasMatch() ? match.captured(1).toInt() : 0;
    const int height = match.hasMatch() ? match.captured(2).toInt() : 0;
    if (width < 1 || height < 1 || width > MaxBootAnimationSide || height > MaxBootAnimationSide)
        return Result<QSize>::Fail(
            Tr::tr("屏幕大小“%1”无效：应写成 宽x高（如 1080x1920），每边 1 到 %2 像素")
                .arg(text)
                .arg(MaxBootAnimationSide));
    return QSize(width, height);
}

QString BootAnimationPathFor(const QString &chosenPath)
{
    if (QFileInfo(chosenPath).fileName().endsWith(QStringLiteral(".zip"), Qt::CaseInsensitive))
        return chosenPath;
    return chosenPath + QStringLiteral(".zip");
}

QStringList BootAnimationEntries(int frameCount, int repeat, bool jpeg)
{
    const BootParts parts = BootParts::Of(frameCount);
    QStringList entries{QStringLiteral("desc.txt")};
    const int times = std::max(repeat, 1);
    for (int n = 1; n <= parts.introCount * times; ++n)
        entries << PartEntry(0, n, jpeg);
    for (int n = 1; n <= std::max(parts.loopCount * times, 1); ++n)
        entries << PartEntry(1, n, jpeg);
    return entries;
}

QString BootAnimationDesc(QSize screen, int fps, bool withIntro)
{
    QString desc = QStringLiteral("%1 %2 %3\n").arg(screen.width()).arg(screen.height()).arg(fps);
    if (withIntro)
        desc += QStringLiteral("c 1 0 part0\n");
    desc += QStringLiteral("p 0 0 part1\n");
    return desc;
}

ExportResult ExportBootAnimation(const ExportSource &source, const BootAnimationOptions &options,
                                 const ExportProgress &progress, const std::atomic_bool *cancel)
{
    ExportResult result;
    // A target that may not be replaced, or no libzip to write it with, is refused before the
    // screens are composed.
    if (result.status = CheckReplaceable(options.path); !result.status)
        return result;
    if (const Result<const LibZip *> zip = LibZip::Get(); !zip) {
        result.status = ZipFailure(options.path, zip.message());
        return result;
    }
    const MVK &project = source.project;
    const AndroidTiming timing = AndroidTimingFor(options.frameTime);
    const BootParts parts = BootParts::Of(project.aFrame.Count());
    const DistinctFrames distinct = DistinctFrames::Of(project, source.framePaths);
    // A project without frames still shows its background: one picture, frame 0.
    const std::vector<int> firstFrame =
        distinct.Count() > 0 ? distinct.firstFrame : std::vector<int>{0};
    const int pictures = int(firstFrame.size());
    const QStringList entries = BootAnimationEntries(project.aFrame.Count(), timing.repeat,
                                                     options.jpegQuality != BootAnimationPng);
    const int steps = pictures + 1;
    int done = 0;

    const ScreenComposer composer(source, options.screen, true, ScreenFit::KeepShape);
    const PictureJob job{
        [&](int picture) { return composer.Compose(firstFrame[size_t(picture)]); },
        [&](const QImage &screen) { return EncodeScreen(screen, options.jpegQuality); },
        [&](int) { return options.path; }};
    ExportPool pool;
    const std::optional<std::vector<QByteArray>> encoded = EncodeInOrder(
        pool, pictures, job,
        [&] {
            if (progress)
                progress(++done, steps);
        },
        cancel, result);
    result.unreadable = composer.Unreadable();
    if (!encoded)
        return result;

    const QByteArray desc =
        BootAnimationDesc(options.screen, timing.fps, parts.introCount > 0).toUtf8();
    ZipWriter zip(options.path);
    if (const Status opened = zip.Opened(); !opened) {
        result.status = opened;
        return result;
    }
    // Entry k of the archive (after desc.txt) is play position k: each frame `repeat` times.
    Status added = zip.AddStored(entries.first(), desc);
    const int frames = project.aFrame.Count();
    for (qsizetype k = 1; added && k < entries.size(); ++k) {
        const int frameIndex = int((k - 1) / timing.repeat);
        const int picture = frames > 0 ? distinct.pictureOf[size_t(frameIndex)] : 0;
        added = zip.AddStored(entries[k], (*encoded)[size_t(picture)]);
    }
    if (!added) {
        result.status = added;
        return result;
    }
    if (IsCancelled(cancel)) {
        result.Cancel();
        return result;
    }
    if (const Status closed = zip.Close(cancel); !closed) {
        if (IsCancelled(cancel))
            result.Cancel();
        else
            result.status = closed;
        return result;
    }
    if (progress)
        progress(++done, steps);
    result.written << options.path;
    if (const QString warning = AndroidFrameTimeWarning(options.frameTime); !warning.isEmpty())
        result.warnings << warning;
    return result;
}

} // namespace mrv
