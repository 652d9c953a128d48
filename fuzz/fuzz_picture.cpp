// Picture loading as the previews and exports do it: the fast PNG path, then Qt's readers;
// and the frame-by-frame reading of animated pictures that imports use.
#include "import/frameimport.h"
#include "imaging/animationprobe.h"
#include "imaging/animationreader.h"
#include "imaging/pictureloader.h"
#include "imaging/pngcodec.h"

#include "fuzzapp.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>

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
    // Animations are read as the import reads them: only what its bound on the work lets in,
    // and then every frame, so that damage after the first few frames is reached too.
    const std::optional<mrv::AnimationInfo> probe = mrv::ProbeAnimation(path);
    if (probe && !mrv::AnimationSizeProblem(path, *probe).isEmpty())
        return 0;
    int frames = 0;
    const auto read = mrv::ReadAnimationFrames(path, [&](const mrv::AnimationFrame &frame) {
        if (frame.image.isNull())
            abort();
        // The headers' count is all the import planned for.
        if (++frames > (probe ? std::max(1, probe->frameCount) : 1))
            abort();
        return true;
    });
    if (read.ok() && read->frameCount != frames)
        abort();
    return 0;
}
