#include "imaging/picturecache.h"
#include "document/projectdocument.h"
#include "editor/editor_fixture.h"
#include "widgets/picturesurface.h"
#include "preview/frmfullscreen.h"
#include "export/exportsource.h"
#include "export/screencomposer.h"
#include "imaging/canvas.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace mrv::test {
namespace {

QColor FrameColour(int frame)
{
    return QColor(frame * 2, 255 - frame * 2, 60);
}

/// A background whose every pixel tells where it lies, so a misplaced piece shows.
QString WriteGradient(const QString &path)
{
    QImage image(1024, 768, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x / 4, y / 3, 128));
    image.save(path);
    return path;
}

class FullscreenWindow : public ::testing::Test
{
protected:
    /// A 1024 x 768 project in the temporary folder with 100 x 100 frames at (20, 30).
    void MakeProject(int frames)
    {
        project.aWidth = 1024;
        project.aHeight = 768;
        project.aFileFolder = QDir::toNativeSeparators(folder.path());
        WriteGradient(folder.file(QStringLiteral("bg.png")));
        project.aBackground = aImage{QStringLiteral("bg.png"), 10, 0};
        for (int i = 1; i <= frames; ++i) {
            const QString name = QStringLiteral("f%1.png").arg(i);
            WritePicture(folder.file(name), {100, 100}, FrameColour(i));
            project.aFrame.Add(name, 20, 30);
        }
    }

    frmFullscreen &Open(int frame, QSize window = {1024, 768})
    {
        form = std::make_unique<frmFullscreen>(Document(), cache, layout);
        form->nFrame = qint16(frame);
        form->Form_Load();
        form->PicResize(window.width(), window.height());
        return *form;
    }

    QColor ShownInArea(QPoint at) const { return QColor(form->PicA(0).Image().pixel(at)); }
    QColor ShownOnScreen(QPoint at) const { return QColor(form->PicBG().Image().pixel(at)); }

    TempFolder folder;
    PictureCache cache;
    pugi::xml_document layout;
    MVK project;
    std::unique_ptr<ProjectDocument> document;
    std::unique_ptr<frmFullscreen> form;

    /// A document holding a copy of the project as it stands.
    const ProjectDocument &Document()
    {
        form.reset(); // the window reads the document it was given
        document = std::make_unique<ProjectDocument>();
        document->Reset(std::make_unique<MVK>(project));
        return *document;
    }
};

TEST_F(FullscreenWindow, ComposesBackgroundAndFrameAtTheScreenScale)
{
    MakeProject(3);
    frmFullscreen &w = Open(2, {2048, 1536});
    EXPECT_EQ(w.PicBG().geometry(), QRect(0, 0, 2048, 1536));
    EXPECT_EQ(w.PicA(0).geometry(), QRect(824, 568, 400, 400));
    EXPECT_EQ(w.PicA(1).size(), QSize(400, 400));
    EXPECT_FALSE(w.PicA(1).isVisibleTo(&w));

    // The background starts at its offset times the scale; left of it the screen is clear.
    EXPECT_EQ(ShownOnScreen({19, 100}), QColor(Qt::black));
    EXPECT_NE(ShownOnScreen({20, 100}), QColor(Qt::black));
    // Around the frame the area shows exactly the background underneath it.
    for (const QPoint p : {QPoint(5, 5), QPoint(300, 20), QPoint(399, 399)})
        EXPECT_EQ(ShownInArea(p), ShownOnScreen(p + QPoint(824, 568))) << p.x() << "," << p.y();
    // The 100 x 100 frame at (20, 30) is drawn 200 x 200 at (40, 60).
    EXPECT_EQ(ShownInArea({40, 60}), FrameColour(2));
    EXPECT_EQ(ShownInArea({239, 259}), FrameColour(2));
    EXPECT_NE(ShownInArea({240, 260}), FrameColour(2));
    EXPECT_NE(ShownInArea({39, 59}), FrameColour(2));
}

TEST_F(FullscreenWindow, ScreenExportsComposeExactlyWhatTheWindowShows)
{
    // An odd scale on each axis, and frames that stick out of the area on every side.
    MakeProject(3);
    project.aWidth = 800;
    project.aHeight = 600;
    // A background that fits the screen: the window scales only the visible part of one that
    // overflows it, which samples some pixels differently.
    QImage background(QImage(folder.file(QStringLiteral("bg.png"))).scaled(790, 600));
    ASSERT_TRUE(background.save(folder.file(QStringLiteral("bg.png"))));
    project.aFrame.Item(1)->aX = -30;
    project.aFrame.Item(2)->aY = 130;
    project.aFrame.Item(3)->aX = 150;
    const QSize window(1366, 768);
    frmFullscreen &w = Open(1, window);
    const ScreenComposer composer(ExportSource::FromProject(project), window);
    EXPECT_EQ(composer.AnimationArea(), w.PicA(0).geometry());
    for (int frame = 1; frame <= 3; ++frame) {
        w.nFrame = qint16(frame);
        w.PicRedraw(1);
        QImage shown = w.PicBG().Image().convertToFormat(QImage::Format_RGB32);
        QPainter(&shown).drawImage(w.PicA(0).geometry().topLeft(), w.PicA(0).Image());
        const QImage composed = FlattenOverBlack(composer.Compose(frame));
        EXPECT_TRUE(composed == shown) << "frame " << frame;
    }
    EXPECT_TRUE(composer.Unreadable().isEmpty());
}

TEST_F(FullscreenWindow, KeysStepWithinTheFramesTogglePlayAndRewriteBothHelpLabels)
{
    MakeProject(4);
    frmFullscreen &w = Open(1);
    const auto expectFrame = [&](int frame) {
        EXPECT_EQ(w.nFrame, frame);
        EXPECT_EQ(ShownInArea({70, 80}), FrameColour(frame)) << "frame " << frame;
        for (int i : {0, 1})
            EXPECT_EQ(w.LblInfo(i).text(), FullscreenHelpText(frame));
    };
    expectFrame(1);
    EXPECT_FALSE(w.PlayTimer().isActive()); // opens paused unless the editor was playing
    QTest::keyClick(&w, Qt::Key_Space);
    EXPECT_TRUE(w.PlayTimer().isActive());
    QTest::keyClick(&w, Qt::Key_Left);
    expectFrame(1);
    QTest::keyClick(&w, Qt::Key_Right);
    expectFrame(2);
    QTest::keyClick(&w, Qt::Key_End);
    expectFrame(4);
    QTest::keyClick(&w, Qt::Key_Right);
    expectFrame(4);
    QTest::keyClick(&w, Qt::Key_Home);
    expectFrame(1);
    EXPECT_TRUE(w.PlayTimer().isActive()); // stepping does not stop playback
    QTest::keyClick(&w, Qt::Key_Space);
    EXPECT_FALSE(w.PlayTimer().isActive());

    // The shadow label sits one pixel off the light one.
    EXPECT_EQ(w.LblInfo(1).pos() - w.LblInfo(0).pos(), QPoint(1, 1));
    EXPECT_TRUE(w.LblInfo(0).width() > 0 && w.LblInfo(0).height() > 0);
}

TEST_F(FullscreenWindow, PlaybackRunsOnceThenLoopsFromTheLoopStart)
{
    MakeProject(105);
    frmFullscreen &w = Open(104);
    w.timPlay_Timer();
    EXPECT_EQ(w.nFrame, 105);
    w.timPlay_Timer();
    EXPECT_EQ(w.nFrame, 61);
    EXPECT_EQ(ShownInArea({70, 80}), FrameColour(61));
    EXPECT_EQ(w.LblInfo(0).text(), FullscreenHelpText(61));

    project.aFrame = aFrame();
    for (int i = 1; i <= 50; ++i)
        project.aFrame.Add(QStringLiteral("f%1.png").arg(i), 20, 30);
    frmFullscreen &fifty = Open(50);
    fifty.timPlay_Timer();
    EXPECT_EQ(fifty.nFrame, 29);
    EXPECT_EQ(ShownInArea({70, 80}), FrameColour(29));
}

TEST_F(FullscreenWindow, MissingFrameShowsTheBackgroundPieceAlone)
{
    MakeProject(3);
    ASSERT_TRUE(QFile::remove(folder.file(QStringLiteral("f2.png"))));
    frmFullscreen &w = Open(1);
    QTest::keyClick(&w, Qt::Key_Right);
    EXPECT_EQ(w.nFrame, 2);
    EXPECT_EQ(w.LblInfo(0).text(), FullscreenHelpText(2));
    EXPECT_EQ(ShownInArea({70, 80}), ShownOnScreen({482, 364}));
    QTest::keyClick(&w, Qt::Key_Right);
    EXPECT_EQ(ShownInArea({70, 80}), FrameColour(3));
    EXPECT_EQ(ShownInArea({5, 5}), ShownOnScreen({417, 289}));
}

TEST_F(FullscreenWindow, RelativeBackgroundPathDrawsNothingEvenWhenTheFileExists)
{
    MakeProject(2);
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    project.aFileFolder.clear(); // bg.png exists in the current folder, but stays relative
    Open(1);
    QDir::setCurrent(previous);
    EXPECT_EQ(ShownOnScreen({500, 400}), QColor(Qt::black));
    EXPECT_EQ(ShownInArea({70, 80}), QColor(Qt::black)); // nor the frame, relative as well
}

TEST_F(FullscreenWindow, LoadAppliesTheLayoutCoversTheScreenAndStartsAtFrameOne)
{
    MakeProject(3);
    layout.load_string("<Soft><Window><frmFullscreen><timPlay Interval=\"40\"/>"
                       "<lblInfo><Index_1 Left=\"60\"/></lblInfo></frmFullscreen></Window></Soft>");
    form = std::make_unique<frmFullscreen>(Document(), cache, layout);
    form->nFrame = 0;
    form->Form_Load();
    EXPECT_EQ(form->nFrame, 1);
    EXPECT_EQ(form->PlayTimer().interval(), 40);
    EXPECT_EQ(form->LblInfo(1).x(), 60);
    EXPECT_EQ(form->LblInfo(0).text(), FullscreenHelpText(1));
    ASSERT_NE(form->screen(), nullptr);
    EXPECT_EQ(form->size(), form->screen()->geometry().size());
    EXPECT_EQ(form->PicBG().size(), form->size());
    EXPECT_TRUE(form->windowState() & Qt::WindowFullScreen);
}

TEST_F(FullscreenWindow, EscapeStopsPlaybackAndClosesWhileEnterDoesNot)
{
    MakeProject(3);
    frmFullscreen &w = Open(1);
    w.show();
    w.PlayTimer().start();
    QTest::keyClick(&w, Qt::Key_Return);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.CmdExit().geometry().intersects(w.rect())); // out of sight
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.PlayTimer().isActive());
}

TEST_F(FullscreenWindow, ProjectWithoutFramesOrSizeShowsNoFrameAndDoesNotFail)
{
    MakeProject(0);
    frmFullscreen &w = Open(1);
    QTest::keyClick(&w, Qt::Key_End);
    EXPECT_EQ(w.nFrame, 0);
    w.timPlay_Timer();
    EXPECT_EQ(w.nFrame, 0);
    EXPECT_EQ(w.LblInfo(0).text(), FullscreenHelpText(0));
    EXPECT_NE(ShownOnScreen({500, 400}), QColor(Qt::black)); // the background still shows

    project.aWidth = 0;
    frmFullscreen &sizeless = Open(1);
    EXPECT_FALSE(sizeless.Geometry().drawable);
    EXPECT_EQ(ShownOnScreen({500, 400}), QColor(Qt::black));
}

} // namespace
} // namespace mrv::test
