#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"
#include "support/TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

using testsupport::fixturePath;
using testsupport::readFile;
using testsupport::readFixture;

namespace {

void buildSampleTree(clsProject& project) {
    const clsItemPtr news = project.objColItems.Add(0, QStringLiteral("新闻 <&>"), {}, {}, {});
    const clsItemPtr channel = news->objColItems.Add(
        1, QStringLiteral("频道一"), QStringLiteral("http://example.com/feed.xml?a=1&b=2"),
        QStringLiteral("user"), QStringLiteral("password"));
    channel->newsup = QStringLiteral("1");
    channel->newstime = QStringLiteral("10");
    const clsItemPtr level2 = news->objColItems.Add(0, QStringLiteral("二级"), {}, {}, {});
    const clsItemPtr level3 = level2->objColItems.Add(0, QStringLiteral("三级"), {}, {}, {});
    level3->objColItems.Add(2, QStringLiteral("网页"), QStringLiteral("http://example.com/"), {},
                            {});
    const clsItemPtr removed = level3->objColItems.Add(0, QStringLiteral("gone"), {}, {}, {});
    removed->objColItems.Add(1, QStringLiteral("gone child"), QStringLiteral("http://x"), {}, {});
    project.removeItem(removed->strKey);
    project.objColItems.Add(1, QStringLiteral("Local"),
                            QStringLiteral("FILE://C:\\Feeds\\my feed.xml"), {}, {});
    project.objColItems.Add(2, QStringLiteral("Page"), {}, {}, {});
}

} // namespace

TEST(TreeFileWriter, WritesTheTreeByteForByte) {
    testsupport::ProgramDir dir;
    const QString file = dir.file(QStringLiteral("Data/KestrixRSS.xml"));
    clsProject project;
    buildSampleTree(project);
    ASSERT_TRUE(project.Save(file));
    EXPECT_EQ(readFile(file), readFixture(QStringLiteral("tree_written.xml")));

    clsProject empty;
    ASSERT_TRUE(empty.Save(file));
    EXPECT_EQ(readFile(file), readFixture(QStringLiteral("tree_empty.xml")));
}

TEST(TreeFileWriter, SaveThenLoadKeepsEverythingButCredentials) {
    testsupport::ProgramDir dir;
    const QString file = dir.file(QStringLiteral("Data/KestrixRSS.xml"));
    clsProject project;
    buildSampleTree(project);
    ASSERT_TRUE(project.Save(file));

    clsProject loaded;
    ASSERT_TRUE(loaded.Load(file));
    ASSERT_EQ(loaded.objColItems.Count(), 3);
    const clsItemPtr news = loaded.objColItems.Item(1);
    EXPECT_EQ(news->strTitle, QStringLiteral("新闻 <&>"));
    const clsItemPtr channel = news->objColItems.Item(1);
    EXPECT_EQ(channel->intType, 1);
    EXPECT_EQ(channel->strURL, QStringLiteral("http://example.com/feed.xml?a=1&b=2"));
    EXPECT_EQ(channel->newsup, QStringLiteral("1"));
    EXPECT_EQ(channel->newstime, QStringLiteral("10"));
    EXPECT_TRUE(channel->strUser.isEmpty());
    EXPECT_TRUE(channel->strPassword.isEmpty());
    const clsItemPtr level3 = news->objColItems.Item(2)->objColItems.Item(1);
    ASSERT_EQ(level3->objColItems.Count(), 1);
    EXPECT_EQ(level3->objColItems.Item(1)->strURL, QStringLiteral("http://example.com/"));
    EXPECT_EQ(loaded.toText(), project.toText());
}

TEST(TreeFileWriter, OddTextsSurviveSaveAndReload) {
    testsupport::ProgramDir dir;
    const QString file = dir.file(QStringLiteral("Data/KestrixRSS.xml"));
    const QString titles[] = {QStringLiteral("a]]>b"), QStringLiteral("表情 😀"),
                              QStringLiteral("<&>"), QStringLiteral("朱镕基 陶喆"),
                              QStringLiteral("ไทย ]]]]> €")};
    clsProject project;
    for (const QString& t : titles)
        project.objColItems.Add(2, t, QStringLiteral("http://x/?q=") + t, {}, {});
    ASSERT_TRUE(project.Save(file));
    clsProject loaded;
    ASSERT_TRUE(loaded.Load(file));
    ASSERT_EQ(loaded.objColItems.Count(), 5);
    for (qint32 i = 1; i <= 5; ++i) {
        EXPECT_EQ(loaded.objColItems.Item(i)->strTitle, titles[i - 1]);
        EXPECT_EQ(loaded.objColItems.Item(i)->strURL,
                  QStringLiteral("http://x/?q=") + titles[i - 1]);
    }
}

TEST(TreeFileWriter, FailedSaveKeepsThePreviousFile) {
    testsupport::ProgramDir dir;
    const QString file = dir.file(QStringLiteral("Data/KestrixRSS.xml"));
    clsProject small;
    small.objColItems.Add(2, QStringLiteral("keep me"), QStringLiteral("http://k/"), {}, {});
    ASSERT_TRUE(small.Save(file));
    const QByteArray before = readFile(file);

    clsProject big;
    for (int i = 0; i < 200; ++i)
        big.objColItems.Add(1, QStringLiteral("channel %1").arg(i),
                            QStringLiteral("http://example.com/%1").arg(i), {}, {});
    {
        testsupport::FileSizeLimit limit(before.size() + 100);
        EXPECT_FALSE(big.Save(file));
    }
    EXPECT_EQ(readFile(file), before);
    EXPECT_EQ(QDir(dir.file(QStringLiteral("Data"))).entryList(QDir::Files).size(), 1);
    EXPECT_FALSE(big.Save(dir.file(QStringLiteral("NoSuchDir/KestrixRSS.xml"))));
}

TEST(TreeFileReader, ReadsKnownElementsAndPassesOverTheRest) {
    clsProject project;
    ASSERT_TRUE(project.Load(fixturePath(QStringLiteral("tree_reader_cases.xml"))));
    ASSERT_EQ(project.objColItems.Count(), 3); // opml, x:folder, webPage

    const clsItemPtr group = project.objColItems.Item(1);
    EXPECT_EQ(group->intType, 0); // opml reads as a folder
    EXPECT_EQ(group->strTitle, QStringLiteral("导入组"));
    ASSERT_EQ(group->objColItems.Count(), 1);
    const clsItemPtr channel = group->objColItems.Item(1);
    EXPECT_EQ(channel->intType, 1);
    EXPECT_EQ(channel->strTitle, QStringLiteral("第二个标题")); // the later title wins
    EXPECT_EQ(channel->strURL, QStringLiteral("http://a/rss"));
    EXPECT_EQ(channel->strUser, QStringLiteral("alice"));
    EXPECT_EQ(channel->strPassword, QStringLiteral("secret"));
    EXPECT_EQ(channel->newsup, QStringLiteral("1"));
    EXPECT_EQ(channel->newstime, QStringLiteral("15"));
    EXPECT_EQ(channel->objColItems.Count(), 0); // items inside rss are passed over

    EXPECT_EQ(project.objColItems.Item(2)->strTitle, QStringLiteral("ns folder"));
    EXPECT_EQ(project.objColItems.Item(2)->intType, 0);
    const clsItemPtr page = project.objColItems.Item(3);
    EXPECT_EQ(page->intType, 2);
    EXPECT_EQ(page->objColItems.Count(), 0);

    // The opml group is written back as a folder.
    EXPECT_TRUE(project.toText().startsWith(QStringLiteral(
        "<?xml version='1.0' encoding='GB2312' ?>\r\n<NewsProject>\r\n  <folder>\r\n")));
}

TEST(TreeFileReader, RejectsFilesWithoutTheRootAndLeavesTheTreeAlone) {
    const char* files[] = {"tree_lowercase_root.xml", "tree_malformed.xml", "no_such_file.xml"};
    for (const char* name : files) {
        clsProject project;
        project.objColItems.Add(2, QStringLiteral("existing"), {}, {}, {});
        EXPECT_FALSE(project.Load(fixturePath(QString::fromUtf8(name)))) << name;
        EXPECT_EQ(project.objColItems.Count(), 1) << name;
    }
}

TEST(TreeFileReader, AppendsToTheExistingTree) {
    clsProject project;
    project.objColItems.Add(2, QStringLiteral("existing"), {}, {}, {});
    ASSERT_TRUE(project.Load(fixturePath(QStringLiteral("tree_written.xml"))));
    EXPECT_EQ(project.objColItems.Count(), 4);
    EXPECT_EQ(project.objColItems.Item(2)->strTitle, QStringLiteral("新闻 <&>"));
}
