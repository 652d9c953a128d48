#include "editor/thumbnailstrip.h"

#include "editor/framelist.h"
#include "editor/framestripmodel.h"
#include "support/bootgeometry.h"

#include "editor_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QDropEvent>
#include <QListView>
#include <QMimeData>
#include <QUndoStack>
#include <QPainter>
#include <QSlider>
#include <QTest>

namespace mrv::test {
namespace {

using ThumbnailStripWindow = EditorTest;

QModelIndex FrameIndex(frmEditer &w, int frame)
{
    return w.Strip().Model().index(frame - 1);
}

bool ShownInStrip(frmEditer &w, int frame)
{
    const QListView &view = w.Strip().View();
    return view.viewport()->rect().contains(view.visualRect(FrameIndex(w, frame)));
}

TEST_F(ThumbnailStripWindow, ThumbnailsComposeTheAreaAndMarkPicturesThatCannotBeShown)
{
    // Background: left half red, right half blue, so the area (412..612) shows both; frame 1
    // is green on its right half and transparent on its left.
    QImage bg(1024, 768, QImage::Format_RGB32);
    bg.fill(Qt::red);
    QPainter(&bg).fillRect(512, 0, 512, 768, Qt::blue);
    bg.save(folder.file(QStringLiteral("bg.png")));
    QImage frame(200, 200, QImage::Format_ARGB32);
    frame.fill(Qt::transparent);
    QPainter(&frame).fillRect(150, 0, 50, 200, Qt::green);
    frame.save(folder.file(QStringLiteral("f1.png")));
    folder.write(QStringLiteral("f3.png"), QByteArray("not a picture"));
    const QString path = WriteProject(folder, QStringLiteral("marks"), 4);
    WritePicture(folder.file(QStringLiteral("f4.png")), {200, 200}, Qt::yellow);
    frmEditer &w = Load({{path, path}});
    FrameStripModel &model = w.Strip().Model();

    const auto thumb = [&](int f) {
        return model.data(FrameIndex(w, f), Qt::DecorationRole).value<QImage>();
    };
    QTRY_VERIFY(!thumb(1).isNull() && !thumb(3).isNull() && !thumb(4).isNull());
    const QImage one = thumb(1);
    const int side = one.width();
    EXPECT_EQ(QColor(one.pixel(side / 8, side / 2)), QColor(Qt::red));
    EXPECT_EQ(QColor(one.pixel(5 * side / 8, side / 2)), QColor(Qt::blue));
    EXPECT_EQ(QColor(one.pixel(7 * side / 8, side / 2)), QColor(Qt::green));

    const auto problem = [&](int f) {
        return model.data(FrameIndex(w, f), FrameStripModel::ProblemRole).toString();
    };
    EXPECT_TRUE(problem(1).isEmpty());
    EXPECT_EQ(problem(2), w.Frames().RowProblem(2)); // missing: the path box's reason
    EXPECT_FALSE(problem(2).isEmpty());
    EXPECT_FALSE(problem(3).isEmpty()); // there, but unreadable
    EXPECT_TRUE(
        model.data(FrameIndex(w, LoopStartFrame(4)), FrameStripModel::LoopStartRole).toBool());

    // A new offset names the frame: its thumbnail is made again, the frame moved.
    ASSERT_TRUE(w.Document().SetFrameOffset(4, 100, 0));
    QTRY_VERIFY(!thumb(4).isNull());
    EXPECT_EQ(QColor(thumb(4).pixel(side / 4, side / 2)), QColor(Qt::red));
    EXPECT_EQ(QColor(thumb(4).pixel(3 * side / 4, side / 2)), QColor(Qt::yellow));
}

TEST_F(ThumbnailStripWindow, ClickingPlayingAndKeysKeepTheStripOnTheCurrentFrame)
{
    frmEditer &w = Load();
    Activate();
    QSlider &slider = *w.Controls().sldFrame;
    QListView &view = w.Strip().View();
    ASSERT_TRUE(ShownInStrip(w, 1));

    view.scrollTo(FrameIndex(w, 12));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      view.visualRect(FrameIndex(w, 12)).center());
    EXPECT_EQ(slider.value(), 12);
    EXPECT_TRUE(w.Controls().lblFrameNumber->text().contains(QStringLiteral("12")));
    EXPECT_EQ(view.currentIndex().row(), 11);

    slider.setValue(90);
    EXPECT_TRUE(ShownInStrip(w, 90));
    EXPECT_EQ(view.currentIndex().row(), 89);
    for (int tick = 0; tick < 36; ++tick) {
        w.timPlay_Timer();
        EXPECT_TRUE(ShownInStrip(w, slider.value())) << slider.value();
    }
    EXPECT_EQ(view.selectionModel()->selectedIndexes(),
              QModelIndexList{FrameIndex(w, slider.value())});

    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_EQ(slider.value(), 82);
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(slider.value(), 105);
    EXPECT_TRUE(ShownInStrip(w, 105));
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_EQ(slider.value(), 1);
}

TEST_F(ThumbnailStripWindow, DroppingThumbnailTenOnThreeMovesItInOneUndoStep)
{
    frmEditer &w = Load();
    QStringList before;
    for (const aImage &frame : w.Document().Project().aFrame)
        before.append(frame.aURL);
    ASSERT_NE(before.at(9), before.at(2));
    QListView &view = w.Strip().View();
    FrameStripModel &model = w.Strip().Model();
    std::unique_ptr<QMimeData> dragged(model.mimeData({FrameIndex(w, 10)}));
    const QPoint at = view.visualRect(FrameIndex(w, 3)).center();
    QDragEnterEvent enter(at, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &enter);
    QDragMoveEvent move(at, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
    ASSERT_TRUE(move.isAccepted());
    QDropEvent drop(at, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &drop);

    QStringList after;
    for (const aImage &frame : w.Document().Project().aFrame)
        after.append(frame.aURL);
    QStringList expected = before;
    expected.move(9, 2);
    EXPECT_EQ(after, expected);
    EXPECT_EQ(model.rowCount(), 105);
    w.Document().UndoStack()->undo();
    after.clear();
    for (const aImage &frame : w.Document().Project().aFrame)
        after.append(frame.aURL);
    EXPECT_EQ(after, before);
}

TEST_F(ThumbnailStripWindow, TheViewMenuHidesTheStripAndTheNextStartRemembers)
{
    frmEditer &w = Load();
    const int client = w.Client().height();
    QAction *toggle = w.Strip().toggleViewAction();
    ASSERT_TRUE(w.ViewMenu()->actions().contains(toggle));
    toggle->trigger();
    w.layout()->activate();
    EXPECT_FALSE(w.Strip().isVisible());
    EXPECT_GT(w.Client().height(), client); // the controls take the room back

    // The next window opens with the strip as this one closed.
    ASSERT_TRUE(w.close());
    frmEditer &again = Load();
    EXPECT_FALSE(again.Strip().isVisible());
    again.Strip().toggleViewAction()->trigger();
    EXPECT_TRUE(again.Strip().isVisible());
    ASSERT_TRUE(again.close());
    EXPECT_TRUE(Load().Strip().isVisible());
}

} // namespace
} // namespace mrv::test
