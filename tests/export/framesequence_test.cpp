#include "export/framesequence.h"

#include "exporttestdata.h"
#include "testsupport.h"

#include <QDir>

#include <gtest/gtest.h>

namespace mrv {
namespace {

using namespace test;

/// A project whose frame i is a 1 x 1 picture of its own shade, so that every picture of the
/// sequence tells which frame it shows.
struct ShadedProject
{
    TempFolder folder;
    MVK project;
    explicit ShadedProject(int frames, int width = 1024, int height = 768)
    {
        WritePng(folder.file(QStringLiteral("bg.png")), ReferenceBackground());
        QStringList paths;
        for (int i = 1; i <= frames; ++i) {
            const QString name = QStringLiteral("f/%1.png").arg(i);
            WritePng(folder.file(name), Flat(1, 1, QColor(i, 255 - i, 7)));
            paths << name;
        }
        project = MakeProject(folder, width, height, paths);
    }
    ExportResult Run(const QString &chosen, int type, int loops, bool background,
                     const std::atomic_bool *cancel = nullptr, const ExportProgress &progress = {})
    {
        SequenceOptions options;
        options.target = *SequenceTargetFor(folder.file(chosen), type);
        options.loopTimes = loops;
        options.drawBackground = background;
        return ExportFrameSequence(project, project.BackgroundPath(), project.FramePaths(), options,
                                   progress, cancel);
    }
    /// The frame a written picture shows, from the shade of its corner pixel.
    int FrameIn(const QString &name) const { return At(ReadBack(folder.file(name)), 0, 0).red(); }
};

TEST(FrameSequence, TwoLoopsNumberOneToOneHundredFifty)
{
    ShadedProject shaded(105);
    QDir().mkpath(shaded.folder.file(QStringLiteral("out")));
    const ExportResult result = shaded.Run(QStringLiteral("out/seq.png"), ExportTypePng, 2, false);
    ASSERT_TRUE(result.status) << result.status.message().toStdString();
    ASSERT_EQ(result.written.size(), 150);
    EXPECT_EQ(result.written.first(), shaded.folder.file(QStringLiteral("out/seq001.png")));
    EXPECT_EQ(result.written.last(), shaded.folder.file(QStringLiteral("out/seq150.png")));
    EXPECT_EQ(QDir(shaded.folder.file(QStringLiteral("out"))).entryList(QDir::Files).size(), 150);
    EXPECT_EQ(shaded.FrameIn(QStringLiteral("out/seq001.png")), 1);
    EXPECT_EQ(shaded.FrameIn(QStringLiteral("out/seq105.png")), 105);
    EXPECT_EQ(shaded.FrameIn(QStringLiteral("out/seq106.png")), 61);
    EXPECT_EQ(shaded.FrameIn(QStringLiteral("out/seq150.png")), 105);
    // Repeats are the same bytes.
    EXPECT_EQ(ReadAll(shaded.folder.file(QStringLiteral("out/seq106.png"))),
              ReadAll(shaded.folder.file(QStringLiteral("out/seq061.png"))));
    // Without the background everything around the frame stays transparent.
    const QImage picture = ReadBack(shaded.folder.file(QStringLiteral("out/seq010.png")));
    EXPECT_EQ(picture.size(), QSize(200, 200));
    EXPECT_EQ(At(picture, 100, 100).alpha(), 0);
}

TEST(FrameSequence, TwoHundredFiftyFiveLoopsUseFiveDigits)
{
    ShadedProject shaded(105);
    int last = 0, steps = 0;
    const ExportResult result = shaded.Run(QStringLiteral("seq"), ExportTypePng, 255, false,
                                           nullptr, [&](int done, int total) {
                                               EXPECT_GE(done, last);
                                               last = done;
                                               steps = total;
                                           });
    ASSERT_TRUE(result.status);
    EXPECT_EQ(result.written.size(), 11535);
    EXPECT_TRUE(QFileInfo::exists(shaded.folder.file(QStringLiteral("seq00001.png"))));
    EXPECT_TRUE(QFileInfo::exists(shaded.folder.file(QStringLiteral("seq11535.png"))));
    EXPECT_FALSE(QFileInfo::exists(shaded.folder.file(QStringLiteral("seq11536.png"))));
    EXPECT_EQ(shaded.FrameIn(QStringLiteral("seq11535.png")), 105);
    EXPECT_EQ(shaded.FrameIn(QStringLiteral("seq11491.png")), 61);
    EXPECT_EQ(last, steps);
    EXPECT_EQ(steps, 105 + 11535);
}

TEST(FrameSequence, PicturesShowTheAreaAtProjectScale)
{
    // 1920 x 1080: 375 x 281 pictures. Nothing is scaled: the background is only shifted by
    // the area's corner (772, 399), where this one has a blue 10 x 10 mark.
    ShadedProject shaded(1, 1920, 1080);
    QImage background = Flat(1920, 1080, Red);
    for (int y = 399; y < 409; ++y)
        for (int x = 772; x < 782; ++x)
            background.setPixelColor(x, y, Blue);
    WritePng(shaded.folder.file(QStringLiteral("bg.png")), background);
    WritePng(shaded.folder.file(QStringLiteral("big.png")), Flat(400, 10, Yellow));
    shaded.project.aFrame.Item(1)->aURL = QStringLiteral("big.png");
    shaded.project.aFrame.Item(1)->aX = 300;
    shaded.project.aFrame.Item(1)->aY = 5;
    const ExportResult result = shaded.Run(QStringLiteral("hd"), ExportTypePng, 2, true);
    ASSERT_TRUE(result.status);
    ASSERT_EQ(result.written, QStringList{shaded.folder.file(QStringLiteral("hd1.png"))});
    const QImage picture = ReadBack(result.written.first());
    EXPECT_EQ(picture.size(), QSize(375, 281));
    EXPECT_EQ(At(picture, 0, 0), Blue);
    EXPECT_EQ(At(picture, 9, 9), Blue);
    EXPECT_EQ(At(picture, 10, 10), Red);
    EXPECT_EQ(At(picture, 374, 280), Red);
    EXPECT_EQ(At(picture, 300, 5), Yellow);  // frames at their own size and offset
    EXPECT_EQ(At(picture, 374, 14), Yellow); // clipped at the right edge
    EXPECT_EQ(At(picture, 299, 5), Red);
    EXPECT_EQ(At(picture, 300, 15), Red);

    // The background offset moves it; moved out of the area it leaves transparency.
    shaded.project.aBackground->aX = 20;
    shaded.project.aBackground->aY = 30;
    ASSERT_TRUE(shaded.Run(QStringLiteral("hd"), ExportTypePng, 2, true).status);
    const QImage shifted = ReadBack(shaded.folder.file(QStringLiteral("hd1.png")));
    EXPECT_EQ(At(shifted, 20, 30), Blue);
    EXPECT_EQ(At(shifted, 19, 30), Red);
    shaded.project.aBackground->aX = -1700;
    ASSERT_TRUE(shaded.Run(QStringLiteral("hd"), ExportTypePng, 2, true).status);
    const QImage gone = ReadBack(shaded.folder.file(QStringLiteral("hd1.png")));
    EXPECT_EQ(At(gone, 0, 0).alpha(), 0);
    EXPECT_EQ(At(gone, 300, 5), Yellow);
}

TEST(FrameSequence, FormatFollowsTheTypeAndEmptyProjectsWriteNothing)
{
    ShadedProject shaded(7); // intro 4, loop 3: 3 loops give 13 pictures
    const ExportResult jpg = shaded.Run(QStringLiteral("s"), ExportTypeJpg, 3, true);
    ASSERT_TRUE(jpg.status);
    EXPECT_EQ(jpg.written.size(), 13);
    EXPECT_EQ(jpg.written.last(), shaded.folder.file(QStringLiteral("s13.jpg")));
    EXPECT_TRUE(ReadAll(jpg.written.first()).startsWith("\xff\xd8"));

    shaded.project.aFrame = aFrame();
    const ExportResult none = shaded.Run(QStringLiteral("empty"), ExportTypePng, 2, true);
    EXPECT_TRUE(none.status);
    EXPECT_TRUE(none.written.isEmpty());
}

TEST(FrameSequence, FailuresAndCancelsLeaveNothing)
{
    ShadedProject shaded(105);
    const ExportResult lost = shaded.Run(QStringLiteral("none/seq"), ExportTypePng, 2, false);
    EXPECT_FALSE(lost.status);
    EXPECT_TRUE(lost.written.isEmpty());
    EXPECT_TRUE(lost.status.message().contains(QStringLiteral("seq001.png")));

    shaded.project.aWidth = -1024;
    const ExportResult refused = shaded.Run(QStringLiteral("neg"), ExportTypePng, 2, false);
    EXPECT_TRUE(refused.refused);
    shaded.project.aWidth = 1024;

    std::atomic_bool cancel = false;
    QDir().mkpath(shaded.folder.file(QStringLiteral("c")));
    const ExportResult cancelled = shaded.Run(QStringLiteral("c/seq"), ExportTypePng, 255, false,
                                              &cancel, [&](int done, int) { cancel = done > 500; });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_TRUE(cancelled.written.isEmpty());
    EXPECT_TRUE(QDir(shaded.folder.file(QStringLiteral("c")))
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty());
}

} // namespace
} // namespace mrv
