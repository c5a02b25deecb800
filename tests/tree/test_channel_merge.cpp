#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"
#include "support/TestHttpServer.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using testsupport::readFile;

namespace {

QByteArray itemXml(const char* link, const char* date, const char* title) {
    return QByteArray("<item><title>") + title + "</title><link>" + link + "</link><pubDate>" +
           date + "</pubDate></item>";
}

QByteArray feed(const QByteArray& items) {
    return "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>News</title>" + items +
           "</channel></rss>";
}

// A stored copy holding A (read), B (deleted) and C (new).
const QByteArray kStored = feed(itemXml("http://n/a", "1", "A") + itemXml("http://n/b", "1", "B") +
                                itemXml("http://n/c", "1", "C"));

struct MergeFixture {
    testsupport::ProgramDir dir;
    TestHttpServer server;
    clsProject project;
    clsItemPtr channel;
    QString local;

    MergeFixture() {
        TestHttpServer::Response r;
        r.body = kStored;
        server.setResponse("/feed", r);
        channel = project.objColItems.Add(1, QStringLiteral("News"), server.url("/feed"), {}, {});
        local = dir.file(QStringLiteral("RSS/") + channel->LocalFile());
        channel->Load(false);
        auto* items = &channel->objRSS.objColChannels.Item(1)->objColItems;
        items->Item(1)->intStatus = 1;
        items->Item(2)->intStatus = 2;
        channel->writeXML();
        channel->Clear();
    }
    QStringList states() {
        QStringList out;
        clsItem copy;
        copy.intType = 1;
        copy.strURL = channel->strURL;
        copy.Load(false);
        for (const auto& ch : copy.objRSS.objColChannels)
            for (const auto& item : ch->objColItems)
                out << item->strTitle + QLatin1Char(':') + QString::number(item->intStatus);
        return out;
    }
};

} // namespace

TEST(ChannelMerge, FirstFetchStoresTheFeedAndReportsNoNews) {
    testsupport::ProgramDir dir;
    TestHttpServer server;
    TestHttpServer::Response r;
    r.body = kStored;
    server.setResponse("/feed", r);
    clsProject project;
    const clsItemPtr channel =
        project.objColItems.Add(1, QStringLiteral("N"), server.url("/feed"), {}, {});
    EXPECT_FALSE(channel->Merge());
    EXPECT_EQ(readFile(dir.file(QStringLiteral("RSS/") + channel->LocalFile())), kStored);
    EXPECT_EQ(channel->objRSS.objColChannels.Item(1)->objColItems.Count(), 3); // stays loaded
}

TEST(ChannelMerge, NewsIsAppendedAndStatesKept) {
    MergeFixture f;
    TestHttpServer::Response r;
    r.body = feed(itemXml("http://n/b", "2", "B2") + itemXml("http://n/a", "2", "A2") +
                  itemXml("http://n/d", "1", "D"));
    f.server.setResponse("/feed", r);
    EXPECT_TRUE(f.channel->Merge());
    EXPECT_EQ(f.channel->objRSS.objColChannels.Count(), 0); // released after the merge
    EXPECT_EQ(f.states(), (QStringList{"A2:1", "B:2", "C:0", "D:0"}));
    EXPECT_EQ(QDir(f.dir.file(QStringLiteral("RSS"))).entryList(QDir::Files).size(), 1);
}

TEST(ChannelMerge, StoredCopyKeepsItsStatesWhateverTheServerAnswers) {
    struct Case {
        const char* name;
        TestHttpServer::Response response;
    };
    TestHttpServer::Response same;
    same.body = kStored;
    TestHttpServer::Response missing;
    missing.status = 404;
    missing.reason = "Not Found";
    TestHttpServer::Response html;
    html.body = "<html><p>maintenance</html>";
    TestHttpServer::Response cut;
    cut.body = feed(itemXml("http://n/x", "1", "X") + QByteArray(3000, ' '));
    cut.cutAfterBytes = 1500;
    const Case cases[] = {{"nothing new", same}, {"404", missing}, {"not XML", html}, {"cut", cut}};
    for (const Case& c : cases) {
        MergeFixture f;
        const QByteArray before = readFile(f.local);
        f.server.setResponse("/feed", c.response);
        EXPECT_FALSE(f.channel->Merge()) << c.name;
        EXPECT_EQ(readFile(f.local), before) << c.name;
        EXPECT_EQ(f.states(), (QStringList{"A:1", "B:2", "C:0"})) << c.name;
        EXPECT_EQ(QDir(f.dir.file(QStringLiteral("RSS"))).entryList(QDir::Files).size(), 1)
            << c.name;
    }
}

TEST(ChannelMerge, FileChannelsMergeFromTheirSource) {
    testsupport::ProgramDir dir;
    const QString source = dir.file(QStringLiteral("source.xml"));
    testsupport::writeFile(source, feed(itemXml("http://n/a", "1", "A")));
    clsProject project;
    const clsItemPtr channel =
        project.objColItems.Add(1, QStringLiteral("F"), QStringLiteral("file://") + source, {}, {});
    ASSERT_TRUE(channel->Load(false));
    channel->objRSS.objColChannels.Item(1)->objColItems.Item(1)->intStatus = 1;
    channel->writeXML();
    testsupport::writeFile(source,
                           feed(itemXml("http://n/a", "1", "A") + itemXml("http://n/b", "1", "B")));
    EXPECT_TRUE(channel->Merge());
    EXPECT_EQ(readFile(source),
              feed(itemXml("http://n/a", "1", "A") + itemXml("http://n/b", "1", "B")));
    ASSERT_TRUE(channel->Load(false));
    EXPECT_EQ(channel->countNewItems(), 1);
    EXPECT_FALSE(channel->Merge());
}
