// The video module's reader, linked directly, as the frame import drives it: open, the range's
// frame times, then the decoding of every frame at a small size. The reader's limits are
// small, so that the fuzzer spends its time on parsing rather than on huge pictures.
#include "imaging/videosource.h"
#include "import/frameimport.h"

#include "fuzzapp.h"

#include <QBuffer>
#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzApplication<QCoreApplication>();
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer device(&bytes);
    if (!device.open(QIODevice::ReadOnly))
        abort();
    // Far smaller than the import's limits: the fuzzer's memory stays well under its bound
    // however large the pictures a header claims.
    mrv::VideoLimits limits;
    limits.framePixels = 4'000'000;
    limits.decodedPixels = 50'000'000;
    limits.slackBytes = 1024 * 1024;
    const std::unique_ptr<mrv::VideoSource> reader(MIROVANE_VIDEO_FACTORY(&device, limits));
    if (!reader || !reader->Open(nullptr))
        return 0;
    const QSize picture = reader->Info().size;
    if (picture.isEmpty())
        abort();
    const auto times = reader->Times(0, 8000, mrv::MaxImportedFrames, nullptr);
    if (!times)
        return 0;
    for (size_t i = 1; i < times->timesMs.size(); ++i)
        if (times->timesMs[i] <= times->timesMs[i - 1])
            abort();
    const QSize small = picture.scaled(32, 32, Qt::KeepAspectRatio).expandedTo({1, 1});
    int frames = 0;
    const mrv::Status decoded = reader->Decode(
        0, 8000, small, [](qint64) { return true; },
        [&](const mrv::VideoFrame &frame) {
            if (frame.image.size() != small)
                abort();
            return ++frames <= 100000;
        },
        {}, nullptr);
    (void)decoded;
    return 0;
}
