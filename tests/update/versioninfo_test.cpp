#include "update/versioninfo.h"

#include "support/xmlfile.h"

#include <gtest/gtest.h>

namespace mrv {
namespace {

VersionInfo versionOf(qint32 major, qint32 minor, qint32 revision, const QString &beta = {})
{
    VersionInfo info;
    info.Major = major;
    info.Minor = minor;
    info.Revision = revision;
    info.Beta = beta;
    return info;
}

struct NewerCase
{
    VersionInfo reply;
    bool newer;
};

class VersionComparison : public ::testing::TestWithParam<NewerCase>
{
};

TEST_P(VersionComparison, AgainstRunning1_4_34)
{
    const NewerCase &c = GetParam();
    EXPECT_EQ(IsNewer(c.reply, VersionNumber{1, 4, 34}), c.newer) << qPrintable(NewestVersionText(c.reply));
}

INSTANTIATE_TEST_SUITE_P(
    Table, VersionComparison,
    ::testing::Values(NewerCase{versionOf(1, 4, 35), true}, NewerCase{versionOf(1, 5, 0), true},
                      NewerCase{versionOf(2, 0, 0), true}, NewerCase{versionOf(1, 4, 34), false},
                      NewerCase{versionOf(1, 4, 34, QStringLiteral("beta2")), false},
                      NewerCase{versionOf(1, 3, 99), false}, NewerCase{versionOf(0, 9, 100), false}));

TEST(ParseVersionText, ReadsTheFirstThreeNumbers)
{
    const auto four = ParseVersionText(QStringLiteral("1.4.35.1200"));
    ASSERT_TRUE(four.ok());
    EXPECT_EQ(*four, (VersionNumber{1, 4, 35}));
    // Parts past the third are ignored even when they are not numbers.
    const auto tagged = ParseVersionText(QStringLiteral("3.0.1.beta"));
    ASSERT_TRUE(tagged.ok());
    EXPECT_EQ(*tagged, (VersionNumber{3, 0, 1}));
    const auto padded = ParseVersionText(QStringLiteral(" 1 .04. 7 "));
    ASSERT_TRUE(padded.ok());
    EXPECT_EQ(*padded, (VersionNumber{1, 4, 7}));
}

TEST(ParseVersionText, RejectsShortOrNonNumericVersions)
{
    for (const char16_t *bad : {u"", u"1", u"1.4", u"1.x.3", u"1..3", u"1.4.", u"-1.4.35", u"1.4.3a",
                                u"+1.4.35", u"1.4.99999999999", u"v1.4.35", u"1,4,35"})
        EXPECT_FALSE(ParseVersionText(QString::fromUtf16(bad)).ok()) << QString::fromUtf16(bad).toStdString();
}

TEST(ParseVersionInfo, ReadsEveryField)
{
    const QByteArray xml = R"(<?xml version="1.0" encoding="utf-8"?>
<versioninfo>
  <soft name="Mirovane" shortname="mrv" version="1.5.2" beta="beta1" time="2024-03-05"
        website="https://mirovane.org/dl"/>
  <log><![CDATA[<ul><li>修正</li></ul>]]></log>
</versioninfo>)";
    pugi::xml_document doc;
    ASSERT_TRUE(LoadXmlText(doc, xml).ok());
    const auto info = ParseVersionInfo(doc);
    ASSERT_TRUE(info.ok()) << info.message().toStdString();
    EXPECT_EQ(info->Name, u"Mirovane");
    EXPECT_EQ(info->Website, u"https://mirovane.org/dl");
    EXPECT_EQ(info->Number(), (VersionNumber{1, 5, 2}));
    EXPECT_EQ(info->Beta, u"beta1");
    EXPECT_EQ(info->Time, u"2024-03-05");
    EXPECT_EQ(info->Log, u"<ul><li>修正</li></ul>");
}

TEST(ParseVersionInfo, MissingValuesTakeTheirDefaults)
{
    pugi::xml_document doc;
    ASSERT_TRUE(LoadXmlText(doc, "<versioninfo><soft/></versioninfo>").ok());
    const auto info = ParseVersionInfo(doc);
    ASSERT_TRUE(info.ok());
    EXPECT_TRUE(info->Name.isEmpty());
    EXPECT_TRUE(info->Website.isEmpty());
    EXPECT_EQ(info->Number(), (VersionNumber{0, 0, 0}));
    EXPECT_EQ(info->Time, u"0000-00-00");
    EXPECT_TRUE(info->Log.isEmpty());
    EXPECT_FALSE(IsNewer(*info, RunningVersion()));
}

TEST(ParseReply, AcceptsEscapedLogAndOtherEncodings)
{
    const auto escaped = ParseReply(
        R"(<versioninfo><soft version="1.4.40"/><log>&lt;ul&gt;&lt;li&gt;a&lt;/li&gt;&lt;/ul&gt;</log></versioninfo>)");
    ASSERT_TRUE(escaped.ok());
    EXPECT_EQ(escaped->Log, u"<ul><li>a</li></ul>");

    const QString text = QStringLiteral("<versioninfo><soft name=\"米\" version=\"7.0.1\"/></versioninfo>");
    QByteArray utf16 = QByteArray("\xFF\xFE");
    utf16 += QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    const auto wide = ParseReply(utf16);
    ASSERT_TRUE(wide.ok()) << wide.message().toStdString();
    EXPECT_EQ(wide->Name, u"米");
    EXPECT_EQ(wide->Number(), (VersionNumber{7, 0, 1}));
}

} // namespace
} // namespace mrv
