// OPML documents fetched from a web address: a good document, answers that
// are no document, and a document that names other resources.

#include "core/opml/OpmlReader.h"
#include "core/opml/OpmlSource.h"
#include "platform/XmlDocument.h"
#include "support/TestHttpServer.h"
#include "support/TestSupport.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace {

TestHttpServer::Response answer(const QByteArray& body, int status = 200,
                                const QByteArray& reason = "OK",
                                const QByteArray& contentType = "text/xml") {
    TestHttpServer::Response r;
    r.status = status;
    r.reason = reason;
    r.body = body;
    r.headers.append({"Content-Type", contentType});
    return r;
}

} // namespace

TEST(OpmlSource, FetchesADocumentFromAWebAddress) {
    TestHttpServer server;
    server.setResponse("/subs.opml", answer(testsupport::readFixture("opml/nested.opml")));
    XmlDocument document;
    XmlParseError error;
    ASSERT_TRUE(opml::loadDocument(server.url("/subs.opml"), document, error))
        << error.reason.toStdString();
    const opml::Outline outline = opml::read(document);
    EXPECT_EQ(outline.title, QStringLiteral("Reader subscriptions"));
    ASSERT_EQ(outline.rows.size(), 7);
    EXPECT_EQ(outline.rows[3].text, QStringLiteral("Four Levels Down"));
    EXPECT_EQ(server.requestCount("/subs.opml"), 1);

    // The address in capitals is a web address too; a charset named by the
    // answer decodes a body that names none.
    const QString latin = QStringLiteral("<opml><body><outline text='Caf\u00e9' xmlUrl='u'/>"
                                         "</body></opml>");
    server.setResponse("/latin",
                       answer(latin.toLatin1(), 200, "OK", "text/xml; charset=ISO-8859-1"));
    ASSERT_TRUE(opml::loadDocument(server.url("/latin").toUpper().replace("/LATIN", "/latin"),
                                   document, error));
    EXPECT_EQ(opml::read(document).rows.value(0).text, QStringLiteral("Caf\u00e9"));
}

TEST(OpmlSource, NotFoundAndHtmlAnswersAreErrors) {
    TestHttpServer server;
    server.setResponse("/missing",
                       answer("<html><body>gone</body></html>", 404, "Not Found", "text/html"));
    server.setResponse("/page", answer("<html><head><title>Sign in</title></head><body><p>Please"
                                       " sign in<br><input type=text></body></html>",
                                       200, "OK", "text/html"));
    XmlDocument document;
    XmlParseError error;
    ASSERT_FALSE(opml::loadDocument(server.url("/missing"), document, error));
    EXPECT_EQ(error.code, 404);
    EXPECT_EQ(error.line, 0);
    EXPECT_TRUE(error.reason.contains(QStringLiteral("404 Not Found")))
        << error.reason.toStdString();

    ASSERT_FALSE(opml::loadDocument(server.url("/page"), document, error));
    EXPECT_NE(error.code, 0);
    EXPECT_EQ(error.line, 1);
    EXPECT_FALSE(document.isLoaded());
    EXPECT_TRUE(opml::errorMessage(error).contains(QStringLiteral("Line Number: 1\r\n")));

    // Nobody listening: the transfer fails and says so.
    ASSERT_FALSE(opml::loadDocument(QStringLiteral("http://127.0.0.1:1/x"), document, error));
    EXPECT_NE(error.code, 0);
    EXPECT_FALSE(error.reason.isEmpty());
}

// A fetched document is only parsed: entities and document types it names
// on the network or on disk are never fetched.
TEST(OpmlSource, FetchedDocumentFetchesNothingItNames) {
    TestHttpServer server;
    server.setResponse("/secret", answer("<!ENTITY leak 'SECRET'>"));
    server.setResponse("/secret.txt", answer("SECRET"));
    const QByteArray body = "<?xml version='1.0'?>\n<!DOCTYPE opml SYSTEM '" +
                            server.url("/secret").toUtf8() + "' [\n<!ENTITY ext SYSTEM '" +
                            server.url("/secret.txt").toUtf8() +
                            "'>\n<!ENTITY local SYSTEM 'file:///etc/hostname'>\n]>\n"
                            "<opml><head><title>T&ext;&local;</title></head><body>"
                            "<outline text='feed' xmlUrl='http://f'/></body></opml>";
    server.setResponse("/doc.opml", answer(body));
    XmlDocument document;
    XmlParseError error;
    ASSERT_TRUE(opml::loadDocument(server.url("/doc.opml"), document, error))
        << error.reason.toStdString();
    const opml::Outline outline = opml::read(document);
    EXPECT_EQ(outline.rows.size(), 1);
    EXPECT_FALSE(outline.title.contains(QStringLiteral("SECRET")));
    EXPECT_EQ(server.requestCount("/secret"), 0);
    EXPECT_EQ(server.requestCount("/secret.txt"), 0);
}

TEST(OpmlSource, CancelEndsAWaitingDownload) {
    TestHttpServer server;
    TestHttpServer::Response slow = answer(QByteArray(4096, ' ') + "<opml/>");
    slow.chunkBytes = 16;
    slow.chunkDelayMs = 200;
    server.setResponse("/slow", slow);
    QTimer::singleShot(100, [] { opml::cancelLoad(); });
    XmlDocument document;
    XmlParseError error;
    EXPECT_FALSE(opml::loadDocument(server.url("/slow"), document, error));
    EXPECT_NE(error.code, 0);
}
