#pragma once

// A small HTTP/1.1 server on 127.0.0.1 for fetch tests: one answer per path,
// optional basic authentication, slow bodies and connections cut mid-body.
// An answer that carries an ETag or a Last-Modified header is answered 304
// without a body when the request sends the same value back.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QTcpServer>

class QTcpSocket;

class TestHttpServer : public QObject {
    Q_OBJECT
public:
    struct Response {
        int status = 200;
        QByteArray reason = "OK";
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;
        QByteArray basicAuth;      // "user:password" required, or empty
        int chunkBytes = 0;        // > 0: send the body in pieces this large...
        int chunkDelayMs = 0;      // ...this far apart
        qint64 cutAfterBytes = -1; // >= 0: reset the connection after this much body
    };

    TestHttpServer();
    ~TestHttpServer() override;
    void setResponse(const QByteArray& path, const Response& response);
    QString url(const QByteArray& path) const;
    int requestCount(const QByteArray& path) const { return m_counts.value(path); }
    // Answers sent with their body (not 304) and the last request's head.
    int bodyCount(const QByteArray& path) const { return m_bodies.value(path); }
    QByteArray lastRequestHead(const QByteArray& path) const { return m_heads.value(path); }

private:
    void onConnection();
    void onReadable(QTcpSocket* socket);
    void sendBody(QTcpSocket* socket, const Response& r, qint64 offset);

    QTcpServer m_server;
    QHash<QByteArray, Response> m_responses;
    QHash<QByteArray, int> m_counts;
    QHash<QByteArray, int> m_bodies;
    QHash<QByteArray, QByteArray> m_heads;
    QHash<QTcpSocket*, QByteArray> m_pending;
};
