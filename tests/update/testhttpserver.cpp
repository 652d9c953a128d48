#include "testhttpserver.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

namespace mrv::test {

namespace {

constexpr qsizetype TricklePiece = 16;
constexpr int TricklePauseMs = 40;
constexpr qsizetype ChunkSize = 64 * 1024;

QByteArray statusLine(int status)
{
    const QByteArray reason = status == 200 ? "OK" : status == 404 ? "Not Found" : "Status";
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\n";
}

// Parses the request head once it is complete; false while more bytes are needed.
bool parseRequest(const QByteArray &buffer, HttpRequest &request)
{
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return false;
    const QList<QByteArray> lines = buffer.left(end).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request.method = first.value(0);
    request.target = first.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon > 0)
            request.headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
    }
    const qsizetype length = request.header("Content-Length").toLongLong();
    if (buffer.size() < end + 4 + length)
        return false;
    request.body = buffer.mid(end + 4, length);
    return true;
}

} // namespace

QByteArray HttpRequest::header(const QByteArray &name) const
{
    for (const auto &h : headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    return {};
}

bool HttpRequest::hasHeader(const QByteArray &name) const
{
    for (const auto &h : headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

TestHttpServer::TestHttpServer()
{
    connect(&m_server, &QTcpServer::newConnection, this, &TestHttpServer::accept);
    m_server.listen(QHostAddress::LocalHost, 0);
}

TestHttpServer::~TestHttpServer() = default;

QString TestHttpServer::baseAddress() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
}

void TestHttpServer::reply(QByteArray body, int status, Delivery delivery)
{
    m_body = std::move(body);
    m_status = status;
    m_delivery = delivery;
}

void TestHttpServer::shutDown()
{
    m_server.close();
    for (QTcpSocket *socket : findChildren<QTcpSocket *>())
        socket->abort();
}

void TestHttpServer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
            *buffer += socket->readAll();
            HttpRequest request;
            if (!parseRequest(*buffer, request))
                return;
            buffer->clear();
            requests.append(request);
            answer(socket);
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void TestHttpServer::answer(QTcpSocket *socket)
{
    QByteArray head = statusLine(m_status) + "Content-Type: text/xml; charset=utf-8\r\n";
    switch (m_delivery) {
    case Delivery::Silent:
        return;
    case Delivery::Whole:
        socket->write(head + "Content-Length: " + QByteArray::number(m_body.size()) + "\r\n\r\n"
                      + m_body);
        return;
    case Delivery::Chunked: {
        socket->write(head + "Transfer-Encoding: chunked\r\n\r\n");
        for (qsizetype at = 0; at < m_body.size(); at += ChunkSize) {
            const QByteArray piece = m_body.mid(at, ChunkSize);
            socket->write(QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n");
        }
        socket->write("0\r\n\r\n");
        return;
    }
    case Delivery::Trickle: {
        socket->write(head + "Content-Length: " + QByteArray::number(m_body.size()) + "\r\n\r\n");
        auto *timer = new QTimer(socket);
        auto sent = std::make_shared<qsizetype>(0);
        connect(timer, &QTimer::timeout, socket, [socket, timer, sent, body = m_body] {
            socket->write(body.mid(*sent, TricklePiece));
            *sent += TricklePiece;
            if (*sent >= body.size())
                timer->stop();
        });
        timer->start(TricklePauseMs);
        return;
    }
    }
}

} // namespace mrv::test
