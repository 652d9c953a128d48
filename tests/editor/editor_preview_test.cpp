#include "widgets/editorpreview.h"

#include "editor/framecommands.h"
#include "editor/framelist.h"
#include "editor/previewcommands.h"
#include "modal.h"
#include "preview/frmfullscreen.h"
#include "widgets/picturesurface.h"
#include "editor_fixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>

#include <thread>

namespace mrv::test {
namespace {

const QColor Red(255, 0, 0), Blue(0, 0, 255), Green(0, 255, 0), Yellow(255, 255, 0);

// A 1024 x 768 background: left half red, right half blue.
void WriteBackground(const QString &path)
{
    QImage bg(1024, 768, QImage::Format_RGB32);
    bg.fill(Red);
    QPainter(&bg).fillRect(512, 0, 512, 768, Blue);
    bg.save(path);
}

// A 200 x 200 frame: the left half transparent, the right half in the colour.
void WriteFrame(const QString &path, QColor colour)
{
    QImage frame(200, 200, QImage::Format_ARGB32);
    frame.fill(Qt::transparent);
    QPainter(&frame).fillRect(100, 0, 100, 200, colour);
    frame.save(path);
}

QColor Pixel(const PictureSurface &s, int x, int y)
{
    return QColor(s.Image().pixel(x, y));
}

class Preview : public EditorTest
{
protected:
    // A 1024 x 768 project in a preview box of outer size 512 x 384 (no border): scale 0.5.
    frmEditer &LoadHalfScale()
    {
        WriteBackground(folder.file(QStringLiteral("bg.png")));
        WriteFrame(folder.file(QStringLiteral("f1.png")), Green);
        WriteFrame(folder.file(QStringLiteral("f2.png")), Yellow);
        path = WriteProject(folder, QStringLiteral("half"), 3);
        frmEditer &w = Load({{path, path}});
        w.Controls().picBG->SetBorderWidth(0);
        SetClientSize({900, 384 + 78});
        EXPECT_EQ(w.Controls().picBG->size(), QSize(512, 384));
        return w;
    }
    QString path;
};

TEST_F(Preview, DrawsBackgroundAndFrameAtHalfScale)
{
    frmEditer &w = LoadHalfScale();
    EXPECT_DOUBLE_EQ(w.Preview().ScaleX, 0.5);
    EXPECT_DOUBLE_EQ(w.Preview().ScaleY, 0.5);
    const PictureSurface &bg = *w.Controls().picBG;
    const PictureSurface &act = *w.Controls().picA0;
    EXPECT_EQ(act.Placement(), QRect(206, 142, 100, 100));
    EXPECT_EQ(w.Controls().picA1->size(), QSize(100, 100));

    // The background fills the box at 512 x 384: red up to x 255, blue from 256.
    EXPECT_EQ(Pixel(bg, 0, 0), Red);
    EXPECT_EQ(Pixel(bg, 254, 383), Red);
    EXPECT_EQ(Pixel(bg, 257, 0), Blue);
    EXPECT_EQ(Pixel(bg, 511, 383), Blue);

    // Frame 1 at 100 x 100: its transparent left half shows the background under the
    // activity box (x 206..255 red, 256..305 blue), its right half is green.
    ASSERT_EQ(w.Controls().sldFrame->value(), 1);
    EXPECT_EQ(Pixel(act, 0, 0), Red);
    EXPECT_EQ(Pixel(act, 48, 99), Red);
    EXPECT_EQ(Pixel(act, 51, 50), Green);
    EXPECT_EQ(Pixel(act, 99, 99), Green);
    // The crop buffer holds exactly the background under the activity box.
    const QImage crop = w.Controls().picA1->Image();
    EXPECT_EQ(crop, bg.Image().copy(206, 142, 100, 100).convertToFormat(crop.format()));
}

TEST_F(Preview, APictureLargerThanThePreviewIsScaledOnlyWhereItShows)
{
    // 4096 x 3072 in a 1024 x 768 project: scaled whole it would be 2048 x 1536 here.
    QImage big(4096, 3072, QImage::Format_RGB32);
    big.fill(Red);
    QPainter(&big).fillRect(2048, 0, 2048, 3072, Blue);
    ASSERT_TRUE(big.save(folder.file(QStringLiteral("bg.png"))));
    WriteFrame(folder.file(QStringLiteral("f1.png")), Green);
    path = WriteProject(folder, QStringLiteral("big"), 1);
    frmEditer &w = Load({{path, path}});
    w.Controls().picBG->SetBorderWidth(0);
    SetClientSize({900, 384 + 78});
    ASSERT_EQ(w.Controls().picBG->size(), QSize(512, 384));

    const PictureSurface &bg = *w.Controls().picBG;
    EXPECT_EQ(Pixel(bg, 0, 0), Red);
    EXPECT_EQ(Pixel(bg, 511, 383), Red); // the picture's left quarter fills the box
    const PictureSurface &act = *w.Controls().picA0;
    EXPECT_EQ(Pixel(act, 0, 0), Red);
    EXPECT_EQ(Pixel(act, 99, 99), Green);
    // The decoded pictures and the frame's 100 x 100 copy: no 2048 x 1536 copy is kept.
    EXPECT_LE(w.Cache().CostBytes(), qint64(4096) * 3072 * 4 + (200 * 200 + 100 * 100) * 4);
}

TEST_F(Preview, FrameOffsetsCountFromTheAnimationAreaInProjectPixels)
{
    frmEditer &w = LoadHalfScale();
    w.Document().SetFrameOffset(2, -100, 0); // half a frame to the left: x -50 on screen
    w.Controls().sldFrame->setValue(2);
    const PictureSurface &act = *w.Controls().picA0;
    EXPECT_EQ(Pixel(act, 0, 10), Yellow);
    EXPECT_EQ(Pixel(act, 49, 10), Yellow);
    EXPECT_EQ(Pixel(act, 51, 10), Blue); // the previous frame's green is gone
}

TEST_F(Preview, BackgroundOffsetsRoundHalfToEven)
{
    frmEditer &w = LoadHalfScale();
    w.Document().SetBackgroundOffset(7, 0); // 3.5 -> 4
    const PictureSurface &bg = *w.Controls().picBG;
    EXPECT_EQ(Pixel(bg, 3, 10), QColor(Qt::black));
    EXPECT_EQ(Pixel(bg, 4, 10), Red);
    w.Document().SetBackgroundOffset(5, 0); // 2.5 -> 2
    EXPECT_EQ(Pixel(bg, 1, 10), QColor(Qt::black));
    EXPECT_EQ(Pixel(bg, 2, 10), Red);
}

// What the exports write for a frame without a picture: the piece of background alone.
TEST_F(Preview, AFrameWithoutAPictureShowsTheBackgroundPieceInEveryView)
{
    frmEditer &w = LoadHalfScale(); // f3.png does not exist
    FrameCommands::Install(w.Context());
    PreviewCommands::Install(w.Context());
    Activate();
    const PictureSurface &act = *w.Controls().picA0;
    const auto clickRow = [&](int row, Qt::KeyboardModifiers modifiers = {}) {
        QLabel *label = w.Frames().RowLabel(row);
        ASSERT_NE(label, nullptr);
        QTest::mouseClick(label, Qt::LeftButton, modifiers, QPoint(4, label->height() / 2));
    };
    // The frames paint their right half; the background under it is blue.
    clickRow(2);
    ASSERT_EQ(Pixel(act, 75, 50), Yellow);
    clickRow(3);
    EXPECT_EQ(Pixel(act, 75, 50), Blue);
    EXPECT_EQ(Pixel(act, 25, 50), Red);

    clickRow(1);
    ASSERT_EQ(Pixel(act, 75, 50), Green);
    QLineEdit *box = w.Frames().RowPath(1);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(3, box->height() / 2));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("gone.png"));
    EXPECT_EQ(Pixel(act, 75, 50), Blue);

    clickRow(1);
    clickRow(3, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    ASSERT_EQ(w.Document().FrameCount(), 0);
    EXPECT_EQ(w.Controls().lblFrameNumber->text(), QStringLiteral("0 / 0"));
    EXPECT_EQ(Pixel(act, 75, 50), Blue);

    const bool seen = WithModal([&] { QTest::mouseClick(w.Controls().cmdFullscreen, Qt::LeftButton); },
                                [&](QWidget &modal) {
                                    auto &full = static_cast<frmFullscreen &>(modal);
                                    EXPECT_TRUE(full.LblInfo(0).text().endsWith(
                                        QStringLiteral("当前帧 0")))
                                        << full.LblInfo(0).text();
                                    const QImage area = full.PicA(0).Image();
                                    EXPECT_EQ(QColor(area.pixel(area.width() * 3 / 4, 10)), Blue);
                                    QTest::keyClick(&full, Qt::Key_Home);
                                    EXPECT_EQ(full.nFrame, 0);
                                });
    EXPECT_TRUE(seen);

    // A background path that names nothing leaves the screen (and the piece) empty.
    Activate();
    QLineEdit &bg = *w.Controls().txtBackground;
    QTest::mouseClick(&bg, Qt::LeftButton, {}, QPoint(3, bg.height() / 2));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
    EXPECT_EQ(Pixel(*w.Controls().picBG, 0, 0), QColor(Qt::black));
    EXPECT_EQ(Pixel(act, 75, 50), QColor(Qt::black));
}

TEST_F(Preview, APictureEditedOnDiskIsDrawnAnew)
{
    frmEditer &w = LoadHalfScale();
    const PictureSurface &act = *w.Controls().picA0;
    ASSERT_EQ(Pixel(act, 99, 99), Green);
    // A new modification time, even within the same second as the first write.
    const QString f1 = folder.file(QStringLiteral("f1.png"));
    WriteFrame(f1, Yellow);
    QFile file(f1);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
    file.close();
    w.PicRedraw(1);
    EXPECT_EQ(Pixel(act, 99, 99), Yellow);
}

TEST_F(Preview, StepsThroughFramesWithoutDecodingAgain)
{
    frmEditer &w = LoadHalfScale();
    w.Controls().sldFrame->setValue(2);
    const qint64 decodes = w.Cache().DecodeCount();
    for (int i = 0; i < 10; ++i) {
        w.Controls().sldFrame->setValue(1);
        w.Controls().sldFrame->setValue(2);
    }
    EXPECT_EQ(w.Cache().DecodeCount(), decodes);
}

TEST(UsablePicture, NeedsAnAbsolutePathToAnExistingFile)
{
    TempFolder folder;
    const QString file = folder.write(QStringLiteral("a.png"), "x");
    EXPECT_TRUE(IsUsablePicture(file));
    EXPECT_FALSE(IsUsablePicture(folder.path()));
    EXPECT_FALSE(IsUsablePicture(folder.file(QStringLiteral("none.png"))));
    EXPECT_FALSE(IsUsablePicture(QString()));
    // Relative to an empty project folder, as for a new project without a file.
    const QString relative = QDir::current().relativeFilePath(file);
    EXPECT_FALSE(IsUsablePicture(relative));
}

} // namespace
} // namespace mrv::test
