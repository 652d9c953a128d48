#include "update/updatechecker.h"

#include "update/updateaddress.h"
#include "testhttpserver.h"

#include <QElapsedTimer>
#include <QNetworkProxy>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace mrv {
namespace {

using test::TestHttpServer;
using Delivery = TestHttpServer::Delivery;
using namespace std::chrono_literals;

QByteArray versionReply(const VersionNumber &v, const QByteArray &beta = {},
                        const QByteArray &website = "https://mirovane.org/download")
{
    return R"(<?xml version="1.0" encoding="utf-8"?><versioninfo><soft name="Mirovane" shortname="mrv" version=")"
           + VersionText(v).toUtf8() + R"(" beta=")" + beta + R"(" time="2024-06-01" website=")"
           + website + R"("/><log><![CDATA[<ul><li>修正</li></ul>]]></log></versioninfo>)";
}

VersionNumber runningPlus(qint32 major, qint32 minor, qint32 revision)
{
    const VersionNumber r = RunningVersion();
    return {r.Major + major, r.Minor + minor, r.Revision + revision};
}

class UpdateCheckerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A proxy from the environment must not stand between the checker and 127.0.0.1.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        ASSERT_NE(server.port(), 0);
    }

    UpdateCheckResult check(const QString &address, int waitMs = 5000)
    {
        std::optional<UpdateCheckResult> got;
        const auto connection = QObject::connect(&checker, &UpdateChecker::finished,
                                                 [&](const UpdateCheckResult &r) { got = r; });
        EXPECT_TRUE(checker.CheckForUpdate(address));
        EXPECT_FALSE(got.has_value()) << "finished before CheckForUpdate returned";
        EXPECT_TRUE(QTest::qWaitFor([&] { return got.has_value(); }, waitMs));
        QObject::disconnect(connection);
        EXPECT_FALSE(checker.isBusy());
        return got.value_or(UpdateCheckResult{});
    }

    UpdateCheckResult check() { return check(server.baseAddress()); }

    TestHttpServer server;
    UpdateChecker checker;
};

TEST_F(UpdateCheckerTest, SendsTheVersionQuery)
{
    server.reply(versionReply(RunningVersion()));
    ASSERT_TRUE(check().fetched);
    ASSERT_EQ(server.requests.size(), 1);
    const auto &request = server.requests.first();
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.target, "/tools/checkver/index.php?soft=Mirovane&mod=xmlverinfo&ver=newest");
    EXPECT_EQ(request.header("If-Modified-Since"), "Thu, 01 Jan 1970 00:00:00 GMT");
    EXPECT_TRUE(request.body.isEmpty());
    EXPECT_FALSE(request.hasHeader("Content-Length") && request.header("Content-Length") != "0");
    EXPECT_FALSE(request.hasHeader("Cookie"));
}

TEST_F(UpdateCheckerTest, ComparesTheReplyWithTheRunningVersion)
{
    struct Case
    {
        VersionNumber version;
        QByteArray beta;
        bool newer;
    };
    const Case cases[] = {
        {runningPlus(0, 0, 1), {}, true},
        {RunningVersion(), {}, false},
        {RunningVersion(), "beta 2", false},
        {runningPlus(0, -1, 50), {}, false},
    };
    for (const Case &c : cases) {
        server.reply(versionReply(c.version, c.beta));
        const UpdateCheckResult result = check();
        const QString version = VersionText(c.version);
        ASSERT_TRUE(result.fetched) << version.toStdString() << ": " << result.failure.toStdString();
        EXPECT_EQ(result.newer, c.newer) << version.toStdString();
        EXPECT_EQ(result.info.Number(), c.version);
        EXPECT_EQ(result.info.Beta, QString::fromUtf8(c.beta));
        EXPECT_EQ(result.info.Name, u"Mirovane");
        EXPECT_EQ(result.info.Website, u"https://mirovane.org/download");
        EXPECT_EQ(result.info.Time, u"2024-06-01");
        EXPECT_EQ(result.info.Log, u"<ul><li>修正</li></ul>");
    }
}

TEST_F(UpdateCheckerTest, RefusedEmptyAndBrokenRepliesFail)
{
    const QByteArray bodies[] = {
        "Error: soft not found",
        "error",
        "",
        "<html><head><title>503</title></head><body><p>down</body></html>",
        "not xml at all",
        R"(<versioninfo><soft version="1.5"/></versioninfo>)",
        R"(<versioninfo><soft version="1.x.0"/></versioninfo>)",
    };
    for (const QByteArray &body : bodies) {
        server.reply(body);
        const UpdateCheckResult result = check();
        EXPECT_FALSE(result.fetched) << body.toStdString();
        EXPECT_FALSE(result.failure.isEmpty());
    }
}

TEST_F(UpdateCheckerTest, HttpErrorStatusFailsEvenWithAVersionBody)
{
    server.reply(versionReply(runningPlus(1, 0, 0)), 404);
    EXPECT_FALSE(check().fetched);
    server.reply(versionReply(runningPlus(1, 0, 0)), 500);
    EXPECT_FALSE(check().fetched);
}

TEST_F(UpdateCheckerTest, ChunkedReplyIsRead)
{
    server.reply(versionReply(runningPlus(0, 0, 1)), 200, Delivery::Chunked);
    const UpdateCheckResult result = check();
    ASSERT_TRUE(result.fetched) << result.failure.toStdString();
    EXPECT_TRUE(result.newer);
}

TEST_F(UpdateCheckerTest, SilentServerTimesOut)
{
    server.silent();
    checker.setTimeout(300ms);
    QElapsedTimer clock;
    clock.start();
    const UpdateCheckResult result = check();
    EXPECT_FALSE(result.fetched);
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_EQ(server.requests.size(), 1);
}

TEST_F(UpdateCheckerTest, TricklingServerTimesOutAlthoughBytesKeepComing)
{
    // 16 bytes every 40 ms: the whole reply would take about four seconds, and bytes keep
    // arriving all the while, so only a limit on the whole wait ends it.
    server.reply(versionReply(RunningVersion()) + QByteArray(1200, ' '), 200, Delivery::Trickle);
    checker.setTimeout(400ms);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(check().fetched);
    EXPECT_LT(clock.elapsed(), 3000);
}

TEST_F(UpdateCheckerTest, ReplyAtTheSizeLimitIsReadOneByteMoreIsNot)
{
    const QByteArray head = versionReply(runningPlus(0, 0, 1));
    const QByteArray exact = head + QByteArray(UpdateChecker::DefaultReplyLimit - head.size(), '\n');
    ASSERT_EQ(exact.size(), UpdateChecker::DefaultReplyLimit);

    server.reply(exact);
    const UpdateCheckResult atLimit = check();
    EXPECT_TRUE(atLimit.fetched) << atLimit.failure.toStdString();

    server.reply(exact + '\n'); // announced length over the limit
    EXPECT_FALSE(check().fetched);
    server.reply(exact + '\n', 200, Delivery::Chunked); // no length: counted while reading
    EXPECT_FALSE(check().fetched);
    server.reply(exact, 200, Delivery::Chunked);
    EXPECT_TRUE(check().fetched);
}

TEST_F(UpdateCheckerTest, NoWebServerAddressFailsWithoutARequest)
{
    server.reply(versionReply(runningPlus(1, 0, 0)));
    const QString port = QString::number(server.port());
    for (const QString &address : QStringList{QString(), QStringLiteral("127.0.0.1:") + port,
                                   QStringLiteral("file:///etc/hostname"),
                                   QStringLiteral("ftp://127.0.0.1:") + port}) {
        const UpdateCheckResult result = check(address);
        EXPECT_FALSE(result.fetched) << address.toStdString();
    }
    EXPECT_TRUE(server.requests.isEmpty());
}

TEST_F(UpdateCheckerTest, RefusedConnectionFails)
{
    const QString address = server.baseAddress();
    server.shutDown();
    EXPECT_FALSE(check(address).fetched);
}

TEST_F(UpdateCheckerTest, EventLoopRunsWhileWaitingAndOneCheckAtATime)
{
    server.silent();
    checker.setTimeout(500ms);
    bool finished = false;
    bool tickedWhileBusy = false;
    QObject::connect(&checker, &UpdateChecker::finished, [&] { finished = true; });
    ASSERT_TRUE(checker.CheckForUpdate(server.baseAddress()));
    EXPECT_TRUE(checker.isBusy());
    EXPECT_FALSE(checker.CheckForUpdate(server.baseAddress()));
    QTimer::singleShot(50, [&] { tickedWhileBusy = checker.isBusy() && !finished; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished; }, 5000));
    EXPECT_TRUE(tickedWhileBusy);
    EXPECT_LE(server.requests.size(), 1);
    // Free again for the next check.
    server.reply(versionReply(RunningVersion()));
    EXPECT_TRUE(check().fetched);
}

TEST_F(UpdateCheckerTest, DestroyedWhileFetchingEmitsNothing)
{
    server.silent();
    bool finished = false;
    {
        UpdateChecker local;
        QObject::connect(&local, &UpdateChecker::finished, [&] { finished = true; });
        ASSERT_TRUE(local.CheckForUpdate(server.baseAddress()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !server.requests.isEmpty(); }, 2000));
    }
    QTest::qWait(50);
    EXPECT_FALSE(finished);
}

} // namespace
} // namespace mrv
