#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

namespace {
qint32 keyNumber(const clsItemPtr& item) {
    return item->strKey.mid(3).toInt();
}
} // namespace

// Runs only inside the child process started below, where no key was made yet.
TEST(TreeKeysChild, FirstKeyOfTheProcess) {
    if (qEnvironmentVariableIsEmpty("QF_FRESH_PROCESS"))
        GTEST_SKIP() << "runs in a fresh child process only";
    colItems items;
    EXPECT_EQ(items.Add(0, {}, {}, {}, {})->strKey, QStringLiteral("RSS1"));
}

TEST(TreeKeys, FreshProcessStartsAtRSS1) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QF_FRESH_PROCESS"), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=TreeKeysChild.*")});
    ASSERT_TRUE(child.waitForFinished(30000));
    EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
    EXPECT_TRUE(child.readAllStandardOutput().contains("[  PASSED  ] 1 test"));
}

TEST(TreeKeys, FollowDocumentOrderAndNeverRepeat) {
    testsupport::ProgramDir dir;
    const QString file = dir.file(QStringLiteral("Data/KestrixRSS.xml"));
    testsupport::writeFile(file, "<NewsProject><folder><title>F</title><items>"
                                 "<rss><title>A</title></rss><rss><title>B</title></rss>"
                                 "</items></folder></NewsProject>");
    clsProject project;
    ASSERT_TRUE(project.Load(file));
    const clsItemPtr folder = project.objColItems.Item(1);
    const qint32 first = keyNumber(folder);
    EXPECT_EQ(keyNumber(folder->objColItems.Item(1)), first + 1);
    EXPECT_EQ(keyNumber(folder->objColItems.Item(2)), first + 2);

    project.Clear();
    ASSERT_TRUE(project.Load(file));
    EXPECT_EQ(keyNumber(project.objColItems.Item(1)), first + 3);
    EXPECT_EQ(keyNumber(project.objColItems.Item(1)->objColItems.Item(2)), first + 5);
}

TEST(TreeCollection, AddItemRemoveClearAndOrder) {
    colItems items;
    const clsItemPtr a = items.Add(1, QStringLiteral("A"), QStringLiteral("http://a"),
                                   QStringLiteral("u"), QStringLiteral("p"));
    const clsItemPtr b = items.Add(2, QStringLiteral("B"), {}, {}, {}, QStringLiteral("KEYB"));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->intType, 1);
    EXPECT_EQ(a->strUser, QStringLiteral("u"));
    EXPECT_TRUE(a->newsup.isEmpty() && a->newstime.isEmpty());
    EXPECT_EQ(items.Add(0, {}, {}, {}, {}, QStringLiteral("KEYB")), nullptr); // duplicate key
    EXPECT_EQ(items.Count(), 2);

    EXPECT_EQ(items.Item(1), a);
    EXPECT_EQ(items.Item(QStringLiteral("KEYB")), b);
    EXPECT_EQ(items.Item(0), nullptr);
    EXPECT_EQ(items.Item(3), nullptr);
    EXPECT_EQ(items.Item(QStringLiteral("nope")), nullptr);

    QStringList order;
    for (const clsItemPtr& item : items)
        order << item->strTitle;
    EXPECT_EQ(order, (QStringList{QStringLiteral("A"), QStringLiteral("B")}));

    items.Remove(QStringLiteral("nope"));
    items.Remove(99);
    EXPECT_EQ(items.Count(), 2);
    items.Remove(QStringLiteral("KEYB"));
    EXPECT_EQ(items.Count(), 1);
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(a->strTitle, QStringLiteral("A")); // a holder keeps a removed entry alive
}

class TreeSearch : public ::testing::Test {
protected:
    void SetUp() override {
        folder =
            project.objColItems.Add(0, QStringLiteral("F"), {}, {}, {}, QStringLiteral("RSS1"));
        channel =
            folder->objColItems.Add(1, QStringLiteral("C"), {}, {}, {}, QStringLiteral("RSS2"));
        page = project.objColItems.Add(2, QStringLiteral("W"), {}, {}, {}, QStringLiteral("RSS3"));
        // Children of channels and web pages are never searched.
        channel->objColItems.Add(0, {}, {}, {}, {}, QStringLiteral("RSS4"));
        page->objColItems.Add(0, {}, {}, {}, {}, QStringLiteral("RSS5"));
    }
    clsProject project;
    clsItemPtr folder, channel, page;
};

TEST_F(TreeSearch, FindsByKeyOrHeadlineKey) {
    const struct {
        const char* key;
        const char* title; // empty: nothing found
    } cases[] = {
        {"RSS2?RSSChannel1?RSSItem3", "C"},
        {"RSS2", "C"},
        {"RSS1", "F"},
        {"RSS3?x", "W"},
        {"rss2", ""},
        {"RSS4", ""},
        {"RSS5", ""},
        {"", ""},
        {"?RSS2", ""},
    };
    for (const auto& c : cases) {
        const clsItemPtr found = project.objColItems.Search(QString::fromUtf8(c.key));
        EXPECT_EQ(found ? found->strTitle : QString(), QString::fromUtf8(c.title)) << c.key;
    }
}

TEST_F(TreeSearch, RemovedEntryIsEmptiedNotTakenOut) {
    project.removeItem(QStringLiteral("RSS2"));
    EXPECT_EQ(project.objColItems.Search(QStringLiteral("RSS2")), nullptr);
    EXPECT_EQ(folder->objColItems.Count(), 1);
    EXPECT_TRUE(channel->strKey.isEmpty());
    EXPECT_EQ(channel->objColItems.Count(), 0);
    // An emptied entry is never found, not even by an empty wanted key.
    EXPECT_EQ(project.objColItems.Search(QStringLiteral("?")), nullptr);

    project.removeItem(QStringLiteral("RSS1"));
    EXPECT_EQ(folder->objColItems.Count(), 0); // a folder's children go with it
    EXPECT_FALSE(project.toText().contains(QStringLiteral("<folder>")));
    EXPECT_TRUE(project.toText().contains(QStringLiteral("<webPage>")));
}

TEST(TreeLocalFile, KeepsLettersDigitsAndDots) {
    const struct {
        qint32 kind;
        const char* url;
        const char* expected;
    } cases[] = {
        {1, "FILE://C:\\Feeds\\my feed.xml", "FILECFeedsmyfeed.xml.RSS"},
        {1, "http://example.com/rss.php?id=3&x=中文", "httpexample.comrss.phpid3x.RSS"},
        {1, "", ".RSS"},
        {2, "http://example.com/", "httpexample.com."},
        {0, "", "."},
    };
    for (const auto& c : cases) {
        clsItem item;
        item.intType = c.kind;
        item.strURL = QString::fromUtf8(c.url);
        EXPECT_EQ(item.LocalFile(), QString::fromUtf8(c.expected)) << c.url;
    }
}
