#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"
#include "support/TestSupport.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using testsupport::readFile;

namespace {

QByteArray feed(const QByteArray& title, const QByteArray& links) {
    QByteArray out = "<rss><channel><title>" + title + "</title>";
    for (const QByteArray& link : links.split(','))
        out += "<item><link>" + link + "</link></item>";
    return out + "</channel></rss>";
}

struct TwoChannels {
    testsupport::ProgramDir dir;
    clsProject project;
    clsItemPtr first, second;
    TwoChannels() {
        const QString a = dir.file(QStringLiteral("a.xml"));
        const QString b = dir.file(QStringLiteral("b.xml"));
        testsupport::writeFile(a, feed("A", "http://x/shared,http://x/a1"));
        testsupport::writeFile(b, feed("B", " http://X/Shared ,http://x/b1"));
        const clsItemPtr folder = project.objColItems.Add(0, QStringLiteral("F"), {}, {}, {});
        first =
            folder->objColItems.Add(1, QStringLiteral("A"), QStringLiteral("file://") + a, {}, {});
        second =
            project.objColItems.Add(1, QStringLiteral("B"), QStringLiteral("file://") + b, {}, {});
        first->Load(false);
        second->Load(false);
    }
    QString local(const clsItemPtr& item) const {
        return dir.file(QStringLiteral("RSS/") + item->LocalFile());
    }
};

} // namespace

TEST(TreeItems, MarkReadAcrossLoadedChannelsWritesBothCacheFiles) {
    TwoChannels t;
    const QByteArray beforeFirst = readFile(t.local(t.first));
    t.project.markReadRSS(QStringLiteral("  HTTP://x/SHARED "));
    EXPECT_EQ(t.first->countNewItems(), 1);
    EXPECT_EQ(t.second->countNewItems(), 1);
    EXPECT_NE(readFile(t.local(t.first)), beforeFirst);
    EXPECT_TRUE(readFile(t.local(t.second)).contains("<status>Read</status>"));

    // Deleted items stay deleted.
    t.project.removeRSSItem(t.first->strKey, QStringLiteral("RSSChannel1"),
                            QStringLiteral("RSSItem2"));
    t.project.markReadRSS(QStringLiteral("http://x/a1"));
    EXPECT_EQ(t.first->objRSS.objColChannels.Item(1)->objColItems.Item(2)->intStatus, 2);
    EXPECT_TRUE(readFile(t.local(t.first)).contains("<status>Deleted</status>"));
}

TEST(TreeItems, RemoveMissingChannelOrItemWritesNothing) {
    TwoChannels t;
    const QDateTime stamp = QFileInfo(t.local(t.first)).lastModified();
    const QByteArray before = readFile(t.local(t.first));
    t.project.removeRSSItem(t.first->strKey, QStringLiteral("RSSChannel9"),
                            QStringLiteral("RSSItem1"));
    t.project.removeRSSItem(t.first->strKey, QStringLiteral("RSSChannel1"),
                            QStringLiteral("RSSItem9"));
    t.project.removeRSSItem(QStringLiteral("RSS999999"), QStringLiteral("RSSChannel1"),
                            QStringLiteral("RSSItem1"));
    EXPECT_EQ(readFile(t.local(t.first)), before);
    EXPECT_EQ(QFileInfo(t.local(t.first)).lastModified(), stamp);
    EXPECT_EQ(t.first->countNewItems(), 2);
}

TEST(TreeItems, GetUrlNeedsExactlyThreeParts) {
    TwoChannels t;
    const QString key = t.second->strKey;
    const struct {
        QString key;
        QString url;
    } cases[] = {
        {key, QString()},
        {key + QStringLiteral("?RSSChannel1"), QString()},
        {key + QStringLiteral("?RSSChannel1?RSSItem1"), QStringLiteral(" http://X/Shared ")},
        {key + QStringLiteral("?RSSChannel1?RSSItem1?x"), QString()},
        {key + QStringLiteral("?RSSChannel2?RSSItem1"), QString()},
        {t.project.objColItems.Item(1)->strKey + QStringLiteral("?RSSChannel1?RSSItem1"),
         QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(t.project.getURL(c.key), c.url) << c.key.toStdString();
}

TEST(TreeItems, CountsOfFoldersAndPagesAreZero) {
    TwoChannels t;
    EXPECT_EQ(t.project.objColItems.Item(1)->countNewItems(),
              0); // folder holding a channel with news
    EXPECT_EQ(t.project.objColItems.Add(2, QStringLiteral("W"), QStringLiteral("http://w"), {}, {})
                  ->countNewItems(),
              0);
    clsItem neverLoaded;
    neverLoaded.intType = 1;
    EXPECT_EQ(neverLoaded.countNewItems(), 0);
}
