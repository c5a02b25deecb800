// The update scheduler's rules, driven by calling its ticks: no widgets, no
// timers, no waiting.

#include "app/UpdateScheduler.h"
#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <functional>

using Mode = UpdateScheduler::Mode;

namespace {

// The window as the scheduler sees it: a tree of entries, the rows of both
// walks by key, and a record of what was merged, shown and announced.
struct FakeHost : UpdateScheduler::Host {
    clsProject project;
    QStringList treeKeys, listKeys;
    QString selected;
    QStringList merged, announced, shown, statuses;
    QStringList news; // keys whose merge finds something new
    std::function<void(const QString&)> duringMerge;
    int depth = 0, deepest = 0;

    qint32 walkCount(bool customList) override {
        return qint32((customList ? listKeys : treeKeys).size());
    }
    QString walkKey(bool customList, qint32 position) override {
        return (customList ? listKeys : treeKeys).value(position - 1);
    }
    std::shared_ptr<clsItem> findEntry(const QString& key) override {
        return project.objColItems.Search(key);
    }
    QString selectedKey() override { return selected; }
    void setStatus(const QString& text) override { statuses << text; }
    bool merge(clsItem& entry) override {
        merged << entry.strKey;
        deepest = qMax(deepest, ++depth);
        if (duringMerge)
            duringMerge(entry.strKey);
        --depth;
        return news.contains(entry.strKey);
    }
    void announce(const QString& title) override { announced << title; }
    void showEntry(const QString& key) override { shown << key; }
    void stateChanged() override {}

    QString add(colItems& level, qint32 kind, const QString& title) {
        return level.Add(kind, title, QStringLiteral("http://127.0.0.1:9/") + title, {}, {})
            ->strKey;
    }
};

struct Scheduler {
    FakeHost host;
    UpdateScheduler s;
    Scheduler() { s.setHost(&host); }

    // Interval passes: the counter starts a walk.
    void startWalk() {
        s.counter = s.timenew * 60 + 1;
        s.counterTick();
    }
    // Merge ticks until the walk is over (bounded).
    void finishWalk() {
        for (int i = 0; i < 100 && s.mergeOn; ++i)
            s.mergeTick();
    }
};

} // namespace

TEST(UpdateSchedulerSetting, ParseAndWrite) {
    struct Case {
        const char* text;
        bool valid;
        qint32 position;
        Mode mode;
    };
    const Case cases[] = {
        {"12 time", true, 12, Mode::CustomList},  {"0 allc", true, 0, Mode::AllChannels},
        {"15 allc", true, 15, Mode::AllChannels}, {"16 time", true, 0, Mode::CustomList},
        {"20 allc", true, 0, Mode::AllChannels},  {"-1 allc", true, 0, Mode::AllChannels},
        {"9 canc", true, 9, Mode::Stopped},       {"20 canc", true, 20, Mode::Stopped},
        {"-1 canc", true, -1, Mode::Stopped},     {"xx time", true, 0, Mode::CustomList},
        {"", false, 0, Mode::AllChannels},        {"3 tim", false, 0, Mode::AllChannels},
        {"3 TIME", false, 0, Mode::AllChannels},  {"time", true, 0, Mode::CustomList},
    };
    for (const Case& c : cases) {
        const auto setting = UpdateScheduler::parseSetting(QString::fromUtf8(c.text));
        EXPECT_EQ(setting.valid, c.valid) << c.text;
        if (!c.valid)
            continue;
        EXPECT_EQ(setting.position, c.position) << c.text;
        EXPECT_EQ(setting.mode, c.mode) << c.text;
    }
    EXPECT_EQ(UpdateScheduler::settingText(3, Mode::CustomList), QStringLiteral("3 time"));
    EXPECT_EQ(UpdateScheduler::settingText(12, Mode::AllChannels), QStringLiteral("12 allc"));
    EXPECT_EQ(UpdateScheduler::settingText(-1, Mode::Stopped), QStringLiteral("-1 canc"));
}

TEST(UpdateSchedulerSetting, RestoreAppliesEachChannelInTurn) {
    {
        SCOPED_TRACE("nothing stored: all channels every 5 minutes");
        UpdateScheduler s;
        s.restore(QString());
        s.restore(QStringLiteral("garbage"));
        EXPECT_EQ(s.mode, Mode::AllChannels);
        EXPECT_EQ(s.timenew, 5);
        EXPECT_EQ(s.position, 0);
        EXPECT_TRUE(s.upnew);
    }
    {
        SCOPED_TRACE("custom list, position 12: 17 minutes, counting");
        UpdateScheduler s;
        s.restore(QStringLiteral("12 time"));
        EXPECT_EQ(s.mode, Mode::CustomList);
        EXPECT_EQ(s.position, 12);
        EXPECT_EQ(s.timenew, 17);
        EXPECT_TRUE(s.counterOn);
        EXPECT_FALSE(s.mergeOn);
    }
    {
        SCOPED_TRACE("stopped: no timer runs, updates not allowed");
        UpdateScheduler s;
        s.mergeOn = true;
        s.restore(QStringLiteral("9 canc"));
        EXPECT_EQ(s.mode, Mode::Stopped);
        EXPECT_EQ(s.position, 9);
        EXPECT_FALSE(s.upnew);
        EXPECT_FALSE(s.counterOn);
        EXPECT_FALSE(s.mergeOn);
        s.enableMergeTimer(true);
        EXPECT_FALSE(s.mergeOn);
    }
    {
        SCOPED_TRACE("several channels: the last one in tree order wins");
        UpdateScheduler s;
        s.restore(QStringLiteral("9 canc"));
        s.restore(QStringLiteral("4 time"));
        s.restore(QStringLiteral("20 allc"));
        EXPECT_EQ(s.mode, Mode::AllChannels);
        EXPECT_EQ(s.position, 0);
        EXPECT_EQ(s.timenew, 5);
        EXPECT_TRUE(s.upnew);
        EXPECT_TRUE(s.counterOn);
        s.restore(QStringLiteral("20 canc")); // out of range: the position stays
        EXPECT_EQ(s.mode, Mode::Stopped);
        EXPECT_EQ(s.position, 0);
    }
}

TEST(UpdateSchedulerCounter, WalkStartsWhenTheIntervalHasPassed) {
    Scheduler t;
    t.s.counterOn = true;
    for (int i = 0; i < 301; ++i)
        t.s.counterTick();
    EXPECT_FALSE(t.s.mergeOn);
    EXPECT_EQ(t.s.counter, 301);
    t.s.counterTick();
    EXPECT_TRUE(t.s.mergeOn);
    EXPECT_TRUE(t.s.blnWalking);
    EXPECT_EQ(t.s.counter, 0);
}

TEST(UpdateSchedulerWalk, ArmingTickFetchesNothing) {
    Scheduler t;
    t.host.treeKeys << t.host.add(t.host.project.objColItems, clsItem::RssChannel, "a");
    t.s.enableMergeTimer(true); // start-up, and every page load or dialog afterwards
    t.s.mergeTick();
    EXPECT_TRUE(t.host.merged.isEmpty());
    EXPECT_FALSE(t.s.mergeOn);
    EXPECT_TRUE(t.s.counterOn);
    // Later page loads and dialogs resume only a walk under way.
    t.s.enableMergeTimer(false);
    t.s.enableMergeTimer(true);
    EXPECT_FALSE(t.s.mergeOn);
    t.s.requestSingleUpdate();
    EXPECT_TRUE(t.s.singleOn);
}

TEST(UpdateSchedulerWalk, EveryChannelOnceWhateverTheTreeShape) {
    Scheduler t;
    FakeHost& h = t.host;
    colItems& top = h.project.objColItems;
    // Tree view order: channel first, folder with a channel, a web page, a
    // node without entry, a nested folder, a channel last.
    const QString first = h.add(top, clsItem::RssChannel, "first");
    const QString folder = h.add(top, clsItem::Folder, "folder");
    const clsItemPtr folderEntry = top.Search(folder);
    const QString inner = h.add(folderEntry->objColItems, clsItem::RssChannel, "inner");
    const QString page = h.add(top, clsItem::WebPage, "page");
    const QString nested = h.add(folderEntry->objColItems, clsItem::Folder, "nested");
    const QString deep = h.add(top.Search(nested)->objColItems, clsItem::RssChannel, "deep");
    const QString last = h.add(top, clsItem::RssChannel, "last");
    h.treeKeys = {first, folder, inner, nested, deep, page, QStringLiteral("http://dropped/"),
                  last};
    h.news = {inner, last};

    for (int walk = 0; walk < 2; ++walk) {
        SCOPED_TRACE(walk);
        h.merged.clear();
        h.announced.clear();
        t.startWalk();
        t.finishWalk();
        EXPECT_EQ(h.merged, QStringList({first, inner, deep, last}));
        EXPECT_EQ(h.announced, QStringList({"inner", "last"}));
        EXPECT_FALSE(t.s.mergeOn);
        EXPECT_FALSE(t.s.blnWalking);
        EXPECT_TRUE(t.s.counterOn);
        EXPECT_EQ(h.statuses.last(), QString());
    }
    EXPECT_TRUE(h.statuses.contains(QStringLiteral("正在更新此频道:deep")));
}

TEST(UpdateSchedulerWalk, CustomListOfOneAndOfSeveral) {
    Scheduler t;
    FakeHost& h = t.host;
    const QString a = h.add(h.project.objColItems, clsItem::RssChannel, "a");
    const QString b = h.add(h.project.objColItems, clsItem::RssChannel, "b");
    const QString f = h.add(h.project.objColItems, clsItem::Folder, "f");
    h.treeKeys = {a, b, f};
    t.s.apply(Mode::CustomList, 3);
    EXPECT_EQ(t.s.timenew, 8);

    h.listKeys = {b};
    t.startWalk();
    t.finishWalk();
    EXPECT_EQ(h.merged, QStringList({b}));

    h.merged.clear();
    h.listKeys = {f, a, QStringLiteral("RSS999999"), b}; // a folder row is passed over
    t.startWalk();
    t.finishWalk();
    EXPECT_EQ(h.merged, QStringList({a, b}));
}

TEST(UpdateSchedulerWalk, PausedWalkResumesWhereItStopped) {
    Scheduler t;
    FakeHost& h = t.host;
    for (const char* name : {"a", "b", "c"})
        h.treeKeys << h.add(h.project.objColItems, clsItem::RssChannel, name);
    t.startWalk();
    t.s.mergeTick();
    t.s.enableMergeTimer(false); // a page load
    EXPECT_FALSE(t.s.mergeOn);
    t.s.enableMergeTimer(true);
    t.finishWalk();
    EXPECT_EQ(h.merged, h.treeKeys);
}

TEST(UpdateSchedulerWalk, StopDuringAFetchEndsTheWalkAndReleaseResumesCounting) {
    Scheduler t;
    FakeHost& h = t.host;
    for (const char* name : {"a", "b", "c"})
        h.treeKeys << h.add(h.project.objColItems, clsItem::RssChannel, name);
    t.startWalk();
    h.duringMerge = [&](const QString&) { t.s.stopPressed(); };
    t.s.mergeTick();
    h.duringMerge = nullptr;
    EXPECT_EQ(h.merged.size(), 1);
    EXPECT_EQ(t.s.mode, Mode::Stopped);
    EXPECT_FALSE(t.s.upnew);
    EXPECT_FALSE(t.s.mergeOn);
    EXPECT_FALSE(t.s.counterOn);
    EXPECT_FALSE(t.s.blnWalking);
    t.s.counterTick(); // a stray tick of a stopped counter
    t.s.enableMergeTimer(true);
    EXPECT_FALSE(t.s.mergeOn);

    t.s.counter = 40;
    t.s.stopReleased();
    EXPECT_EQ(t.s.mode, Mode::AllChannels);
    EXPECT_TRUE(t.s.upnew);
    EXPECT_TRUE(t.s.counterOn);
    EXPECT_FALSE(t.s.mergeOn);
    EXPECT_EQ(t.s.counter, 0);
    h.merged.clear();
    t.startWalk();
    t.finishWalk();
    EXPECT_EQ(h.merged, h.treeKeys); // a fresh walk, from the first channel
}

TEST(UpdateSchedulerWalk, NeverTwoFetchesAtOnce) {
    Scheduler t;
    FakeHost& h = t.host;
    for (const char* name : {"a", "b", "c"})
        h.treeKeys << h.add(h.project.objColItems, clsItem::RssChannel, name);
    h.selected = h.treeKeys[2];
    t.startWalk();
    // While the walk's first fetch waits: the user asks for the single
    // update and its tick comes; the interval passes again and the merge
    // timer ticks.
    int inner = 0;
    h.duringMerge = [&](const QString&) {
        if (inner++)
            return;
        t.s.requestSingleUpdate();
        t.s.singleTick();
        EXPECT_TRUE(t.s.singleOn); // waits for the walk's fetch
        t.startWalk();
        EXPECT_TRUE(t.s.mergeOn);
        t.s.mergeTick();
    };
    t.s.mergeTick();
    EXPECT_EQ(h.deepest, 1);
    EXPECT_EQ(h.merged, QStringList({h.treeKeys[0]}));

    // The walk paused by a page load, the single update runs; the walk's
    // tick while it merges waits.
    t.s.enableMergeTimer(false);
    t.s.requestSingleUpdate();
    ASSERT_TRUE(t.s.singleOn);
    h.duringMerge = [&](const QString&) {
        if (t.s.blnUpdatingSelected) {
            t.s.enableMergeTimer(true);
            t.s.mergeTick();
        }
    };
    t.s.singleTick();
    EXPECT_EQ(h.deepest, 1);
    EXPECT_EQ(h.merged, QStringList({h.treeKeys[0], h.treeKeys[2]}));
    EXPECT_FALSE(t.s.singleOn);
    h.duringMerge = nullptr;
    t.finishWalk();
    EXPECT_EQ(h.merged.mid(2), QStringList({h.treeKeys[1], h.treeKeys[2]}));
}

TEST(UpdateSchedulerSingle, UpdatesShowsAndAnnouncesTheSelectedChannel) {
    Scheduler t;
    FakeHost& h = t.host;
    const QString a = h.add(h.project.objColItems, clsItem::RssChannel, "a");
    const QString f = h.add(h.project.objColItems, clsItem::Folder, "f");
    const QString gone = h.add(h.project.objColItems, clsItem::RssChannel, "gone");
    h.treeKeys = {a, f, gone};

    h.selected = a;
    t.s.requestSingleUpdate();
    EXPECT_TRUE(t.s.singleOn);
    t.s.singleTick();
    EXPECT_EQ(h.merged, QStringList({a}));
    EXPECT_EQ(h.shown, QStringList({a}));
    EXPECT_EQ(h.announced, QStringList({"a"})); // announced with nothing new
    EXPECT_FALSE(t.s.singleOn);
    EXPECT_FALSE(t.s.blnUpdatingSelected);
    EXPECT_FALSE(t.s.blnSelectedTickBusy);

    SCOPED_TRACE("ignored while a walk runs");
    t.startWalk();
    t.s.requestSingleUpdate();
    EXPECT_FALSE(t.s.singleOn);
    t.finishWalk();

    SCOPED_TRACE("a folder is not fetched; a channel deleted meanwhile is not announced");
    h.merged.clear();
    h.announced.clear();
    h.shown.clear();
    h.selected = f;
    t.s.requestSingleUpdate();
    t.s.singleTick();
    EXPECT_TRUE(h.merged.isEmpty());
    EXPECT_FALSE(t.s.singleOn);
    h.selected = gone;
    h.duringMerge = [&](const QString& key) { h.project.removeItem(key); };
    t.s.requestSingleUpdate();
    t.s.singleTick();
    EXPECT_EQ(h.merged, QStringList({gone}));
    EXPECT_TRUE(h.announced.isEmpty());
    EXPECT_TRUE(h.shown.isEmpty());
    EXPECT_TRUE(h.selected.size() > 0);
}

TEST(UpdateSchedulerSingle, AWalkTickDropsAPendingSingleUpdate) {
    Scheduler t;
    t.host.treeKeys << t.host.add(t.host.project.objColItems, clsItem::RssChannel, "a");
    t.s.requestSingleUpdate();
    t.startWalk();
    t.s.mergeTick();
    EXPECT_FALSE(t.s.singleOn);
}

TEST(UpdateSchedulerApply, ModesTakeEffect) {
    UpdateScheduler s;
    s.apply(Mode::Stopped, 7);
    EXPECT_FALSE(s.upnew);
    EXPECT_FALSE(s.counterOn);
    EXPECT_FALSE(s.mergeOn);
    EXPECT_EQ(s.position, 7);
    s.counter = 99;
    s.apply(Mode::AllChannels, 15);
    EXPECT_TRUE(s.upnew);
    EXPECT_TRUE(s.counterOn);
    EXPECT_EQ(s.counter, 0);
    EXPECT_EQ(s.timenew, 20);
    s.apply(Mode::CustomList, -1); // no interval chosen keeps the last one
    EXPECT_EQ(s.timenew, 20);
    EXPECT_EQ(s.mode, Mode::CustomList);
}
