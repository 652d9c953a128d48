#include "widgets/playback.h"

#include "editor/framelist.h"
#include "editor_fixture.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <limits>

namespace mrv::test {
namespace {

TEST(Playback, WrapsToTheLoopStartAtTheSameProportion)
{
    EXPECT_EQ(NextPlayFrame(104, 105), 105);
    EXPECT_EQ(NextPlayFrame(105, 105), 61);
    EXPECT_EQ(NextPlayFrame(1, 105), 2);
    EXPECT_EQ(NextPlayFrame(50, 50), 29); // 61/105 * 50 = 29.05
    EXPECT_EQ(NextPlayFrame(1, 1), 1);
    EXPECT_EQ(LoopStart(2), 1);   // 1.16
    EXPECT_EQ(LoopStart(210), 122);
    EXPECT_EQ(LoopStart(0), 0);
}

TEST(Playback, OneFullCycleOf105FramesPlaysTheIntroOnceThenLoops)
{
    QList<int> shown;
    int frame = 1;
    for (int tick = 0; tick < 150; ++tick) {
        frame = NextPlayFrame(frame, 105);
        shown.append(frame);
    }
    EXPECT_EQ(shown.at(103), 105);
    EXPECT_EQ(shown.at(104), 61);
    EXPECT_EQ(shown.at(104 + 45), 61);
    EXPECT_EQ(shown.count(1), 0);
}

TEST(Playback, NeverFasterThanOneFramePerScreenRefresh)
{
    EXPECT_EQ(RefreshInterval(60.0), 17); // 16.7 ms rounded up: no refresh shows two frames
    EXPECT_EQ(RefreshInterval(144.0), 7);
    EXPECT_EQ(RefreshInterval(50.0), 20);
    // A screen that reports no rate, or nonsense, is taken as a 60 Hz one.
    for (double rate : {0.0, -5.0, 1e9, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(RefreshInterval(rate), 17) << rate;

    EXPECT_EQ(PlayInterval(0, 17), 17);
    EXPECT_EQ(PlayInterval(16, 17), 17);
    EXPECT_EQ(PlayInterval(17, 17), 17);
    EXPECT_EQ(PlayInterval(75, 17), 75);
    EXPECT_EQ(PlayInterval(65535, 7), 65535);
}

class PlaybackWindow : public EditorTest
{
};

TEST_F(PlaybackWindow, PlayButtonTogglesThePreciseTimerAndItsCaption)
{
    frmEditer &w = Load();
    QPushButton &play = *w.Controls().cmdPlay;
    EXPECT_EQ(play.text(), QStringLiteral("播放"));
    EXPECT_FALSE(w.PlayTimer().isActive());
    EXPECT_EQ(w.PlayTimer().interval(), 75);
    EXPECT_EQ(w.PlayTimer().timerType(), Qt::PreciseTimer);

    play.click();
    EXPECT_TRUE(w.PlayTimer().isActive());
    EXPECT_EQ(play.text(), QStringLiteral("停止"));
    play.click();
    EXPECT_FALSE(w.PlayTimer().isActive());
    EXPECT_EQ(play.text(), QStringLiteral("开始"));
}

TEST_F(PlaybackWindow, TicksStepTheSliderAndWrapIntoTheLoop)
{
    frmEditer &w = Load();
    QSlider &slider = *w.Controls().sldFrame;
    ASSERT_EQ(slider.maximum(), 105);
    slider.setValue(104);
    w.timPlay_Timer();
    EXPECT_EQ(slider.value(), 105);
    w.timPlay_Timer();
    EXPECT_EQ(slider.value(), 61);
    // The highlight follows the frame shown.
    EXPECT_EQ(w.Frames().Highlight()->y(), HighlightTop(61, w.Frames().Metrics()));
}

TEST_F(PlaybackWindow, SmallProjectsWrapAtTheirOwnLoopStart)
{
    const QString fifty = WriteProject(folder, QStringLiteral("fifty"), 50);
    const QString one = WriteProject(folder, QStringLiteral("one"), 1);
    frmEditer &w = Load({{fifty, fifty}});
    QSlider &slider = *w.Controls().sldFrame;
    ASSERT_EQ(slider.maximum(), 50);
    slider.setValue(50);
    w.timPlay_Timer();
    EXPECT_EQ(slider.value(), 29);

    ASSERT_TRUE(w.Commands().OpenProjectFile(one));
    EXPECT_EQ(slider.maximum(), 1);
    w.timPlay_Timer();
    EXPECT_EQ(slider.value(), 1);
}

TEST_F(PlaybackWindow, AProjectWithoutFramesStopsPlaybackAndShowsNoFrame)
{
    const QString empty = WriteProject(folder, QStringLiteral("empty"), 0);
    frmEditer &w = Load();
    w.cmdPlay_Click();
    ASSERT_TRUE(w.PlayTimer().isActive());
    ASSERT_TRUE(w.Commands().OpenProjectFile(empty));
    EXPECT_FALSE(w.PlayTimer().isActive());
    EXPECT_FALSE(w.Controls().cmdPlay->isEnabled());
    EXPECT_FALSE(w.Controls().sldFrame->isEnabled());
    EXPECT_TRUE(w.FramePaths().isEmpty());
    EXPECT_EQ(w.Frames().RowCount(), 0);
    w.timPlay_Timer(); // nothing to step to, and nothing breaks
    w.PicRedraw(1);
}

TEST_F(PlaybackWindow, TheCounterShowsTheFrameAndTheCountWhileSteppingAndPlaying)
{
    const QString fifty = WriteProject(folder, QStringLiteral("fifty"), 50);
    const QString empty = WriteProject(folder, QStringLiteral("empty"), 0);
    frmEditer &w = Load();
    const QLabel &counter = *w.Controls().lblFrameNumber;
    EXPECT_EQ(counter.objectName(), QStringLiteral("lblFrameNumber"));
    EXPECT_EQ(counter.text(), QStringLiteral("1 / 105"));
    w.Controls().sldFrame->setValue(12);
    EXPECT_EQ(counter.text(), QStringLiteral("12 / 105"));
    w.lblFrame_Click(104);
    w.timPlay_Timer();
    EXPECT_EQ(counter.text(), QStringLiteral("105 / 105"));
    w.timPlay_Timer();
    EXPECT_EQ(counter.text(), QStringLiteral("61 / 105"));

    // Playing for real, on the timer.
    w.cmdPlay_Click();
    const QSlider &slider = *w.Controls().sldFrame;
    EXPECT_TRUE(QTest::qWaitFor([&] { return slider.value() > 62; }, 5000));
    w.cmdPlay_Click();
    EXPECT_EQ(counter.text(), QStringLiteral("%1 / 105").arg(slider.value()));

    ASSERT_TRUE(w.Commands().OpenProjectFile(fifty));
    EXPECT_EQ(counter.text(), QStringLiteral("%1 / 50").arg(w.Controls().sldFrame->value()));
    ASSERT_TRUE(w.Commands().OpenProjectFile(empty));
    EXPECT_EQ(counter.text(), QStringLiteral("0 / 0"));
}

} // namespace
} // namespace mrv::test
