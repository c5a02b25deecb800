#include "support/TestHttpServer.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

TestHttpServer::TestHttpServer() {
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, &TestHttpServer::onConnection);
}

TestHttpServer::~TestHttpServer() {
    // Connections still open (a client that gave up mid-body) go first, while
    // the table their signals touch is still there.
    m_server.close();
    qDeleteAll(m_server.findChildren<QTcpSocket*>());
}

void TestHttpServer::setResponse(const QByteArray& path, const Response& response) {
    m_responses.insert(path, response);
}

QString TestHttpServer::url(const QByteArray& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2")
        .arg(m_server.serverPort())
        .arg(QString::fromLatin1(path));
}

void TestHttpServer::onConnection() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadable(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, this, [this, socket] { m_pending.remove(socket); });
    }
}

void TestHttpServer::onReadable(QTcpSocket* socket) {
    QByteArray& buffer = m_pending[socket];
    buffer += socket->readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    const QByteArray head = buffer.left(end);
    buffer.remove(0, end + 4);
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    const QByteArray path = requestLine.value(1);
    QByteArray authorization, ifNoneMatch, ifModifiedSince;
    for (const QByteArray& line : lines) {
        const QByteArray lower = line.toLower();
        if (lower.startsWith("authorization:"))
            authorization = line.mid(14).trimmed();
        else if (lower.startsWith("if-none-match:"))
            ifNoneMatch = line.mid(14).trimmed();
        else if (lower.startsWith("if-modified-since:"))
            ifModifiedSince = line.mid(18).trimmed();
    }
    m_counts[path] += 1;
    m_heads[path] = head;

    Response r = m_responses.value(path, Response{404, "Not Found", {}, "missing", {}, 0, 0, -1});
    if (!r.basicAuth.isEmpty() && authorization != "Basic " + r.basicAuth.toBase64()) {
        r = Response{
            401, "Unauthorized", {{"WWW-Authenticate", "Basic realm=\"feeds\""}}, "no", {}, 0, 0,
            -1};
    }
    if (r.status == 200) {
        QByteArray etag, lastModified;
        for (const auto& h : r.headers) {
            if (h.first.toLower() == "etag")
                etag = h.second;
            else if (h.first.toLower() == "last-modified")
                lastModified = h.second;
        }
        const bool same = !ifNoneMatch.isEmpty()
                              ? ifNoneMatch == etag && !etag.isEmpty()
                              : !ifModifiedSince.isEmpty() && ifModifiedSince == lastModified;
        if (same) {
            QByteArray out = "HTTP/1.1 304 Not Modified\r\n";
            for (const auto& h : r.headers)
                out += h.first + ": " + h.second + "\r\n";
            socket->write(out + "Connection: close\r\n\r\n");
            socket->disconnectFromHost();
            return;
        }
    }
    m_bodies[path] += 1;
    QByteArray out = "HTTP/1.1 " + QByteArray::number(r.status) + ' ' + r.reason + "\r\n";
    bool hasType = false;
    for (const auto& h : r.headers) {
        out += h.first + ": " + h.second + "\r\n";
        hasType = hasType || h.first.toLower() == "content-type";
    }
    if (!hasType)
        out += "Content-Type: application/xml\r\n";
    out += "Content-Length: " + QByteArray::number(r.body.size()) + "\r\nConnection: close\r\n\r\n";
    socket->write(out);
    sendBody(socket, r, 0);
}

void TestHttpServer::sendBody(QTcpSocket* socket, const Response& r, qint64 offset) {
    qint64 end = r.body.size();
    if (r.chunkBytes > 0)
        end = qMin<qint64>(offset + r.chunkBytes, end);
    if (r.cutAfterBytes >= 0 && end >= r.cutAfterBytes) {
        socket->write(r.body.mid(offset, r.cutAfterBytes - offset));
        socket->flush();
        socket->abort();
        return;
    }
    socket->write(r.body.mid(offset, end - offset));
    if (end >= r.body.size()) {
        socket->disconnectFromHost();
        return;
    }
    QPointer<QTcpSocket> guard(socket);
    QTimer::singleShot(r.chunkDelayMs, this, [this, guard, r, end] {
        if (guard)
            sendBody(guard, r, end);
    });
}
