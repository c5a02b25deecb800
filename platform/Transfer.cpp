#include "platform/Transfer.h"

#include <QAuthenticator>
#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

Transfer& Transfer::shared() {
    static QPointer<Transfer> instance;
    if (!instance)
        instance = new Transfer(QCoreApplication::instance());
    return *instance;
}

Transfer::Transfer(QObject* parent) : QObject(parent), m_manager(new QNetworkAccessManager(this)) {
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    // Redirects are followed, but never from HTTPS down to HTTP.
    m_manager->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    connect(m_manager, &QNetworkAccessManager::authenticationRequired, this,
            &Transfer::onAuthenticationRequired);
}

bool Transfer::execute(const QString& method) {
    if (m_reply)
        return false;
    ++m_requestId;
    m_status = 0;
    m_failed = false;
    m_authAnswered = false;
    m_headers.clear();
    m_error.clear();
    m_charset.clear();
    m_body.clear();
    m_readPos = 0;

    const QUrl url = QUrl::fromUserInput(m_url);
    if (!url.isValid() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
        m_conditional = false;
        m_failed = true;
        m_error = QStringLiteral("not an HTTP address: %1").arg(m_url);
        return false;
    }
    // Credentials the manager remembers from an earlier request must not
    // answer for different ones.
    if (m_user != m_lastUser || m_password != m_lastPassword)
        m_manager->clearAccessCache();
    m_lastUser = m_user;
    m_lastPassword = m_password;
    QNetworkRequest request(url);
    m_pending.remove(m_url); // an answer never settled is not kept later
    if (m_conditional) {
        const Validators v = m_validators.value(m_url);
        if (!v.etag.isEmpty())
            request.setRawHeader("If-None-Match", v.etag);
        if (!v.lastModified.isEmpty())
            request.setRawHeader("If-Modified-Since", v.lastModified);
    }
    m_conditional = false;
    request.setTransferTimeout(kIdleTimeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    m_reply = m_manager->sendCustomRequest(request, method.toLatin1());
    if (!m_reply) {
        m_failed = true;
        return false;
    }
    connect(m_reply, &QNetworkReply::readyRead, this, &Transfer::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &Transfer::onFinished);
    return true;
}

void Transfer::onAuthenticationRequired(QNetworkReply* reply, QAuthenticator* auth) {
    // Answer once per request: wrong credentials then end in a 401.
    if (reply != m_reply || m_authAnswered || (m_user.isEmpty() && m_password.isEmpty()))
        return;
    m_authAnswered = true;
    auth->setUser(m_user);
    auth->setPassword(m_password);
}

void Transfer::onReadyRead() {
    if (!m_reply)
        return;
    if (m_body.isEmpty()) {
        // Room for the announced body at once: growing a large buffer step by
        // step copies it again and again.
        const qint64 announced = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
        if (announced > 0 && announced <= kMaxBodyBytes)
            m_body.reserve(qsizetype(announced));
    }
    m_body += m_reply->readAll();
    if (m_body.size() > kMaxBodyBytes) {
        QNetworkReply* reply = m_reply;
        finishWith(true, QStringLiteral("the body is larger than 64 MiB"));
        reply->abort();
    }
}

void Transfer::onFinished() {
    QNetworkReply* reply = qobject_cast<QNetworkReply*>(sender());
    if (!reply || reply != m_reply)
        return;
    m_body += reply->readAll();
    m_status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray reason =
        reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray();
    if (m_status > 0) {
        const QByteArray version = reply->attribute(QNetworkRequest::Http2WasUsedAttribute).toBool()
                                       ? "HTTP/2"
                                       : "HTTP/1.1";
        QString headers = QString::fromLatin1(version + ' ' + QByteArray::number(m_status) + ' ' +
                                              reason + "\r\n");
        for (const auto& pair : reply->rawHeaderPairs())
            headers += QString::fromLatin1(pair.first + ": " + pair.second + "\r\n");
        m_headers = headers;
    }
    const QString contentType = reply->header(QNetworkRequest::ContentTypeHeader).toString();
    for (const QString& part : contentType.split(QLatin1Char(';'))) {
        const QString p = part.trimmed();
        if (p.startsWith(QLatin1String("charset="), Qt::CaseInsensitive)) {
            QString value = p.mid(8).trimmed();
            if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
                value.endsWith(QLatin1Char('"')))
                value = value.mid(1, value.size() - 2);
            m_charset = value.toLatin1();
        }
    }
    // Here the body counts as whole when no error came with it. Known limit
    // of the HTTP stack: Qt 6.4 ends a chunked answer that the server cut
    // before its last chunk without an error, so such a body passes as
    // whole. Callers store only a body that parses as a whole document, so
    // what is kept is always a complete feed.
    // An HTTP error status (4xx, 5xx) is an answer, not a transfer failure.
    // Anything else that went wrong (a broken body, a protocol error, a
    // time-out, a refused connection) fails the transfer, whatever status
    // came before it.
    const QNetworkReply::NetworkError error = reply->error();
    const bool contentError =
        error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError;
    const bool serverError =
        error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError;
    const bool httpAnswer = m_status >= 400 && (contentError || serverError);
    const bool failed = error != QNetworkReply::NoError && !httpAnswer;
    if (!failed && m_status == 200)
        takeValidators(reply);
    finishWith(failed, reply->errorString());
}

void Transfer::takeValidators(QNetworkReply* reply) {
    Validators v;
    v.etag = reply->rawHeader("ETag");
    // A Last-Modified less than a second before the answer's Date is weak:
    // the resource may change again within that same second without the
    // date changing, and a 304 would then hide the change.
    const QByteArray lastModified = reply->rawHeader("Last-Modified");
    const QDateTime modified =
        reply->header(QNetworkRequest::LastModifiedHeader).toDateTime().toUTC();
    const QDateTime read =
        QLocale::c().toDateTime(QString::fromLatin1(reply->rawHeader("Date")).trimmed(),
                                QStringLiteral("ddd, dd MMM yyyy HH:mm:ss 'GMT'"));
    const QDateTime date(read.date(), read.time(), Qt::UTC);
    if (!lastModified.isEmpty() && modified.isValid() && date.isValid() &&
        modified.secsTo(date) >= 1)
        v.lastModified = lastModified;
    m_pending.insert(m_url, v);
}

void Transfer::settleValidators(const QString& url, bool stored) {
    if (!stored) {
        m_pending.remove(url);
        m_validators.remove(url);
        return;
    }
    const auto pending = m_pending.constFind(url);
    if (pending == m_pending.constEnd())
        return; // no 200 answer waiting (a 304 keeps what was remembered)
    if (pending->etag.isEmpty() && pending->lastModified.isEmpty())
        m_validators.remove(url);
    else
        m_validators.insert(url, *pending);
    m_pending.erase(pending);
}

void Transfer::finishWith(bool failed, const QString& error) {
    if (!m_reply)
        return;
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    m_failed = m_failed || failed;
    if (failed)
        m_error = error;
    reply->disconnect(this);
    reply->deleteLater();
}

void Transfer::cancel() {
    if (!m_reply)
        return;
    QNetworkReply* reply = m_reply;
    finishWith(true, QStringLiteral("cancelled"));
    m_body.clear();
    reply->abort();
}

QByteArray Transfer::getChunk(int maxBytes) {
    if (maxBytes <= 0 || m_readPos >= m_body.size())
        return QByteArray();
    const QByteArray chunk = m_body.mid(m_readPos, maxBytes);
    m_readPos += chunk.size();
    return chunk;
}

void Transfer::releaseBody() {
    if (m_reply)
        return;
    m_body = QByteArray();
    m_readPos = 0;
}

bool Transfer::waitFor(quint64 requestId) {
    while (m_requestId == requestId && m_reply)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return m_requestId == requestId;
}
