#include "widgets/windowlayout.h"
#include "preview/frametime.h"
#include "preview/fullscreengeometry.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace mrv::test {
namespace {

TEST(FullscreenGeometry, AnimationAreaAtItsFractionsOfTheScreen)
{
    const FullscreenGeometry wide = LayoutFullscreen({1920, 1080}, 1024, 768);
    EXPECT_EQ(wide.picBG, QRect(0, 0, 1920, 1080));
    EXPECT_DOUBLE_EQ(wide.activityExact.left(), 772.5);
    EXPECT_DOUBLE_EQ(wide.activityExact.top(), 399.375);
    EXPECT_DOUBLE_EQ(wide.activityExact.width(), 375.0);
    EXPECT_DOUBLE_EQ(wide.activityExact.height(), 281.25);
    // Whole pixels, ties to even.
    EXPECT_EQ(wide.activity, QRect(772, 399, 375, 281));
    EXPECT_DOUBLE_EQ(wide.scaleX, 1.875);
    EXPECT_DOUBLE_EQ(wide.scaleY, 1.40625);
    EXPECT_TRUE(wide.drawable);

    const FullscreenGeometry same = LayoutFullscreen({1024, 768}, 1024, 768);
    EXPECT_EQ(same.activity, QRect(412, 284, 200, 200));
    EXPECT_DOUBLE_EQ(same.scaleX, 1.0);
    EXPECT_DOUBLE_EQ(same.scaleY, 1.0);

    // Any project proportions keep the area at the same fractions of the screen.
    const FullscreenGeometry tall = LayoutFullscreen({1024, 768}, 1280, 1024);
    EXPECT_EQ(tall.activity, QRect(412, 284, 200, 200));
    EXPECT_DOUBLE_EQ(tall.scaleX, 0.8);
    EXPECT_DOUBLE_EQ(tall.scaleY, 0.75);
}

TEST(FullscreenGeometry, ProjectWithoutASizeCannotBeDrawn)
{
    for (const QSize project : {QSize(0, 768), QSize(1024, 0), QSize(-5, 768)}) {
        const FullscreenGeometry g = LayoutFullscreen({800, 600}, project.width(), project.height());
        EXPECT_FALSE(g.drawable) << project.width() << "x" << project.height();
        EXPECT_EQ(g.picBG, QRect(0, 0, 800, 600)); // the boxes are still laid out
    }
    EXPECT_EQ(LayoutFullscreen({-3, 10}, 1024, 768).picBG, QRect(0, 0, 0, 10));
}

TEST(FullscreenGeometry, HelpTextListsTheKeysAndTheFrame)
{
    EXPECT_EQ(FullscreenHelpText(7),
              QStringLiteral("Esc 退出\nSpace 播放 / 暂停\nLeft/Right  后退/前进 1 帧\n"
                             "Home/End  最前/最后帧\n当前帧 7"));
    EXPECT_TRUE(FullscreenHelpText(105).endsWith(QStringLiteral("当前帧 105")));
}

struct FrameTimeCase
{
    const char16_t *text;
    int value;             // -1: refused
    const char16_t *error; // message when refused
};

class FrameTimeText : public ::testing::TestWithParam<FrameTimeCase>
{
};

TEST_P(FrameTimeText, IsReadOrRefusedWithItsMessage)
{
    const FrameTimeCase &c = GetParam();
    const Result<int> time = ParseFrameTime(QString::fromUtf16(c.text));
    if (c.value >= 0) {
        ASSERT_TRUE(time.ok()) << time.message();
        EXPECT_EQ(*time, c.value);
    } else {
        ASSERT_FALSE(time.ok());
        EXPECT_EQ(time.message(), QString::fromUtf16(c.error));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Options, FrameTimeText,
    ::testing::Values(FrameTimeCase{u"75", 75, u""}, FrameTimeCase{u"0", -1, u"只允许输入1-65535"},
                      FrameTimeCase{u"00040", 40, u""}, FrameTimeCase{u"65535", 65535, u""},
                      FrameTimeCase{u"65536", -1, u"只允许输入1-65535"},
                      FrameTimeCase{u"", -1, u"只允许输入整数"},
                      FrameTimeCase{u"123456", -1, u"只允许输入整数"},
                      FrameTimeCase{u"-5", -1, u"只允许输入整数"},
                      FrameTimeCase{u"75\n", -1, u"只允许输入整数"},
                      FrameTimeCase{u"1e3", -1, u"只允许输入整数"}));

TEST(FrameTimeDocument, StoredTimesRoundTripAndFallBackTo75)
{
    pugi::xml_document document; // no root, as when the window file is missing
    EXPECT_EQ(StoredFrameTime(document, QStringLiteral("frmFullscreen")), 75);

    ASSERT_TRUE(StoreFrameTime(document, QStringLiteral("frmFullscreen"), 120).ok());
    ASSERT_TRUE(StoreFrameTime(document, QStringLiteral("frmEditer"), 40).ok());
    EXPECT_STREQ(document.document_element().name(), "Soft");
    EXPECT_STREQ(document.select_node("/Soft/Window/frmFullscreen/timPlay").node().attribute("Interval").value(),
                 "120");
    EXPECT_EQ(StoredFrameTime(document, QStringLiteral("frmFullscreen")), 120);
    EXPECT_EQ(StoredFrameTime(document, QStringLiteral("frmEditer")), 40);

    // Writing again replaces the value; it does not add a second element.
    ASSERT_TRUE(StoreFrameTime(document, QStringLiteral("frmFullscreen"), 65535).ok());
    EXPECT_EQ(document.select_nodes("/Soft/Window/frmFullscreen/timPlay").size(), 1u);
    EXPECT_EQ(StoredFrameTime(document, QStringLiteral("frmFullscreen")), 65535);

    // A value the timer does not take leaves the time it starts with.
    document.select_node("/Soft/Window/frmFullscreen/timPlay").node().attribute("Interval").set_value("fast");
    EXPECT_EQ(StoredFrameTime(document, QStringLiteral("frmFullscreen")), 75);
}

TEST(FrameTimeDocument, ForeignRootIsNotReplaced)
{
    pugi::xml_document document;
    document.append_child("Other");
    EXPECT_FALSE(StoreFrameTime(document, QStringLiteral("frmEditer"), 40).ok());
    EXPECT_STREQ(document.document_element().name(), "Other");
    EXPECT_EQ(StoredFrameTime(document, QStringLiteral("frmEditer")), 75);
}

} // namespace
} // namespace mrv::test
