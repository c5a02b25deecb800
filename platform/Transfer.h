#pragma once

// The program's one HTTP transfer object: one request at a time, on
// QNetworkAccessManager. Callers set the address and credentials, execute a
// GET, wait while it is still executing (letting events run), then read the
// status, the headers and the body in chunks.
//
// The whole body is held until the request ends, so a caller knows whether it
// arrived whole before storing any of it. A request fails when nothing has
// arrived for 60 seconds or when the body grows past 64 MiB.
//
// Polite polling: for the run, the object remembers each address's ETag and
// Last-Modified and, when asked, sends them back (If-None-Match,
// If-Modified-Since), so an unchanged feed costs a 304 without a body. The
// validators of a 200 answer wait until the caller says whether it stored the
// body: only a stored body may later be answered by "not modified".

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class QNetworkAccessManager;
#include <QNetworkReply>
class QAuthenticator;

class Transfer : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 kMaxBodyBytes = 64LL * 1024 * 1024;
    static constexpr int kIdleTimeoutMs = 60000;

    // The process-wide instance; it lives as long as the application object.
    static Transfer& shared();

    void setURL(const QString& url) { m_url = url; }
    void setUserName(const QString& user) { m_user = user; }
    void setPassword(const QString& password) { m_password = password; }

    // The next request (only) sends the validators remembered for its address.
    void setConditional(bool on) { m_conditional = on; }
    // The last answer was 304: nothing new since the remembered validators.
    bool notModified() const { return m_status == 304; }
    // After the caller handled a 200 answer for `url`: true keeps its
    // validators for later requests (once its body is stored or about to
    // be); false forgets every validator of the address, so the next request
    // asks for the whole body again.
    void settleValidators(const QString& url, bool stored);
    // Validators remembered for an address, as they will be sent.
    QByteArray rememberedETag(const QString& url) const { return m_validators.value(url).etag; }
    QByteArray rememberedLastModified(const QString& url) const {
        return m_validators.value(url).lastModified;
    }

    // Starts a request; false when it cannot be made (bad address, busy).
    bool execute(const QString& method = QStringLiteral("GET"));
    bool stillExecuting() const { return m_reply != nullptr; }
    // Ends the running request; its body is dropped.
    void cancel();

    // Number of the request most recently started; a waiting caller compares
    // it to know whether a later request has taken the object over.
    quint64 requestId() const { return m_requestId; }

    // After the request: the HTTP status (0 when none was received), the
    // response headers as text beginning with a status line, whether the
    // transfer failed (network error, time-out, size limit, cancellation)
    // and the charset named by Content-Type, if any.
    int statusCode() const { return m_status; }
    QString responseHeaders() const { return m_headers; }
    bool transferFailed() const { return m_failed; }
    QString errorString() const { return m_error; }
    QByteArray contentCharset() const { return m_charset; }

    // The next part of the body, at most `maxBytes`; empty at the end.
    QByteArray getChunk(int maxBytes);
    // Frees the held body of a finished request (it can be large).
    void releaseBody();

    // Waits, letting window events run, until the given request has ended or
    // was replaced by a later one. True when it ended as itself.
    bool waitFor(quint64 requestId);

private:
    explicit Transfer(QObject* parent);
    void onReadyRead();
    void onFinished();
    void onAuthenticationRequired(QNetworkReply* reply, QAuthenticator* auth);
    void finishWith(bool failed, const QString& error);

    struct Validators {
        QByteArray etag, lastModified;
    };
    void takeValidators(QNetworkReply* reply);

    QHash<QString, Validators> m_validators; // of stored bodies, by address
    QHash<QString, Validators> m_pending;    // of 200 answers not yet settled
    bool m_conditional = false;
    QNetworkAccessManager* m_manager = nullptr;
    QPointer<QNetworkReply> m_reply;
    QString m_url, m_user, m_password;
    QString m_lastUser, m_lastPassword;
    quint64 m_requestId = 0;
    int m_status = 0;
    bool m_failed = false;
    bool m_authAnswered = false;
    QString m_headers, m_error;
    QByteArray m_charset;
    QByteArray m_body;
    qsizetype m_readPos = 0;
};
