#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QTcpServer>

namespace mrv::test {

/// One request as the server received it.
struct HttpRequest
{
    QByteArray method;
    QByteArray target; ///< path and query as sent
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;

    /// The value of a header (name compared without letter case); empty when absent.
    QByteArray header(const QByteArray &name) const;
    bool hasHeader(const QByteArray &name) const;
};

/// A small HTTP/1.1 server on 127.0.0.1 (a free port) inside the test process, answering every
/// request the same scripted way.
class TestHttpServer : public QObject
{
    Q_OBJECT

public:
    enum class Delivery {
        Whole,   ///< status, Content-Length and body at once
        Chunked, ///< chunked transfer, no length announced
        Trickle, ///< headers, then the body a few bytes at a time with a pause in between
        Silent,  ///< reads the request and never answers
    };

    TestHttpServer();
    ~TestHttpServer() override;

    /// "http://127.0.0.1:<port>"
    QString baseAddress() const;
    quint16 port() const { return m_server.serverPort(); }

    void reply(QByteArray body, int status = 200, Delivery delivery = Delivery::Whole);
    void silent() { m_delivery = Delivery::Silent; }
    /// Stops listening and drops every connection, so later connections are refused.
    void shutDown();

    QList<HttpRequest> requests;

private:
    void accept();
    void answer(class QTcpSocket *socket);

    QTcpServer m_server;
    QByteArray m_body;
    int m_status = 200;
    Delivery m_delivery = Delivery::Whole;
};

} // namespace mrv::test
