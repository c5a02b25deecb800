// Writes that fail for real (a file size limit, a missing folder) are reported
// through saveFailures, return false, keep the previous file and keep the
// tree and item states in memory, so that the next save can succeed.

#include "core/tree/SaveFailures.h"
#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"
#include "support/TestHttpServer.h"
#include "support/TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

using testsupport::readFile;

namespace {

// Records every report while it lives.
struct Reports {
    QStringList seen; // "tree|path" or "channel|path"
    Reports() {
        saveFailures::setHook(this, [this](saveFailures::File file, const QString& path) {
            seen << (file == saveFailures::File::Tree ? QStringLiteral("tree|")
                                                      : QStringLiteral("channel|")) +
                        path;
        });
    }
    ~Reports() { saveFailures::clearHook(this); }
};

QByteArray feed(int items) {
    QByteArray out = "<rss><channel><title>T</title>";
    for (int i = 1; i <= items; ++i)
        out += "<item><title>Item " + QByteArray::number(i) + "</title><link>http://x/" +
               QByteArray::number(i) + "</link></item>";
    return out + "</channel></rss>";
}

} // namespace

TEST(SaveFailures, TreeFileIsReportedAndTheNextSaveTriesAgain) {
    testsupport::ProgramDir dir;
    const QString file = dir.file(QStringLiteral("Data/KestrixRSS.xml"));
    clsProject project;
    project.objColItems.Add(0, QStringLiteral("folder"), {}, {}, {});
    ASSERT_TRUE(project.Save(file));
    const QByteArray before = readFile(file);
    for (int i = 0; i < 50; ++i)
        project.objColItems.Add(1, QStringLiteral("channel %1").arg(i),
                                QStringLiteral("http://example.com/%1").arg(i), {}, {});
    Reports reports;
    {
        testsupport::FileSizeLimit limit(before.size() + 10);
        EXPECT_FALSE(project.Save(file));
    }
    EXPECT_EQ(reports.seen, QStringList{QStringLiteral("tree|") + file});
    EXPECT_EQ(readFile(file), before);
    EXPECT_EQ(project.objColItems.Count(), 51); // the tree stays in memory

    EXPECT_TRUE(project.Save(file)); // and the next save writes it whole
    EXPECT_EQ(readFile(file), project.toText().toUtf8());
    EXPECT_EQ(reports.seen.size(), 1);

    const QString missing = dir.file(QStringLiteral("NoSuchDir/KestrixRSS.xml"));
    EXPECT_FALSE(project.Save(missing));
    EXPECT_EQ(reports.seen.last(), QStringLiteral("tree|") + missing);
}

TEST(SaveFailures, ChannelFileIsReportedAndItemStatesStay) {
    testsupport::ProgramDir dir;
    const QString source = dir.file(QStringLiteral("source.xml"));
    testsupport::writeFile(source, feed(40));
    clsProject project;
    const clsItemPtr channel =
        project.objColItems.Add(1, QStringLiteral("C"), QStringLiteral("file://") + source, {}, {});
    ASSERT_TRUE(channel->Load(false));
    const QString local = dir.file(QStringLiteral("RSS/") + channel->LocalFile());
    const QByteArray before = readFile(local);
    ASSERT_FALSE(before.isEmpty());

    Reports reports;
    {
        testsupport::FileSizeLimit limit(100);
        project.markReadRSS(QStringLiteral("http://x/3"));
        project.removeRSSItem(channel->strKey, QStringLiteral("RSSChannel1"),
                              QStringLiteral("RSSItem4"));
        EXPECT_FALSE(channel->writeXML());
    }
    EXPECT_EQ(reports.seen, QStringList(3, QStringLiteral("channel|") + local));
    EXPECT_EQ(readFile(local), before); // the previous copy is whole
    const colRSSItems& items = channel->objRSS.objColChannels.Item(1)->objColItems;
    EXPECT_EQ(items.Item(3)->intStatus, clsRSSItem::Read);
    EXPECT_EQ(items.Item(4)->intStatus, clsRSSItem::Deleted);

    // The next write stores both marks.
    EXPECT_TRUE(channel->writeXML());
    clsProject again;
    const clsItemPtr reread =
        again.objColItems.Add(1, QStringLiteral("C"), QStringLiteral("file://") + source, {}, {});
    ASSERT_TRUE(reread->Load(false));
    EXPECT_EQ(reread->objRSS.objColChannels.Item(1)->objColItems.Item(3)->intStatus, 1);
    EXPECT_EQ(reread->objRSS.objColChannels.Item(1)->objColItems.Item(4)->intStatus, 2);
    EXPECT_EQ(reports.seen.size(), 3);
}

TEST(SaveFailures, DownloadThatCannotBeStoredIsReported) {
    testsupport::ProgramDir dir;
    TestHttpServer server;
    TestHttpServer::Response response;
    response.body = feed(200);
    server.setResponse("/feed", response);
    clsProject project;
    const clsItemPtr channel =
        project.objColItems.Add(1, QStringLiteral("C"), server.url("/feed"), {}, {});
    Reports reports;
    {
        testsupport::FileSizeLimit limit(1000);
        EXPECT_FALSE(channel->Load(true));
    }
    const QString local = dir.file(QStringLiteral("RSS/") + channel->LocalFile());
    EXPECT_EQ(reports.seen, QStringList{QStringLiteral("channel|") + local});
    EXPECT_EQ(QDir(dir.file(QStringLiteral("RSS"))).entryList(QDir::Files), QStringList());

    EXPECT_TRUE(channel->Load(true)); // room again: the next fetch stores it
    EXPECT_EQ(readFile(local), response.body);
    EXPECT_EQ(reports.seen.size(), 1);
}
