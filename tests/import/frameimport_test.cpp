// The frame import: a folder's pictures in natural order, centred, stored by the relative-path
// rule; the command line over the real process.

#include "import/frameimport.h"
#include "project/mvk.h"

#include "exporttestdata.h"
#include "cliprocess.h"
#include "testsupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <algorithm>
#include <numeric>
#include <random>

#include <gtest/gtest.h>

namespace mrv {
namespace {

using namespace test;

QJsonArray FramesOf(const QString &project)
{
    const ProcessRun info =
        RunCliProcess({QStringLiteral("info"), project, QStringLiteral("--json")});
    EXPECT_EQ(info.code, 0) << info.err;
    return QJsonDocument::fromJson(info.out.toUtf8()).object()[QStringLiteral("frames")].toArray();
}

TEST(FrameImport, AFolderWrittenInShuffledOrderGivesRowKTheKthPicture)
{
    TempFolder folder;
    std::vector<int> order(105);
    std::iota(order.begin(), order.end(), 1);
    std::shuffle(order.begin(), order.end(), std::mt19937(12));
    for (int k : order)
        WritePng(folder.file(QStringLiteral("pics/f%1.png").arg(k)), Flat(4, 4, Red));
    // Not pictures, or not in this folder: left out without a word.
    folder.write(QStringLiteral("pics/notes.txt"), "x");
    WritePng(folder.file(QStringLiteral("pics/sub/f0.png")), Flat(4, 4, Red));

    const FrameImportResult result =
        ImportFrames(folder.file(QStringLiteral("pics")), {folder.path(), folder.path()});
    ASSERT_TRUE(result.import) << result.import.message();
    ASSERT_EQ(result.import->frames.size(), 105u);
    for (int k = 1; k <= 105; ++k)
        EXPECT_EQ(result.import->frames[size_t(k - 1)].aURL,
                  QStringLiteral("pics\\f%1.png").arg(k));
    EXPECT_TRUE(result.import->skipped.isEmpty());
    EXPECT_TRUE(result.import->writtenFolder.isEmpty());
}

TEST(FrameImport, PicturesAreCentredAndUnreadableOnesListed)
{
    TempFolder project;
    TempFolder outside;
    WritePng(outside.file(QStringLiteral("a1.png")), Flat(200, 200, Red));
    WritePng(outside.file(QStringLiteral("a2.PNG")), Flat(51, 33, Red));
    WritePng(outside.file(QStringLiteral("a3.png")), Flat(301, 250, Red));
    outside.write(QStringLiteral("a4.png"), "not a picture");
    const QString broken = outside.write(QStringLiteral("a5.jpg"), QByteArray("\xff\xd8\xff", 3));

    const FrameImportResult result = ImportFrames(outside.path(), {project.path(), {}});
    ASSERT_TRUE(result.import);
    const std::vector<aImage> &frames = result.import->frames;
    ASSERT_EQ(frames.size(), 3u);
    // Outside the project folder: full paths.
    EXPECT_EQ(frames[0],
              (aImage{QDir::toNativeSeparators(outside.file(QStringLiteral("a1.png"))), 0, 0}));
    EXPECT_EQ(frames[1].aX, 74); // (200 - 51) / 2 toward zero
    EXPECT_EQ(frames[1].aY, 83);
    EXPECT_EQ(frames[2].aX, -50); // (200 - 301) / 2 = -50.5 toward zero
    EXPECT_EQ(frames[2].aY, -25);
    ASSERT_EQ(result.import->skipped.size(), 2);
    EXPECT_EQ(result.import->skipped[0].path,
              QDir::toNativeSeparators(outside.file(QStringLiteral("a4.png"))));
    EXPECT_EQ(result.import->skipped[1].path, QDir::toNativeSeparators(broken));
    const QString message = SkippedPicturesMessage(result.import->skipped);
    EXPECT_TRUE(message.contains(result.import->skipped[0].path)) << message;
    EXPECT_TRUE(message.contains(result.import->skipped[1].path)) << message;
}

TEST(FrameImport, SourcesWithNothingToTakeOrTooMuchAreRefused)
{
    TempFolder folder;
    QDir().mkpath(folder.file(QStringLiteral("empty")));
    folder.write(QStringLiteral("junk/a.png"), "no picture");
    const QString text = folder.write(QStringLiteral("a.png"), "no picture");
    for (const QString &source :
         {folder.file(QStringLiteral("empty")), folder.file(QStringLiteral("junk")), text,
          folder.file(QStringLiteral("missing")), QString()}) {
        const FrameImportResult result = ImportFrames(source, {folder.path(), folder.path()});
        EXPECT_FALSE(result.import) << source;
        EXPECT_EQ(result.failure, ImportFailure::Source) << source;
        EXPECT_FALSE(result.import.message().isEmpty());
    }

    // One more than the limit: refused before any picture is read.
    QDir().mkpath(folder.file(QStringLiteral("many")));
    for (int i = 0; i <= MaxImportedFrames; ++i)
        QFile(folder.file(QStringLiteral("many/%1.png").arg(i))).open(QIODevice::WriteOnly);
    const FrameImportResult many = ImportFrames(folder.file(QStringLiteral("many")), {});
    EXPECT_FALSE(many.import);
    EXPECT_TRUE(many.import.message().contains(QStringLiteral("10000"))) << many.import.message();
}

TEST(FrameImport, WarningsNameWhatTheBootScreenShows)
{
    EXPECT_TRUE(FrameCountWarning(105).isEmpty());
    EXPECT_TRUE(FrameCountWarning(120).contains(QStringLiteral("第 106 帧")))
        << FrameCountWarning(120);
    EXPECT_TRUE(FrameCountWarning(12).contains(QStringLiteral("第 13 至 105 格")))
        << FrameCountWarning(12);
    EXPECT_EQ(CentredOffset({200, 200}), QPoint(0, 0));
    EXPECT_EQ(CentredOffset({1, 3}), QPoint(99, 98));
    EXPECT_EQ(CentredOffset({203, 401}), QPoint(-1, -100));
}

TEST(ImportFramesCli, AFolderReplacesTheFramesAndInfoShowsThemInOrder)
{
    TempFolder folder;
    MVK project = MakeProject(folder, 1024, 768, {QStringLiteral("old.png")});
    const QString path = SaveProject(project, folder);
    for (int k : {10, 2, 1})
        WritePng(folder.file(QStringLiteral("seq/img%1.png").arg(k)), Flat(100, 40, Green));
    folder.write(QStringLiteral("seq/img7.png"), "broken");
    folder.write(QStringLiteral("seq/notes.txt"), "mine");

    const QString out = folder.file(QStringLiteral("out.mrv"));
    const ProcessRun run =
        RunCliProcess({QStringLiteral("import-frames"), path, folder.file(QStringLiteral("seq")),
                       QStringLiteral("--output"), out});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.trimmed(), out);
    // A line names each file left out, the unreadable picture and the file of another type,
    // as the editor does; the count warning follows.
    const QStringList warnings = run.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(warnings.size(), 3) << run.err;
    for (const char *name : {"seq/img7.png", "seq/notes.txt"})
        EXPECT_TRUE(run.err.contains(QDir::toNativeSeparators(folder.file(QString::fromLatin1(name)))))
            << run.err;
    const QJsonArray frames = FramesOf(out);
    ASSERT_EQ(frames.size(), 3);
    int k = 0;
    for (const char *name : {"seq\\img1.png", "seq\\img2.png", "seq\\img10.png"}) {
        const QJsonObject frame = frames[k++].toObject();
        EXPECT_EQ(frame[QStringLiteral("url")].toString(), QString::fromLatin1(name));
        EXPECT_EQ(frame[QStringLiteral("x")].toInt(), 50);
        EXPECT_EQ(frame[QStringLiteral("y")].toInt(), 80);
    }
    // The project named on the command line is untouched.
    EXPECT_EQ(FramesOf(path).size(), 1);
}

TEST(ImportFramesCli, ExitCodesFollowTheOtherCommands)
{
    TempFolder folder;
    MVK project = MakeProject(folder, 1024, 768, {QStringLiteral("old.png")});
    const QString path = SaveProject(project, folder);
    const QByteArray before = ReadAll(path);
    QDir().mkpath(folder.file(QStringLiteral("none")));
    const QString text = folder.write(QStringLiteral("t.png"), "text");
    for (const QString &source :
         {folder.file(QStringLiteral("none")), text, folder.file(QStringLiteral("gone"))}) {
        const ProcessRun run = RunCliProcess({QStringLiteral("import-frames"), path, source});
        EXPECT_EQ(run.code, 2) << source << run.err;
        EXPECT_FALSE(run.err.isEmpty());
    }
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(RunCliProcess({QStringLiteral("import-frames"), path}).code, 1);

    WritePng(folder.file(QStringLiteral("p/a.png")), Flat(4, 4, Red));
    // The output lies under a file: nothing can be written.
    const ProcessRun blocked =
        RunCliProcess({QStringLiteral("import-frames"), path, folder.file(QStringLiteral("p")),
                       QStringLiteral("--output"), text + QStringLiteral("/x.mrv")});
    EXPECT_EQ(blocked.code, 3) << blocked.err;
}

} // namespace
} // namespace mrv
