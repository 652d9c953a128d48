#include "editor/thumbnailstrip.h"

#include "editor/framecommands.h"
#include "editor/framelist.h"
#include "editor/framemodel.h"
#include "support/bootgeometry.h"

#include "editor_fixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QScreen>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QDropEvent>
#include <QListView>
#include <QMimeData>
#include <QUndoStack>
#include <QPainter>
#include <QSlider>
#include <QTest>
#include <QUrl>

#include <algorithm>
#include <functional>
#include <memory>

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

QStringList Urls(frmEditer &w)
{
    QStringList urls;
    for (const aImage &frame : w.Document().Project().aFrame)
        urls.append(frame.aURL);
    return urls;
}

QList<int> StripPicks(frmEditer &w)
{
    QList<int> frames;
    for (const QModelIndex &index : w.Strip().View().selectionModel()->selectedIndexes())
        frames.append(index.row() + 1);
    std::sort(frames.begin(), frames.end());
    return frames;
}

void ClickThumbnail(frmEditer &w, int frame, Qt::KeyboardModifiers modifiers = {})
{
    QListView &view = w.Strip().View();
    view.scrollTo(FrameIndex(w, frame));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers,
                      view.visualRect(FrameIndex(w, frame)).center());
}

void ClickRowNumber(frmEditer &w, int row, Qt::KeyboardModifiers modifiers = {})
{
    QLabel *label = w.Frames().RowLabel(row);
    ASSERT_NE(label, nullptr);
    QTest::mouseClick(label, Qt::LeftButton, modifiers, QPoint(4, label->height() / 2));
}

/// Drops local files on the strip's viewport at `at`, offered for copying or moving as a
/// file manager does; returns the action the drop settled on, and where the line showing the
/// place stood before the drop (empty when hidden).
Qt::DropAction DropOnStrip(frmEditer &w, QPoint at, const QStringList &files, QRect *line = nullptr)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &file : files)
        urls.append(QUrl::fromLocalFile(file));
    data.setUrls(urls);
    QWidget *viewport = w.Strip().View().viewport();
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    if (!enter.isAccepted() || !move.isAccepted())
        return Qt::IgnoreAction;
    if (auto *shown = viewport->findChild<QWidget *>(QStringLiteral("dropLine")); line && shown)
        *line = shown->isVisible() ? shown->geometry() : QRect();
    QDropEvent drop(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
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
    FrameModel &model = w.Strip().Model();

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
        return model.data(FrameIndex(w, f), FrameModel::ProblemRole).toString();
    };
    EXPECT_TRUE(problem(1).isEmpty());
    EXPECT_EQ(problem(2), w.Frames().RowProblem(2)); // missing: the path box's reason
    EXPECT_FALSE(problem(2).isEmpty());
    EXPECT_FALSE(problem(3).isEmpty()); // there, but unreadable
    EXPECT_TRUE(
        model.data(FrameIndex(w, LoopStartFrame(4)), FrameModel::LoopStartRole).toBool());

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
    FrameModel &model = w.Strip().Model();
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

/// Drags the picked thumbnails, as the strip packs them, onto the left edge of thumbnail
/// `before`; the strip's own mouse press picks what is dragged.
void DragPickedBefore(frmEditer &w, int before)
{
    QListView &view = w.Strip().View();
    std::unique_ptr<QMimeData> dragged(
        w.Strip().Model().mimeData(view.selectionModel()->selectedIndexes()));
    const QRect target = view.visualRect(FrameIndex(w, before));
    const QPoint at(target.left() + 2, target.center().y());
    QDragEnterEvent enter(at, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &enter);
    QDragMoveEvent move(at, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
    ASSERT_TRUE(move.isAccepted());
    QDropEvent drop(at, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &drop);
}

TEST_F(ThumbnailStripWindow, PickedFramesStayPickedAndCurrentWhereverTheyMove)
{
    const QString path = WriteProject(folder, QStringLiteral("moves"), 9);
    frmEditer &w = Load({{path, path}});
    FrameCommands::Install(w.Context());
    Activate();
    const QStringList start = Urls(w);
    const auto key = [&](QKeySequence keys) {
        QTest::keySequence(QApplication::focusWidget(), keys);
    };
    struct Step
    {
        const char *what;
        std::function<void()> act;
        QList<int> picks; // where the picked frames stand after the step
        int current;
        QStringList moved; // the frames that moved, in the order they now stand
    };
    const Step steps[] = {
        {"drag 7 before 2", [&] { ClickThumbnail(w, 7); DragPickedBefore(w, 2); }, {2}, 2,
         {QStringLiteral("f7.png")}},
        {"undo", [&] { key(QKeySequence::Undo); }, {7}, 7, {QStringLiteral("f7.png")}},
        {"redo", [&] { key(QKeySequence(QStringLiteral("Ctrl+Y"))); }, {2}, 2,
         {QStringLiteral("f7.png")}},
        {"move down", [&] { w.Menus().mnuFrameDown->trigger(); }, {3}, 3,
         {QStringLiteral("f7.png")}},
        {"move up twice", [&] { w.Menus().mnuFrameUp->trigger(); w.Menus().mnuFrameUp->trigger(); },
         {1}, 1, {QStringLiteral("f7.png")}},
        {"drag 5 and 6 before 9", // f7 stands first now
         [&] {
             ClickThumbnail(w, 5);
             ClickThumbnail(w, 6, Qt::ShiftModifier);
             DragPickedBefore(w, 9);
         },
         {7, 8}, 8, {QStringLiteral("f4.png"), QStringLiteral("f5.png")}},
        {"undo the drag", [&] { key(QKeySequence::Undo); }, {5, 6}, 6,
         {QStringLiteral("f4.png"), QStringLiteral("f5.png")}},
    };
    for (const Step &step : steps) {
        step.act();
        QStringList moved;
        for (int frame : step.picks)
            moved.append(Urls(w).at(frame - 1));
        EXPECT_EQ(moved, step.moved) << step.what;
        // Both views mark the same frames and show the same current one.
        EXPECT_EQ(StripPicks(w), step.picks) << step.what;
        EXPECT_EQ(w.Frames().Selection(), step.picks) << step.what;
        EXPECT_EQ(w.Strip().View().currentIndex().row(), step.current - 1) << step.what;
        EXPECT_EQ(w.Controls().sldFrame->value(), step.current) << step.what;
        const QLabel *label = w.Frames().RowLabel(step.current);
        ASSERT_NE(label, nullptr) << step.what;
        EXPECT_TRUE(label->property("selected").toBool()) << step.what;
        EXPECT_TRUE(w.Frames().Highlight()->geometry().contains(label->geometry().center()))
            << step.what;
    }
    key(QKeySequence::Undo);
    key(QKeySequence::Undo);
    key(QKeySequence::Undo);
    key(QKeySequence::Undo);
    EXPECT_EQ(Urls(w), start);
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

TEST_F(ThumbnailStripWindow, AFloatedStripLeavesTheSliderAndButtonsFreeOnAFullHeightWindow)
{
    frmEditer &w = Load();
    // As at 1024 x 768: the window takes the screen's whole height, no room above or below.
    const QRect free = w.screen()->availableGeometry();
    w.move(free.topLeft());
    w.resize(std::min(free.width(), w.width()),
             free.height() - (w.frameGeometry().height() - w.height()));
    ASSERT_EQ(w.frameGeometry().bottom(), free.bottom());
    w.Strip().setFloating(true);
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.Strip().frameGeometry().intersects(w.frameGeometry()))
        << "strip " << w.Strip().frameGeometry().top() << ", window bottom "
        << w.frameGeometry().bottom();
    EXPECT_TRUE(free.contains(w.Strip().frameGeometry()));
}

TEST_F(ThumbnailStripWindow, ShiftAndCtrlClicksPickThumbnailsAndTheFrameMenuActsOnThePicks)
{
    const QString path = WriteProject(folder, QStringLiteral("picks"), 8);
    frmEditer &w = Load({{path, path}});
    FrameCommands::Install(w.Context());
    Activate();
    const QStringList start = Urls(w);

    ClickThumbnail(w, 2);
    ClickThumbnail(w, 4, Qt::ShiftModifier);
    EXPECT_EQ(w.Frames().Selection(), (QList<int>{2, 3, 4}));
    ClickThumbnail(w, 3, Qt::ControlModifier);
    ClickThumbnail(w, 6, Qt::ControlModifier);
    EXPECT_EQ(w.Frames().Selection(), (QList<int>{2, 4, 6}));
    EXPECT_EQ(StripPicks(w), (QList<int>{2, 4, 6}));
    EXPECT_TRUE(w.Frames().RowLabel(4)->property("selected").toBool());
    EXPECT_EQ(w.Controls().sldFrame->value(), 6);
    w.Menus().mnuFrameReverse->trigger();
    QStringList reversed = start;
    reversed.swapItemsAt(1, 5);
    EXPECT_EQ(Urls(w), reversed);

    // Picks made on the row numbers show in the strip.
    ClickRowNumber(w, 7);
    ClickRowNumber(w, 8, Qt::ShiftModifier);
    EXPECT_EQ(StripPicks(w), (QList<int>{7, 8}));
    // A frame reached by the slider is what the menu acts on, and the only one marked.
    w.Controls().sldFrame->setValue(5);
    EXPECT_EQ(StripPicks(w), QList<int>{5});
    EXPECT_EQ(w.Frames().Selection(), QList<int>{5});

    // Delete in the strip, after a click there, removes its picks.
    ClickThumbnail(w, 1);
    ClickThumbnail(w, 2, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), &w.Strip().View());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    EXPECT_EQ(Urls(w), reversed.mid(2));
    w.Document().UndoStack()->undo();
    w.Document().UndoStack()->undo();
    EXPECT_EQ(Urls(w), start);
}

TEST_F(ThumbnailStripWindow, FilesDroppedOnTheStripBecomeFramesWhereTheyFallInOneStep)
{
    const QString path = WriteProject(folder, QStringLiteral("drops"), 4);
    frmEditer &w = Load({{path, path}});
    FrameCommands::Install(w.Context());
    const QStringList start = Urls(w);
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("new")));
    const QString n1 = WritePicture(folder.file(QStringLiteral("new/n1.png")), {200, 200}, Qt::red);
    const QString n2 =
        WritePicture(folder.file(QStringLiteral("new/n2.png")), {200, 200}, Qt::blue);
    const QString notes = folder.write(QStringLiteral("new/notes.txt"), "not a picture");
    prompts.answerMessage(MsgAnswer::Ok);

    // The right half of thumbnail 2: after it. The files come in natural order.
    const QRect second = w.Strip().View().visualRect(FrameIndex(w, 2));
    QRect line;
    EXPECT_EQ(DropOnStrip(w, {second.right() - 3, second.center().y()}, {n2, notes, n1}, &line),
              Qt::CopyAction);
    EXPECT_TRUE(line.contains(second.right(), second.center().y())) << line.x();
    QTRY_COMPARE(Urls(w).size(), 6);
    QStringList expected = start;
    expected.insert(2, QStringLiteral("new\\n1.png"));
    expected.insert(3, QStringLiteral("new\\n2.png"));
    EXPECT_EQ(Urls(w), expected);
    EXPECT_EQ(StripPicks(w), (QList<int>{3, 4}));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages.first().text.contains(QStringLiteral("notes.txt")));

    // One picture on the left half of thumbnail 1: before it.
    const QRect first = w.Strip().View().visualRect(FrameIndex(w, 1));
    EXPECT_EQ(DropOnStrip(w, {first.left() + 3, first.center().y()}, {n2}), Qt::CopyAction);
    QTRY_COMPARE(Urls(w).size(), 7);
    EXPECT_EQ(Urls(w).first(), QStringLiteral("new\\n2.png"));

    w.Document().UndoStack()->undo();
    w.Document().UndoStack()->undo();
    EXPECT_EQ(Urls(w), start);
}

} // namespace
} // namespace mrv::test
