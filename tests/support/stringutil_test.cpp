#include "testsupport.h"
#include "support/stringutil.h"

#include <gtest/gtest.h>

using namespace mrv;

TEST(ParseHex, AcceptsEveryPrefixInAnyCase)
{
    for (const char *text : {"ff0000", "FF0000", "#ff0000", "0xff0000", "0XFF0000", "xff0000",
                             "&Hff0000", "&hFF0000"}) {
        const auto value = ParseHex(QString::fromLatin1(text));
        ASSERT_TRUE(value.ok()) << text;
        EXPECT_EQ(*value, 16711680) << text;
    }
}

TEST(ParseHex, OtherTextsGiveZeroAndLongOnesFail)
{
    EXPECT_EQ(*ParseHex(QStringLiteral("red")), 0);
    EXPECT_EQ(*ParseHex(QString()), 0);
    EXPECT_EQ(*ParseHex(QStringLiteral("#12345g")), 0);
    EXPECT_EQ(*ParseHex(QStringLiteral("FFFFFFFF")), -1);
    EXPECT_EQ(*ParseHex(QStringLiteral("80000000")), qint32(0x80000000u));
    EXPECT_FALSE(ParseHex(QStringLiteral("123456789")).ok());
}

TEST(WebColorToRgb, SwapsRedAndBlueAndDropsTheTopByte)
{
    EXPECT_EQ(WebColorToRgb(*ParseHex(QStringLiteral("FF8000"))), 33023);
    EXPECT_EQ(WebColorToRgb(0x123456), 0x563412);
    EXPECT_EQ(WebColorToRgb(qint32(0xAB123456u)), 0x563412);
}

TEST(Rounding, HalfToEvenAndUp)
{
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
    EXPECT_EQ(RoundHalfEven(61.0 / 105.0 * 105), 61);
    EXPECT_EQ(RoundUp(199.01), 200);
    EXPECT_EQ(RoundUp(200.0), 200);
    EXPECT_EQ(RoundUp(-1.5), -1);
    EXPECT_EQ(MaxOf(3, 3), 3);
    EXPECT_EQ(MinOf(-2, 5), -2);
    EXPECT_EQ(MaxOf(-2, 5), 5);
}

TEST(KeyFilters, DigitsAndBackspaceEverywhereExtraKeyPerBox)
{
    for (KeyFilter f : {KeyFilter::ScreenScale, KeyFilter::Offset, KeyFilter::FrameTime}) {
        EXPECT_TRUE(KeyAccepted(f, '0'));
        EXPECT_TRUE(KeyAccepted(f, '9'));
        EXPECT_TRUE(KeyAccepted(f, 8));
        EXPECT_FALSE(KeyAccepted(f, 'a'));
        EXPECT_FALSE(KeyAccepted(f, '.'));
    }
    EXPECT_TRUE(KeyAccepted(KeyFilter::ScreenScale, '*'));
    EXPECT_FALSE(KeyAccepted(KeyFilter::ScreenScale, '-'));
    EXPECT_TRUE(KeyAccepted(KeyFilter::Offset, '-'));
    EXPECT_FALSE(KeyAccepted(KeyFilter::Offset, '*'));
    EXPECT_FALSE(KeyAccepted(KeyFilter::FrameTime, '-'));
    EXPECT_FALSE(KeyAccepted(KeyFilter::FrameTime, '*'));
}
