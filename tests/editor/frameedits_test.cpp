// The frame edits in the editor: each one undo step named in the Edit menu, the colour dialog's
// live preview driven by keys, and the onion skin of the View menu.
#include "editor/frameeditcommands.h"
#include "editor/framemodel.h"
#include "editor/frmediter.h"
#include "editor/editormenus.h"
#include "editing_fixture.h"
#include "widgets/editorpreview.h"
#include "widgets/frameadjustdialog.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QSpinBox>
#include <QTest>

namespace mrv::test {
namespace {

class FrameEditsTest : public EditingTest
{
protected:
    FrameEditCommands &Install(frmEditer &w)
    {
        return FrameEditCommands::Install(w.Context(), *w.ViewMenu());
    }
};

} // namespace

TEST_F(FrameEditsTest, EachEditIsOneStepThatUndoesToTheSameFile)
{
    frmEditer &w = LoadPictures();
    FrameEditCommands &commands = Install(w);
    const QByteArray original = ReadAll(projectPath);
    struct Case
    {
        QAction *entry;
        QString step;
        std::function<void()> answer;
        bool writesPictures;
        std::optional<QPoint> placed; // where frame 2 goes, when the test knows
    };
    const QList<Case> cases = {
        // The pictures' right halves show: centred, they go 50 pixels left.
        {commands.CentreAction(), QStringLiteral("居中帧"), [] {}, false, QPoint(-50, 0)},
        {commands.SteadyAction(), QStringLiteral("稳定帧"),
         [this] { prompts.answerInput(QStringLiteral("20")); }, false, std::nullopt},
        // Half the size about the same centre: 50 pixels further in.
        {commands.AdjustAction(), QStringLiteral("调整颜色和大小"),
         [this] {
             prompts.answerAdjust(FrameAdjust{{90, 100, 100}, 50});
         },
         true, QPoint(80, 30)},
    };
    // Frame 2 is moved off its place first, so that centring and steadying move it back.
    w.Document().SetFrameOffset(2, 30, -20);
    ASSERT_TRUE(w.Document().Save(projectPath, false).ok());
    const QByteArray moved = ReadAll(projectPath);
    EXPECT_NE(moved, original);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.step.toStdString());
        w.Context().frameModel.Pick({2, 3}, 2);
        c.answer();
        ASSERT_TRUE(c.entry->isEnabled());
        c.entry->trigger();
        EXPECT_EQ(w.Menus().mnuUndo->text(), QStringLiteral("撤销 %1").arg(c.step));
        EXPECT_EQ(w.Document().Frame(1)->aURL, QStringLiteral("f1.png")); // not picked
        EXPECT_EQ(w.Document().Frame(2)->aURL.startsWith(QStringLiteral("anim_adjusted")),
                  c.writesPictures);
        if (c.placed) {
            EXPECT_EQ(QPoint(w.Document().Frame(2)->aX, w.Document().Frame(2)->aY), *c.placed);
        }
        w.Menus().mnuUndo->trigger();
        ASSERT_TRUE(w.Document().Save(projectPath, false).ok());
        EXPECT_EQ(ReadAll(projectPath), moved);
    }
    // A cancelled dialog changes nothing and adds no step.
    const int steps = w.Document().UndoStack()->count();
    commands.AdjustAction()->trigger();
    commands.SteadyAction()->trigger();
    EXPECT_EQ(w.Document().UndoStack()->count(), steps);
}

TEST_F(FrameEditsTest, TheColourDialogPreviewsWhatTheKeysChoose)
{
    QImage red(40, 40, QImage::Format_ARGB32);
    red.fill(QColor(220, 30, 30));
    FrameAdjustRequest request{QStringLiteral("颜色和大小"), red, {80, 80}, {200, 200}, {}};
    FrameAdjustDialog dialog(request);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QPoint centre(int(100 * 1.5), int(100 * 1.5));
    EXPECT_EQ(QColor(dialog.Preview().pixel(centre)), QColor(220, 30, 30));
    auto *hue = dialog.findChild<QSpinBox *>(QStringLiteral("numHue"));
    ASSERT_TRUE(hue);
    hue->setFocus();
    QTest::keyClick(hue, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(hue, QStringLiteral("120"));
    // A third of the way round: red turns green.
    const QColor turned(dialog.Preview().pixel(centre));
    EXPECT_GT(turned.green(), 150);
    EXPECT_LT(turned.red(), 60);
    EXPECT_EQ(dialog.Values().colour.hueDegrees, 120);
    auto *scale = dialog.findChild<QSpinBox *>(QStringLiteral("numScale"));
    scale->setFocus();
    QTest::keyClick(scale, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(scale, QStringLiteral("50"));
    // Half the size about the same centre: the picture's old corner shows the grey checks.
    const QColor corner(dialog.Preview().pixel(int(82 * 1.5), int(82 * 1.5)));
    EXPECT_TRUE(corner.red() == corner.green() && corner.green() == corner.blue()) << corner.name();
    EXPECT_GT(QColor(dialog.Preview().pixel(centre)).green(), 150);
}

TEST_F(FrameEditsTest, OnionSkinShowsTheNeighboursWhileAFrameIsPlaced)
{
    frmEditer &w = LoadPictures();
    FrameEditCommands &commands = Install(w);
    EditorPreview &preview = w.Preview();
    // Frame 2 (yellow) placed 100 pixels left: its own coloured half leaves the right half,
    // where only frames 1 (green) and 3 (magenta) lie.
    const auto placedRightHalf = [&] {
        preview.ShowOffset(2, QPoint(-100, 0));
        preview.DrawFrame(2);
        const QColor c = PixelOf(*w.Controls().picA0, 75, 50);
        preview.ClearShownOffset();
        return c;
    };
    EXPECT_EQ(placedRightHalf(), Red);
    commands.OnionSkinAction()->trigger();
    const QColor faint = placedRightHalf();
    EXPECT_NE(faint, Red);
    EXPECT_GT(faint.red(), faint.green()); // mostly background: faint
    EXPECT_GT(faint.green(), 0);
    EXPECT_GT(faint.blue(), 0);
    // Kept in the settings; off again, the neighbours go.
    EXPECT_TRUE(settings.ConfigDocument->select_node("/Soft/View[@OnionSkin='1']"));
    commands.OnionSkinAction()->trigger();
    EXPECT_EQ(placedRightHalf(), Red);
}

} // namespace mrv::test
