#include "update/updatechecker.h"

#include "update/updateaddress.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace mrv {

namespace {

UpdateCheckResult failedWith(const QString &reason)
{
    UpdateCheckResult result;
    result.failure = reason;
    return result;
}

} // namespace

UpdateChecker::UpdateChecker(QObject *parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this))
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        abortFetch(QStringLiteral("no complete reply within %1 ms").arg(m_timeout.count()));
    });
}

UpdateChecker::~UpdateChecker()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

bool UpdateChecker::CheckForUpdate(const QString &server)
{
    if (m_busy)
        return false;
    m_busy = true;
    const QUrl url = VersionQueryUrl(server);
    if (url.isEmpty())
        complete(failedWith(QStringLiteral("no http(s) version server configured: “%1”").arg(server)));
    else
        FetchReply(url);
    return true;
}

void UpdateChecker::FetchReply(const QUrl &url)
{
    QNetworkRequest request(url);
    request.setRawHeader(IfModifiedSinceHeader, IfModifiedSinceValue);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    m_body.clear();
    m_abortReason.clear();
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &UpdateChecker::readAvailable);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_replyLimit)
            abortFetch(QStringLiteral("reply of %1 bytes is too large").arg(length.toLongLong()));
    });
    connect(m_reply, &QNetworkReply::finished, this, &UpdateChecker::replyFinished);
    m_deadline.start(m_timeout);
}

void UpdateChecker::readAvailable()
{
    if (!m_reply || !m_abortReason.isEmpty())
        return;
    m_body += m_reply->readAll();
    if (m_body.size() > m_replyLimit)
        abortFetch(QStringLiteral("reply larger than %1 bytes").arg(m_replyLimit));
}

void UpdateChecker::abortFetch(const QString &reason)
{
    if (!m_reply || !m_abortReason.isEmpty())
        return;
    m_abortReason = reason;
    m_reply->abort(); // finishes the reply, which reports the reason
}

void UpdateChecker::replyFinished()
{
    QNetworkReply *reply = m_reply;
    if (!reply)
        return;
    m_deadline.stop();
    if (m_abortReason.isEmpty()) {
        m_body += reply->readAll();
        if (m_body.size() > m_replyLimit)
            m_abortReason = QStringLiteral("reply larger than %1 bytes").arg(m_replyLimit);
    }
    reply->disconnect(this);
    reply->deleteLater();
    m_reply = nullptr;

    if (!m_abortReason.isEmpty())
        return complete(failedWith(m_abortReason));
    if (reply->error() != QNetworkReply::NoError)
        return complete(failedWith(reply->errorString()));
    const auto info = ParseReply(m_body);
    if (!info)
        return complete(failedWith(info.message()));
    UpdateCheckResult result;
    result.fetched = true;
    result.info = *info;
    result.newer = IsNewer(result.info, RunningVersion());
    complete(std::move(result));
}

void UpdateChecker::complete(UpdateCheckResult result)
{
    m_body.clear();
    // Emitted from the event loop, so receivers may open modal dialogs safely.
    QTimer::singleShot(0, this, [this, result = std::move(result)] {
        m_busy = false;
        emit finished(result);
    });
}

} // namespace mrv
