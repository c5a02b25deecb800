#include "core/feed/clsRSS.h"
#include "platform/XmlDocument.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

qint32 parseFile(clsRSS& rss, const char* name) {
    XmlDocument doc;
    if (!doc.load(testsupport::fixturePath(QStringLiteral("feeds/") + QString::fromUtf8(name))))
        return -1;
    return rss.parseXML(doc);
}

qint32 parseText(clsRSS& rss, const QByteArray& text) {
    XmlDocument doc;
    if (!doc.loadBytes(text))
        return -1;
    return rss.parseXML(doc);
}

} // namespace

TEST(FeedParser, Rss20WithNamespaces) {
    clsRSS rss;
    ASSERT_EQ(parseFile(rss, "rss20_namespaces.xml"), 0);
    ASSERT_EQ(rss.objColChannels.Count(), 1);
    const clsRSSChannel* ch = rss.objColChannels.Item(QStringLiteral("RSSChannel1"));
    ASSERT_TRUE(ch);
    EXPECT_EQ(ch->strTitle, QStringLiteral("示例频道")); // the later title wins
    EXPECT_EQ(ch->strURL, QStringLiteral("http://example.com/"));
    EXPECT_EQ(ch->strDescription, QStringLiteral("Channel & description"));
    EXPECT_EQ(ch->strLanguage, QStringLiteral("zh-cn"));
    EXPECT_EQ(ch->strCopyright, QStringLiteral("(c) 2026"));
    EXPECT_EQ(ch->strLastBuildDate, QStringLiteral("Fri, 11 Dec 2026 08:00:00 GMT"));
    EXPECT_EQ(ch->strPubDate, QStringLiteral("Fri, 11 Dec 2026 07:00:00 GMT"));
    EXPECT_EQ(ch->strGenerator, QStringLiteral("hand"));
    EXPECT_EQ(ch->strTtl, QStringLiteral("60"));
    EXPECT_EQ(ch->objImage.strTitle, QStringLiteral("Logo"));
    EXPECT_EQ(ch->objImage.strURL, QStringLiteral("http://example.com/logo.png"));
    EXPECT_EQ(ch->objImage.strWidth, QStringLiteral("88"));
    EXPECT_EQ(ch->objImage.strHeight, QStringLiteral("31"));

    ASSERT_EQ(ch->objColItems.Count(), 3);
    const clsRSSItem* first = ch->objColItems.Item(QStringLiteral("RSSItem1"));
    EXPECT_EQ(first->strTitle, QStringLiteral("第一条"));
    EXPECT_EQ(first->strDescription, QStringLiteral("<p>One</p>"));
    EXPECT_EQ(first->strContent, QStringLiteral("<p>Full one</p>")); // other:encoded passed over
    EXPECT_EQ(first->strSubject, QStringLiteral("Science"));         // dc:subject by local name
    EXPECT_EQ(first->strGuid, QStringLiteral("http://example.com/1"));
    EXPECT_EQ(first->strAuthor, QStringLiteral("a@example.com"));
    EXPECT_EQ(first->strComments, QStringLiteral("http://example.com/1#c"));
    EXPECT_EQ(first->strCategory, QStringLiteral("News"));
    EXPECT_EQ(first->strPubDate, QStringLiteral("Fri, 11 Dec 2026 06:00:00 GMT"));
    EXPECT_EQ(first->intStatus, 0);
    EXPECT_EQ(ch->objColItems.Item(2)->strKey, QStringLiteral("RSSItem2"));
    EXPECT_EQ(ch->objColItems.Item(3)->strKey, QStringLiteral("RSSItem3"));
    EXPECT_EQ(ch->objColItems.Item(3)->intStatus, 1);
}

TEST(FeedParser, Rss091WithExternalDtdAndLatin1) {
    clsRSS rss;
    ASSERT_EQ(parseFile(rss, "rss091.xml"), 0);
    ASSERT_EQ(rss.objColChannels.Count(), 1);
    EXPECT_EQ(rss.objColChannels.Item(1)->strTitle, QStringLiteral("Café News"));
    EXPECT_EQ(rss.objColChannels.Item(1)->objColItems.Count(), 2);
}

TEST(FeedParser, RdfAttachesSiblingItemsAndImageToTheLastChannel) {
    clsRSS rss;
    ASSERT_EQ(parseFile(rss, "rdf.xml"), 0);
    ASSERT_EQ(rss.objColChannels.Count(), 1);
    const clsRSSChannel* ch = rss.objColChannels.Item(1);
    EXPECT_EQ(ch->strKey, QStringLiteral("RSSChannel1"));
    EXPECT_EQ(ch->strTitle, QStringLiteral("RDF Channel"));
    EXPECT_EQ(ch->objImage.strTitle, QStringLiteral("RDF Logo"));
    ASSERT_EQ(ch->objColItems.Count(), 3); // the item before the channel is dropped
    EXPECT_EQ(ch->objColItems.Item(1)->strTitle, QStringLiteral("R1"));
    EXPECT_EQ(ch->objColItems.Item(1)->strSubject, QStringLiteral("S1"));
    EXPECT_EQ(ch->objColItems.Item(3)->strKey, QStringLiteral("RSSItem3"));

    // The channel's own image child only points at the image.
    clsRSS channelOnly;
    ASSERT_EQ(parseText(channelOnly,
                        "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
                        "<channel><title>C</title><image rdf:resource='http://r/logo'/></channel>"
                        "</rdf:RDF>"),
              0);
    EXPECT_TRUE(channelOnly.objColChannels.Item(1)->objImage.strURL.isEmpty());
}

TEST(FeedParser, UnknownRootsGiveNoChannels) {
    for (const char* name : {"rdf_default_namespace.xml", "atom.xml"}) {
        clsRSS rss;
        EXPECT_EQ(parseFile(rss, name), 0) << name;
        EXPECT_EQ(rss.objColChannels.Count(), 0) << name;
    }
    clsRSS wrongPrefix;
    EXPECT_EQ(parseText(wrongPrefix, "<r:RDF xmlns:r='urn:x'><channel/></r:RDF>"), 0);
    EXPECT_EQ(wrongPrefix.objColChannels.Count(), 0);
    clsRSS wrongCase;
    EXPECT_EQ(parseText(wrongCase, "<RSS><channel/></RSS>"), 0);
    EXPECT_EQ(wrongCase.objColChannels.Count(), 0);
}

TEST(FeedParser, StatusWords) {
    const struct {
        const char* word;
        qint32 state;
    } cases[] = {{" read ", 1}, {"Read", 1}, {"READ", 1},   {"Deleted", 2}, {"deleted ", 2},
                 {"new", 0},    {"", 0},     {"Unread", 0}, {"2", 0},       {"\tRead", 0}};
    for (const auto& c : cases) {
        clsRSS rss;
        ASSERT_EQ(parseText(rss, QByteArray("<rss><channel><item><status>") + c.word +
                                     "</status></item></channel></rss>"),
                  0);
        EXPECT_EQ(rss.objColChannels.Item(1)->objColItems.Item(1)->intStatus, c.state) << c.word;
    }
}

TEST(FeedParser, EmptyChannelsAndAppendingParses) {
    clsRSS rss;
    ASSERT_EQ(parseText(rss, "<rss><channel/><channel><title>B</title></channel></rss>"), 0);
    ASSERT_EQ(rss.objColChannels.Count(), 2);
    EXPECT_TRUE(rss.objColChannels.Item(1)->strTitle.isEmpty());
    // A second parse appends; keys continue after the existing ones.
    ASSERT_EQ(parseText(rss, "<rss><channel><title>C</title></channel></rss>"), 0);
    EXPECT_EQ(rss.objColChannels.Item(3)->strKey, QStringLiteral("RSSChannel3"));
}

TEST(FeedCollections, KeysTakeTheFirstFreeNumberFromCountPlusOne) {
    colRSSItems items;
    items.Add();
    items.Add();
    items.Add();
    items.Remove(QStringLiteral("RSSItem1"));
    EXPECT_EQ(items.Add()->strKey, QStringLiteral("RSSItem4")); // 3 is taken
    items.Remove(1);                                            // RSSItem2 goes; 3 and 4 stay
    EXPECT_EQ(items.Add()->strKey, QStringLiteral("RSSItem5"));
    items.Remove(QStringLiteral("RSSItem3"));
    EXPECT_EQ(items.Add(QStringLiteral("  "))->strKey, QStringLiteral("RSSItem3"));
    EXPECT_EQ(items.Add(QStringLiteral("RSSItem4")), nullptr);
    EXPECT_EQ(items.Add(QStringLiteral("mine"))->strKey, QStringLiteral("mine"));
    EXPECT_EQ(items.Item(QStringLiteral("nope")), nullptr);
    EXPECT_EQ(items.Item(0), nullptr);
    EXPECT_EQ(items.Item(99), nullptr);
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
}

TEST(FeedParser, PrefixedElementsNeverReplaceTheFeedsOwn) {
    clsRSS rss;
    ASSERT_EQ(parseFile(rss, "namespaced_members.xml"), 0);
    const clsRSSChannel* ch = rss.objColChannels.Item(1);
    ASSERT_TRUE(ch);
    EXPECT_EQ(ch->strTitle, QStringLiteral("Podcast"));
    EXPECT_EQ(ch->strURL, QStringLiteral("http://pod.example/")); // not atom:link's empty text
    EXPECT_EQ(ch->strLanguage, QStringLiteral("en")); // a prefixed element alone still fills
    EXPECT_EQ(ch->objImage.strURL, QStringLiteral("http://pod.example/logo.png"));
    EXPECT_EQ(ch->objImage.strTitle, QStringLiteral("Logo"));

    const struct {
        const char* title;
        const char* link;
        const char* subject;
    } expected[] = {
        {"Episode one", "http://pod.example/1", "Talk"},  // itunes:title before, atom:link after
        {"Episode two", "http://pod.example/2", "Plain"}, // itunes:title and dc:subject after
        {"Second media title", "", "Only Dublin"},        // only prefixed: the later wins
        {"Newer plain", "http://pod.example/4", ""},      // plain ones: the later wins
    };
    ASSERT_EQ(ch->objColItems.Count(), qint32(std::size(expected)));
    for (qint32 i = 0; i < qint32(std::size(expected)); ++i) {
        const clsRSSItem* item = ch->objColItems.Item(i + 1);
        EXPECT_EQ(item->strTitle, QString::fromUtf8(expected[i].title)) << i;
        EXPECT_EQ(item->strLink, QString::fromUtf8(expected[i].link)) << i;
        EXPECT_EQ(item->strSubject, QString::fromUtf8(expected[i].subject)) << i;
    }
}

TEST(FeedParser, PrefixedStatusAndImageMembersFollowTheSameRule) {
    clsRSS rss;
    ASSERT_EQ(parseText(rss, "<rss xmlns:x='urn:x'><channel>"
                             "<image><url>u</url><x:url>other</x:url><x:width>9</x:width></image>"
                             "<item><status>Read</status><x:status>Deleted</x:status></item>"
                             "<item><x:status>Deleted</x:status></item>"
                             "</channel></rss>"),
              0);
    const clsRSSChannel* ch = rss.objColChannels.Item(1);
    EXPECT_EQ(ch->objImage.strURL, QStringLiteral("u"));
    EXPECT_EQ(ch->objImage.strWidth, QStringLiteral("9"));
    EXPECT_EQ(ch->objColItems.Item(1)->intStatus, 1);
    EXPECT_EQ(ch->objColItems.Item(2)->intStatus, 2);
}

TEST(FeedParser, Rss091DoctypeEntitiesComeFromTheHtmlSet) {
    clsRSS rss;
    ASSERT_EQ(parseFile(rss, "rss091_entities.xml"), 0);
    const clsRSSChannel* ch = rss.objColChannels.Item(1);
    ASSERT_TRUE(ch);
    EXPECT_EQ(ch->strTitle, QStringLiteral("Café News"));
    EXPECT_EQ(ch->strDescription, QStringLiteral("«Quoted»\u00A0&\u00A0more"));
    ASSERT_EQ(ch->objColItems.Count(), 1);
    EXPECT_EQ(ch->objColItems.Item(1)->strTitle, QStringLiteral("Crème — brûlée"));
    EXPECT_EQ(ch->objColItems.Item(1)->strLink, QStringLiteral("http://cafe.example/c?a=1&b=2"));
}

TEST(FeedParser, LeadingBlankLinesBeforeTheDeclaration) {
    for (const char* name : {"leading_newline.xml", "leading_newline_bom.xml"}) {
        clsRSS rss;
        ASSERT_EQ(parseFile(rss, name), 0) << name;
        ASSERT_EQ(rss.objColChannels.Count(), 1) << name;
        EXPECT_EQ(rss.objColChannels.Item(1)->strTitle, QStringLiteral("前导空行")) << name;
        EXPECT_EQ(rss.objColChannels.Item(1)->objColItems.Item(1)->strLink,
                  QStringLiteral("http://zh.example/1"))
            << name;
    }
}
