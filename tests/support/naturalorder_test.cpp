#include "support/naturalorder.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace mrv {
namespace {

TEST(NaturalOrder, NumbersCountAndLetterCaseWaits)
{
    // Each name comes before the next.
    const QStringList ordered = {
        QStringLiteral("a"),      QStringLiteral("f"),     QStringLiteral("f0"),
        QStringLiteral("f1"),     QStringLiteral("f2"),    QStringLiteral("f10"),
        QStringLiteral("F11"),    QStringLiteral("f11a"),  QStringLiteral("f11B"),
        QStringLiteral("f100"),   QStringLiteral("frame"), QStringLiteral("G"),
        QStringLiteral("g1.png"), QStringLiteral("g1x"),
    };
    for (qsizetype i = 0; i + 1 < ordered.size(); ++i) {
        EXPECT_TRUE(NaturalLess(ordered[i], ordered[i + 1])) << ordered[i] << " " << ordered[i + 1];
        EXPECT_FALSE(NaturalLess(ordered[i + 1], ordered[i])) << ordered[i];
    }
    QStringList shuffled = ordered;
    std::mt19937 random(7);
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    NaturalSort(shuffled);
    EXPECT_EQ(shuffled, ordered);
}

TEST(NaturalOrder, LeadingZerosAndCaseTiesFallBackToThePlainName)
{
    // Equal as numbers and letters: the plain text decides, so no two names tie.
    EXPECT_TRUE(NaturalLess(u"f001", u"f01"));
    EXPECT_TRUE(NaturalLess(u"f01", u"f1"));
    EXPECT_TRUE(NaturalLess(u"F1", u"f1"));
    EXPECT_EQ(NaturalCompare(u"f1", u"f1"), 0);
    // The tie-break only applies once the whole names match: 010 is still ten.
    EXPECT_TRUE(NaturalLess(u"f9", u"f010"));
    EXPECT_TRUE(NaturalLess(u"f0010b", u"f10c"));
    EXPECT_TRUE(NaturalLess(u"000", u"1"));
}

TEST(NaturalOrder, NamesWithoutDigitsCompareIgnoringCase)
{
    EXPECT_TRUE(NaturalLess(u"apple", u"Banana"));
    EXPECT_TRUE(NaturalLess(u"Apple", u"banana"));
    EXPECT_TRUE(NaturalLess(u"abc", u"abcd"));
    EXPECT_TRUE(NaturalLess(u"", u"a"));
    EXPECT_FALSE(NaturalLess(u"", u""));
    // A digit sorts before a letter, as in the plain order.
    EXPECT_TRUE(NaturalLess(u"a1", u"ab"));
}

TEST(NaturalOrder, VeryLongDigitRunsCompareExactly)
{
    // Far beyond 64 bits; a conversion would overflow or round them equal.
    const QString big = QStringLiteral("f") + QString(40, u'9');
    const QString bigger = QStringLiteral("f1") + QString(40, u'0');
    EXPECT_TRUE(NaturalLess(big, bigger));
    const QString nearly = QStringLiteral("f") + QString(39, u'9') + u'8';
    EXPECT_TRUE(NaturalLess(nearly, big));
    const QString padded = QStringLiteral("f") + QString(30, u'0') + u'5';
    EXPECT_TRUE(NaturalLess(padded, u"f6"));
}

} // namespace
} // namespace mrv
