// Animated pictures become frames: every frame written as a PNG beside the project, equal
// pixel for pixel to what a browser shows. The test files are written here (GIF through
// giflib, WebP through libwebp's animation encoder, APNG chunk by chunk) and the expected
// frames composed by hand from the format's rules.

#include "import/frameimport.h"
#include "imaging/animationprobe.h"
#include "imaging/animationreader.h"
#include "imaging/pngchunks.h"

#include "cliprocess.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QImage>
#include <QStandardPaths>
#include <QtEndian>

#include <gif_lib.h>
#ifdef MIROVANE_TEST_WEBP
#include <webp/encode.h>
#include <webp/mux.h>
#endif

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include <algorithm>

namespace mrv {
namespace {

using test::Be16;
using test::Be32;
using test::ProcessRun;
using test::ReadAll;
using test::RunCliProcess;
using test::TempFolder;

constexpr int W = 20;
constexpr int H = 16;
constexpr int FrameCount = 12;

enum Disposal
{
    Unspecified = 0,
    Keep = 1,
    ToBackground = 2,
    ToPrevious = 3
};

// GIF palette; index 7 is the transparent one where a frame has transparency.
constexpr QRgb Palette[8] = {0xff000000, 0xffff0000, 0xff00ff00, 0xff0000ff,
                             0xffffff00, 0xffffffff, 0xffff00ff, 0xff00ffff};
constexpr int TransparentIndex = 7;
// Straight semi-transparent colours, which premultiplying loses (alpha 1 keeps nothing).
constexpr QRgb SoftPalette[8] = {0x01c86432, 0x10ff8040, 0x4020c0ff, 0x80ff0000,
                                 0xc000ff80, 0xfe123456, 0x7f7f7f7f, 0};

/// One frame of a test animation: where it is drawn, how it leaves the canvas, and the
/// palette index of each of its pixels.
struct TestFrame
{
    QRect rect;
    Disposal disposal;
    bool transparency;
    std::function<int(int x, int y)> index;
};

/// Twelve frames of every disposal mode, with and without transparent pixels, at varied
/// places; the first covers the whole canvas.
std::vector<TestFrame> TestFrames()
{
    std::vector<TestFrame> frames;
    for (int i = 0; i < FrameCount; ++i) {
        TestFrame f;
        f.rect = i == 0 ? QRect(0, 0, W, H) : QRect(i % 4 * 3, i % 3 * 2, 7 + i % 3, 6 + i % 2);
        f.disposal = Disposal(i % 4);
        f.transparency = i % 2 == 1;
        f.index = [i, t = f.transparency](int x, int y) {
            if (t && (x * y + i) % 3 == 0)
                return TransparentIndex;
            return (x + 2 * y + i) % 7;
        };
        frames.push_back(f);
    }
    return frames;
}

/// What a browser shows: a transparent canvas; each frame's opaque pixels drawn over it; then
/// its disposal (background clears its rectangle to transparent, previous restores the
/// canvas as it was before the frame).
std::vector<QImage> ComposeByHand(const std::vector<TestFrame> &frames,
                                  const QRgb (&palette)[8] = Palette)
{
    QImage canvas(W, H, QImage::Format_ARGB32);
    canvas.fill(0);
    std::vector<QImage> shown;
    for (const TestFrame &f : frames) {
        const QImage before = canvas.copy();
        for (int y = 0; y < f.rect.height(); ++y)
            for (int x = 0; x < f.rect.width(); ++x) {
                const int index = f.index(x, y);
                if (!(f.transparency && index == TransparentIndex))
                    canvas.setPixel(f.rect.x() + x, f.rect.y() + y, palette[index]);
            }
        shown.push_back(canvas.copy());
        if (f.disposal == ToBackground)
            for (int y = f.rect.top(); y <= f.rect.bottom(); ++y)
                for (int x = f.rect.left(); x <= f.rect.right(); ++x)
                    canvas.setPixel(x, y, 0);
        else if (f.disposal == ToPrevious)
            canvas = before;
    }
    return shown;
}

QString WriteGif(const QString &path, const std::vector<TestFrame> &frames)
{
    int error = 0;
    GifFileType *gif = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
    if (!gif)
        return {};
    GifColorType colours[8];
    for (int i = 0; i < 8; ++i)
        colours[i] = {GifByteType(qRed(Palette[i])), GifByteType(qGreen(Palette[i])),
                      GifByteType(qBlue(Palette[i]))};
    ColorMapObject *map = GifMakeMapObject(8, colours);
    EGifSetGifVersion(gif, true);
    // An opaque background colour: viewers still clear to transparent, not to this.
    EGifPutScreenDesc(gif, W, H, 8, 4, map);
    const unsigned char loop[] = {1, 0, 0};
    EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
    EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0");
    EGifPutExtensionBlock(gif, 3, loop);
    EGifPutExtensionTrailer(gif);
    for (const TestFrame &f : frames) {
        const unsigned char control[4] = {GifByteType(f.disposal << 2 | (f.transparency ? 1 : 0)),
                                          5, 0, GifByteType(f.transparency ? TransparentIndex : 0)};
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
        EGifPutImageDesc(gif, f.rect.x(), f.rect.y(), f.rect.width(), f.rect.height(), false,
                         nullptr);
        std::vector<GifPixelType> line(size_t(f.rect.width()));
        for (int y = 0; y < f.rect.height(); ++y) {
            for (int x = 0; x < f.rect.width(); ++x)
                line[size_t(x)] = GifPixelType(f.index(x, y));
            EGifPutLine(gif, line.data(), f.rect.width());
        }
    }
    GifFreeMapObject(map);
    EGifCloseFile(gif, &error);
    return path;
}

void Chunk(QByteArray &file, const char *type, const QByteArray &body)
{
    AppendPngChunk(file, type, QByteArrayView(body));
}

/// The frames as an APNG: RGBA rows, every frame blended over (its transparent pixels leave
/// the canvas), with the same disposals as the GIF (unspecified counts as none).
QString WriteApng(const QString &path, const std::vector<TestFrame> &frames,
                  const QRgb (&palette)[8] = Palette)
{
    QByteArray file(reinterpret_cast<const char *>(PngSignature.data()), 8);
    Chunk(file, "IHDR", Be32(W) + Be32(H) + QByteArray("\x08\x06\x00\x00\x00", 5));
    Chunk(file, "acTL", Be32(quint32(frames.size())) + Be32(0));
    quint32 sequence = 0;
    for (size_t i = 0; i < frames.size(); ++i) {
        const TestFrame &f = frames[i];
        const char dispose = f.disposal == ToBackground ? 1 : (f.disposal == ToPrevious ? 2 : 0);
        Chunk(file, "fcTL",
              Be32(sequence++) + Be32(f.rect.width()) + Be32(f.rect.height()) + Be32(f.rect.x()) +
                  Be32(f.rect.y()) + Be16(1) + Be16(10) + dispose + char(1));
        QByteArray raw;
        for (int y = 0; y < f.rect.height(); ++y) {
            raw.append('\0');
            for (int x = 0; x < f.rect.width(); ++x) {
                const int index = f.index(x, y);
                const QRgb p = f.transparency && index == TransparentIndex ? 0 : palette[index];
                raw.append(char(qRed(p)))
                    .append(char(qGreen(p)))
                    .append(char(qBlue(p)))
                    .append(char(qAlpha(p)));
            }
        }
        const QByteArray stream = qCompress(raw).mid(4);
        if (i == 0)
            Chunk(file, "IDAT", stream);
        else
            Chunk(file, "fdAT", Be32(sequence++) + stream);
    }
    Chunk(file, "IEND", {});
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size())
        return {};
    return path;
}

/// Imports the animation into a project folder and compares every written frame with the
/// expected one; fully transparent pixels match whatever their colour.
void ExpectFramesAsShown(const QString &animation, const std::vector<QImage> &expected,
                         const TempFolder &project)
{
    ASSERT_FALSE(animation.isEmpty());
    ASSERT_TRUE(IsAnimatedSource(animation));
    // What the headers tell before decoding is what decoding finds.
    const std::optional<AnimationInfo> probe = ProbeAnimation(animation);
    ASSERT_TRUE(probe);
    EXPECT_EQ(probe->size, QSize(W, H));
    EXPECT_EQ(probe->frameCount, int(expected.size()));
    const FrameImportResult result = ImportFrames(animation, {project.path(), project.path()});
    ASSERT_TRUE(result.import) << result.import.message();
    const QString base = QFileInfo(animation).completeBaseName() + QStringLiteral("_frames");
    EXPECT_EQ(result.import->writtenFolder, QDir(project.path()).filePath(base));
    ASSERT_EQ(result.import->frames.size(), expected.size());
    for (size_t k = 0; k < expected.size(); ++k) {
        const aImage &frame = result.import->frames[k];
        const QString name = QStringLiteral("%1.png").arg(k + 1, 4, 10, QChar(u'0'));
        EXPECT_EQ(frame.aURL, base + u'\\' + name);
        EXPECT_EQ(frame.aX, (200 - W) / 2);
        EXPECT_EQ(frame.aY, (200 - H) / 2);
        const QImage written = QImage(QDir(project.path()).filePath(base + u'/' + name))
                                   .convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(written.size(), QSize(W, H)) << name;
        int wrong = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const QRgb want = expected[k].pixel(x, y);
                const QRgb got = written.pixel(x, y);
                if (want != got && (qAlpha(want) != 0 || qAlpha(got) != 0) && wrong++ < 3)
                    ADD_FAILURE() << "frame " << k + 1 << " at " << x << "," << y << ": "
                                  << std::hex << got << " instead of " << want;
            }
        EXPECT_EQ(wrong, 0) << "frame " << k + 1;
    }
}

TEST(AnimationImport, GifFramesAreWhatABrowserShows)
{
    TempFolder folder;
    const std::vector<TestFrame> frames = TestFrames();
    ExpectFramesAsShown(WriteGif(folder.file(QStringLiteral("spin.gif")), frames),
                        ComposeByHand(frames), folder);
}

TEST(AnimationImport, ApngFramesAreWhatABrowserShows)
{
    TempFolder folder;
    const std::vector<TestFrame> frames = TestFrames();
    ExpectFramesAsShown(WriteApng(folder.file(QStringLiteral("spin.png")), frames),
                        ComposeByHand(frames), folder);
}

TEST(AnimationImport, SemiTransparentApngFramesAreWhatApngdisComposes)
{
    if (QStandardPaths::findExecutable(QStringLiteral("apngdis")).isEmpty())
        GTEST_SKIP() << "apngdis (Debian package apngdis) composes the expected frames";
    TempFolder folder;
    const QString apng =
        WriteApng(folder.file(QStringLiteral("soft.png")), TestFrames(), SoftPalette);
    QProcess dis;
    dis.setWorkingDirectory(folder.path());
    dis.start(QStringLiteral("apngdis"), {apng, QStringLiteral("shown")});
    ASSERT_TRUE(dis.waitForFinished(30000) && dis.exitCode() == 0);
    std::vector<QImage> shown;
    for (int k = 1; k <= FrameCount; ++k)
        shown.push_back(
            QImage(folder.file(QStringLiteral("shown%1.png").arg(k, 2, 10, QChar(u'0'))))
                .convertToFormat(QImage::Format_ARGB32));
    ExpectFramesAsShown(apng, shown, folder);
}

#ifdef MIROVANE_TEST_WEBP
// The WebP encoder takes whole canvases and works out each frame's rectangle, blending and
// disposal itself; a viewer must give the canvases back.
QString WriteWebP(const QString &path, const std::vector<QImage> &canvases)
{
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options))
        return {};
    WebPAnimEncoder *encoder = WebPAnimEncoderNew(W, H, &options);
    WebPConfig config;
    WebPConfigInit(&config);
    config.lossless = 1;
    int timestamp = 0;
    for (const QImage &canvas : canvases) {
        WebPPicture picture;
        WebPPictureInit(&picture);
        picture.use_argb = 1;
        picture.width = W;
        picture.height = H;
        WebPPictureAlloc(&picture);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                picture.argb[y * picture.argb_stride + x] = canvas.pixel(x, y);
        WebPAnimEncoderAdd(encoder, &picture, timestamp, &config);
        WebPPictureFree(&picture);
        timestamp += 50;
    }
    WebPAnimEncoderAdd(encoder, nullptr, timestamp, nullptr);
    WebPData data;
    WebPDataInit(&data);
    WebPAnimEncoderAssemble(encoder, &data);
    QFile out(path);
    const bool written = out.open(QIODevice::WriteOnly) &&
                         out.write(reinterpret_cast<const char *>(data.bytes), qint64(data.size)) ==
                             qint64(data.size);
    WebPDataClear(&data);
    WebPAnimEncoderDelete(encoder);
    return written ? path : QString();
}

TEST(AnimationImport, WebPFramesAreWhatABrowserShows)
{
    TempFolder folder;
    const std::vector<QImage> canvases = ComposeByHand(TestFrames());
    ExpectFramesAsShown(WriteWebP(folder.file(QStringLiteral("spin.webp")), canvases), canvases,
                        folder);
    // Lossless: semi-transparent canvases come back exactly as libwebp composes them.
    const std::vector<QImage> soft = ComposeByHand(TestFrames(), SoftPalette);
    ExpectFramesAsShown(WriteWebP(folder.file(QStringLiteral("soft.webp")), soft), soft, folder);
}

// libwebp's demuxer goes on after a frame's pictures, not after the frame's stated length:
// a frame whose length also covers the next one still decodes as two frames.
TEST(AnimationImport, AWebPFrameInsideAnothersLengthIsCountedBeforeDecoding)
{
    TempFolder folder;
    const QString path = WriteWebP(folder.file(QStringLiteral("nested.webp")),
                                   ComposeByHand(TestFrames()));
    ASSERT_FALSE(path.isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const qsizetype first = bytes.indexOf("ANMF");
    ASSERT_GT(first, 0);
    const quint32 firstLength = qFromLittleEndian<quint32>(bytes.constData() + first + 4);
    const qsizetype second = first + 8 + firstLength;
    ASSERT_EQ(bytes.mid(second, 4), "ANMF");
    const quint32 secondLength = qFromLittleEndian<quint32>(bytes.constData() + second + 4);
    qToLittleEndian<quint32>(firstLength + 8 + secondLength, bytes.data() + first + 4);
    ASSERT_TRUE(file.seek(0) && file.write(bytes) == bytes.size());
    file.close();

    int decoded = 0;
    const Result<AnimationInfo> read =
        ReadAnimationFrames(path, [&](const AnimationFrame &) { return ++decoded > 0; });
    ASSERT_TRUE(read) << read.message();
    ASSERT_GE(decoded, 2);
    const std::optional<AnimationInfo> probe = ProbeAnimation(path);
    ASSERT_TRUE(probe);
    EXPECT_GE(probe->frameCount, decoded);
}
#endif

TEST(AnimationImport, AnAnimationNeedsAFolderAndABrokenOneLeavesNothingBehind)
{
    TempFolder folder;
    const std::vector<TestFrame> frames = TestFrames();
    const QString gif = WriteGif(folder.file(QStringLiteral("a.gif")), frames);
    const FrameImportResult unsaved = ImportFrames(gif, {});
    EXPECT_FALSE(unsaved.import);

    // Cut off in the middle of its frames: no partial set of frame files stays.
    QByteArray bytes = test::ReadAll(gif);
    bytes.truncate(bytes.size() * 6 / 10);
    const QString cut = folder.write(QStringLiteral("cut.gif"), bytes);
    const FrameImportResult broken = ImportFrames(cut, {folder.path(), folder.path()});
    EXPECT_FALSE(broken.import);
    EXPECT_EQ(broken.failure, ImportFailure::Source);
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("cut_frames"))));
}

TEST(AnimationImport, AGifWithoutItsTrailerByteKeepsEveryFrame)
{
    TempFolder folder;
    const std::vector<TestFrame> frames = TestFrames();
    QByteArray bytes = test::ReadAll(WriteGif(folder.file(QStringLiteral("whole.gif")), frames));
    bytes.chop(1); // the trailer; one cut inside its frames stays refused (above)
    ExpectFramesAsShown(folder.write(QStringLiteral("untrailed.gif"), bytes), ComposeByHand(frames),
                        folder);
}

TEST(AnimationImport, AHostileCanvasSizeIsRefusedBeforeAnythingIsAllocated)
{
    TempFolder folder;
    // A 65535 x 65535 screen and one 1 x 1 frame: 16 GB of canvas if it were believed.
    QByteArray gif("GIF89a\xff\xff\xff\xff\x80\x00\x00", 13);
    gif += QByteArray(6, '\0');                             // two-colour global table
    gif += QByteArray("\x2c\0\0\0\0\x01\0\x01\0\0", 10); // image descriptor
    gif += QByteArray("\x02\x02\x44\x01\0\x3b", 6);          // LZW data, trailer
    int frames = 0;
    const Result<AnimationInfo> read =
        ReadAnimationFrames(folder.write(QStringLiteral("huge.gif"), gif), [&](const AnimationFrame &) {
            ++frames;
            return true;
        });
    EXPECT_FALSE(read);
    EXPECT_EQ(frames, 0);
}

TEST(ImportFramesCli, AGifsFramesGoBesideTheWrittenProject)
{
    TempFolder folder;
    const QString project = folder.file(QStringLiteral("p.mrv"));
    QDir().mkpath(folder.file(QStringLiteral("out")));
    const QString gif = WriteGif(folder.file(QStringLiteral("spin.gif")), TestFrames());
    const QString out = folder.file(QStringLiteral("out/q.mrv"));
    const auto run = [](const QStringList &args) {
        QProcess process;
        process.start(QStringLiteral(MIROVANE_CLI_PATH), args);
        process.waitForFinished(60000);
        return std::pair(process.exitCode(), process.readAllStandardOutput());
    };
    ASSERT_EQ(run({QStringLiteral("new"), project}).first, 0);
    ASSERT_EQ(
        run({QStringLiteral("import-frames"), project, gif, QStringLiteral("--output"), out,
             QStringLiteral("--timing"), QStringLiteral("frames")})
            .first,
        0);
    const auto [code, json] = run({QStringLiteral("info"), out, QStringLiteral("--json")});
    ASSERT_EQ(code, 0);
    const QJsonArray frames =
        QJsonDocument::fromJson(json).object()[QStringLiteral("frames")].toArray();
    ASSERT_EQ(frames.size(), FrameCount);
    for (int k = 0; k < FrameCount; ++k) {
        const QJsonObject frame = frames[k].toObject();
        EXPECT_EQ(frame[QStringLiteral("url")].toString(),
                  QStringLiteral("spin_frames\\%1.png").arg(k + 1, 4, 10, QChar(u'0')));
        EXPECT_EQ(frame[QStringLiteral("x")].toInt(), (200 - W) / 2);
        EXPECT_EQ(frame[QStringLiteral("y")].toInt(), (200 - H) / 2);
    }
    EXPECT_TRUE(QFileInfo::exists(folder.file(QStringLiteral("out/spin_frames/0012.png"))));
}

TEST(ImportFramesCli, AReimportNeverTouchesThePicturesOfAnEarlierOne)
{
    TempFolder folder;
    const QString project = folder.file(QStringLiteral("p.mrv"));
    const QString gif = WriteGif(folder.file(QStringLiteral("anim.gif")), TestFrames());
    const auto run = [](const QStringList &args) {
        QProcess process;
        process.start(QStringLiteral(MIROVANE_CLI_PATH), args);
        process.waitForFinished(60000);
        return process.exitCode();
    };
    ASSERT_EQ(run({QStringLiteral("new"), project}), 0);
    ASSERT_EQ(run({QStringLiteral("import-frames"), project, gif}), 0);
    const QString first = folder.file(QStringLiteral("anim_frames"));
    const QByteArray firstFrame = test::ReadAll(first + QStringLiteral("/0001.png"));
    const QByteArray projectBytes = test::ReadAll(project);
    ASSERT_FALSE(firstFrame.isEmpty());

    // The same name cut in half: refused, and the earlier frames stay.
    QByteArray cut = test::ReadAll(gif);
    cut.truncate(cut.size() / 2);
    folder.write(QStringLiteral("again/anim.gif"), cut);
    EXPECT_EQ(run({QStringLiteral("import-frames"), project,
                   folder.file(QStringLiteral("again/anim.gif"))}),
              2);
    EXPECT_EQ(QDir(first).entryList(QDir::Files).size(), FrameCount);
    EXPECT_EQ(test::ReadAll(project), projectBytes);

    // Another animation of the same name for another project: a folder of its own.
    std::vector<TestFrame> reversed = TestFrames();
    std::reverse(reversed.begin(), reversed.end());
    QDir().mkpath(folder.file(QStringLiteral("other")));
    const QString other = WriteGif(folder.file(QStringLiteral("other/anim.gif")), reversed);
    ASSERT_EQ(run({QStringLiteral("import-frames"), project, other, QStringLiteral("--output"),
                   folder.file(QStringLiteral("p2.mrv"))}),
              0);
    EXPECT_EQ(test::ReadAll(first + QStringLiteral("/0001.png")), firstFrame);
    EXPECT_TRUE(
        test::ReadAll(folder.file(QStringLiteral("p2.mrv"))).contains("anim_frames-2\\0001.png"));
}

TEST(ImportFramesCli, ACutApngIsRefusedAndChangesNothing)
{
    TempFolder folder;
    const QString project = folder.file(QStringLiteral("p.mrv"));
    ASSERT_EQ(RunCliProcess({QStringLiteral("new"), project}).code, 0);
    const QByteArray before = ReadAll(project);
    const QByteArray whole =
        ReadAll(WriteApng(folder.file(QStringLiteral("whole.png")), TestFrames()));
    ASSERT_FALSE(whole.isEmpty());
    // Cut in the middle of a chunk, and cut cleanly before the seventh frame.
    qsizetype seventh = -1;
    for (int i = 0; i < 7; ++i)
        seventh = whole.indexOf("fcTL", seventh + 1);
    for (const QByteArray &cut : {whole.left(whole.size() / 2), whole.left(seventh - 4)}) {
        const QString source = folder.write(QStringLiteral("cut.png"), cut);
        const ProcessRun run = RunCliProcess({QStringLiteral("import-frames"), project, source});
        EXPECT_EQ(run.code, 2) << run.err;
        EXPECT_TRUE(run.err.contains(QStringLiteral("cut.png"))) << run.err;
        EXPECT_EQ(ReadAll(project), before);
        EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("cut_frames"))));
    }
}

} // namespace
} // namespace mrv
