#include "import/longimport.h"
#include "export/longpicture.h"

#include "exporttestdata.h"
#include "testsupport.h"

#include <QDir>
#include <QPainter>

#include <gtest/gtest.h>

namespace mrv {
namespace {

using namespace test;

QImage Cell(const QImage &strip, int i)
{
    return strip.copy(0, (i - 1) * 200, 200, 200);
}

/// A strip whose cells are distinct flat colours, each with a transparent hole.
QImage StripOfColours()
{
    QImage strip = Flat(200, 21000, Qt::transparent);
    QPainter p(&strip);
    for (int i = 0; i < 105; ++i) {
        p.fillRect(0, i * 200, 200, 200, QColor(i * 2, 255 - i * 2, (i * 37) % 256));
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        p.fillRect(10 + i, i * 200 + 10, 20, 20, Qt::transparent);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    return strip;
}

bool FullyTransparent(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return false;
    return true;
}

/// A 1024 x 768 project: frame 1 a 50 x 50 yellow square at (10, 20), frame 2 a 300 x 300
/// magenta square at (150, 150) that runs over the cell's edge, frame 3 a missing file.
struct GoldenProject
{
    TempFolder folder;
    MVK project;
    GoldenProject(int width = 1024, int height = 768)
    {
        WritePng(folder.file(QStringLiteral("bg.png")), ReferenceBackground());
        WritePng(folder.file(QStringLiteral("f/yellow.png")), Flat(50, 50, Yellow));
        WritePng(folder.file(QStringLiteral("f/magenta.png")), Flat(300, 300, Magenta));
        project = MakeProject(folder, width, height,
                              {QStringLiteral("f/yellow.png"), QStringLiteral("f\\magenta.png"),
                               QStringLiteral("f/missing.png")},
                              {{10, 20}, {150, 150}, {0, 0}});
    }
    Result<QImage> Compose(bool background, QStringList *unreadable = nullptr) const
    {
        return ComposeLongPicture(project, project.BackgroundPath(), project.FramePaths(),
                                  background, unreadable);
    }
};

TEST(LongPicture, CellsShowTheBackgroundPieceAndTheFramesClippedAtTheirEdges)
{
    GoldenProject golden;
    QStringList unreadable;
    const QImage strip = *golden.Compose(true, &unreadable);
    ASSERT_EQ(strip.size(), QSize(200, 21000));

    const QImage first = Cell(strip, 1);
    EXPECT_EQ(At(first, 0, 0), Blue); // background pixel (412, 284)
    EXPECT_EQ(At(first, 9, 9), Blue);
    EXPECT_EQ(At(first, 10, 10), Green);
    EXPECT_EQ(At(first, 199, 199), Green); // nothing of the red outside the area
    EXPECT_EQ(At(first, 10, 20), Yellow);
    EXPECT_EQ(At(first, 59, 69), Yellow);
    EXPECT_EQ(At(first, 60, 69), Green);
    EXPECT_EQ(At(first, 59, 70), Green);

    const QImage second = Cell(strip, 2);
    EXPECT_EQ(At(second, 149, 149), Green);
    EXPECT_EQ(At(second, 150, 150), Magenta);
    EXPECT_EQ(At(second, 199, 199), Magenta);
    EXPECT_EQ(At(second, 0, 0), Blue);

    // The missing frame leaves only the background; empty cells stay transparent.
    EXPECT_EQ(
        Cell(strip, 3),
        Cell(*ComposeLongPicture(golden.project, golden.project.BackgroundPath(), {}, true), 1));
    EXPECT_TRUE(FullyTransparent(strip.copy(0, 600, 200, 21000 - 600)));
    EXPECT_EQ(unreadable, QStringList{golden.project.FramePaths().at(2)});
}

TEST(LongPicture, WithoutBackgroundOnlyTheFramesAreDrawn)
{
    GoldenProject golden;
    const QImage strip = *golden.Compose(false);
    const QImage first = Cell(strip, 1);
    EXPECT_EQ(At(first, 0, 0).alpha(), 0);
    EXPECT_EQ(At(first, 30, 30), Yellow);
    EXPECT_EQ(At(first, 100, 100).alpha(), 0);
    EXPECT_TRUE(FullyTransparent(Cell(strip, 3)));
}

TEST(LongPicture, LargerProjectsAreScaledToTheReferenceScreen)
{
    TempFolder folder;
    WritePng(folder.file(QStringLiteral("bg.png")), ReferenceBackground(2));
    WritePng(folder.file(QStringLiteral("big.png")), Flat(400, 400, Yellow));
    const MVK project = MakeProject(folder, 2048, 1536, {QStringLiteral("big.png")}, {{100, 50}});
    const QImage cell =
        Cell(*ComposeLongPicture(project, project.BackgroundPath(), project.FramePaths(), true), 1);
    // The frame lands at (50, 25), 200 x 200, clipped at the cell's edge.
    EXPECT_EQ(At(cell, 50, 25), Yellow);
    EXPECT_EQ(At(cell, 199, 199), Yellow);
    EXPECT_EQ(At(cell, 49, 100), Green);
    EXPECT_EQ(At(cell, 100, 24), Green);
    // The background, halved, puts its blue block over the cell's first 10 x 10 pixels.
    EXPECT_EQ(At(cell, 2, 2), Blue);
    EXPECT_EQ(At(cell, 30, 150), Green);
}

TEST(LongPicture, NoFramesGiveATransparentStripAndTooManyAreCut)
{
    GoldenProject golden;
    golden.project.aFrame = aFrame();
    EXPECT_TRUE(FullyTransparent(*golden.Compose(true)));

    for (int i = 0; i < 110; ++i)
        golden.project.aFrame.Add(QStringLiteral("f/yellow.png"), 0, 0);
    const QImage strip = *golden.Compose(false);
    EXPECT_EQ(strip.height(), 21000);
    EXPECT_EQ(At(strip, 0, 104 * 200), Yellow);
}

TEST(LongPicture, StripWrittenAsBmpIsTheBootToolsBitmap)
{
    GoldenProject golden;
    const QString target = golden.folder.file(QStringLiteral("out/Activity.bmp"));
    QDir().mkpath(golden.folder.file(QStringLiteral("out")));
    QList<int> progress;
    const ExportResult result = ExportLongPicture(
        golden.project, golden.project.BackgroundPath(), golden.project.FramePaths(),
        {{target, QStringLiteral(".bmp")}, true}, [&](int done, int total) {
            progress << done;
            EXPECT_EQ(total, 4);
        });
    ASSERT_TRUE(result.status) << result.status.message().toStdString();
    EXPECT_EQ(result.written, QStringList{target});
    EXPECT_EQ(progress, (QList<int>{1, 2, 3, 4}));
    const QByteArray bytes = ReadAll(target);
    EXPECT_EQ(bytes.size(), 54 + 200 * 3 * 21000);
    EXPECT_EQ(bytes.mid(18, 8), QByteArray::fromHex("c800000008520000")); // 200 x 21000
    EXPECT_EQ(bytes.mid(28, 6), QByteArray::fromHex("180000000000"));     // 24 bits, BI_RGB
    const QImage read = ReadBack(target);
    EXPECT_EQ(At(read, 30, 40), Yellow);
    EXPECT_EQ(At(read, 100, 5000), QColor(Qt::black)); // transparent cells come out black
}

TEST(LongPicture, FailuresWriteNothingAndSayWhy)
{
    GoldenProject golden;
    const MVK &project = golden.project;
    const QString out = golden.folder.file(QStringLiteral("strip.png"));
    auto run = [&](const MVK &p, const QString &path, const QString &extension,
                   const std::atomic_bool *cancel = nullptr, ExportProgress progress = {}) {
        return ExportLongPicture(p, p.BackgroundPath(), p.FramePaths(), {{path, extension}, true},
                                 progress, cancel);
    };

    const ExportResult upper = run(project, out, QStringLiteral(".PNG"));
    EXPECT_FALSE(upper.status);
    EXPECT_FALSE(QFileInfo::exists(out));

    MVK flat = project;
    flat.aHeight = 0;
    const ExportResult refused = run(flat, out, QStringLiteral(".png"));
    EXPECT_TRUE(refused.refused);
    EXPECT_FALSE(QFileInfo::exists(out));

    const QString lost = golden.folder.file(QStringLiteral("nowhere/strip.png"));
    const ExportResult noFolder = run(project, lost, QStringLiteral(".png"));
    EXPECT_FALSE(noFolder.status);
    EXPECT_FALSE(noFolder.refused);
    EXPECT_TRUE(noFolder.status.message().contains(QDir::toNativeSeparators(lost)));
    EXPECT_TRUE(noFolder.written.isEmpty());

    for (const QString &extension : {QStringLiteral(".png"), QStringLiteral(".bmp")}) {
        std::atomic_bool cancel = false;
        const QString path = golden.folder.file(QStringLiteral("cancelled") + extension);
        const ExportResult cancelledMidway =
            run(project, path, extension, &cancel, [&](int done, int) { cancel = done >= 2; });
        EXPECT_TRUE(cancelledMidway.cancelled);
        EXPECT_TRUE(cancelledMidway.written.isEmpty());
    }
    EXPECT_EQ(QDir(golden.folder.path()).entryList(QDir::Files),
              QStringList{QStringLiteral("bg.png")});
}

TEST(LongPicture, ImportedStripExportsBackUnchanged)
{
    // Every frame points at the strip with its own Y offset; exporting without background
    // must give back the very same strip.
    TempFolder folder;
    const QImage source = StripOfColours();
    WritePng(folder.file(QStringLiteral("art/strip.png")), source);
    MVK project = MakeProject(folder, 1024, 768, {});
    for (int i = 0; i < 105; ++i)
        project.aFrame.Add(QStringLiteral("x.png"), 0, 0);
    ASSERT_TRUE(ApplyLongImport(project, QStringLiteral("art/strip.png"), 0));
    const QImage strip =
        *ComposeLongPicture(project, project.BackgroundPath(), project.FramePaths(), false);
    EXPECT_EQ(strip, source);
}

} // namespace
} // namespace mrv
