#pragma once

#include "widgets/prompts.h"
#include "update/updatechecker.h"
#include "update/versioninfo.h"

#include <QObject>
#include <QTimer>
#include <QUrl>

#include <functional>

namespace mrv {

struct Settings;

/// The update check as the editor presents it: the start-up check one second after the window
/// has loaded (quiet: it speaks only of a newer version), the help menu's check (reports in
/// every case) and the About command. Messages go through the prompts; web addresses open
/// through an opener: xdg-open where there is one (its failure is seen), else
/// QDesktopServices::openUrl, unless replaced.
///
/// The editor window calls StartAfterLaunch() at the end of its load step, CheckNow() for
/// mnuCheckUpdates and ShowAbout() for mnuAbout. The server's base address is read from the
/// configuration document (/Soft/Update, attribute Server) at every check.
class UpdateFlow : public QObject
{
    Q_OBJECT

public:
    using UrlOpener = std::function<bool(const QUrl &)>;

    UpdateFlow(Prompts &prompts, const Settings &settings, QObject *parent = nullptr);

    /// Replaces the way web addresses are opened (tests record them instead).
    void setUrlOpener(UrlOpener opener) { m_opener = std::move(opener); }

    /// Editor load: quiet mode on, the check one second from now.
    void StartAfterLaunch();
    /// mnuCheckUpdates: a check one second from now that reports in every case.
    void CheckNow();
    /// mnuAbout: the web site the last reply named, else the product page; when it cannot be
    /// opened, a message with the program's version and the address to copy.
    void ShowAbout();

    /// Timer_Update: 1000 ms, one shot; a check runs when it fires.
    QTimer *updateTimer() { return &m_timer; }
    UpdateChecker &checker() { return m_checker; }
    /// True until the first timed check has started.
    bool quiet() const { return m_quiet; }
    /// The last reply that was read; defaults until a check succeeds.
    const VersionInfo &versionInfo() const { return m_info; }

signals:
    /// One check is over and its messages are closed.
    void checkReported(const mrv::UpdateCheckResult &result);

private:
    void Timer_Update_Timer();
    void report(const UpdateCheckResult &result);
    bool openWebsite(const QString &address);
    /// Opens the address, or shows it with the version when no browser takes it.
    void open(const QUrl &url);
    QString serverAddress() const;

    Prompts &m_prompts;
    const Settings &m_settings;
    UpdateChecker m_checker;
    QTimer m_timer;
    UrlOpener m_opener;
    VersionInfo m_info;
    bool m_quiet = false;
    bool m_runningQuiet = false;
};

} // namespace mrv
