#include "testsupport.h"
#include "support/regexutil.h"

#include <gtest/gtest.h>

using namespace mrv;

namespace {

ExpandContext windowsContext()
{
    ExpandContext c;
    c.title = QStringLiteral("Mirovane");
    c.exeFolder = QStringLiteral("C:\\Tools");
    c.exeName = QStringLiteral("mirovane");
    c.major = 1;
    c.minor = 4;
    c.revision = 34;
    c.env = [](const QString &name) {
        if (name.compare(u"Windir", Qt::CaseInsensitive) == 0)
            return QStringLiteral("C:\\Windows");
        if (name == u"SKIN")
            return QStringLiteral("D:\\skins");
        return QString();
    };
    return c;
}

ExpandContext posixContext()
{
    ExpandContext c = windowsContext();
    c.exeFolder = QStringLiteral("/opt/mirovane");
    c.posix = true;
    return c;
}

} // namespace

TEST(RegexTest, IgnoresLetterCaseAndMatchesAnywhere)
{
    EXPECT_TRUE(RegexTest(QStringLiteral("picurl"), QStringLiteral("^PicURL$")));
    EXPECT_TRUE(RegexTest(QStringLiteral("a 12*34 b"), QStringLiteral("\\d+\\*\\d+")));
    EXPECT_FALSE(RegexTest(QStringLiteral("1024x768"), QStringLiteral("\\d+\\*\\d+")));
}

TEST(RegexReplace, FillsGroupsWholeMatchAndDollar)
{
    EXPECT_EQ(RegexReplace(QStringLiteral("1024*768"), QStringLiteral("(\\d+)\\*(\\d+)"),
                           QStringLiteral("$2x$1")),
              QStringLiteral("768x1024"));
    EXPECT_EQ(RegexReplace(QStringLiteral("ab"), QStringLiteral("b"), QStringLiteral("[$&]$$")),
              QStringLiteral("a[b]$"));
    // Every match is replaced, not only the first, regardless of case.
    EXPECT_EQ(RegexReplace(QStringLiteral("aXbxc"), QStringLiteral("x"), QStringLiteral("-")),
              QStringLiteral("a-b-c"));
}

TEST(RegexReplace, TwoDigitGroupOnlyWhenItExists)
{
    // With one group, "$10" is group 1 followed by a literal 0.
    EXPECT_EQ(RegexReplace(QStringLiteral("7"), QStringLiteral("(\\d)"), QStringLiteral("$10")),
              QStringLiteral("70"));
    // A reference to a missing group stays as written.
    EXPECT_EQ(RegexReplace(QStringLiteral("7"), QStringLiteral("(\\d)"), QStringLiteral("$2")),
              QStringLiteral("$2"));
    QString pattern;
    for (int i = 0; i < 10; ++i)
        pattern += QStringLiteral("(.)");
    EXPECT_EQ(RegexReplace(QStringLiteral("abcdefghij"), pattern, QStringLiteral("$10$1")),
              QStringLiteral("ja"));
}

TEST(RegexCollect, JoinsMatchesOrFallsBackToDefault)
{
    EXPECT_EQ(RegexCollect(QStringLiteral("1.5"), QStringLiteral("[-\\d]"), QStringLiteral("0")),
              QStringLiteral("15"));
    EXPECT_EQ(RegexCollect(QStringLiteral("True"), QStringLiteral("[-\\d]"), QStringLiteral("0")),
              QStringLiteral("0"));
    EXPECT_EQ(RegexCollect(QStringLiteral("a1b2"), QStringLiteral("(\\w)(\\d)"), QString(),
                           QStringLiteral("$2")),
              QStringLiteral("2"));
}

TEST(RegexMatches, FillsOneRewritePerTemplate)
{
    QList<MatchInfo> matches;
    const QString templates = QStringLiteral("$1") + QChar(u'\0') + QStringLiteral("$2");
    EXPECT_EQ(RegexMatches(QStringLiteral("x 800*600 and 1024*768"),
                           QStringLiteral("(\\d+)\\*(\\d+)"), matches, templates),
              QStringLiteral("2"));
    ASSERT_EQ(matches.size(), 2);
    EXPECT_EQ(matches[0].Position, 2);
    EXPECT_EQ(matches[0].Value, QStringLiteral("800*600"));
    EXPECT_EQ(matches[0].Rewrites, (QStringList{QStringLiteral("800"), QStringLiteral("600")}));
    EXPECT_EQ(matches[1].Rewrites, (QStringList{QStringLiteral("1024"), QStringLiteral("768")}));
}

TEST(RegexMatches, NoMatchLeavesTheListAlone)
{
    QList<MatchInfo> matches{MatchInfo{3, QStringLiteral("kept"), {}}};
    EXPECT_EQ(RegexMatches(QStringLiteral("none"), QStringLiteral("\\d"), matches,
                           QStringLiteral("$&")),
              QStringLiteral("0"));
    ASSERT_EQ(matches.size(), 1);
    EXPECT_EQ(matches[0].Value, QStringLiteral("kept"));
}

TEST(ExpandPath, WindowsExamples)
{
    const ExpandContext c = windowsContext();
    EXPECT_EQ(ExpandPath(QStringLiteral("%AppPath%Resources\\a.png"), c),
              QStringLiteral("C:\\Tools\\Resources\\a.png"));
    EXPECT_EQ(ExpandPath(QStringLiteral("%AppPath%/skin//b.png"), c),
              QStringLiteral("C:\\Tools\\skin\\b.png"));
    EXPECT_EQ(ExpandPath(QStringLiteral("pics\\c.png"), c), QStringLiteral("C:\\Tools\\pics\\c.png"));
    EXPECT_EQ(ExpandPath(QStringLiteral("\\\\\\\\\\server\\x.png"), c),
              QStringLiteral("\\\\server\\x.png"));
    EXPECT_EQ(ExpandPath(QString(), c), QString());
    EXPECT_EQ(ExpandPath(QStringLiteral("C:/a//b"), c), QStringLiteral("C:\\a\\b"));
    EXPECT_EQ(ExpandPath(QStringLiteral("D:\\x.png"), c), QStringLiteral("D:\\x.png"));
}

TEST(ExpandPath, VariablesIgnoreCaseAndEachSpellingIsReplacedOnItsOwn)
{
    const ExpandContext c = windowsContext();
    EXPECT_EQ(ExpandPath(QStringLiteral("%apppath%x.png"), c), QStringLiteral("C:\\Tools\\x.png"));
    EXPECT_EQ(ExpandPath(QStringLiteral("%AppPath%a;%APPPATH%b"), c),
              QStringLiteral("C:\\Tools\\a;C:\\Tools\\b"));
    EXPECT_EQ(ExpandPath(QStringLiteral("%SKIN%b.png"), c), QStringLiteral("D:\\skins\\b.png"));
    EXPECT_EQ(ExpandPath(QStringLiteral("%ResourceDir%r.png"), c),
              QStringLiteral("C:\\Windows\\Resources\\r.png"));
    // An unset variable yields a lone separator, which the relative rule then anchors.
    EXPECT_EQ(ExpandPath(QStringLiteral("%NOPE%z.png"), c), QStringLiteral("C:\\Tools\\z.png"));
}

TEST(ExpandPath, PosixRulesUseSlashesAndLeadingSlashIsAbsolute)
{
    const ExpandContext c = posixContext();
    EXPECT_EQ(ExpandPath(QStringLiteral("%AppPath%skin\\\\b.png"), c),
              QStringLiteral("/opt/mirovane/skin/b.png"));
    EXPECT_EQ(ExpandPath(QStringLiteral("/srv/pics//a.png"), c), QStringLiteral("/srv/pics/a.png"));
    EXPECT_EQ(ExpandPath(QStringLiteral("pics/c.png"), c), QStringLiteral("/opt/mirovane/pics/c.png"));
}

TEST(ExpandText, FillsKnownNamesEnvironmentAndFallsBackToTheName)
{
    const ExpandContext c = windowsContext();
    EXPECT_EQ(ExpandText(QStringLiteral("%s(AppMajor).%s(AppMinor)"), c), QStringLiteral("1.4"));
    EXPECT_EQ(ExpandText(QStringLiteral("%s(apptitle) %s(AppRevision)%s(AppBeta)"), c),
              QStringLiteral("Mirovane 34"));
    EXPECT_EQ(ExpandText(QStringLiteral("%s(AppPath)"), c), QStringLiteral("C:\\Tools"));
    EXPECT_EQ(ExpandText(QStringLiteral("[%s(SKIN)]"), c), QStringLiteral("[D:\\skins]"));
    EXPECT_EQ(ExpandText(QStringLiteral("%s(no.such_var)"), c), QStringLiteral("no.such_var"));
    EXPECT_EQ(ExpandText(QStringLiteral("50% off %s()"), c), QStringLiteral("50% off %s()"));
}

TEST(RegexReplace, AGroupThatDidNotTakePartIsEmpty)
{
    EXPECT_EQ(RegexReplace(QStringLiteral("a"), QStringLiteral("(a)|(b)"), QStringLiteral("[$1$2]")),
              QStringLiteral("[a]"));
    EXPECT_EQ(RegexReplace(QStringLiteral("b"), QStringLiteral("(a)|(b)"), QStringLiteral("[$1$2]")),
              QStringLiteral("[b]"));
}
