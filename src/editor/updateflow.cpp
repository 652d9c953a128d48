#include "editor/updateflow.h"

#include "settings/settings.h"
#include "update/updateaddress.h"
#include "update/updatemessages.h"
#include "support/appinfo.h"
#include "support/tr.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace mrv {

namespace {

MessageRequest question(const UpdateMessage &message, MsgIcon icon)
{
    MessageRequest request;
    request.title = message.title;
    request.text = message.text;
    request.icon = icon;
    request.buttons = MsgButtons::YesNo;
    request.defaultButton = MsgAnswer::Yes;
    return request;
}

/// Opens the address in the desktop's browser and says whether it was taken. xdg-open exits
/// with an error when there is no browser ("no method available"), which QDesktopServices
/// does not pass on; an opener still running after a moment has handed the address over.
bool OpenInBrowser(const QUrl &url)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return QDesktopServices::openUrl(url);
    auto *process = new QProcess;
    // Left to end on its own: ending it could take the browser it started with it.
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->start(opener, {url.toString(QUrl::FullyEncoded)});
    if (!process->waitForStarted(2000)) {
        delete process;
        return false;
    }
    if (!process->waitForFinished(2000))
        return true;
    return process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
}

} // namespace

UpdateFlow::UpdateFlow(Prompts &prompts, const Settings &settings, QObject *parent)
    : QObject(parent), m_prompts(prompts), m_settings(settings),
      m_opener(OpenInBrowser)
{
    m_timer.setObjectName(QStringLiteral("Timer_Update"));
    m_timer.setInterval(1000);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &UpdateFlow::Timer_Update_Timer);
    connect(&m_checker, &UpdateChecker::finished, this, &UpdateFlow::report);
}

void UpdateFlow::StartAfterLaunch()
{
    m_quiet = true;
    m_timer.setInterval(1000);
    m_timer.start();
}

void UpdateFlow::CheckNow()
{
    m_timer.start();
}

void UpdateFlow::Timer_Update_Timer()
{
    // A check asked for while one is running joins it: one fetch, and it reports unless
    // every request for it was quiet.
    if (m_checker.isBusy()) {
        m_runningQuiet = m_runningQuiet && m_quiet;
    } else {
        m_runningQuiet = m_quiet;
        m_checker.CheckForUpdate(serverAddress());
    }
    m_quiet = false;
}

void UpdateFlow::report(const UpdateCheckResult &result)
{
    const bool quiet = m_runningQuiet;
    const VersionNumber running = RunningVersion();
    if (!result.fetched) {
        if (!quiet) {
            const UpdateMessage message = FetchFailedMessage();
            MessageRequest request;
            request.title = message.title;
            request.text = message.text;
            request.icon = MsgIcon::Error;
            m_prompts.Message(request);
        }
    } else {
        m_info = result.info;
        if (result.newer) {
            const auto request = question(NewVersionMessage(m_info, running), MsgIcon::Information);
            if (m_prompts.Message(request) == MsgAnswer::Yes)
                openWebsite(m_info.Website);
        } else if (!quiet) {
            const auto request = question(NoNewVersionMessage(m_info, running), MsgIcon::None);
            if (m_prompts.Message(request) == MsgAnswer::Yes)
                openWebsite(m_info.Website);
        }
    }
    emit checkReported(result);
}

void UpdateFlow::ShowAbout()
{
    if (openWebsite(m_info.Website))
        return;
    QUrl page = ProductPageUrl(serverAddress());
    if (page.isEmpty())
        page = ProductPageUrl(BuiltInSite);
    open(page);
}

bool UpdateFlow::openWebsite(const QString &address)
{
    const QUrl url = WebAddress(address);
    if (url.isEmpty())
        return false;
    open(url);
    return true;
}

void UpdateFlow::open(const QUrl &url)
{
    if (m_opener(url))
        return;
    // Without a browser the opener fails quietly; the address is then shown to be copied.
    m_prompts.Message({Tr::tr("%1 %2\n\n没有可以打开网页的浏览器。本程序的网址：\n%3")
                           .arg(AppInfo::Title(), AppInfo::VersionText(),
                                url.toString(QUrl::FullyDecoded)),
                       Tr::tr("关于"), MsgIcon::Information, MsgButtons::Ok, MsgAnswer::Ok});
}

QString UpdateFlow::serverAddress() const
{
    return m_settings.ConfigDocument ? UpdateServerAddress(*m_settings.ConfigDocument) : QString();
}

} // namespace mrv
