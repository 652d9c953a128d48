#include "imaging/animationreader.h"

#include "imaging/apngdecoder.h"
#include "imaging/pictureloader.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace mrv {

namespace {

enum class Container { Png, Gif, WebP, Other };

Container containerOf(const QByteArray &head)
{
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return Container::Png;
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return Container::Gif;
    if (head.size() >= 12 && head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return Container::WebP;
    return Container::Other;
}

/// Plays of the whole animation from Qt's loop count: -1 loops forever, n repeats n times
/// after the first play, and a file without a loop count plays once.
int playsOf(const QImageReader &reader)
{
    const int loops = reader.loopCount();
    if (loops < 0)
        return 0;
    return loops + 1;
}

Result<AnimationInfo> readWithQt(QByteArray bytes, const char *format,
                                 const AnimationFrameSink &sink)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    if (!reader.canRead())
        return Result<AnimationInfo>::Fail(reader.errorString());
    AnimationInfo info{reader.size(), 0, 1};
    for (;;) {
        QImage image = reader.read();
        if (image.isNull()) {
            if (info.frameCount == 0)
                return Result<AnimationInfo>::Fail(reader.errorString());
            break;
        }
        if (image.format() != QImage::Format_ARGB32_Premultiplied)
            image.convertTo(QImage::Format_ARGB32_Premultiplied);
        ++info.frameCount;
        info.size = image.size();
        if (!sink(AnimationFrame{std::move(image), reader.nextImageDelay()}))
            break;
        if (!reader.canRead())
            break;
    }
    info.plays = info.frameCount > 1 ? playsOf(reader) : 1;
    return info;
}

} // namespace

bool IsAnimationFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    switch (containerOf(file.peek(16))) {
    case Container::Png:
        return IsAnimatedPng(file.readAll());
    case Container::Gif:
    case Container::WebP: {
        QImageReader reader(&file);
        return reader.supportsAnimation() && reader.imageCount() > 1;
    }
    case Container::Other:
        break;
    }
    return false;
}

Result<AnimationInfo> ReadAnimationFrames(const QString &path, const AnimationFrameSink &sink)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result<AnimationInfo>::Fail(file.errorString());
    const QByteArray bytes = file.readAll();
    file.close();
    switch (containerOf(bytes.left(16))) {
    case Container::Png:
        return DecodeApng(bytes, sink);
    case Container::Gif:
        return readWithQt(bytes, "gif", sink);
    case Container::WebP:
        return readWithQt(bytes, "webp", sink);
    case Container::Other:
        break;
    }
    const QImage still = LoadPicture(path);
    if (still.isNull()) {
        const QString problem = PictureProblem(path);
        return Result<AnimationInfo>::Fail(problem.isEmpty() ? QStringLiteral("无法读取图片")
                                                             : problem);
    }
    sink(AnimationFrame{still.convertToFormat(QImage::Format_ARGB32_Premultiplied), 0});
    return AnimationInfo{still.size(), 1, 1};
}

Result<DecodedAnimation> ReadAnimation(const QString &path)
{
    DecodedAnimation animation;
    const Result<AnimationInfo> info = ReadAnimationFrames(path, [&](const AnimationFrame &frame) {
        animation.frames << frame;
        return true;
    });
    if (!info)
        return Result<DecodedAnimation>::Fail(info.message());
    animation.plays = info->plays;
    return animation;
}

} // namespace mrv
