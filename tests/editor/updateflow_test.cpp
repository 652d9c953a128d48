#include "editor/updateflow.h"

#include "settings/settings.h"
#include "scriptedprompts.h"
#include "support/appinfo.h"
#include "support/xmlfile.h"
#include "update/updateaddress.h"
#include "update/updatemessages.h"
#include "testhttpserver.h"

#include <QNetworkProxy>
#include <QTest>

#include <gtest/gtest.h>

namespace mrv {
namespace {

using test::ScriptedPrompts;
using test::TestHttpServer;

QByteArray reply(const VersionNumber &v, const QByteArray &website = "https://mirovane.org/download")
{
    return R"(<versioninfo><soft name="Mirovane" version=")" + VersionText(v).toUtf8()
           + R"(" time="2024-06-01" website=")" + website
           + R"("/><log>&lt;ul&gt;&lt;li&gt;修正&lt;/li&gt;&lt;/ul&gt;</log></versioninfo>)";
}

VersionNumber newerVersion()
{
    VersionNumber v = RunningVersion();
    ++v.Revision;
    return v;
}

class UpdateFlowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        useServer(server.baseAddress());
        flow.setUrlOpener([this](const QUrl &url) {
            opened.append(url);
            return true;
        });
    }

    void useServer(const QString &address)
    {
        const QByteArray xml = "<Soft><Update Server=\"" + address.toUtf8() + "\"/></Soft>";
        ASSERT_TRUE(LoadXmlText(*settings.ConfigDocument, xml).ok());
    }

    /// Lets the armed timer fire at once and waits until the check has been reported.
    void runArmedCheck()
    {
        ASSERT_TRUE(flow.updateTimer()->isActive());
        int reported = 0;
        const auto c = QObject::connect(&flow, &UpdateFlow::checkReported, [&] { ++reported; });
        flow.updateTimer()->setInterval(0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return reported > 0; }, 5000));
        QObject::disconnect(c);
        EXPECT_FALSE(flow.updateTimer()->isActive());
    }

    TestHttpServer server;
    Settings settings;
    ScriptedPrompts prompts;
    UpdateFlow flow{prompts, settings};
    QList<QUrl> opened;
};

TEST_F(UpdateFlowTest, LaunchArmsAOneSecondOneShotQuietCheck)
{
    EXPECT_FALSE(flow.quiet());
    flow.StartAfterLaunch();
    const QTimer *timer = flow.updateTimer();
    EXPECT_EQ(timer->objectName(), u"Timer_Update");
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_TRUE(timer->isSingleShot());
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(flow.quiet());
    EXPECT_TRUE(server.requests.isEmpty());
}

TEST_F(UpdateFlowTest, QuietCheckSaysNothingWithoutNewerVersion)
{
    server.reply(reply(RunningVersion()));
    flow.StartAfterLaunch();
    runArmedCheck();
    EXPECT_EQ(server.requests.size(), 1);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_FALSE(flow.quiet());
    EXPECT_EQ(flow.versionInfo().Number(), RunningVersion());
}

TEST_F(UpdateFlowTest, QuietCheckSaysNothingWhenTheServerIsDown)
{
    server.shutDown();
    flow.StartAfterLaunch();
    runArmedCheck();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_FALSE(flow.quiet());
}

TEST_F(UpdateFlowTest, QuietCheckAnnouncesANewerVersionAndYesOpensTheSite)
{
    server.reply(reply(newerVersion()));
    prompts.answerMessage(MsgAnswer::Yes);
    flow.StartAfterLaunch();
    runArmedCheck();
    ASSERT_EQ(prompts.messages.size(), 1);
    const MessageRequest &m = prompts.messages.first();
    EXPECT_EQ(m.title, u"Mirovane发现新版本");
    EXPECT_EQ(m.icon, MsgIcon::Information);
    EXPECT_EQ(m.buttons, MsgButtons::YesNo);
    EXPECT_TRUE(m.text.startsWith(u" 检测到有新的版本\r\n发布时间2024-06-01\r\n"));
    EXPECT_TRUE(m.text.contains(u"最新版本：    " + VersionText(newerVersion()) + u"\r\n更新日志：\r\n1、修正\r\n"));
    EXPECT_TRUE(m.text.endsWith(u"立即更新吗？"));
    EXPECT_EQ(opened, QList<QUrl>{QUrl(QStringLiteral("https://mirovane.org/download"))});
}

TEST_F(UpdateFlowTest, NoToTheNewVersionOpensNothing)
{
    server.reply(reply(newerVersion()));
    prompts.answerMessage(MsgAnswer::No);
    flow.CheckNow();
    runArmedCheck();
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(UpdateFlowTest, MenuCheckReportsSameVersionAndOffersTheSite)
{
    server.reply(reply(RunningVersion()));
    prompts.answerMessage(MsgAnswer::Yes);
    flow.CheckNow();
    runArmedCheck();
    ASSERT_EQ(prompts.messages.size(), 1);
    const MessageRequest &m = prompts.messages.first();
    EXPECT_EQ(m.title, u"Mirovane未发现新版本");
    EXPECT_EQ(m.icon, MsgIcon::None);
    EXPECT_EQ(m.buttons, MsgButtons::YesNo);
    EXPECT_TRUE(m.text.startsWith(u"未发现新版本\r\n\r\n您的当前版本：" + VersionText(RunningVersion())));
    EXPECT_EQ(opened, QList<QUrl>{QUrl(QStringLiteral("https://mirovane.org/download"))});
}

TEST_F(UpdateFlowTest, MenuCheckReportsAFailedFetchAndKeepsTheLastReply)
{
    server.reply(reply(RunningVersion()));
    flow.CheckNow();
    runArmedCheck();
    ASSERT_EQ(flow.versionInfo().Website, u"https://mirovane.org/download");

    server.reply("Error: maintenance");
    flow.CheckNow();
    runArmedCheck();
    ASSERT_EQ(prompts.messages.size(), 2);
    const MessageRequest &m = prompts.messages.last();
    EXPECT_EQ(m.title, u"连接失败");
    EXPECT_EQ(m.icon, MsgIcon::Error);
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
    EXPECT_EQ(m.text, FetchFailedMessage().text);
    EXPECT_EQ(flow.versionInfo().Website, u"https://mirovane.org/download");
}

TEST_F(UpdateFlowTest, MissingServerIsAFailedFetch)
{
    ASSERT_TRUE(LoadXmlText(*settings.ConfigDocument, "<Soft/>").ok());
    flow.CheckNow();
    runArmedCheck();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages.first().title, u"连接失败");
    EXPECT_TRUE(server.requests.isEmpty());
}

TEST_F(UpdateFlowTest, SiteThatIsNoWebAddressIsNeverOpened)
{
    for (const QByteArray &site : {QByteArray("file:///usr/bin/xterm"), QByteArray("javascript:alert(1)"),
                                   QByteArray("C:\\Windows\\notepad.exe")}) {
        server.reply(reply(newerVersion(), site));
        prompts.answerMessage(MsgAnswer::Yes);
        flow.CheckNow();
        runArmedCheck();
    }
    EXPECT_EQ(prompts.messages.size(), 3);
    EXPECT_TRUE(opened.isEmpty());
    // About falls back to the product page instead.
    flow.ShowAbout();
    EXPECT_EQ(opened, QList<QUrl>{ProductPageUrl(server.baseAddress())});
}

TEST_F(UpdateFlowTest, AboutOpensTheNamedSiteElseTheProductPage)
{
    flow.ShowAbout();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.last().toString(), server.baseAddress() + u"/tools/Mirovane");

    server.reply(reply(RunningVersion(), "https://mirovane.org/news"));
    flow.CheckNow();
    runArmedCheck();
    opened.clear();
    flow.ShowAbout();
    EXPECT_EQ(opened, QList<QUrl>{QUrl(QStringLiteral("https://mirovane.org/news"))});
}

TEST_F(UpdateFlowTest, AboutWithoutServerUsesTheBuiltInSite)
{
    ASSERT_TRUE(LoadXmlText(*settings.ConfigDocument, "<Soft/>").ok());
    flow.ShowAbout();
    EXPECT_EQ(opened, QList<QUrl>{ProductPageUrl(BuiltInSite)});
    EXPECT_FALSE(opened.first().isEmpty());
}

TEST_F(UpdateFlowTest, WithoutABrowserTheAddressIsShownWithTheVersion)
{
    // What the system's opener says when no browser is installed.
    flow.setUrlOpener([this](const QUrl &url) {
        opened.append(url);
        return false;
    });
    flow.ShowAbout();
    ASSERT_EQ(opened.size(), 1);
    ASSERT_EQ(prompts.messages.size(), 1);
    const MessageRequest &shown = prompts.messages.first();
    EXPECT_EQ(shown.title, QStringLiteral("关于"));
    EXPECT_TRUE(shown.text.startsWith(QStringLiteral("Mirovane ") + AppInfo::VersionText()))
        << shown.text.toStdString();
    EXPECT_TRUE(shown.text.endsWith(u'\n' + opened.first().toString())) << shown.text.toStdString();
}

TEST_F(UpdateFlowTest, MenuCheckDuringAQuietFetchJoinsItAndReports)
{
    server.silent();
    flow.checker().setTimeout(std::chrono::milliseconds(600));
    int reported = 0;
    QObject::connect(&flow, &UpdateFlow::checkReported, [&] { ++reported; });
    flow.StartAfterLaunch();
    flow.updateTimer()->setInterval(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return flow.checker().isBusy(); }, 2000));
    flow.CheckNow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return reported > 0; }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(reported, 1);
    EXPECT_LE(server.requests.size(), 1);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages.first().title, u"连接失败");
}

} // namespace
} // namespace mrv
