// Polite polling: a merge sends the validators of the stored body back, a
// 304 is "nothing new" and leaves every file alone, and validators are kept
// only for bodies that really were stored.

#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"
#include "platform/Transfer.h"
#include "support/TestHttpServer.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QThread>

#include <gtest/gtest.h>

using testsupport::readFile;
using Headers = QList<QPair<QByteArray, QByteArray>>;

namespace {

QByteArray itemXml(const char* link, const char* title) {
    return QByteArray("<item><title>") + title + "</title><link>" + link +
           "</link><pubDate>1</pubDate></item>";
}

QByteArray feed(const QByteArray& items) {
    return "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>News</title>" + items +
           "</channel></rss>";
}

QByteArray httpDate(const QDateTime& when) {
    return QLocale::c()
        .toString(when.toUTC(), QStringLiteral("ddd, dd MMM yyyy HH:mm:ss 'GMT'"))
        .toLatin1();
}

// A channel whose stored copy holds A (read) and B (new), served with the
// given validators.
struct Polite {
    testsupport::ProgramDir dir;
    TestHttpServer server;
    clsProject project;
    clsItemPtr channel;
    QString local;

    explicit Polite(const QList<QPair<QByteArray, QByteArray>>& headers) {
        serve(feed(itemXml("http://n/a", "A") + itemXml("http://n/b", "B")), headers);
        channel = project.objColItems.Add(1, QStringLiteral("News"), server.url("/feed"), {}, {});
        local = dir.file(QStringLiteral("RSS/") + channel->LocalFile());
        EXPECT_FALSE(channel->Merge()); // the first fetch stores the feed
        EXPECT_TRUE(channel->Load(false));
        channel->objRSS.objColChannels.Item(1)->objColItems.Item(1)->intStatus = 1;
        EXPECT_TRUE(channel->writeXML());
        channel->Clear();
    }
    void serve(const QByteArray& body, const QList<QPair<QByteArray, QByteArray>>& headers) {
        TestHttpServer::Response r;
        r.body = body;
        r.headers = headers;
        server.setResponse("/feed", r);
    }
    QByteArray lastHead() const { return server.lastRequestHead("/feed"); }
    QStringList states() {
        QStringList out;
        if (!channel->Load(false))
            return out;
        for (const auto& ch : channel->objRSS.objColChannels)
            for (const auto& item : ch->objColItems)
                out << item->strTitle + QLatin1Char(':') + QString::number(item->intStatus);
        channel->Clear();
        return out;
    }
    QStringList files() const {
        return QDir(dir.file(QStringLiteral("RSS"))).entryList(QDir::Files);
    }
};

} // namespace

TEST(PolitePolling, NotModifiedChangesNothingAndNewsStillArrives) {
    const QByteArray lastModified = httpDate(QDateTime::currentDateTimeUtc().addSecs(-3600));
    const QByteArray date = httpDate(QDateTime::currentDateTimeUtc());
    struct Case {
        const char* name;
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray sent;
    };
    const Case cases[] = {
        {"ETag", {{"ETag", "\"polite-1\""}}, "If-None-Match: \"polite-1\""},
        {"Last-Modified",
         {{"Last-Modified", lastModified}, {"Date", date}},
         "If-Modified-Since: " + lastModified},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Polite p(c.headers);
        const QByteArray stored = readFile(p.local);
        const QDateTime stamp = QFileInfo(p.local).lastModified();
        const int bodies = p.server.bodyCount("/feed");

        EXPECT_FALSE(p.channel->Merge());
        EXPECT_TRUE(p.lastHead().contains(c.sent)) << p.lastHead().constData();
        EXPECT_EQ(p.server.bodyCount("/feed"), bodies); // answered 304
        EXPECT_EQ(readFile(p.local), stored);
        EXPECT_EQ(QFileInfo(p.local).lastModified(), stamp);
        EXPECT_EQ(p.files(), QStringList({p.channel->LocalFile()}));
        EXPECT_EQ(p.states(), QStringList({"A:1", "B:0"}));

        // Published news changes the validators: the whole body comes and merges.
        QList<QPair<QByteArray, QByteArray>> next = {{"ETag", "\"polite-2\""}};
        p.serve(feed(itemXml("http://n/a", "A") + itemXml("http://n/b", "B") +
                     itemXml("http://n/c", "C")),
                next);
        EXPECT_TRUE(p.channel->Merge());
        EXPECT_EQ(p.states(), QStringList({"A:1", "B:0", "C:0"}));
        EXPECT_EQ(Transfer::shared().rememberedETag(p.server.url("/feed")), "\"polite-2\"");
    }
}

TEST(PolitePolling, ValidatorsOnlyForBodiesThatWereStored) {
    {
        SCOPED_TRACE("a Last-Modified within a second of the answer's date is not trusted");
        const QByteArray now = httpDate(QDateTime::currentDateTimeUtc());
        Polite p(Headers{{"Last-Modified", now}, {"Date", now}});
        EXPECT_TRUE(Transfer::shared().rememberedLastModified(p.server.url("/feed")).isEmpty());
        p.channel->Merge();
        EXPECT_FALSE(p.lastHead().contains("If-Modified-Since"));
        Polite q(
            Headers{{"Last-Modified", httpDate(QDateTime::currentDateTimeUtc().addSecs(-60))}});
        EXPECT_TRUE(Transfer::shared().rememberedLastModified(q.server.url("/feed")).isEmpty());
    }
    {
        SCOPED_TRACE("a fresh copy that is no feed is fetched whole next time");
        Polite p(Headers{{"ETag", "\"stored-1\""}});
        p.serve("<html>maintenance</html>", {{"ETag", "\"broken-1\""}});
        EXPECT_FALSE(p.channel->Merge());
        EXPECT_EQ(p.states(), QStringList({"A:1", "B:0"}));
        p.serve(feed(itemXml("http://n/a", "A") + itemXml("http://n/d", "D")),
                {{"ETag", "\"broken-1\""}});
        EXPECT_TRUE(p.channel->Merge());
        EXPECT_FALSE(p.lastHead().contains("If-None-Match"));
        EXPECT_EQ(p.states(), QStringList({"A:1", "B:0", "D:0"}));
    }
    {
        SCOPED_TRACE("news that could not be written comes again whole");
        Polite p(Headers{{"ETag", "\"disk-1\""}});
        const QByteArray stored = readFile(p.local);
        const QByteArray fresh = feed(itemXml("http://n/a", "A") + itemXml("http://n/b", "B") +
                                      itemXml("http://n/e", "E"));
        p.serve(fresh, {{"ETag", "\"disk-2\""}});
        {
            // Room for the download, not for the merged stored copy.
            testsupport::FileSizeLimit limit(fresh.size() + 16);
            p.channel->Merge();
        }
        EXPECT_EQ(readFile(p.local), stored);
        EXPECT_TRUE(Transfer::shared().rememberedETag(p.server.url("/feed")).isEmpty());
        EXPECT_TRUE(p.channel->Merge());
        EXPECT_FALSE(p.lastHead().contains("If-None-Match"));
        EXPECT_EQ(p.states(), QStringList({"A:1", "B:0", "E:0"}));
    }
}
