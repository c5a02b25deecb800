#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"
#include "support/MemoryLists.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using testsupport::HeadlineRow;
using testsupport::readFile;
using testsupport::readFixture;

namespace {

struct PageTree {
    testsupport::ProgramDir dir;
    clsProject project;
    clsItemPtr folder, channel, second, subFolder, page, emptyChannel;
    testsupport::MemoryPane pane;
    testsupport::MemoryLists lists;

    PageTree() {
        const QString src =
            QStringLiteral("file://") + testsupport::fixturePath(QStringLiteral("page/"));
        folder = project.objColItems.Add(0, QStringLiteral("文件夹"), {}, {}, {});
        channel = folder->objColItems.Add(1, QStringLiteral("频道 <一>"),
                                          src + "channel_source.xml", {}, {});
        subFolder = folder->objColItems.Add(0, QStringLiteral("子目录"), {}, {}, {});
        subFolder->objColItems.Add(1, QStringLiteral("hidden"), src + "second_source.xml", {}, {});
        second =
            folder->objColItems.Add(1, QStringLiteral("Second"), src + "second_source.xml", {}, {});
        page = folder->objColItems.Add(2, QStringLiteral("网页"),
                                       QStringLiteral("http://web.example/"), {}, {});
        const clsItemPtr removed =
            folder->objColItems.Add(1, QStringLiteral("gone"), src + "channel_source.xml", {}, {});
        project.removeItem(removed->strKey);
        emptyChannel =
            project.objColItems.Add(1, QStringLiteral("空 <频道>"), src + "missing.xml", {}, {});
    }
    QString pagePath() const { return dir.file(QStringLiteral("ZAZariro.html")); }
};

} // namespace

TEST(PageWriter, ChannelFolderAndEmptyPagesByteForByte) {
    PageTree t;
    ASSERT_TRUE(t.project.loadList(t.channel->strKey, t.lists.lists));
    ASSERT_TRUE(t.project.loadHTML(t.channel->strKey, t.pane));
    EXPECT_EQ(readFile(t.pagePath()), readFixture(QStringLiteral("page/page_channel.html")));
    EXPECT_EQ(t.pane.navigations, QStringList{t.pagePath()});

    ASSERT_TRUE(t.project.loadHTML(t.folder->strKey, t.pane));
    EXPECT_EQ(readFile(t.pagePath()), readFixture(QStringLiteral("page/page_folder.html")));
    EXPECT_EQ(t.second->objRSS.objColChannels.Count(), 1); // folder channels stay loaded

    ASSERT_TRUE(t.project.loadHTML(t.emptyChannel->strKey, t.pane));
    EXPECT_EQ(readFile(t.pagePath()), readFixture(QStringLiteral("page/page_empty_channel.html")));
}

TEST(PageWriter, WebPagesNavigateAndNeverTouchThePage) {
    PageTree t;
    testsupport::writeFile(t.pagePath(), "old page");
    ASSERT_TRUE(t.project.loadHTML(t.page->strKey, t.pane));
    EXPECT_EQ(t.pane.navigations, QStringList{QStringLiteral("http://web.example/")});
    EXPECT_EQ(readFile(t.pagePath()), QByteArray("old page"));
    EXPECT_FALSE(t.project.loadHTML(QStringLiteral("RSS0"), t.pane));
    EXPECT_EQ(t.pane.navigations.size(), 1);
}

TEST(PageWriter, UnwritablePageIsNotShownAndKeepsTheOldOne) {
    PageTree t;
    testsupport::writeFile(t.pagePath(), "old page");
    {
        testsupport::FileSizeLimit limit(100);
        EXPECT_FALSE(t.project.loadHTML(t.emptyChannel->strKey, t.pane));
    }
    EXPECT_TRUE(t.pane.navigations.isEmpty());
    EXPECT_EQ(readFile(t.pagePath()), QByteArray("old page"));
}

TEST(ListFilling, RowsForEveryKindOfEntry) {
    PageTree t;
    const struct {
        clsItemPtr item;
        QList<HeadlineRow> rows;
        QStringList descriptions;
    } cases[] = {
        {t.folder,
         {{t.channel->strKey, "频道 <一>", "a", ""},
          {t.subFolder->strKey, "子目录", "a", ""},
          {t.second->strKey, "Second", "a", ""},
          {t.page->strKey, "网页", "d", ""}},
         {}},
        {t.channel,
         {{"http://example.com/new", "新的一条", "c", "Fri, 11 Dec 2026 06:00:00 GMT"},
          {"http://example.com/read", "Read one", "b", "NON"}},
         {"Summary of the new item", "Already read"}},
        {t.page, {{t.page->strKey, "网页", "d", ""}}, {}},
        {t.emptyChannel, {}, {}},
    };
    for (const auto& c : cases) {
        t.lists.headlines.addRow("stale", "stale", "a");
        t.lists.descriptions.rows.append("stale");
        const int clears = t.lists.drawn.clears;
        EXPECT_TRUE(t.project.loadList(c.item->strKey, t.lists.lists));
        EXPECT_EQ(t.lists.headlines.rows, c.rows) << c.item->strTitle.toStdString();
        EXPECT_EQ(t.lists.descriptions.rows, c.descriptions) << c.item->strTitle.toStdString();
        EXPECT_EQ(t.lists.drawn.clears, clears + 1);
    }
    EXPECT_FALSE(t.project.loadList(QStringLiteral("RSS0"), t.lists.lists));
    // The channel stays loaded for the item operations that follow.
    EXPECT_EQ(t.channel->objRSS.objColChannels.Item(1)->objColItems.Count(), 4);
}
