// The offset dialog names its picture, moves it in the preview while the numbers change and
// takes the arrow keys; keys go to whichever box has the focus, as from a keyboard.

#include "editor/frmsetting.h"

#include "editing_fixture.h"
#include "editor/frmediter.h"
#include "editor/pictureedit.h"
#include "modal.h"
#include "modalscript.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

namespace mrv::test {
namespace {

TEST(NudgeOffset, StepsStayWithinTheStoredRange)
{
    EXPECT_EQ(NudgeOffset(0, 1), 1);
    EXPECT_EQ(NudgeOffset(5, -10), -5);
    EXPECT_EQ(NudgeOffset(29995, 10), 30000);
    EXPECT_EQ(NudgeOffset(30000, 1), 30000);
    EXPECT_EQ(NudgeOffset(-32765, -10), -32768);
    EXPECT_EQ(PictureName(0), QStringLiteral("背景"));
    EXPECT_EQ(PictureName(5), QStringLiteral("第 5 帧"));
}

void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

using OffsetPreview = EditingTest;

TEST_F(OffsetPreview, TheDialogNamesThePictureItEdits)
{
    frmEditer &w = LoadPictures();
    QString named;
    WithModal(
        [&] { QTest::mouseClick(w.Frames().RowSetting(2), Qt::LeftButton); },
        [&](QWidget &modal) { named = static_cast<frmSetting &>(modal).LblPicture().text(); });
    EXPECT_EQ(named, QStringLiteral("第 2 帧"));
    WithModal(
        [&] { QTest::mouseClick(w.Controls().cmdBackground_Setting, Qt::LeftButton); },
        [&](QWidget &modal) { named = static_cast<frmSetting &>(modal).LblPicture().text(); });
    EXPECT_EQ(named, QStringLiteral("背景"));
}

TEST_F(OffsetPreview, ThePictureMovesAsTheNumbersChangeAndCancelPutsItBack)
{
    frmEditer &w = LoadPictures();
    ASSERT_EQ(ShownFrameColour(), Green);
    ASSERT_EQ(ShownBackgroundColour(), Red);
    WithModal([&] { QTest::mouseClick(w.Frames().RowSetting(1), Qt::LeftButton); },
              [&](QWidget &modal) {
                  auto &d = static_cast<frmSetting &>(modal);
                  Focus(modal);
                  ASSERT_EQ(QApplication::focusWidget(), &d.TxtX());
                  // The text is selected on opening: typing replaces it.
                  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("-100"));
                  EXPECT_EQ(d.TxtX().text(), QStringLiteral("-100"));
                  // Frame 1 moved 100 project pixels left: its green half covers the left half.
                  EXPECT_EQ(ShownBackgroundColour(), Green);
                  EXPECT_FALSE(w.CurrentProject()->aChanged);
                  Key(Qt::Key_Escape);
              });
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(1)->aX, 0);
    EXPECT_FALSE(w.CurrentProject()->aChanged);
    EXPECT_EQ(ShownBackgroundColour(), Red);
    EXPECT_EQ(ShownFrameColour(), Green);

    // Editing frame 2 while frame 1 is current shows frame 2 while the dialog is up, and the
    // current frame again afterwards.
    WithModal([&] { QTest::mouseClick(w.Frames().RowSetting(2), Qt::LeftButton); },
              [&](QWidget &modal) {
                  Focus(modal);
                  EXPECT_EQ(ShownFrameColour(), Green);
                  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("-100"));
                  EXPECT_EQ(ShownBackgroundColour(), Yellow);
                  Key(Qt::Key_Return);
              });
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(2)->aX, -100);
    EXPECT_TRUE(w.CurrentProject()->aChanged);
    EXPECT_EQ(ShownFrameColour(), Green);
    EXPECT_EQ(ShownBackgroundColour(), Red);

    // The background follows too, and the close box restores it like Cancel.
    WithModal([&] { QTest::mouseClick(w.Controls().cmdBackground_Setting, Qt::LeftButton); },
              [&](QWidget &modal) {
                  Focus(modal);
                  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1024"));
                  EXPECT_EQ(PixelOf(*w.Controls().picBG, 10, 10), QColor(Qt::black));
                  modal.close();
              });
    EXPECT_EQ(w.CurrentProject()->aBackground->aX, 0);
    EXPECT_EQ(PixelOf(*w.Controls().picBG, 10, 10), Red);
}

TEST_F(OffsetPreview, ArrowKeysNudgeByOneAndShiftByTen)
{
    frmEditer &w = LoadPictures();
    WithModal([&] { QTest::mouseClick(w.Frames().RowSetting(3), Qt::LeftButton); },
              [&](QWidget &modal) {
                  auto &d = static_cast<frmSetting &>(modal);
                  Focus(modal);
                  ASSERT_EQ(QApplication::focusWidget(), &d.TxtX());
                  Key(Qt::Key_Right);
                  Key(Qt::Key_Right, Qt::ShiftModifier);
                  Key(Qt::Key_Left);
                  EXPECT_EQ(d.TxtX().text(), QStringLiteral("10"));
                  // Up and Down move Y whichever box has the focus.
                  Key(Qt::Key_Down, Qt::ShiftModifier);
                  Key(Qt::Key_Up);
                  EXPECT_EQ(d.TxtY().text(), QStringLiteral("9"));
                  EXPECT_EQ(d.TxtX().text(), QStringLiteral("10"));
                  Key(Qt::Key_Tab);
                  ASSERT_EQ(QApplication::focusWidget(), &d.TxtY());
                  Key(Qt::Key_Left, Qt::ShiftModifier);
                  EXPECT_EQ(d.TxtX().text(), QStringLiteral("0"));
                  Key(Qt::Key_Right, Qt::ShiftModifier | Qt::KeypadModifier);
                  EXPECT_EQ(d.TxtX().text(), QStringLiteral("10"));
                  // A box holding no number is left for the user to mend.
                  d.TxtY().setText(QStringLiteral("-"));
                  Key(Qt::Key_Down);
                  EXPECT_EQ(d.TxtY().text(), QStringLiteral("-"));
                  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("9"));
                  Key(Qt::Key_Return);
              });
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(3)->aX, 10);
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(3)->aY, -9);
    EXPECT_TRUE(w.CurrentProject()->aChanged);
}

} // namespace
} // namespace mrv::test
