#include "update/changelog.h"

#include <gtest/gtest.h>

namespace mrv {
namespace {

QString crlf(const char16_t *text)
{
    return QString::fromUtf16(text).replace(QStringLiteral("\n"), UpdateLineBreak);
}

TEST(ParseChangeLog, ListBecomesNumberedLines)
{
    EXPECT_EQ(ParseChangeLog(QStringLiteral("<ul><li>修正</li><li>新增</li></ul>")), crlf(u"1、修正\n2、新增\n"));
}

TEST(ParseChangeLog, EachListNumbersFromOneAndKeepsTheTextAround)
{
    const QString log = QStringLiteral(
        "v2:<UL class=\"x\"><li class=\"a\">one<li>two</UL>then<ul>\n<li>three</li>\n</ul>end");
    EXPECT_EQ(ParseChangeLog(log), crlf(u"v2:1、one\n2、two\nthen1、three\nend"));
}

TEST(ParseChangeLog, ItemTextEndsAtTheNextTag)
{
    EXPECT_EQ(ParseChangeLog(QStringLiteral("<ul><li>fix <b>bold</b> rest</li></ul>")), crlf(u"1、fix \n"));
}

TEST(ParseChangeLog, RepeatedListsAreAllReplaced)
{
    const QString list = QStringLiteral("<ul><li>x</li></ul>");
    EXPECT_EQ(ParseChangeLog(list + u"|" + list), crlf(u"1、x\n|1、x\n"));
}

TEST(ParseChangeLog, BreakTagsInEveryWritingBecomeLineBreaks)
{
    EXPECT_EQ(ParseChangeLog(QStringLiteral("a<br>b<BR/>c<br />d<Br   />e")), crlf(u"a\nb\nc\nd\ne"));
}

TEST(ParseChangeLog, OtherMarkupIsLeftAlone)
{
    const QString log = QStringLiteral("<p>plain <b>bold</b> <abbr>x</abbr><hr>&amp;</p>");
    EXPECT_EQ(ParseChangeLog(log), log);
    EXPECT_EQ(ParseChangeLog(QStringLiteral("no markup at all")), u"no markup at all");
    EXPECT_TRUE(ParseChangeLog(QString()).isEmpty());
}

TEST(ParseChangeLog, ListsAndBreaksTogether)
{
    EXPECT_EQ(ParseChangeLog(QStringLiteral("修正:<br/><ul><li>甲</li><li>乙</li></ul><br>完")),
              crlf(u"修正:\n1、甲\n2、乙\n\n完"));
}

} // namespace
} // namespace mrv
