#include "core/feed/clsRSS.h"
#include "platform/Cp936.h"
#include "platform/XmlDocument.h"
#include "support/FeedCompare.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

const QString kHead = QStringLiteral("<?xml version='1.0' encoding='GB2312'?>\r\n");

QByteArray cacheBytes(const clsRSS& rss) {
    return cp936::fromUnicode(kHead + rss.getXML());
}

bool parseBytes(clsRSS& rss, const QByteArray& bytes) {
    XmlDocument doc;
    return doc.loadBytes(bytes) && rss.parseXML(doc) == 0;
}

} // namespace

TEST(FeedCache, ParsesAndRewritesTheCacheFileByteForByte) {
    const QByteArray fixture = testsupport::readFixture(QStringLiteral("feeds/cache_full.xml"));
    clsRSS rss;
    ASSERT_TRUE(parseBytes(rss, fixture));
    const clsRSSChannel* ch = rss.objColChannels.Item(1);
    ASSERT_TRUE(ch);
    EXPECT_EQ(ch->strCopyright, QStringLiteral("版权所有 2026"));
    EXPECT_EQ(ch->objImage.strHeight, QStringLiteral("auto"));
    ASSERT_EQ(ch->objColItems.Count(), 3);
    EXPECT_EQ(ch->objColItems.Item(1)->strTitle, QStringLiteral("第一条 ]]> 结束"));
    EXPECT_EQ(ch->objColItems.Item(1)->strDescription, QStringLiteral("<p>描述 😀</p>"));
    EXPECT_EQ(ch->objColItems.Item(1)->strContent, QStringLiteral("<p>全文</p>"));
    EXPECT_EQ(ch->objColItems.Item(2)->intStatus, 1);
    EXPECT_EQ(ch->objColItems.Item(3)->intStatus, 2);

    EXPECT_EQ(cacheBytes(rss), fixture);
}

TEST(FeedCache, RoundTripRestoresEveryMember) {
    clsRSS rss;
    clsRSSChannel* ch = rss.objColChannels.Add();
    ch->strTitle = QStringLiteral("频道 ]]> 😀");
    ch->strURL = QStringLiteral("http://x/?a&b");
    ch->strDescription = QStringLiteral("<script>alert(1)</script>");
    ch->strLanguage = QStringLiteral("zh");
    ch->strCopyright = QStringLiteral("©");
    ch->strLastBuildDate = QStringLiteral("d1");
    ch->strPubDate = QStringLiteral("d2");
    ch->strGenerator = QStringLiteral("g");
    ch->strTtl = QStringLiteral("5");
    ch->objImage.strTitle = QStringLiteral("i");
    ch->objImage.strWidth = QStringLiteral("88");
    ch->objImage.strHeight = QStringLiteral("31");
    ch->objImage.strLink = QStringLiteral("l");
    ch->objImage.strURL = QStringLiteral("u");
    for (int i = 0; i < 3; ++i) {
        clsRSSItem* item = ch->objColItems.Add();
        item->strTitle = QStringLiteral("标题 %1 ]]>").arg(i);
        item->strLink = QStringLiteral("http://x/%1").arg(i);
        item->strComments = QStringLiteral("c\r\nd");
        item->strAuthor = QStringLiteral("作者");
        item->strPubDate = QStringLiteral(" Mon ");
        item->strCategory = QStringLiteral("k");
        item->strSubject = QStringLiteral("s");
        item->strGuid = QStringLiteral("g%1").arg(i);
        item->strDescription = QStringLiteral("<b>&amp;</b> 🇨🇳");
        item->strContent = i == 1 ? QString() : QStringLiteral("全文 ]]]]>");
        item->intStatus = i;
    }
    rss.objColChannels.Add()->strTitle = QStringLiteral("second, empty");

    clsRSS back;
    ASSERT_TRUE(parseBytes(back, cacheBytes(rss)));
    EXPECT_EQ(testsupport::feedDifference(rss, back), QString());
    EXPECT_FALSE(rss.getXML().contains(QStringLiteral("<content:encoded><![CDATA[]]>")));
    EXPECT_TRUE(rss.getXML().endsWith(QStringLiteral("</channel>\r\n</rss>")));
    EXPECT_TRUE(rss.getXML().contains(QStringLiteral("    <status>Deleted</status>\r\n")));
}

TEST(FeedCounts, NewItemsAndReadMarks) {
    clsRSS rss;
    ASSERT_TRUE(parseBytes(rss, testsupport::readFixture(QStringLiteral("feeds/cache_full.xml"))));
    EXPECT_EQ(rss.objColChannels.Item(1)->countNewItems(), 2); // new + deleted
    EXPECT_EQ(rss.countNewItems(), 2);

    // Deleted items are untouched; an already read item still counts as a match.
    EXPECT_FALSE(rss.markReadRSS(QStringLiteral("HTTP://C.EXAMPLE/3")));
    EXPECT_EQ(rss.objColChannels.Item(1)->objColItems.Item(3)->intStatus, 2);
    EXPECT_TRUE(rss.markReadRSS(QStringLiteral("HTTP://C.EXAMPLE/2")));
    EXPECT_FALSE(rss.markReadRSS(QStringLiteral("http://c.example/2"))); // callers pass upper case
    EXPECT_TRUE(rss.markReadRSS(QStringLiteral("HTTP://C.EXAMPLE/1?A=1&B=2")));
    EXPECT_EQ(rss.objColChannels.Item(1)->objColItems.Item(1)->intStatus, 1);
    EXPECT_EQ(rss.countNewItems(), 1);

    clsRSS padded;
    ASSERT_TRUE(parseBytes(padded, "<rss><channel><item><link>  http://Pad/x  </link></item>"
                                   "</channel></rss>"));
    EXPECT_TRUE(padded.markReadRSS(QStringLiteral("HTTP://PAD/X")));
}
