#pragma once

#include "update/versioninfo.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <chrono>

class QNetworkAccessManager;
class QNetworkReply;

namespace mrv {

/// The outcome of one update check.
struct UpdateCheckResult
{
    bool fetched = false; ///< the server answered with a readable version reply
    QString failure;      ///< why not, when nothing was fetched (for diagnostics, not shown)
    VersionInfo info;     ///< the reply, when fetched
    bool newer = false;   ///< the reply names a later version than the running one
};

/// Asks the version server for the newest version without blocking the event loop, reads the
/// reply and compares it with the running version. It shows nothing: the result is emitted
/// and the caller decides what the user sees.
///
/// A fetch fails when the server address is no http(s) address, the connection or the HTTP
/// request fails, no complete reply arrives within the time-out (15 s), or the reply grows
/// beyond the size limit (1 MiB); also when the reply is empty, begins with "Error", is not
/// XML, or carries a version that does not read.
class UpdateChecker : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds DefaultTimeout{15000};
    static constexpr qint64 DefaultReplyLimit = 1024 * 1024;

    explicit UpdateChecker(QObject *parent = nullptr);
    ~UpdateChecker() override;

    /// The longest wait for a complete reply.
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    /// The largest reply body accepted, in bytes.
    void setReplyLimit(qint64 bytes) { m_replyLimit = bytes; }

    /// True from CheckForUpdate until finished has been emitted.
    bool isBusy() const { return m_busy; }

    /// Starts one check against the server's base address ("https://host"). Returns false and
    /// does nothing while a check is running. Otherwise finished follows exactly once, always
    /// from the event loop, never before this returns.
    bool CheckForUpdate(const QString &server);

signals:
    void finished(const mrv::UpdateCheckResult &result);

private:
    void FetchReply(const QUrl &url);
    void readAvailable();
    void replyFinished();
    void abortFetch(const QString &reason);
    void complete(UpdateCheckResult result);

    QNetworkAccessManager *m_network;
    QPointer<QNetworkReply> m_reply;
    QTimer m_deadline;
    QByteArray m_body;
    QString m_abortReason;
    std::chrono::milliseconds m_timeout = DefaultTimeout;
    qint64 m_replyLimit = DefaultReplyLimit;
    bool m_busy = false;
};

} // namespace mrv
