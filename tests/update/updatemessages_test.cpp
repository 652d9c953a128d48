#include "update/updatemessages.h"

#include "update/changelog.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace mrv {
namespace {

VersionInfo sampleReply()
{
    VersionInfo info;
    info.Name = QStringLiteral("Mirovane");
    info.Major = 1;
    info.Minor = 5;
    info.Revision = 0;
    info.Beta = QStringLiteral("beta");
    info.Time = QStringLiteral("2024-06-01");
    info.Log = QStringLiteral("<ul><li>修正</li><li>新增</li></ul>");
    return info;
}

TEST(UpdateMessages, NewVersionLineByLine)
{
    const UpdateMessage m = NewVersionMessage(sampleReply(), {1, 4, 34});
    EXPECT_EQ(m.title, u"Mirovane发现新版本");
    const QStringList lines = m.text.split(UpdateLineBreak);
    const QStringList expected = {
        QStringLiteral(" 检测到有新的版本"),
        QStringLiteral("发布时间2024-06-01"),
        QString(),
        QStringLiteral("您的当前版本：1.4.34"),
        QStringLiteral("最新版本：    1.5.0 beta"),
        QStringLiteral("更新日志："),
        QStringLiteral("1、修正"),
        QStringLiteral("2、新增"),
        QString(), // end of the converted log's last line
        QString(),
        QStringLiteral("立即更新吗？"),
    };
    EXPECT_EQ(lines, expected) << m.text.toStdString();
    EXPECT_FALSE(m.text.endsWith(UpdateLineBreak));
    // Only CR LF pairs: no stray line feed or carriage return.
    EXPECT_EQ(m.text.count(u'\n'), m.text.count(UpdateLineBreak));
    EXPECT_EQ(m.text.count(u'\r'), m.text.count(UpdateLineBreak));
}

TEST(UpdateMessages, NoNewVersionLineByLine)
{
    VersionInfo info = sampleReply();
    info.Minor = 4;
    info.Revision = 34;
    info.Beta.clear();
    const UpdateMessage m = NoNewVersionMessage(info, {1, 4, 34});
    EXPECT_EQ(m.title, u"Mirovane未发现新版本");
    const QStringList expected = {
        QStringLiteral("未发现新版本"), QString(), QStringLiteral("您的当前版本：1.4.34"),
        QStringLiteral("最新版本：1.4.34"), QString(), QStringLiteral("是否访问网站查看？"),
    };
    EXPECT_EQ(m.text.split(UpdateLineBreak), expected) << m.text.toStdString();
}

TEST(UpdateMessages, TitlesWithoutNameAndFailure)
{
    EXPECT_EQ(NewVersionMessage(VersionInfo{}, {1, 4, 34}).title, u"发现新版本");
    EXPECT_EQ(NoNewVersionMessage(VersionInfo{}, {1, 4, 34}).title, u"未发现新版本");
    const UpdateMessage failed = FetchFailedMessage();
    EXPECT_EQ(failed.title, u"连接失败");
    EXPECT_EQ(failed.text, u"获取最新版本号失败，请检查是否连接上Internet，也有可能是服务器不正常。");
}

} // namespace
} // namespace mrv
