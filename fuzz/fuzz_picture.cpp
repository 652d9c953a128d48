// Picture loading as the previews and exports do it: the fast PNG path, then Qt's readers;
// and the frame-by-frame reading of animated pictures that imports use.
#include "imaging/animationreader.h"
#include "imaging/pictureloader.h"
#include "imaging/pngcodec.h"

#include "fuzzapp.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzApplication<QCoreApplication>();
    static QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const QImage fast = mrv::DecodePngFast(bytes);
    if (!fast.isNull()) {
        // What the fast reader decodes must survive the fast writer and come back the same.
        const QImage again = mrv::DecodePngFast(mrv::EncodePngFast(fast));
        if (again.size() != fast.size())
            abort();
    }
    const QString path = dir.filePath(QStringLiteral("in.img"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        abort();
    file.write(bytes);
    file.close();
    const QImage loaded = mrv::LoadPicture(path);
    if (!loaded.isNull() && loaded.width() * qint64(loaded.height()) > 64LL * 1024 * 1024)
        abort();
    int frames = 0;
    const auto read = mrv::ReadAnimationFrames(path, [&](const mrv::AnimationFrame &frame) {
        if (frame.image.isNull())
            abort();
        return ++frames < 64;
    });
    if (read.ok() && read->frameCount != frames)
        abort();
    return 0;
}
