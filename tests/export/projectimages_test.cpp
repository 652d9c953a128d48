#include "export/longpicture.h"
#include "export/projectimages.h"

#include "exporttestdata.h"
#include "testsupport.h"

#include <QDir>

#include <atomic>

#include <gtest/gtest.h>

namespace mrv {
namespace {

using namespace test;

struct ImagesProject
{
    TempFolder folder;
    MVK project;
    explicit ImagesProject(int frames, int factor = 1)
    {
        WritePng(folder.file(QStringLiteral("bg.png")), ReferenceBackground(factor));
        WritePng(folder.file(QStringLiteral("sq.png")), Flat(40 * factor, 40 * factor, Yellow));
        QStringList paths;
        QList<QPoint> offsets;
        for (int i = 0; i < frames; ++i) {
            paths << QStringLiteral("sq.png");
            offsets << QPoint(i * 10 * factor, i * 5 * factor);
        }
        project = MakeProject(folder, 1024 * factor, 768 * factor, paths, offsets);
    }
    ExportResult Run(const QString &chosen, int type)
    {
        return ExportProjectImages(project, project.BackgroundPath(), project.FramePaths(),
                                   *ProjectImagesTargetFor(folder.file(chosen), type));
    }
};

TEST(ProjectImages, BackgroundAndNumberedFramesMatchTheLongPictureCells)
{
    ImagesProject images(12);
    QDir().mkpath(images.folder.file(QStringLiteral("out")));
    const ExportResult result = images.Run(QStringLiteral("out/proj"), ExportTypePng);
    ASSERT_TRUE(result.status) << result.status.message().toStdString();
    ASSERT_EQ(result.written.size(), 13);
    EXPECT_EQ(result.written.first(), images.folder.file(QStringLiteral("out/proj.png")));
    EXPECT_EQ(result.written.last(), images.folder.file(QStringLiteral("out/proj_Frame/012.png")));

    const QImage background = ReadBack(images.folder.file(QStringLiteral("out/proj.png")));
    EXPECT_EQ(background.size(), QSize(1024, 768));
    EXPECT_EQ(At(background, 0, 0), Red);
    EXPECT_EQ(At(background, 412, 284), Blue);

    const QImage strip = *ComposeLongPicture(images.project, images.project.BackgroundPath(),
                                             images.project.FramePaths(), true);
    for (int i = 1; i <= 12; ++i) {
        const QString name = QStringLiteral("out/proj_Frame/%1.png").arg(i, 3, 10, QChar(u'0'));
        const QImage frame = ReadBack(images.folder.file(name));
        ASSERT_EQ(frame.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  strip.copy(0, (i - 1) * 200, 200, 200))
            << i;
    }
}

TEST(ProjectImages, LargerProjectsGiveTheReferenceSizes)
{
    ImagesProject images(2, 2); // 2048 x 1536: everything halves
    const ExportResult result = images.Run(QStringLiteral("big.jpg"), ExportTypeJpg);
    ASSERT_TRUE(result.status);
    const QImage background = ReadBack(images.folder.file(QStringLiteral("big.jpg")));
    EXPECT_EQ(background.size(), QSize(1024, 768));
    EXPECT_NEAR(At(background, 500, 400).green(), Green.green(), 6);
    EXPECT_NEAR(At(background, 100, 100).red(), Red.red(), 6);
    const QImage frame = ReadBack(images.folder.file(QStringLiteral("big_Frame/002.jpg")));
    EXPECT_EQ(frame.size(), QSize(200, 200));
    EXPECT_NEAR(At(frame, 25, 20).blue(), Yellow.blue(), 12); // 80 x 80 at (20, 10) halved
    EXPECT_TRUE(
        ReadAll(images.folder.file(QStringLiteral("big_Frame/001.jpg"))).startsWith("\xff\xd8"));
}

TEST(ProjectImages, ExistingFramesFolderIsReusedAndOverwritten)
{
    ImagesProject images(2);
    const QString folder = images.folder.file(QStringLiteral("p_Frame"));
    images.folder.write(QStringLiteral("p_Frame/001.png"), "stale");
    images.folder.write(QStringLiteral("p_Frame/notes.txt"), "mine");
    ASSERT_TRUE(images.Run(QStringLiteral("p"), ExportTypePng).status);
    EXPECT_FALSE(ReadBack(images.folder.file(QStringLiteral("p_Frame/001.png"))).isNull());
    EXPECT_EQ(ReadAll(images.folder.file(QStringLiteral("p_Frame/notes.txt"))), QByteArray("mine"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 3);
}

TEST(ProjectImages, NoFramesAreFineButAMissingChosenFolderIsNotMade)
{
    ImagesProject images(0);
    QDir().mkpath(images.folder.file(QStringLiteral("a")));
    const ExportResult result = images.Run(QStringLiteral("a/proj"), ExportTypeBmp);
    ASSERT_TRUE(result.status) << result.status.message().toStdString();
    EXPECT_EQ(result.written, QStringList{images.folder.file(QStringLiteral("a/proj.bmp"))});
    EXPECT_TRUE(QFileInfo(images.folder.file(QStringLiteral("a/proj_Frame"))).isDir());

    // Only the frame folder is made: a chosen folder that is not there is a mistake to report.
    const ExportResult missing = images.Run(QStringLiteral("b/c/proj"), ExportTypeBmp);
    EXPECT_FALSE(missing.status);
    EXPECT_FALSE(missing.refused);
    EXPECT_TRUE(missing.status.message().contains(QStringLiteral("b/c")))
        << missing.status.message();
    EXPECT_TRUE(missing.written.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(images.folder.file(QStringLiteral("b"))));
}

TEST(ProjectImages, CancellingIsReportedAndLeavesNothing)
{
    ImagesProject images(20);
    std::atomic_bool cancel = true;
    const ExportResult before = ExportProjectImages(
        images.project, images.project.BackgroundPath(), images.project.FramePaths(),
        *ProjectImagesTargetFor(images.folder.file(QStringLiteral("pre")), ExportTypePng), {},
        &cancel);
    EXPECT_TRUE(before.cancelled);
    EXPECT_EQ(before.status.message(), CancelledMessage());
    EXPECT_TRUE(before.written.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(images.folder.file(QStringLiteral("pre.png"))));

    cancel = false;
    const ExportResult midway = ExportProjectImages(
        images.project, images.project.BackgroundPath(), images.project.FramePaths(),
        *ProjectImagesTargetFor(images.folder.file(QStringLiteral("mid")), ExportTypePng),
        [&](int done, int) { cancel = done >= 3; }, &cancel);
    EXPECT_TRUE(midway.cancelled);
    EXPECT_EQ(midway.status.message(), CancelledMessage());
    EXPECT_TRUE(midway.written.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(images.folder.file(QStringLiteral("mid.png"))));
    EXPECT_FALSE(QFileInfo::exists(images.folder.file(QStringLiteral("mid_Frame"))));
}

TEST(ProjectImages, AFileInTheFoldersPlaceStopsBeforeWritingAnything)
{
    ImagesProject images(3);
    images.folder.write(QStringLiteral("proj_Frame"), "a file");
    const ExportResult result = images.Run(QStringLiteral("proj"), ExportTypePng);
    EXPECT_FALSE(result.status);
    EXPECT_TRUE(result.status.message().contains(QStringLiteral("proj_Frame")));
    EXPECT_TRUE(result.written.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(images.folder.file(QStringLiteral("proj.png"))));

    images.project.aWidth = 0;
    EXPECT_TRUE(images.Run(QStringLiteral("zero"), ExportTypePng).refused);
    EXPECT_FALSE(QFileInfo::exists(images.folder.file(QStringLiteral("zero_Frame"))));
}

} // namespace
} // namespace mrv
