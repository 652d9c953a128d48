// Inputs that once made the program wait for ever or grow without bound: special files where
// pictures and projects belong, huge files and animations that ask for hours of work. Each runs the
// real command line with a time-out, so that a hang fails instead of blocking the suite.
#include "import/frameimport.h"
#include "imaging/pngchunks.h"
#include "project/mvk.h"

#include "cliprocess.h"
#include "exporttestdata.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace mrv {
namespace {

using namespace test;

// Far beyond what any case needs, even under a sanitizer on a busy machine; a hang never ends.
constexpr int TimeoutMs = 60000;

struct SpecialCase
{
    const char *what;
    QStringList args; ///< "{dir}" stands for the test's folder
    int code;
    QString named; ///< the file the message must name
};

TEST(HostileInputs, SpecialFilesAreNamedAndNeverWaitedFor)
{
    TempFolder dir;
    const QString fifo = dir.file(QStringLiteral("fifo.png"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const char *name : {"fifo.mrv", "fifo.gif"})
        ASSERT_EQ(mkfifo(QFile::encodeName(dir.file(QString::fromLatin1(name))).constData(), 0600),
                  0);
    // A folder of pictures in which the second is a link to a FIFO.
    WritePng(dir.file(QStringLiteral("pictures/1.png")), Flat(20, 20, Yellow));
    ASSERT_TRUE(QFile::link(fifo, dir.file(QStringLiteral("pictures/2.png"))));
    // A project whose frame picture is the FIFO.
    MVK withFifo;
    withFifo.aWidth = 1024;
    withFifo.aHeight = 768;
    withFifo.aFrame.Add(QStringLiteral("fifo.png"), 0, 0);
    ASSERT_TRUE(withFifo.SaveFile(dir.file(QStringLiteral("fifo-frame.mrv")), {}));
    const QString project = dir.file(QStringLiteral("p.mrv"));
    ASSERT_EQ(RunCliProcess({QStringLiteral("new"), project}).code, 0);
    const QByteArray before = ReadAll(project);

    const std::vector<SpecialCase> cases = {
        {"a FIFO as the project",
         {QStringLiteral("info"), QStringLiteral("{dir}/fifo.mrv")},
         2,
         QStringLiteral("fifo.mrv")},
        {"a device as the project",
         {QStringLiteral("info"), QStringLiteral("/dev/zero")},
         2,
         QStringLiteral("/dev/zero")},
        {"a FIFO as the animation to import",
         {QStringLiteral("import-frames"), project, QStringLiteral("{dir}/fifo.gif")},
         2,
         QStringLiteral("fifo.gif")},
        {"a FIFO among the pictures of a folder",
         {QStringLiteral("import-frames"), project, QStringLiteral("{dir}/pictures"),
          QStringLiteral("--output"), QStringLiteral("{dir}/q.mrv")},
         0,
         QStringLiteral("2.png")},
        {"a FIFO as a frame picture",
         {QStringLiteral("export-long"), QStringLiteral("{dir}/fifo-frame.mrv"),
          QStringLiteral("{dir}/strip.png")},
         0,
         QStringLiteral("fifo.png")},
    };
    for (const SpecialCase &c : cases) {
        QStringList args = c.args;
        args.replaceInStrings(QStringLiteral("{dir}"), dir.path());
        const ProcessRun run = RunCliProcess(args, TimeoutMs);
        EXPECT_EQ(run.code, c.code) << c.what << ": " << run.err;
        EXPECT_TRUE(run.err.contains(c.named)) << c.what << ": " << run.err;
    }
    EXPECT_EQ(ReadAll(project), before);
    // The readable picture of the folder was taken, the FIFO left out by name and reason.
    const ProcessRun info =
        RunCliProcess({QStringLiteral("info"), dir.file(QStringLiteral("q.mrv"))});
    EXPECT_TRUE(info.out.contains(QStringLiteral("Frames:     1"))) << info.out;
}

void Chunk(QByteArray &png, const char *type, const QByteArray &body)
{
    AppendPngChunk(png, type, QByteArrayView(body));
}

/// A GIF whose screen is 4096 x 4096 and whose 10,000 frames are 1 x 1 pixel each: 150 KB
/// that would have every frame composed and written at the full canvas size.
QByteArray ManyFramesOnAHugeGifCanvas()
{
    QByteArray gif("GIF89a\x00\x10\x00\x10\x80\x00\x00", 13);
    gif += QByteArray(6, '\0'); // two-colour global table
    for (int i = 0; i < MaxImportedFrames; ++i)
        gif += QByteArray("\x2c\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0", 15);
    return gif + ';';
}

/// A side x side APNG of 30 frames of 1 x 1 pixel.
QByteArray FewFramesOnAHugeApngCanvas(quint32 side)
{
    QByteArray png(reinterpret_cast<const char *>(PngSignature.data()), 8);
    Chunk(png, "IHDR", Be32(side) + Be32(side) + QByteArray("\x08\x06\0\0\0", 5));
    constexpr int Frames = 30;
    Chunk(png, "acTL", Be32(Frames) + Be32(0));
    const QByteArray pixel = qCompress(QByteArray("\0\xff\0\0\xff", 5)).mid(4);
    quint32 sequence = 0;
    for (int i = 0; i < Frames; ++i) {
        Chunk(png, "fcTL",
              Be32(sequence++) + Be32(1) + Be32(1) + Be32(0) + Be32(0) +
                  QByteArray("\0\x01\0\x0a\0\0", 6));
        if (i == 0)
            Chunk(png, "IDAT", pixel);
        else
            Chunk(png, "fdAT", Be32(sequence++) + pixel);
    }
    Chunk(png, "IEND", {});
    return png;
}

/// A 1.5 GB file (sparse: it takes no disk) that starts like a picture of the given type.
QString HugeFileStartingWith(const TempFolder &dir, const QString &name, const QByteArray &head)
{
    const QString path = dir.write(name, head);
    QFile file(path);
    EXPECT_TRUE(file.resize(1536LL * 1024 * 1024));
    return path;
}

TEST(HostileInputs, HugeFilesAndHeavyAnimationsAreRefusedInBoundedMemoryAndTime)
{
    TempFolder dir;
    const QString project = dir.file(QStringLiteral("p.mrv"));
    ASSERT_EQ(RunCliProcess({QStringLiteral("new"), project}).code, 0);
    const QByteArray before = ReadAll(project);
    const QByteArray pngHead = QByteArray(reinterpret_cast<const char *>(PngSignature.data()), 8) +
                               Be32(13) + "IHDR" + Be32(1) + Be32(1) + QByteArray(9, '\x08');
    const QString limit = QString::number(MaxImportedPixels);
    const struct
    {
        QString source;
        QString said; ///< what the message must say
    } cases[] = {
        {HugeFileStartingWith(dir, QStringLiteral("huge.png"), pngHead), QStringLiteral("512 MB")},
        {dir.write(QStringLiteral("many.gif"), ManyFramesOnAHugeGifCanvas()), limit},
        {dir.write(QStringLiteral("wide.png"), FewFramesOnAHugeApngCanvas(8192)), limit},
        // Pixels times frames would not fit in 64 bits.
        {dir.write(QStringLiteral("widest.png"), FewFramesOnAHugeApngCanvas(0xffffffff)), limit},
    };
    for (const auto &c : cases) {
        const MeasuredRun run =
            RunCliMeasured({QStringLiteral("import-frames"), project, c.source}, TimeoutMs);
        EXPECT_EQ(run.code, 2) << c.source << ": " << run.err;
        EXPECT_TRUE(run.err.contains(c.said)) << c.source << ": " << run.err;
        // Far less than the 1.5 GB file or one 256 MB canvas.
        EXPECT_LT(run.peakKb, 200 * 1024) << c.source;
        EXPECT_FALSE(QFileInfo::exists(AnimationFramesFolder(dir.path(), c.source))) << c.source;
        RecordProperty(QFileInfo(c.source).fileName().toStdString(), int(run.peakKb));
    }
    EXPECT_EQ(ReadAll(project), before);
}

} // namespace
} // namespace mrv
