#include "core/feed/FeedText.h"
#include "core/feed/clsRSS.h"
#include "platform/XmlDocument.h"
#include "support/FeedCompare.h"
#include "support/TestSupport.h"

#include <QSet>

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

struct ItemSpec {
    const char* link;
    const char* date;
    const char* title;
    qint32 status = 0;
};
struct ChannelSpec {
    const char* title;
    std::initializer_list<ItemSpec> items;
};

void build(clsRSS& rss, std::initializer_list<ChannelSpec> channels) {
    for (const ChannelSpec& c : channels) {
        clsRSSChannel* ch = rss.objColChannels.Add();
        ch->strTitle = QString::fromUtf8(c.title);
        ch->strCopyright = QStringLiteral("(c) ") + ch->strTitle;
        ch->strDescription = QStringLiteral("about ") + ch->strTitle;
        for (const ItemSpec& i : c.items) {
            clsRSSItem* item = ch->objColItems.Add();
            item->strLink = QString::fromUtf8(i.link);
            item->strPubDate = QString::fromUtf8(i.date);
            item->strTitle = QString::fromUtf8(i.title);
            item->strDescription = QStringLiteral("text of ") + item->strTitle;
            item->intStatus = i.status;
        }
    }
}

// The merge rules exactly as stated, item by item over every stored item.
bool mergeByTheRules(clsRSS& stored, const clsRSS& fresh) {
    using feedtext::compareForm;
    bool changed = false;
    for (const auto& n : fresh.objColChannels) {
        bool matched = false;
        for (qint32 c = 1; c <= stored.objColChannels.Count(); ++c) {
            clsRSSChannel* o = stored.objColChannels.Item(c);
            if (compareForm(n->strTitle) != compareForm(o->strTitle))
                continue;
            matched = true;
            o->copyFieldsFrom(*n);
            for (const auto& i : n->objColItems) {
                // Found without change: a stored item has this link and this date.
                bool unchanged = false;
                for (qint32 s = 1; s <= o->objColItems.Count(); ++s) {
                    const clsRSSItem* si = o->objColItems.Item(s);
                    if (si->strLink == i->strLink &&
                        compareForm(si->strPubDate) == compareForm(i->strPubDate))
                        unchanged = true;
                }
                if (unchanged)
                    continue;
                bool found = false;
                for (qint32 s = 1; s <= o->objColItems.Count(); ++s) {
                    clsRSSItem* si = o->objColItems.Item(s);
                    if (si->strLink != i->strLink)
                        continue;
                    found = true;
                    if (si->intStatus != 2 &&
                        compareForm(si->strPubDate) != compareForm(i->strPubDate)) {
                        si->copyTextsFrom(*i);
                        changed = true;
                    }
                }
                if (!found) {
                    clsRSSItem* added = o->objColItems.Add();
                    added->copyTextsFrom(*i);
                    changed = true;
                }
            }
        }
        if (!matched) {
            clsRSSChannel* added = stored.objColChannels.Add();
            added->copyFieldsFrom(*n);
            for (const auto& i : n->objColItems)
                added->objColItems.Add()->copyTextsFrom(*i);
            changed = true;
        }
    }
    return changed;
}

struct Outcome {
    bool changed;
    QStringList rows; // "channel|link|title|status" per stored item
};

Outcome mergeBothWays(std::initializer_list<ChannelSpec> storedSpec,
                      std::initializer_list<ChannelSpec> freshSpec) {
    clsRSS indexed, byRules, fresh;
    build(indexed, storedSpec);
    build(byRules, storedSpec);
    build(fresh, freshSpec);
    const bool a = indexed.mergeFresh(fresh);
    const bool b = mergeByTheRules(byRules, fresh);
    EXPECT_EQ(a, b);
    EXPECT_EQ(testsupport::feedDifference(indexed, byRules), QString());
    Outcome out{a, {}};
    for (const auto& ch : indexed.objColChannels)
        for (const auto& item : ch->objColItems)
            out.rows << QStringLiteral("%1|%2|%3|%4")
                            .arg(ch->strTitle, item->strLink, item->strTitle)
                            .arg(item->intStatus);
    return out;
}

} // namespace

TEST(FeedMerge, NewItemsAppendedStatesKept) {
    const Outcome o = mergeBothWays({{"News", {{"A", "d1", "A", 1}, {"B", "d2", "B", 0}}}},
                                    {{"News", {{"B", "d2", "B"}, {"C", "d3", "C"}}}});
    EXPECT_TRUE(o.changed);
    EXPECT_EQ(o.rows, (QStringList{"News|A|A|1", "News|B|B|0", "News|C|C|0"}));
}

TEST(FeedMerge, IdenticalFreshCopyChangesNothing) {
    const Outcome o = mergeBothWays({{"News", {{"A", "d1", "A", 1}, {"B", "d2", "B", 2}}}},
                                    {{"News", {{"A", "d1", "A"}, {"B", "d2", "B"}}}});
    EXPECT_FALSE(o.changed);
    EXPECT_EQ(o.rows, (QStringList{"News|A|A|1", "News|B|B|2"}));
}

TEST(FeedMerge, DatesDecideUpdatesOfReadAndDeletedItems) {
    const Outcome o = mergeBothWays(
        {{"News",
          {{"A", "Mon 1", "old A", 1}, {"B", "Mon 1", "old B", 1}, {"D", "x", "old D", 2}}}},
        {{"News", {{"A", "  mon 1 ", "new A"}, {"B", "Tue 2", "new B"}, {"D", "y", "new D"}}}});
    EXPECT_TRUE(o.changed);
    EXPECT_EQ(o.rows, (QStringList{"News|A|old A|1", "News|B|new B|1", "News|D|old D|2"}));
}

TEST(FeedMerge, ChannelsMatchByTrimmedUpperCasedTitle) {
    clsRSS stored, fresh;
    build(stored, {{"Tech News", {{"A", "1", "A"}}}});
    build(fresh, {{"  tech NEWS ", {{"B", "2", "B"}}}, {"Other", {{"C", "3", "C"}}}});
    ASSERT_TRUE(stored.mergeFresh(fresh));
    ASSERT_EQ(stored.objColChannels.Count(), 2);
    const clsRSSChannel* first = stored.objColChannels.Item(1);
    EXPECT_EQ(first->strTitle, QStringLiteral("  tech NEWS "));      // fields copied...
    EXPECT_EQ(first->strCopyright, QStringLiteral("(c) Tech News")); // ...but not the copyright
    EXPECT_EQ(first->objColItems.Count(), 2);
    const clsRSSChannel* second = stored.objColChannels.Item(2);
    EXPECT_EQ(second->strKey, QStringLiteral("RSSChannel2"));
    EXPECT_TRUE(second->strCopyright.isEmpty());
    EXPECT_EQ(second->objColItems.Item(1)->intStatus, 0);
}

TEST(FeedMerge, EdgeCasesAgreeWithTheRules) {
    // Duplicate links in the fresh copy, matched channel: the first is appended, the second updates
    // it.
    Outcome o =
        mergeBothWays({{"N", {{"A", "1", "A"}}}}, {{"N", {{"X", "1", "X1"}, {"X", "2", "X2"}}}});
    EXPECT_EQ(o.rows, (QStringList{"N|A|A|0", "N|X|X2|0"}));
    // ...and in an unmatched channel both are appended.
    o = mergeBothWays({{"N", {}}}, {{"M", {{"X", "1", "X1"}, {"X", "2", "X2"}}}});
    EXPECT_EQ(o.rows, (QStringList{"M|X|X1|0", "M|X|X2|0"}));
    // Duplicate links in the stored copy: every live one is updated, the deleted one is not.
    o = mergeBothWays({{"N", {{"X", "1", "a", 1}, {"X", "1", "b", 2}, {"X", "1", "c", 0}}}},
                      {{"N", {{"X", "2", "z"}}}});
    EXPECT_EQ(o.rows, (QStringList{"N|X|z|1", "N|X|b|2", "N|X|z|0"}));
    // Empty links are all the same item.
    o = mergeBothWays({{"N", {{"", "1", "e", 1}}}}, {{"N", {{"", "2", "f"}, {"", "3", "g"}}}});
    EXPECT_EQ(o.rows, (QStringList{"N||g|1"}));
    // Two stored channels with the same title both take the fresh items.
    o = mergeBothWays({{"N", {}}, {"n ", {{"A", "1", "A"}}}}, {{"N", {{"A", "1", "A"}}}});
    EXPECT_EQ(o.rows, (QStringList{"N|A|A|0", "N|A|A|0"}));
    // A fresh channel appended early in the merge takes a later fresh channel of its title.
    o = mergeBothWays({}, {{"N", {{"A", "1", "A"}}}, {"N", {{"A", "2", "A2"}, {"B", "1", "B"}}}});
    EXPECT_EQ(o.rows, (QStringList{"N|A|A2|0", "N|B|B|0"}));
    // Nothing stored, nothing fresh.
    o = mergeBothWays({}, {});
    EXPECT_FALSE(o.changed);
}

TEST(FeedMerge, FoundWithoutChangeWhenLinkAndDateMatchAStoredItem) {
    // Two stored items of one link with different dates, fresh copy the same: nothing changes
    // (before, each was copied into the other and one headline was lost).
    Outcome o = mergeBothWays({{"N", {{"X", "d1", "one", 1}, {"X", "d2", "two", 0}}}},
                              {{"N", {{"X", "d1", "one"}, {"X", " D2 ", "two"}}}});
    EXPECT_FALSE(o.changed);
    EXPECT_EQ(o.rows, (QStringList{"N|X|one|1", "N|X|two|0"}));
    // A date no stored item of the link has still updates every live one.
    o = mergeBothWays({{"N", {{"X", "d1", "one", 1}, {"X", "d2", "two", 0}}}},
                      {{"N", {{"X", "d1", "one"}, {"X", "d3", "three"}}}});
    EXPECT_TRUE(o.changed);
    EXPECT_EQ(o.rows, (QStringList{"N|X|three|1", "N|X|three|0"}));
    // A deleted stored item with the date also counts: the live one keeps its texts.
    o = mergeBothWays({{"N", {{"X", "d1", "gone", 2}, {"X", "d2", "live", 0}}}},
                      {{"N", {{"X", "d1", "gone"}}}});
    EXPECT_FALSE(o.changed);
    EXPECT_EQ(o.rows, (QStringList{"N|X|gone|2", "N|X|live|0"}));
    // Two fresh items of one link and no stored one still give one item.
    o = mergeBothWays({{"N", {}}}, {{"N", {{"X", "1", "X1"}, {"X", "2", "X2"}, {"X", "1", "X1"}}}});
    EXPECT_EQ(o.rows, (QStringList{"N|X|X1|0"}));
}

TEST(FeedMerge, RealFeedsMergedIntoThemselvesChangeNothing) {
    for (const char* name : {"duplicate_links.xml", "namespaced_members.xml"}) {
        XmlDocument doc;
        ASSERT_TRUE(
            doc.load(testsupport::fixturePath(QStringLiteral("feeds/") + QString::fromUtf8(name))))
            << name;
        clsRSS fresh, stored;
        ASSERT_EQ(fresh.parseXML(doc), 0) << name;
        ASSERT_TRUE(stored.mergeFresh(fresh)) << name; // the first merge stores every item
        const QString first = stored.getXML();
        EXPECT_EQ(testsupport::feedDifference(stored, fresh), QString()) << name;
        EXPECT_FALSE(stored.mergeFresh(fresh)) << name;
        EXPECT_EQ(stored.getXML(), first) << name;
        QSet<QString> titles;
        for (const auto& item : stored.objColChannels.Item(1)->objColItems)
            titles.insert(item->strTitle);
        EXPECT_EQ(titles.size(), fresh.objColChannels.Item(1)->objColItems.Count()) << name;
    }
}
