#include "editor/framelist.h"

#include "widgets/windowlayout.h"
#include "editor_fixture.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>

namespace mrv::test {
namespace {

using FrameListWindow = EditorTest;

// The rows the window shows must sit where their index puts them, whichever widgets they use.
void ExpectRowsInPlace(frmEditer &w)
{
    FrameList &list = w.Frames();
    const RowTemplate t = list.Template();
    const int pitch = list.Metrics().RowPitch;
    int seen = 0;
    for (int i = 1; i <= list.RowCount(); ++i) {
        QLabel *label = list.RowLabel(i);
        if (!label)
            continue;
        ++seen;
        EXPECT_EQ(label->text(), QStringLiteral("%1").arg(i, 3, 10, QChar(u'0')));
        EXPECT_EQ(label->objectName(), QStringLiteral("lblFrame"));
        EXPECT_EQ(ControlIndex(*label), i);
        EXPECT_EQ(label->y(), t.label.top() + (i - 1) * pitch);
        EXPECT_EQ(list.RowPath(i)->y(), t.path.top() + (i - 1) * pitch);
        EXPECT_EQ(list.RowPath(i)->text(), list.RowText(i));
        EXPECT_EQ(list.RowSetting(i)->x(), list.Arrangement().settingLeft);
        EXPECT_EQ(list.RowBrowse(i)->x(), list.Arrangement().browseLeft);
        EXPECT_EQ(list.RowPath(i)->width(), list.Arrangement().pathWidth);
    }
    EXPECT_GT(seen, 0);
}

TEST_F(FrameListWindow, RowMetricsAndHighlightComeFromTheTemplate)
{
    settings.ListDistance = 6;
    frmEditer &w = Load();
    const RowMetrics &m = w.Frames().Metrics();
    EXPECT_EQ(m.RowPitch, m.RowBottom - m.RowTop + 6);
    EXPECT_EQ(w.Frames().Highlight()->height(), m.RowBottom - m.RowTop + 8);
    EXPECT_EQ(w.Frames().Highlight()->y(), m.RowTop - 4);
    w.Controls().sldFrame->setValue(3);
    EXPECT_EQ(w.Frames().Highlight()->y(), 2 * m.RowPitch + m.RowTop - 4);
    ExpectRowsInPlace(w);
}

TEST_F(FrameListWindow, ClickingARowNumberShowsThatFrame)
{
    frmEditer &w = Load();
    QLabel *label = w.Frames().RowLabel(7);
    ASSERT_NE(label, nullptr);
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(w.Controls().sldFrame->value(), 7);
    EXPECT_EQ(w.Frames().Highlight()->y(), HighlightTop(7, w.Frames().Metrics()));
}

TEST_F(FrameListWindow, ScrollbarRangeStepsAndPanelPosition)
{
    frmEditer &w = Load();
    FrameList &list = w.Frames();
    QScrollBar &scroll = *list.ScrollBar();
    const int panelInner = list.Panel()->contentsRect().height();
    ASSERT_TRUE(scroll.isEnabled());
    EXPECT_EQ(scroll.maximum(), 32767);
    EXPECT_EQ(list.Inner()->height(), list.Template().label.top() + 105 * list.Metrics().RowPitch);
    const double overflow = list.Inner()->height() - panelInner;
    EXPECT_EQ(scroll.pageStep(), qRound(32767 / (overflow / 1000 + 1)));
    EXPECT_EQ(scroll.singleStep(), qRound(32767 / (overflow / 100 + 10)));
    EXPECT_EQ(scroll.value(), 1);

    scroll.setValue(32767);
    EXPECT_EQ(list.Inner()->y(), -(list.Inner()->height() - list.Panel()->height()));
    EXPECT_NE(list.RowLabel(105), nullptr);
    EXPECT_EQ(list.RowLabel(1), nullptr);
    ExpectRowsInPlace(w);
    scroll.setValue(0);
    EXPECT_EQ(list.Inner()->y(), 0);
    EXPECT_NE(list.RowLabel(1), nullptr);
    ExpectRowsInPlace(w);
}

TEST_F(FrameListWindow, AListThatFitsDisablesTheScrollbar)
{
    const QString path = WriteProject(folder, QStringLiteral("three"), 3);
    frmEditer &w = Load({{path, path}});
    FrameList &list = w.Frames();
    EXPECT_FALSE(list.ScrollBar()->isEnabled());
    EXPECT_EQ(list.Inner()->height(), list.Panel()->contentsRect().height());
    EXPECT_EQ(list.Inner()->y(), 0);
}

TEST_F(FrameListWindow, FrameFocusScrollsToFollowTheFrame)
{
    settings.FrameFocus = true;
    frmEditer &w = Load();
    QSlider &slider = *w.Controls().sldFrame;
    slider.setValue(105);
    EXPECT_EQ(w.Frames().ScrollBar()->value(), 32767);
    EXPECT_NE(w.Frames().RowLabel(105), nullptr);
    slider.setValue(1);
    EXPECT_EQ(w.Frames().ScrollBar()->value(), 0);
    // Every frame's row comes into view, as playback steps through them.
    const QRect view = w.Frames().Panel()->contentsRect();
    for (int v = 2; v <= 105; ++v) {
        w.timPlay_Timer();
        const QLabel *label = w.Frames().RowLabel(v);
        ASSERT_NE(label, nullptr) << v;
        const QRect row(label->mapTo(w.Frames().Panel(), QPoint(0, 0)), label->size());
        EXPECT_TRUE(view.contains(row)) << v;
    }

    const QString one = WriteProject(folder, QStringLiteral("one"), 1);
    ASSERT_TRUE(w.Commands().OpenProjectFile(one));
    w.sldFrame_Change();
    EXPECT_EQ(w.Frames().ScrollBar()->value(), 0);
}

// Whether row `row` shows whole in the list's panel, as the user sees it.
bool ShowsWhole(frmEditer &w, int row)
{
    const QLabel *label = w.Frames().RowLabel(row);
    const QLineEdit *path = w.Frames().RowPath(row);
    if (!label || !path || !label->isVisible())
        return false;
    const QWidget *panel = w.Frames().Panel();
    const QRect view = panel->contentsRect();
    return view.contains(QRect(label->mapTo(panel, QPoint(0, 0)), label->size())) &&
           view.contains(QRect(path->mapTo(panel, QPoint(0, 0)), path->size()));
}

TEST_F(FrameListWindow, TheListFollowsTheCurrentFrameButNotUnderAClick)
{
    for (const bool frameFocus : {false, true}) {
        SCOPED_TRACE(frameFocus);
        settings.FrameFocus = frameFocus;
        frmEditer &w = Load();
        QSlider &slider = *w.Controls().sldFrame;
        slider.setValue(90);
        EXPECT_TRUE(ShowsWhole(w, 90));
        // Playback to the end and round into the loop; stopped at 81, the row shows.
        for (int tick = 0; tick < 36; ++tick) {
            w.timPlay_Timer();
            EXPECT_TRUE(ShowsWhole(w, slider.value())) << slider.value();
        }
        ASSERT_EQ(slider.value(), 81);

        // A click on the lowest row in view leaves the list where it is.
        QScrollBar &scroll = *w.Frames().ScrollBar();
        scroll.setValue(scroll.maximum() / 3);
        int lowest = 0;
        for (int row = 1; row <= 105; ++row)
            if (ShowsWhole(w, row))
                lowest = row;
        ASSERT_GT(lowest, 0);
        const int before = scroll.value();
        QTest::mouseClick(w.Frames().RowLabel(lowest), Qt::LeftButton);
        EXPECT_EQ(slider.value(), lowest);
        EXPECT_EQ(scroll.value(), before);
    }
}

TEST_F(FrameListWindow, KeysAndPathBoxesChooseTheCurrentFrame)
{
    frmEditer &w = Load();
    Activate();
    QSlider &slider = *w.Controls().sldFrame;
    QTest::mouseClick(w.Frames().RowLabel(3), Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), w.Frames().Panel());
    const struct
    {
        Qt::Key key;
        int expected;
    } steps[] = {{Qt::Key_Down, 4}, {Qt::Key_Up, 3},   {Qt::Key_End, 105},
                 {Qt::Key_Up, 104}, {Qt::Key_Home, 1}, {Qt::Key_Up, 1}};
    for (const auto &step : steps) {
        QTest::keyClick(QApplication::focusWidget(), step.key);
        EXPECT_EQ(slider.value(), step.expected) << step.key;
        EXPECT_TRUE(ShowsWhole(w, step.expected)) << step.key;
        EXPECT_EQ(w.Frames().Selection(), QList<int>{step.expected}) << step.key;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
    const int page = slider.value();
    EXPECT_GT(page, 2);
    EXPECT_TRUE(ShowsWhole(w, page));
    EXPECT_FALSE(ShowsWhole(w, page + 2));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
    EXPECT_EQ(slider.value(), 1);

    // Clicking into a row's path box makes its frame current; typing there stays text.
    QLineEdit *box = w.Frames().RowPath(5);
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    EXPECT_EQ(slider.value(), 5);
    QTest::keyClick(box, Qt::Key_Home);
    EXPECT_EQ(slider.value(), 5);
    // Tab on to the next row's path box (past its two buttons).
    QTest::keyClick(box, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.Frames().RowPath(6));
    EXPECT_EQ(slider.value(), 6);
}

TEST_F(FrameListWindow, ResizingKeepsRowsFollowingThePanelWidth)
{
    frmEditer &w = Load();
    SetClientSize({900, 500});
    const int narrow = w.Frames().RowPath(1)->width();
    SetClientSize({1300, 500});
    EXPECT_EQ(w.Frames().RowPath(1)->width(), narrow + 400);
    ExpectRowsInPlace(w);
}

TEST_F(FrameListWindow, TenThousandFramesMakeWidgetsOnlyForRowsInView)
{
    MVK big;
    big.AddNew();
    for (int i = 106; i <= 10000; ++i)
        big.aFrame.Add(QStringLiteral("frames\\%1.png").arg(i), 0, 0);
    const QString path = folder.file(QStringLiteral("big.mrv"));
    ASSERT_TRUE(big.SaveFile(path, {}).ok());
    frmEditer &w = Load({{path, path}});
    FrameList &list = w.Frames();
    EXPECT_EQ(list.RowCount(), 10000);
    EXPECT_LT(list.Inner()->findChildren<QLineEdit *>().size(), 60);

    w.Controls().sldFrame->setValue(9999);
    list.ScrollBar()->setValue(list.ScrollBar()->maximum());
    ASSERT_NE(list.RowLabel(10000), nullptr);
    EXPECT_EQ(list.RowLabel(10000)->text(), QStringLiteral("10000"));
    EXPECT_EQ(list.RowPath(10000)->text(), QStringLiteral("frames\\10000.png"));
    EXPECT_LT(list.Inner()->findChildren<QLineEdit *>().size(), 60);
    ExpectRowsInPlace(w);
}

TEST_F(FrameListWindow, ARowShowsItsWholeNumberAndTheEndOfItsPath)
{
    const QString deep = folder.file(QStringLiteral("pictures/boot/animations/winter/"
                                                    "snowfall-sequence/frames-at-full-size/"));
    ASSERT_TRUE(QDir().mkpath(deep));
    WritePicture(deep + QStringLiteral("f0003.png"), {200, 200}, Qt::red);
    struct Case
    {
        const char *what;
        int frames;
        int row;
        QString url;
        bool elided;
    };
    const Case cases[] = {
        {"five digits", 10000, 10000, QStringLiteral("frames\\10000.png"), false}, // missing
        {"three digits, a long absolute path", 105, 3, deep + QStringLiteral("f0003.png"), true},
    };
    for (const Case &c : cases) {
        MVK project;
        project.AddNew();
        project.aFrame.Item(c.row <= 105 ? c.row : 1)->aURL = c.url;
        for (int i = 106; i <= c.frames; ++i)
            project.aFrame.Add(i == c.row ? c.url : QStringLiteral("frames\\%1.png").arg(i), 0,
                               0);
        const QString path = folder.file(QStringLiteral("rows.mrv"));
        ASSERT_TRUE(project.SaveFile(path, {}).ok());
        frmEditer &w = Load({{path, path}});
        FrameList &list = w.Frames();
        w.Controls().sldFrame->setValue(c.row);
        const QLabel *label = list.RowLabel(c.row);
        auto *box = dynamic_cast<PathBox *>(list.RowPath(c.row));
        ASSERT_TRUE(label && box) << c.what;
        // The number fits its label, and the path box starts after it.
        EXPECT_EQ(label->text(), QString::number(c.row).rightJustified(3, u'0')) << c.what;
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                  label->contentsRect().width())
            << c.what;
        EXPECT_GT(box->x(), label->geometry().right()) << c.what;
        // A path too long for its box keeps its file name in view; the tip has all of it (a
        // marked box's tip gives the reason).
        EXPECT_EQ(box->text(), c.url) << c.what;
        EXPECT_TRUE(box->ShownText().endsWith(c.url.right(9))) << c.what; // the file name
        if (c.elided) {
            EXPECT_NE(box->ShownText(), c.url) << c.what;
            EXPECT_TRUE(box->ShownText().startsWith(c.url.left(1))) << c.what; // its start
            EXPECT_EQ(box->toolTip(), c.url) << c.what;
        }
    }
}

TEST_F(FrameListWindow, TheWheelScrollsTheList)
{
    frmEditer &w = Load();
    QScrollBar &scroll = *w.Frames().ScrollBar();
    scroll.setValue(0);
    QWidget *target = w.Frames().RowPath(2);
    ASSERT_NE(target, nullptr);
    const QPoint at(5, 5);
    QWheelEvent down(QPointF(at), QPointF(target->mapToGlobal(at)), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &down);
    EXPECT_GT(scroll.value(), 0);
}

// A wheel notch as the mouse sends it, over the widget at its top-left corner.
void WheelDown(QWidget &over, int notches)
{
    const QPoint at(5, 5);
    for (int i = 0; i < notches; ++i) {
        QWheelEvent down(QPointF(at), QPointF(over.mapToGlobal(at)), QPoint(), QPoint(0, -120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&over, &down);
    }
}

TEST_F(FrameListWindow, TypingAfterScrollingNeverReachesAnotherField)
{
    frmEditer &w = Load();
    Activate();
    FrameList &list = w.Frames();
    QLineEdit *row1 = list.RowPath(1);
    ASSERT_NE(row1, nullptr);
    QTest::mouseClick(row1, Qt::LeftButton, {}, QPoint(5, row1->height() / 2));
    ASSERT_EQ(QApplication::focusWidget(), row1);
    const QString name = w.CurrentProject()->aName;
    QStringList paths;
    for (const aImage &frame : w.CurrentProject()->aFrame)
        paths.append(frame.aURL);

    WheelDown(*list.Panel(), 10);
    ASSERT_GT(list.ScrollBar()->value(), 0);
    ASSERT_LT(list.Inner()->y() + row1->geometry().bottom(), 0); // row 1 is out of view
    QTest::keyClick(row1, Qt::Key_End);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ZZ"));

    EXPECT_EQ(w.CurrentProject()->aName, name);
    EXPECT_EQ(w.Controls().txtProjectName->text(), name);
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(1)->aURL, paths.at(0) + QStringLiteral("ZZ"));
    for (int i = 2; i <= list.RowCount(); ++i)
        EXPECT_EQ(w.CurrentProject()->aFrame.Item(i)->aURL, paths.at(i - 1)) << i;
    for (int i = 2; i <= list.RowCount(); ++i) {
        if (QLineEdit *box = list.RowPath(i)) {
            EXPECT_EQ(box->text(), paths.at(i - 1)) << i;
        }
    }
    ExpectRowsInPlace(w);

    // Scrolling back shows row 1 with what was typed.
    list.ScrollBar()->setValue(0);
    ASSERT_NE(list.RowPath(1), nullptr);
    EXPECT_EQ(list.RowPath(1)->text(), paths.at(0) + QStringLiteral("ZZ"));
}

TEST_F(FrameListWindow, ReloadingTheRowsTakesTheFocusOffTheList)
{
    frmEditer &w = Load();
    Activate();
    QLineEdit *row1 = w.Frames().RowPath(1);
    ASSERT_NE(row1, nullptr);
    QTest::mouseClick(row1, Qt::LeftButton, {}, QPoint(5, row1->height() / 2));
    ASSERT_EQ(QApplication::focusWidget(), row1);
    const QString one = WriteProject(folder, QStringLiteral("one"), 1);
    ASSERT_TRUE(w.Commands().OpenProjectFile(one));
    const QString name = w.CurrentProject()->aName;
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ZZ"));
    EXPECT_EQ(w.CurrentProject()->aName, name);
    EXPECT_EQ(w.CurrentProject()->aFrame.Item(1)->aURL, QStringLiteral("f1.png"));
    EXPECT_FALSE(w.CurrentProject()->aChanged);
}

} // namespace
} // namespace mrv::test
