#include "imaging/animationreader.h"

#include "imaging/animationprobe.h"
#include "imaging/apngdecoder.h"
#include "imaging/gifdecoder.h"
#include "imaging/pictureloader.h"
#include "imaging/webpdecoder.h"
#include "support/regularfile.h"
#include "support/tr.h"

#include <QFile>

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

} // namespace

bool IsAnimationFile(const QString &path)
{
    const std::optional<AnimationInfo> probe = ProbeAnimation(path);
    return probe && probe->frameCount > 1;
}

Result<AnimationInfo> ReadAnimationFrames(const QString &path, const AnimationFrameSink &sink)
{
    QFile file(path);
    if (const Status opened = OpenRegularFile(file); !opened)
        return Result<AnimationInfo>::Fail(opened.message());
    if (file.size() > MaxPictureFileBytes)
        return Result<AnimationInfo>::Fail(
            Tr::tr("文件太大（%1 MB），超过 %2 MB，不作为图片读取")
                .arg(file.size() / (1024 * 1024))
                .arg(MaxPictureFileBytes / (1024 * 1024)));
    const QByteArray bytes = file.readAll();
    file.close();
    switch (containerOf(bytes.left(16))) {
    case Container::Png:
        return DecodeApng(bytes, sink);
    // Qt's GIF and WebP readers dispose a frame to the background colour, or not at all,
    // where viewers clear it to transparent: the formats' own libraries compose instead.
    case Container::Gif:
        return DecodeGifAnimation(bytes, sink);
    case Container::WebP:
        return DecodeWebPAnimation(bytes, sink);
    case Container::Other:
        break;
    }
    const QImage still = LoadPicture(path);
    if (still.isNull()) {
        const QString problem = PictureProblem(path);
        return Result<AnimationInfo>::Fail(problem.isEmpty() ? Tr::tr("无法读取图片")
                                                             : problem);
    }
    sink(AnimationFrame{still.convertToFormat(QImage::Format_ARGB32), 0});
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
