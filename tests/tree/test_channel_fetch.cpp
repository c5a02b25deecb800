#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"
#include "core/tree/modTypes.h"
#include "platform/Transfer.h"
#include "support/TestHttpServer.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

using testsupport::readFile;

namespace {

QByteArray feedBody(const QByteArray& title, int items) {
    QByteArray body =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\"><channel><title>" +
        title + "</title>";
    for (int i = 1; i <= items; ++i)
        body += "<item><title>Item " + QByteArray::number(i) + "</title><link>http://n/" +
                QByteArray::number(i) + "</link><pubDate>d" + QByteArray::number(i) +
                "</pubDate></item>";
    return body + "</channel></rss>\n";
}

TestHttpServer::Response ok(const QByteArray& body, int status = 200) {
    TestHttpServer::Response r;
    r.status = status;
    r.reason = status == 206 ? "Partial Content" : "OK";
    r.body = body;
    return r;
}

clsItemPtr channelFor(clsProject& project, const QString& url) {
    return project.objColItems.Add(1, QStringLiteral("C"), url, {}, {});
}

QString localPathOf(const testsupport::ProgramDir& dir, const clsItemPtr& item) {
    return dir.file(QStringLiteral("RSS/") + item->LocalFile());
}

QStringList rssFolder(const testsupport::ProgramDir& dir) {
    return QDir(dir.file(QStringLiteral("RSS"))).entryList(QDir::Files);
}

} // namespace

TEST(ChannelFetch, Status200And206StoreTheBodyUnchanged) {
    testsupport::ProgramDir dir;
    TestHttpServer server;
    for (int status : {200, 206}) {
        const QByteArray path = "/feed" + QByteArray::number(status);
        const QByteArray body = feedBody("Fetched " + QByteArray::number(status), 3);
        server.setResponse(path, ok(body, status));
        clsProject project;
        const clsItemPtr item = channelFor(project, server.url(path));
        ASSERT_TRUE(item->Load(false)) << status;
        EXPECT_EQ(readFile(localPathOf(dir, item)), body);
        EXPECT_EQ(item->objRSS.objColChannels.Item(1)->objColItems.Count(), 3);
        EXPECT_EQ(item->countNewItems(), 3);
    }
    EXPECT_EQ(rssFolder(dir).size(), 2); // no download file left behind
}

TEST(ChannelFetch, OtherStatusesStoreNothingAndKeepTheFile) {
    for (int status : {204, 401, 404, 500}) {
        testsupport::ProgramDir dir;
        TestHttpServer server;
        server.setResponse("/f", ok(feedBody("error page", 1), status));
        clsProject project;
        const clsItemPtr item = channelFor(project, server.url("/f"));
        EXPECT_FALSE(item->Load(false)) << status;
        EXPECT_TRUE(rssFolder(dir).isEmpty()) << status;

        // With a stored file, Load(true) keeps it and reads it instead.
        const QByteArray stored = feedBody("stored", 2);
        testsupport::writeFile(localPathOf(dir, item), stored);
        EXPECT_TRUE(item->Load(true)) << status;
        EXPECT_EQ(server.requestCount("/f"), 2) << status;
        EXPECT_EQ(readFile(localPathOf(dir, item)), stored) << status;
        EXPECT_EQ(item->objRSS.objColChannels.Item(1)->strTitle, QStringLiteral("stored"));
    }
}

TEST(ChannelFetch, AnswersBasicAuthenticationAndFollowsRedirects) {
    testsupport::ProgramDir dir;
    TestHttpServer server;
    TestHttpServer::Response secret = ok(feedBody("secret", 1));
    secret.basicAuth = "alice:s3cret";
    server.setResponse("/private", secret);
    TestHttpServer::Response moved;
    moved.status = 302;
    moved.reason = "Found";
    moved.headers = {{"Location", server.url("/private").toLatin1()}};
    server.setResponse("/moved", moved);

    clsProject project;
    const clsItemPtr item =
        project.objColItems.Add(1, QStringLiteral("P"), server.url("/moved"),
                                QStringLiteral("alice"), QStringLiteral("s3cret"));
    ASSERT_TRUE(item->Load(false));
    EXPECT_EQ(item->objRSS.objColChannels.Item(1)->strTitle, QStringLiteral("secret"));

    const clsItemPtr wrong =
        project.objColItems.Add(1, QStringLiteral("W"), server.url("/private"),
                                QStringLiteral("alice"), QStringLiteral("nope"));
    EXPECT_FALSE(wrong->Load(false));
    EXPECT_FALSE(QFile::exists(localPathOf(dir, wrong)));
}

TEST(ChannelFetch, SlowBodyKeepsTimersRunning) {
    testsupport::ProgramDir dir;
    TestHttpServer server;
    TestHttpServer::Response slow = ok(feedBody("slow", 200));
    slow.chunkBytes = 1000;
    slow.chunkDelayMs = 15;
    server.setResponse("/slow", slow);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    clsProject project;
    const clsItemPtr item = channelFor(project, server.url("/slow"));
    ASSERT_TRUE(item->Load(false));
    EXPECT_EQ(readFile(localPathOf(dir, item)), slow.body);
    EXPECT_GT(ticks, 3); // the timer kept firing while the body arrived
}

TEST(ChannelFetch, BrokenOrNonXmlBodiesNeverReplaceTheStoredFile) {
    testsupport::ProgramDir dir;
    TestHttpServer server;
    TestHttpServer::Response cut = ok(feedBody("cut", 100));
    cut.cutAfterBytes = 700;
    server.setResponse("/cut", cut);
    server.setResponse("/html", ok("<html><body>Not XML<br></body></html>"));

    for (const QByteArray path : {QByteArray("/cut"), QByteArray("/html")}) {
        clsProject project;
        const clsItemPtr item = channelFor(project, server.url(path));
        EXPECT_FALSE(item->Load(false)) << path.constData();
        EXPECT_TRUE(rssFolder(dir).isEmpty()) << path.constData(); // nothing stored or left over

        const QByteArray stored = feedBody("stored", 1);
        testsupport::writeFile(localPathOf(dir, item), stored);
        EXPECT_FALSE(item->Load(true)) << path.constData();
        EXPECT_EQ(readFile(localPathOf(dir, item)), stored) << path.constData();
        EXPECT_EQ(rssFolder(dir).size(), 1);
        QFile::remove(localPathOf(dir, item));
    }
}

TEST(ChannelFetch, LocalFileIsReadUntilLoadFromWeb) {
    testsupport::ProgramDir dir;
    TestHttpServer server;
    server.setResponse("/f", ok(feedBody("v1", 1)));
    clsProject project;
    const clsItemPtr item = channelFor(project, server.url("/f"));
    ASSERT_TRUE(item->Load(false));
    server.setResponse("/f", ok(feedBody("v2 longer", 5)));
    ASSERT_TRUE(item->Load(false));
    EXPECT_EQ(server.requestCount("/f"), 1);
    EXPECT_EQ(item->objRSS.objColChannels.Item(1)->strTitle, QStringLiteral("v1"));
    ASSERT_TRUE(item->Load(true));
    EXPECT_EQ(server.requestCount("/f"), 2);
    EXPECT_EQ(readFile(localPathOf(dir, item)), feedBody("v2 longer", 5));

    // A shorter body replaces a longer file exactly.
    server.setResponse("/f", ok(feedBody("v3", 0)));
    ASSERT_TRUE(item->Load(true));
    EXPECT_EQ(readFile(localPathOf(dir, item)), feedBody("v3", 0));

    // A broken local file is deleted and the next load fetches again.
    testsupport::writeFile(localPathOf(dir, item), "<rss><channel>");
    EXPECT_FALSE(item->Load(false));
    EXPECT_FALSE(QFile::exists(localPathOf(dir, item)));
    EXPECT_TRUE(item->Load(false));
    EXPECT_EQ(server.requestCount("/f"), 4);
}

TEST(ChannelFetch, FileAddressesKeepTheirOwnCopy) {
    testsupport::ProgramDir dir;
    const QString source = dir.file(QStringLiteral("my feed.xml"));
    testsupport::writeFile(source, feedBody("on disk", 2));
    for (const QString& scheme : {QStringLiteral("FILE://"), QStringLiteral("file://")}) {
        clsProject project;
        const clsItemPtr item = channelFor(project, scheme + source);
        ASSERT_TRUE(item->Load(false)) << scheme.toStdString();
        const QString copy = localPathOf(dir, item);
        ASSERT_TRUE(QFile::exists(copy));
        EXPECT_TRUE(readFile(copy).startsWith("<?xml version='1.0' encoding='GB2312'?>\r\n <rss"));
        item->objRSS.objColChannels.Item(1)->objColItems.Item(1)->intStatus = 1;
        item->writeXML();
        ASSERT_TRUE(item->Load(false)); // read from its own copy: the mark is kept
        EXPECT_EQ(item->countNewItems(), 1);
        QFile::remove(copy);
    }
    clsProject project;
    const clsItemPtr missing =
        channelFor(project, QStringLiteral("file://") + dir.file("nope.xml"));
    EXPECT_FALSE(missing->Load(false));
}

TEST(ChannelFetch, MissingRssFolderMeansNothingCanBeStored) {
    testsupport::ProgramDir dir;
    QDir(dir.path()).rmdir(QStringLiteral("RSS"));
    TestHttpServer server;
    server.setResponse("/f", ok(feedBody("x", 1)));
    const QString source = dir.file(QStringLiteral("feed.xml"));
    testsupport::writeFile(source, feedBody("disk", 1));
    clsProject project;
    EXPECT_FALSE(channelFor(project, server.url("/f"))->Load(false));
    EXPECT_FALSE(channelFor(project, QStringLiteral("file://") + source)->Load(false));
    EXPECT_FALSE(QDir(dir.file(QStringLiteral("RSS"))).exists());
}

TEST(ChannelFetch, CharsetFromContentTypeDecodesUndeclaredFeeds) {
    testsupport::ProgramDir dir;
    TestHttpServer server;
    TestHttpServer::Response gb =
        ok(QByteArray("<rss><channel><title>") + "\xD6\xD0\xCE\xC4\xD0\xC2\xCE\xC5" + // 中文新闻
           "</title></channel></rss>");
    gb.headers = {{"Content-Type", "text/xml; charset=GB2312"}};
    server.setResponse("/gb", gb);
    clsProject project;
    const clsItemPtr item = channelFor(project, server.url("/gb"));
    ASSERT_TRUE(item->Load(false));
    EXPECT_EQ(item->objRSS.objColChannels.Item(1)->strTitle, QStringLiteral("中文新闻"));
    ASSERT_TRUE(item->Load(false)); // and so it stays when read back from disk
    EXPECT_EQ(item->objRSS.objColChannels.Item(1)->strTitle, QStringLiteral("中文新闻"));
}

TEST(ChannelFetch, BodiesOverTheSizeLimitFail) {
    testsupport::ProgramDir dir;
    TestHttpServer server;
    server.setResponse("/huge", ok(QByteArray(Transfer::kMaxBodyBytes + 1024, ' ')));
    clsProject project;
    EXPECT_FALSE(channelFor(project, server.url("/huge"))->Load(false));
    EXPECT_TRUE(rssFolder(dir).isEmpty());
}

TEST(ChannelFetchReentrancy, RemovingTheEntryDuringTheWaitWritesNothing) {
    testsupport::ProgramDir dir;
    TestHttpServer server;
    TestHttpServer::Response slow = ok(feedBody("slow", 20));
    slow.chunkBytes = 200;
    slow.chunkDelayMs = 20;
    server.setResponse("/slow", slow);

    for (bool clearTree : {false, true}) {
        clsProject project;
        const clsItemPtr folder = project.objColItems.Add(0, QStringLiteral("F"), {}, {}, {});
        clsItemPtr item =
            folder->objColItems.Add(1, QStringLiteral("C"), server.url("/slow"), {}, {});
        const QString key = item->strKey;
        clsItem* raw = item.get();
        item.reset(); // only the tree holds it now
        QTimer::singleShot(30, [&] {
            if (clearTree)
                project.Clear();
            else
                project.removeItem(key);
        });
        EXPECT_FALSE(raw->Load(false));
        EXPECT_TRUE(rssFolder(dir).isEmpty());
    }
}

TEST(ChannelFetchReentrancy, ALaterFetchCancelsTheEarlierOne) {
    testsupport::ProgramDir dir;
    TestHttpServer server;
    TestHttpServer::Response slow = ok(feedBody("first", 20));
    slow.chunkBytes = 100;
    slow.chunkDelayMs = 20;
    server.setResponse("/first", slow);
    server.setResponse("/second", ok(feedBody("second", 1)));
    clsProject project;
    const clsItemPtr first = channelFor(project, server.url("/first"));
    const clsItemPtr second =
        project.objColItems.Add(1, QStringLiteral("S"), server.url("/second"), {}, {});
    bool secondLoaded = false;
    // The second fetch starts once the first one's request reached the server
    // (a fixed delay could fire before it did on a loaded machine).
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (server.requestCount("/first") == 0)
            return;
        poll.stop();
        secondLoaded = second->Load(false);
    });
    poll.start();
    EXPECT_FALSE(first->Load(false));
    EXPECT_TRUE(secondLoaded);
    EXPECT_FALSE(QFile::exists(localPathOf(dir, first)));
    EXPECT_EQ(readFile(localPathOf(dir, second)), feedBody("second", 1));
    EXPECT_EQ(first->objRSS.objColChannels.Count(), 0);
}
