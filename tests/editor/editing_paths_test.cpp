#include "editor/pictureedit.h"

#include "editing_fixture.h"
#include "editor/frmediter.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>

namespace mrv::test {
namespace {

TEST(PictureBoxText, KeepsThePathInsideTheProjectFolderOnly)
{
    struct Case
    {
        const char *folder;
        const char *file;
        const char *text;
    };
    const PathStyle win = PathStyle::Windows;
    for (const Case &c : {
             Case{R"(D:\proj)", R"(D:\proj\frames\01.png)", R"(frames\01.png)"},
             Case{R"(D:\proj)", R"(E:\x.png)", R"(E:\x.png)"},
             // Windows folders match whatever the letter case, either way round.
             Case{R"(D:\Proj)", R"(d:\proj\a.png)", "a.png"},
             Case{R"(d:\proj)", R"(D:\PROJ\Sub\A.png)", R"(Sub\A.png)"},
             // Only a whole folder counts: D:\projects is not inside D:\proj.
             Case{R"(D:\proj)", R"(D:\projects\a.png)", R"(D:\projects\a.png)"},
             Case{R"(D:\)", R"(d:\a.png)", "a.png"},
             Case{"", R"(D:\proj\a.png)", R"(D:\proj\a.png)"},
             Case{R"(D:\proj)", R"(D:\proj)", R"(D:\proj)"},
         })
        EXPECT_EQ(PictureBoxText(QString::fromUtf8(c.folder), QString::fromUtf8(c.file), win),
                  QString::fromUtf8(c.text))
            << c.folder << " + " << c.file;

    const PathStyle posix = PathStyle::Posix;
    EXPECT_EQ(PictureBoxText(QStringLiteral("/home/u/anim"), QStringLiteral("/home/u/anim/f/1.png"),
                             posix),
              QStringLiteral(R"(f\1.png)"));
    // On POSIX another letter case is another folder: the full path keeps naming the file.
    EXPECT_EQ(PictureBoxText(QStringLiteral("/home/u/Anim"), QStringLiteral("/home/u/anim/1.png"),
                             posix),
              QStringLiteral("/home/u/anim/1.png"));
    EXPECT_EQ(PictureBoxText(QStringLiteral("/home/u/anim"), QStringLiteral("/home/u/anim2/1.png"),
                             posix),
              QStringLiteral("/home/u/anim2/1.png"));
}

TEST(DropExtensions, ThePictureExtensionsAfterTheLastDotInAnyLetterCase)
{
    for (const char *good : {"a.jpeg", "a.jpg", "a.bmp", "a.png", "a.gif", "a.tif", "a.tiff",
                             "/x.y/b.png", R"(C:\a.b\c.gif)", "a.PNG", "a.Jpg", "a.webp"})
        EXPECT_TRUE(HasDropPictureExtension(QString::fromUtf8(good))) << good;
    for (const char *bad : {"a.png.txt", "a.mrv", "/tmp/png", "a.", "/x.png/b", "a.apng", ""})
        EXPECT_FALSE(HasDropPictureExtension(QString::fromUtf8(bad))) << bad;
}

using PathEditing = EditingTest;

TEST_F(PathEditing, TypingARowsPathMarksTheProjectAndRedrawsOnlyTheShownFrame)
{
    frmEditer &w = LoadPictures();
    ASSERT_EQ(w.Controls().sldFrame->value(), 1);
    ASSERT_EQ(ShownFrameColour(), Green);

    QLineEdit &row2 = *w.Frames().RowPath(2);
    row2.selectAll();
    QTest::keyClicks(&row2, QStringLiteral("f3.png"));
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(2)->aURL, QStringLiteral("f3.png"));
    EXPECT_EQ(w.FramePaths().at(1), folder.file(QStringLiteral("f3.png")));
    EXPECT_TRUE(w.CurrentProject()->aChanged);
    EXPECT_TRUE(w.windowTitle().endsWith(u'*'));
    EXPECT_EQ(ShownFrameColour(), Green) << "frame 1 is shown, not frame 2";
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(1)->aURL, QStringLiteral("f1.png"));
    EXPECT_EQ(w.CurrentProject()->aBackground->aURL, QStringLiteral("bg.png"));

    QLineEdit &row1 = *w.Frames().RowPath(1);
    row1.selectAll();
    QTest::keyClicks(&row1, QStringLiteral("f2.png"));
    EXPECT_EQ(ShownFrameColour(), Yellow);
    EXPECT_EQ(ShownBackgroundColour(), Red);
    // A path naming no file is still stored; the preview shows the background alone there.
    QTest::keyClick(&row1, Qt::Key_Backspace);
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(1)->aURL, QStringLiteral("f2.pn"));
    EXPECT_EQ(w.FramePaths().at(0), folder.file(QStringLiteral("f2.pn")));
    EXPECT_EQ(ShownFrameColour(), Red);
    w.Controls().sldFrame->setValue(2);
    EXPECT_EQ(ShownFrameColour(), Magenta);
}

TEST_F(PathEditing, ARelativePathInANewProjectNamesNoPicture)
{
    // The picture exists at the root-anchored reading of the typed text; a project that was
    // never saved has no folder, so the text must not reach it.
    folder.write(QStringLiteral("frames/keep"), {}); // the sub-folder
    const QString picture = WriteFramePicture(folder.file(QStringLiteral("frames/050.png")), Green);
    ASSERT_TRUE(QFileInfo::exists(picture));
    ASSERT_TRUE(picture.startsWith(u'/'));
    const QString typed = picture.mid(1);

    frmEditer &w = Load();
    ASSERT_TRUE(w.CurrentProject()->aFileFolder.isEmpty());
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QLineEdit &row1 = *w.Frames().RowPath(1);
    QTest::mouseClick(&row1, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), &row1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), typed);

    // The frame's opaque half, wherever the window's size put the activity box.
    const auto shown = [&w] {
        const PictureSurface &box = *w.Controls().picA0;
        return PixelOf(box, box.width() * 3 / 4, box.height() / 2);
    };
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(1)->aURL, typed);
    EXPECT_TRUE(w.FramePaths().at(0).isEmpty()) << w.FramePaths().at(0);
    EXPECT_NE(shown(), Green);

    // Typed as a full path, the same picture is drawn.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Slash);
    EXPECT_EQ(w.FramePaths().at(0), picture);
    EXPECT_EQ(shown(), Green);
}

TEST_F(PathEditing, BackgroundPathRedrawsTheBackgroundAndTheFrameOverIt)
{
    frmEditer &w = LoadPictures();
    WritePicture(folder.file(QStringLiteral("white.png")), {1024, 768}, White);
    QLineEdit &box = *w.Controls().txtBackground;
    EXPECT_FALSE(box.isReadOnly());
    box.selectAll();
    QTest::keyClicks(&box, QStringLiteral("white.png"));
    EXPECT_EQ(w.CurrentProject()->aBackground->aURL, QStringLiteral("white.png"));
    EXPECT_EQ(w.BackgroundPath(), folder.file(QStringLiteral("white.png")));
    EXPECT_TRUE(w.CurrentProject()->aChanged);
    EXPECT_EQ(PixelOf(*w.Controls().picBG, 10, 10), White);
    EXPECT_EQ(ShownBackgroundColour(), White);
    EXPECT_EQ(ShownFrameColour(), Green);
}

TEST_F(PathEditing, LoadingAndScrollingFillTheBoxesWithoutChangingTheProject)
{
    frmEditer &w = LoadPictures(40);
    EXPECT_EQ(w.Controls().txtBackground->text(), QStringLiteral("bg.png"));
    EXPECT_FALSE(w.windowTitle().endsWith(u'*'));
    // Scrolling hands row widgets on to other rows and sets their texts.
    w.Frames().ScrollBar()->setValue(w.Frames().ScrollBar()->maximum());
    ASSERT_NE(w.Frames().RowPath(40), nullptr);
    EXPECT_EQ(w.Frames().RowPath(40)->text(), QStringLiteral("f40.png"));
    w.Commands().New();
    EXPECT_EQ(w.Controls().txtBackground->text(), QStringLiteral(R"(NewMRV\Background.jpg)"));
    EXPECT_FALSE(w.CurrentProject()->aChanged);
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(40)->aURL, QStringLiteral(R"(NewMRV\039.png)"));
}

TEST_F(PathEditing, BrowseAsksWithThePictureTypesAndStoresTheRelativePath)
{
    frmEditer &w = LoadPictures();
    folder.write(QStringLiteral("frames/keep"), {}); // the sub-folder
    const QString inside = WriteFramePicture(folder.file(QStringLiteral("frames/new.png")), Yellow);
    prompts.answerFile(FileDialogAnswer{inside, 1});
    QTest::mouseClick(w.Frames().RowBrowse(1), Qt::LeftButton);

    ASSERT_EQ(prompts.files.size(), 1);
    const FileDialogRequest &request = prompts.files.first();
    EXPECT_EQ(request.kind, FileDialogKind::Open);
    EXPECT_EQ(request.title, QStringLiteral("选择图片文件"));
    EXPECT_EQ(request.types, &settings.ImageTypes);
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(w.Frames().RowText(1), QStringLiteral(R"(frames\new.png)"));
    EXPECT_EQ(w.Frames().RowPath(1)->text(), QStringLiteral(R"(frames\new.png)"));
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(1)->aURL, QStringLiteral(R"(frames\new.png)"));
    EXPECT_EQ(ShownFrameColour(), Yellow);
    EXPECT_TRUE(w.CurrentProject()->aChanged);

    // A picture outside the project folder keeps its full path.
    TempFolder elsewhere;
    const QString outside =
        WritePicture(elsewhere.file(QStringLiteral("bg.png")), {1024, 768}, White);
    prompts.answerFile(FileDialogAnswer{outside, 1});
    QTest::mouseClick(w.Controls().cmdBackground_Browse, Qt::LeftButton);
    EXPECT_EQ(w.Controls().txtBackground->text(), outside);
    EXPECT_EQ(w.CurrentProject()->aBackground->aURL, outside);
    EXPECT_EQ(w.BackgroundPath(), outside);
    EXPECT_EQ(PixelOf(*w.Controls().picBG, 10, 10), White);

    // A cancelled dialog changes nothing.
    w.Commands().Save();
    QTest::mouseClick(w.Frames().RowBrowse(2), Qt::LeftButton);
    EXPECT_EQ(prompts.files.size(), 3);
    EXPECT_FALSE(w.CurrentProject()->aChanged);
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(2)->aURL, QStringLiteral("f2.png"));
}

} // namespace
} // namespace mrv::test
