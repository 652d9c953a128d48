#include "editor/formlayout.h"

#include "editor/framerowlayout.h"
#include "support/stringutil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace mrv {
namespace {

// The design-time geometry the worked example assumes: buttons 75 x 25, part labels 13 high,
// the preview box at top 8; the left column at x 8.
FormInput Design(QSize client, int projectW = 1024, int projectH = 768)
{
    FormInput in;
    in.client = client;
    FormControls &c = in.controls;
    c.cmdFullscreen = {0, 0, 75, 25};
    c.cmdPlay = {0, 0, 75, 25};
    c.lblStraight = {0, 0, 10, 13};
    c.lblLoop = {0, 0, 10, 13};
    c.sldFrame = {0, 0, 10, 22};
    c.lblFrameNumber = {0, 0, 100, 13};
    c.picBG = {0, 8, 100, 100};
    c.lblProjectName = {8, 8, 10, 13};
    c.txtProjectName = {8, 24, 10, 23};
    c.lblScreenScale = {8, 56, 10, 13};
    c.comScreenScale = {8, 72, 10, 23};
    c.lblBackground = {8, 104, 10, 13};
    c.txtBackground = {8, 120, 10, 23};
    c.cmdBackground_Browse = {0, 119, 44, 25};
    c.cmdBackground_Setting = {0, 119, 44, 25};
    c.cmdExport = {8, 0, 10, 25};
    c.picFrame = {8, 152, 10, 10};
    c.vscFrame = {0, 0, 17, 10};
    in.picBGBorder = {4, 4};
    in.picFrameBorder = {2, 2};
    in.projectWidth = projectW;
    in.projectHeight = projectH;
    return in;
}

TEST(FormResize, ReproducesTheWorkedExample)
{
    FormInput in = Design({800, 600});
    in.picBGBorder = {0, 0}; // the example's box sizes are the computed ones
    const FormLayout out = FormResize(in);
    const FormControls &c = out.controls;
    EXPECT_EQ(c.cmdFullscreen.topLeft(), QPoint(720, 570));
    EXPECT_EQ(c.cmdPlay.topLeft(), QPoint(720, 540));
    EXPECT_EQ(c.lblStraight.top(), 540);
    EXPECT_EQ(c.lblLoop.top(), 540);
    EXPECT_EQ(c.sldFrame.top(), 558);
    EXPECT_EQ(c.picBG, QRect(94, 8, 696, 522));
    EXPECT_EQ(c.sldFrame.left(), 94);
    EXPECT_EQ(c.sldFrame.width(), 626);
    EXPECT_EQ(out.trackLength, 600);
    EXPECT_EQ(c.lblLoop.width(), 254);
    EXPECT_EQ(c.lblLoop.left(), 453);
    EXPECT_EQ(c.lblStraight.width(), 346);
    EXPECT_EQ(c.lblStraight.left(), 107);
    EXPECT_DOUBLE_EQ(out.scaleX, 696.0 / 1024.0);
    EXPECT_DOUBLE_EQ(out.scaleY, 522.0 / 768.0);
}

TEST(FormResize, GrowsThePreviewBoxByItsBorderAndScalesByTheOuterSize)
{
    const FormLayout out = FormResize(Design({800, 600}));
    // Computed inner size 696 x 522, plus the 2-pixel border on each side.
    EXPECT_EQ(out.controls.picBG, QRect(94, 8, 700, 526));
    EXPECT_DOUBLE_EQ(out.scaleX, 700.0 / 1024.0);
    EXPECT_DOUBLE_EQ(out.scaleY, 526.0 / 768.0);
    // The slider and left column still end at the computed left edge.
    EXPECT_EQ(out.controls.sldFrame.left(), 94);
    EXPECT_EQ(out.controls.lblProjectName.width(), 94 - 8 - 5);
}

TEST(FormResize, LaysOutTheLeftColumnAndTheFrameListPanel)
{
    const FormLayout out = FormResize(Design({1000, 600}));
    const FormControls &c = out.controls;
    const int edge = c.picBG.left() - 5; // 294 - 5
    ASSERT_EQ(c.picBG.left(), 294);
    for (const QRect &r : {c.lblProjectName, c.txtProjectName, c.lblScreenScale, c.comScreenScale,
                           c.lblBackground, c.cmdExport, c.picFrame})
        EXPECT_EQ(r.right() + 1, edge);
    EXPECT_EQ(c.cmdBackground_Setting.left(), edge - 44);
    EXPECT_EQ(c.cmdBackground_Browse.left(), edge - 44 - 5 - 44);
    EXPECT_EQ(c.txtBackground.right() + 1, c.cmdBackground_Browse.left() - 5);
    EXPECT_EQ(c.cmdExport.top(), 600 - 25 - 5);
    EXPECT_EQ(c.picFrame.height(), c.cmdExport.top() - 152 - 5);
    // The scrollbar hugs the panel's inner right edge and fills its inner height.
    EXPECT_EQ(c.vscFrame.left(), c.picFrame.width() - 2 - 17);
    EXPECT_EQ(c.vscFrame.height(), c.picFrame.height() - 2);
}

TEST(FormResize, WideningMovesTheRightSideAndWidensTheLeftColumn)
{
    const FormLayout narrow = FormResize(Design({900, 600}));
    const FormLayout wide = FormResize(Design({1000, 600}));
    const FormControls &a = narrow.controls;
    const FormControls &b = wide.controls;
    EXPECT_EQ(b.picBG.size(), a.picBG.size());
    EXPECT_EQ(b.picBG.left() - a.picBG.left(), 100);
    EXPECT_EQ(b.cmdPlay.left() - a.cmdPlay.left(), 100);
    EXPECT_EQ(b.cmdFullscreen.left() - a.cmdFullscreen.left(), 100);
    EXPECT_EQ(b.sldFrame.right() - a.sldFrame.right(), 100);
    EXPECT_EQ(b.sldFrame.width(), a.sldFrame.width());
    EXPECT_EQ(b.txtProjectName.width() - a.txtProjectName.width(), 100);
    EXPECT_EQ(b.picFrame.width() - a.picFrame.width(), 100);
}

TEST(FormResize, ATallerProjectGivesANarrowerPreviewBox)
{
    const FormLayout standard = FormResize(Design({1000, 600}));
    const FormLayout tall = FormResize(Design({1000, 600}, 1280, 1024));
    EXPECT_EQ(tall.controls.picBG.height(), standard.controls.picBG.height());
    EXPECT_LT(tall.controls.picBG.width(), standard.controls.picBG.width());
    EXPECT_GT(tall.controls.txtProjectName.width(), standard.controls.txtProjectName.width());
    // 1280 x 1024 at inner height 522: width round(1.25 * 522) = 652, plus the border.
    EXPECT_EQ(tall.controls.picBG.width(), 652 + 4);
}

TEST(FormResize, RunningTwiceGivesTheSameResult)
{
    FormInput in = Design({1100, 700}, 1366, 768);
    const FormLayout once = FormResize(in);
    in.controls = once.controls;
    in.scaleX = once.scaleX;
    in.scaleY = once.scaleY;
    const FormLayout twice = FormResize(in);
    EXPECT_EQ(twice.controls, once.controls);
    EXPECT_EQ(twice.activityBox, once.activityBox);
    EXPECT_DOUBLE_EQ(twice.scaleX, once.scaleX);
}

TEST(FormResize, PartLabelsNeverExceedTheTrack)
{
    for (int width = 100; width <= 2000; width += 37) {
        const FormLayout out = FormResize(Design({width, 600}));
        const FormControls &c = out.controls;
        EXPECT_LE(c.lblStraight.width() + c.lblLoop.width(), MaxOf(out.trackLength, 0))
            << "client width " << width;
        EXPECT_EQ(c.lblStraight.right() + 1, c.lblLoop.left());
    }
}

TEST(FormResize, VerySmallWindowsKeepEverySizeAtZeroOrMore)
{
    for (const QSize client : {QSize(0, 0), QSize(40, 30), QSize(120, 70), QSize(300, 77)}) {
        const FormLayout out = FormResize(Design(client));
        const FormControls &c = out.controls;
        for (const QRect &r : {c.cmdFullscreen, c.cmdPlay, c.lblStraight, c.lblLoop, c.sldFrame,
                               c.picBG, c.lblProjectName, c.txtProjectName, c.lblScreenScale,
                               c.comScreenScale, c.lblBackground, c.txtBackground, c.cmdExport,
                               c.picFrame, c.vscFrame}) {
            EXPECT_GE(r.width(), 0) << client.width() << "x" << client.height();
            EXPECT_GE(r.height(), 0) << client.width() << "x" << client.height();
        }
    }
    // The slider row overlapping the preview's top leaves a box of 0 x 0 (plus its border).
    const FormLayout tiny = FormResize(Design({300, 70}));
    EXPECT_EQ(tiny.controls.picBG.size(), QSize(4, 4));
    EXPECT_EQ(tiny.controls.vscFrame.height(), 0);
}

TEST(FormResize, AProjectWithoutWidthOrHeightKeepsThePreviewAndScale)
{
    for (const auto &[w, h] : {std::pair{0, 768}, std::pair{1024, 0}, std::pair{-5, 768}}) {
        FormInput in = Design({800, 600}, w, h);
        in.controls.picBG = {50, 8, 300, 200};
        in.scaleX = 0.25;
        in.scaleY = 0.5;
        const FormLayout out = FormResize(in);
        EXPECT_FALSE(out.previewFitted);
        EXPECT_EQ(out.controls.picBG.size(), QSize(300, 200));
        EXPECT_EQ(out.controls.picBG.left(), 800 - 300 - 10);
        EXPECT_DOUBLE_EQ(out.scaleX, 0.25);
        EXPECT_DOUBLE_EQ(out.scaleY, 0.5);
    }
}

// The editor's frame rows: number, path box, "浏览" and "调整" beside a 17-pixel scrollbar in a
// panel with a 1-pixel border.
int EditorListMinimum()
{
    RowTemplate t;
    t.label = {6, 11, 32, 13};
    t.path = {40, 6, 100, 23};
    t.browse = {145, 5, 44, 25};
    t.setting = {194, 5, 44, 25};
    return ListWidthForPath(ReadablePathWidth, t, 17, 0, 2);
}

TEST(FormResize, AWideProjectAtTheDefaultSizeLeavesTheFrameListReadable)
{
    FormInput in = Design({1160, 680}, 1920, 1080);
    in.minListWidth = EditorListMinimum();
    const FormLayout out = FormResize(in);
    const FormControls &c = out.controls;
    // Without the minimum the list would be 1160 - 1070 - 10 - 5 - 8 = 67 wide.
    EXPECT_EQ(c.picFrame.width(), in.minListWidth);
    EXPECT_EQ(c.picFrame.right() + 1, c.picBG.left() - 5);
    EXPECT_EQ(c.picBG.right() + 1 - 4, 1160 - 10);
    const QSize inner = c.picBG.size() - in.picBGBorder;
    ASSERT_EQ(in.minListWidth, 262);
    EXPECT_EQ(inner.width(), 875);  // 1160 - 10 - 5 - 8 - 262
    EXPECT_EQ(inner.height(), 492); // round(875 * 1080 / 1920)
    EXPECT_DOUBLE_EQ(out.scaleX, c.picBG.width() / 1920.0);
    EXPECT_DOUBLE_EQ(out.scaleY, c.picBG.height() / 1080.0);
    // The slider still runs from the preview's left edge to the play button.
    EXPECT_EQ(c.sldFrame.left(), c.picBG.left());
    EXPECT_EQ(c.sldFrame.right() + 1, c.cmdPlay.left());
}

TEST(FormResize, TheMinimumChangesNothingWhereTheListIsWideEnough)
{
    for (const QSize client : {QSize(1160, 680), QSize(1000, 600), QSize(1600, 900)}) {
        FormInput in = Design(client);
        const FormLayout plain = FormResize(in);
        in.minListWidth = EditorListMinimum();
        const FormLayout out = FormResize(in);
        EXPECT_EQ(out.controls, plain.controls) << client.width();
        EXPECT_DOUBLE_EQ(out.scaleX, plain.scaleX);
    }
}

TEST(FormResize, NoProjectShapeMakesThePreviewLargerThanTheWindow)
{
    const std::pair<int, int> shapes[] = {{1024, 7},  {1920, 10}, {1920, 1},   {32767, 1},
                                          {1, 32767}, {1, 1},     {3840, 2160}};
    for (const int minimum : {0, EditorListMinimum()}) {
        for (const auto &[pw, ph] : shapes) {
            for (const QSize client : {QSize(800, 600), QSize(1160, 680), QSize(300, 200)}) {
                FormInput in = Design(client, pw, ph);
                in.minListWidth = minimum;
                const FormLayout out = FormResize(in);
                const FormControls &c = out.controls;
                const QSize inner = c.picBG.size() - in.picBGBorder;
                const std::string what = std::to_string(pw) + "*" + std::to_string(ph) + " in " +
                                         std::to_string(client.width());
                EXPECT_LE(c.picBG.right() + 1 - in.picBGBorder.width(), client.width() - 10)
                    << what;
                EXPECT_LE(inner.width(), MaxOf(client.width() - 23 - minimum, 0)) << what;
                EXPECT_LE(c.picBG.bottom() + 1 - in.picBGBorder.height(), c.lblStraight.top() - 10)
                    << what;
                EXPECT_GE(c.picFrame.width(), MinOf(minimum, client.width() - 23)) << what;
                // The box keeps the project's proportions, to the rounding of one side.
                const double ratio = double(pw) / ph;
                EXPECT_LE(std::abs(inner.width() - ratio * inner.height()),
                          std::max(0.5, ratio / 2) + 1e-9)
                    << what;
            }
        }
    }
}

TEST(FormResize, TheFrameCounterSitsUnderTheSliderBesideTheFullScreenButton)
{
    for (const QSize client : {QSize(800, 600), QSize(1160, 680)}) {
        const FormControls c = FormResize(Design(client)).controls;
        EXPECT_EQ(c.lblFrameNumber.size(), QSize(100, 13));
        EXPECT_EQ(c.lblFrameNumber.right() + 1, c.cmdFullscreen.left() - 5);
        EXPECT_EQ(c.lblFrameNumber.bottom(), c.cmdFullscreen.bottom());
        EXPECT_GT(c.lblFrameNumber.top(), c.sldFrame.bottom());
    }
}

TEST(ActivityArea, SitsAtTheReferenceFractionsOfTheOuterSize)
{
    EXPECT_EQ(ActivityArea({512, 384}), QRectF(206, 142, 100, 100));
    EXPECT_EQ(ActivityArea({1024, 768}), QRectF(412, 284, 200, 200));
    const QRectF odd = ActivityArea({700, 526});
    EXPECT_DOUBLE_EQ(odd.left(), 700.0 * 412 / 1024);
    EXPECT_DOUBLE_EQ(odd.height(), 200.0 / 768 * 526);
}

} // namespace
} // namespace mrv
