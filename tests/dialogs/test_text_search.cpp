// The shared search over items: fuzzy and exact matching without regard to
// letter case, the cursor moving past each match and wrapping, empty texts,
// and hits that moved or vanished between two searches.

#include "dialogs/TextSearch.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

namespace {

using Match = TextSearch::Match;
constexpr Match F = Match::Contains;
constexpr Match E = Match::Equals;

struct Search {
    QString text;
    Match mode;
    qint32 hit;     // expected item found, 0 = none
    qint32 cursor;  // expected cursor afterwards
    qint32 lastHit; // expected remembered hit afterwards
};

struct Case {
    const char* name;
    QStringList items;
    std::vector<Search> searches;
};

TextSearch::TextAt over(const QStringList& items) {
    return [items](qint32 i) { return items.value(i - 1); };
}

const QStringList kTree = {"新闻", "RSS 2.0 sample", "科技", "Rss", "内部 rss", "网页", "rss"};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class TextSearchTable : public ::testing::TestWithParam<Case> {};

TEST_P(TextSearchTable, VisitsMatchesInTurn) {
    const Case& c = GetParam();
    TextSearch search;
    qint32 previous = 0;
    for (size_t n = 0; n < c.searches.size(); ++n) {
        const Search& s = c.searches[n];
        const TextSearch::Step step =
            search.findNext(s.text, s.mode, qint32(c.items.size()), over(c.items));
        SCOPED_TRACE(::testing::Message()
                     << c.name << " search " << n + 1 << " \"" << s.text.toStdString() << '"');
        EXPECT_EQ(step.ran, !s.text.isEmpty());
        EXPECT_EQ(step.hit, s.hit);
        if (step.ran)
            EXPECT_EQ(step.previousHit, previous);
        EXPECT_EQ(search.lngCursor, s.cursor);
        EXPECT_EQ(search.lngHit, s.lastHit);
        previous = search.lngHit;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextSearchTable,
    ::testing::Values(
        Case{"FuzzyVisitsEachMatchThenStartsOver",
             kTree,
             {{"rss", F, 2, 3, 2},
              {"rss", F, 4, 5, 4},
              {"rss", F, 5, 6, 5},
              {"rss", F, 7, 1, 7}, // the last item wraps the cursor at once
              {"rss", F, 2, 3, 2}}},
        Case{"ExactIgnoresLetterCase",
             kTree,
             {{"rss", E, 4, 5, 4}, {"RSS", E, 7, 1, 7}, {"rSs", E, 4, 5, 4}}},
        Case{"ExactNeedsTheWholeText", kTree, {{"RSS 2.0", E, 0, 1, 0}, {"网页", E, 6, 7, 6}}},
        Case{"NoMatchIsSilentAndStartsOver",
             kTree,
             {{"科技", F, 3, 4, 3},
              {"科技", F, 0, 1, 3}, // remembered hit stays, cursor back to 1
              {"科技", F, 3, 4, 3}}},
        Case{"EmptyTextDoesNothingEvenAfterHits",
             kTree,
             {{"新闻", F, 1, 2, 1}, {"", F, 0, 2, 1}, {"", E, 0, 2, 1}, {"rss", F, 2, 3, 2}}},
        Case{"LastMatchIsTheLastItemButOne",
             {"a", "ab", "c"},
             {{"a", F, 1, 2, 1}, {"a", F, 2, 3, 2}, {"a", F, 0, 1, 2}, {"a", F, 1, 2, 1}}},
        Case{"SingleMatchOnLastItemFoundEveryTime",
             {"x", "y", "Z"},
             {{"z", F, 3, 1, 3}, {"z", F, 3, 1, 3}}},
        Case{"NoItems", {}, {{"rss", F, 0, 1, 0}, {"", F, 0, 1, 0}}},
        Case{"ChineseAndMixedText",
             {"IT 新闻", "新闻 it", "财经"},
             {{"it 新", F, 1, 2, 1}, {"新闻 IT", E, 2, 3, 2}, {"闻", F, 0, 1, 2}}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(TextSearch, CursorBeyondTheLastItemStartsOverInsteadOfFindingNothingForever) {
    QStringList items = {"a1", "b", "a2", "a3"};
    TextSearch search;
    search.findNext("a", F, 4, over(items));
    search.findNext("a", F, 4, over(items));
    ASSERT_EQ(search.lngCursor, 4);
    items = {"a1", "b"}; // rows removed under the window
    EXPECT_EQ(search.findNext("a", F, 2, over(items)).hit, 0);
    EXPECT_EQ(search.lngCursor, 1);
    EXPECT_EQ(search.findNext("a", F, 2, over(items)).hit, 1);
}

TEST(TextSearch, HitThatMovedOrVanished) {
    struct Moved {
        const char* name;
        qint32 cursorBefore, hitBefore, now;
        qint32 cursor, hit;
    };
    const Moved cases[] = {
        {"same place", 4, 3, 3, 4, 3},
        {"moved up", 4, 3, 1, 2, 1},
        {"moved down", 4, 3, 6, 7, 6},
        {"vanished", 4, 3, 0, 1, 0},
        {"wrapped cursor stays at the start", 1, 5, 2, 1, 2},
        {"no hit stays no hit", 1, 0, 0, 1, 0},
    };
    for (const Moved& m : cases) {
        SCOPED_TRACE(m.name);
        TextSearch search;
        search.lngCursor = m.cursorBefore;
        search.lngHit = m.hitBefore;
        search.hitMovedTo(m.now);
        EXPECT_EQ(search.lngCursor, m.cursor);
        EXPECT_EQ(search.lngHit, m.hit);
    }
}

TEST(TextSearch, ContinuesAfterAMovedHit) {
    QStringList items = {"rss a", "x", "rss b", "rss c"};
    TextSearch search;
    EXPECT_EQ(search.findNext("rss", F, 4, over(items)).hit, 1);
    EXPECT_EQ(search.findNext("rss", F, 4, over(items)).hit, 3);
    items.removeAt(1); // the item before the hit is deleted: the hit is now item 2
    search.hitMovedTo(2);
    const TextSearch::Step step = search.findNext("rss", F, 3, over(items));
    EXPECT_EQ(step.previousHit, 2);
    EXPECT_EQ(step.hit, 3);
    EXPECT_EQ(items.value(step.hit - 1), "rss c");
}

TEST(TextSearch, ResetForgetsEverything) {
    TextSearch search;
    search.findNext("b", F, 3, over({"a", "b", "c"}));
    search.reset();
    EXPECT_EQ(search.lngCursor, 1);
    EXPECT_EQ(search.lngHit, 0);
}

} // namespace
