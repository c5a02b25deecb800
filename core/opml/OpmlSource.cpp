#include "core/opml/OpmlSource.h"

#include "platform/Transfer.h"
#include "platform/XmlDocument.h"

#include <QCoreApplication>
#include <QScopeGuard>

#include <libxml/xmlerror.h>

namespace opml {

namespace {

// The request loadDocument waits for, 0 when none.
quint64 g_request = 0;

// A downloaded document. The request is never conditional (only channel
// merges send validators), so every answer carries its body.
struct Fetched {
    QByteArray body;
    QByteArray charset; // named by the answer, for a body without a declaration
};

void fail(XmlParseError& error, int code, const QString& reason) {
    error = XmlParseError();
    error.code = code;
    error.reason = reason;
}

// The status line's text after the protocol, e.g. "404 Not Found".
QString statusText(const Transfer& transfer) {
    const QString line = transfer.responseHeaders().section(QStringLiteral("\r\n"), 0, 0);
    const qsizetype space = line.indexOf(QLatin1Char(' '));
    return space < 0 ? QString::number(transfer.statusCode()) : line.mid(space + 1).trimmed();
}

bool download(const QString& address, Fetched* fetched, XmlParseError& error) {
    Transfer& transfer = Transfer::shared();
    // The user asked for this document: it goes before any fetch still running.
    while (transfer.stillExecuting()) {
        transfer.cancel();
        QCoreApplication::processEvents();
    }
    transfer.setURL(address);
    transfer.setUserName(QString());
    transfer.setPassword(QString());
    if (!transfer.execute(QStringLiteral("GET"))) {
        fail(error, XML_IO_LOAD_ERROR,
             QStringLiteral("cannot fetch \"%1\": %2").arg(address, transfer.errorString()));
        return false;
    }
    const quint64 request = transfer.requestId();
    g_request = request;
    const auto done = qScopeGuard([&transfer, request] {
        g_request = 0;
        if (transfer.requestId() == request)
            transfer.releaseBody();
    });
    if (!transfer.waitFor(request)) {
        fail(error, XML_IO_LOAD_ERROR,
             QStringLiteral("the download of \"%1\" was interrupted").arg(address));
        return false;
    }
    if (transfer.transferFailed()) {
        fail(error, XML_IO_LOAD_ERROR,
             QStringLiteral("cannot fetch \"%1\": %2").arg(address, transfer.errorString()));
        return false;
    }
    const int status = transfer.statusCode();
    if (status != 200 && status != 206) {
        fail(error, status,
             QStringLiteral("the server answered \"%1\" for \"%2\"")
                 .arg(statusText(transfer), address));
        return false;
    }
    *fetched = Fetched();
    fetched->charset = transfer.contentCharset();
    for (QByteArray chunk = transfer.getChunk(1 << 20); !chunk.isEmpty();
         chunk = transfer.getChunk(1 << 20))
        fetched->body.append(chunk);
    return true;
}

} // namespace

bool isWebAddress(const QString& source) {
    return source.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           source.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

bool loadDocument(const QString& source, XmlDocument& document, XmlParseError& error) {
    if (!isWebAddress(source)) {
        if (document.load(source))
            return true;
        error = document.parseError();
        return false;
    }
    Fetched fetched;
    if (!download(source, &fetched, error))
        return false;
    if (document.loadBytes(fetched.body, fetched.charset))
        return true;
    error = document.parseError();
    return false;
}

void cancelLoad() {
    Transfer& transfer = Transfer::shared();
    if (g_request != 0 && transfer.requestId() == g_request && transfer.stillExecuting())
        transfer.cancel();
}

QString errorMessage(const XmlParseError& error) {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("无法获取您指定的OPML文档") + crlf + crlf +
           QStringLiteral("Error Code: ") + QString::number(error.code) + crlf +
           QStringLiteral("Line Number: ") + QString::number(error.line) + crlf +
           QStringLiteral("Line Position: ") + QString::number(error.column) + crlf +
           QStringLiteral("Reason: ") + error.reason + crlf;
}

} // namespace opml
