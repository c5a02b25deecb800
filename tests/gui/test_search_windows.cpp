// The search windows "检索" (channel tree) and "RSS频道检索" (headline list):
// a table of searches over a tree with nested folders and over a list, the
// colours given back, blinking, closing, a tree changing under the
// non-modal window, and the main window's header buttons.

#include "app/PaneWidgets.h"
#include "app/frmMain.h"
#include "controls/ButtonXP.h"
#include "dialogs/ItemOrder.h"
#include "dialogs/SearchWindow.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <unistd.h>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);

QColor colourOf(const QTreeWidgetItem* item) {
    return item->foreground(0).color();
}

QTreeWidgetItem* byText(QTreeWidget& view, const QString& text) {
    const QList<QTreeWidgetItem*> found =
        view.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.value(0);
}

// A channel tree as the main window fills it: folders blue, the rest black.
//   新闻 (folder)
//     RSS 新闻
//     国内 (folder)
//       rss 国内
//   科技 RSS
//   网页
struct ChannelTree {
    QTreeWidget view;
    ChannelTree() {
        ItemOrder::track(&view);
        fill();
    }
    QTreeWidgetItem* add(QTreeWidgetItem* parent, const QString& text, const QColor& colour) {
        auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(&view);
        node->setText(0, text);
        node->setForeground(0, colour);
        return node;
    }
    void fill() {
        QTreeWidgetItem* news = add(nullptr, "新闻", kBlue);
        add(news, "RSS 新闻", kBlack);
        QTreeWidgetItem* home = add(news, "国内", kBlue);
        add(home, "rss 国内", kBlack);
        add(nullptr, "科技 RSS", kBlack);
        add(nullptr, "网页", kBlack);
    }
};

struct HeadlineList {
    HeadlineListView view;
    HeadlineList() {
        for (const char* title : {"RSS 2.0 发布", "今日新闻", "rss 阅读器", "新闻 RSS", "天气"})
            view.addRow(QString(), QString::fromUtf8(title), QStringLiteral("a"));
    }
};

enum class Kind { Tree, List };

struct Step {
    QString text;
    bool exact;
    QString hit;          // text of the item found; empty: none
    qint32 cursor;        // cursor afterwards
    const char* previous; // colour the previous hit got back: "blue", "black", or null
};

struct Case {
    const char* name;
    Kind kind;
    std::vector<Step> steps;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class SearchTable : public ::testing::TestWithParam<Case> {};

TEST_P(SearchTable, FindsTheNextMatchAndGivesColoursBack) {
    const Case& c = GetParam();
    ChannelTree tree;
    HeadlineList list;
    std::unique_ptr<SearchWindow> window;
    QTreeWidget* view = nullptr;
    if (c.kind == Kind::Tree) {
        window = std::make_unique<Form1>(&tree.view);
        view = &tree.view;
    } else {
        window = std::make_unique<RSSCHA>(&list.view);
        view = &list.view;
    }
    window->show();
    QTreeWidgetItem* previous = nullptr;
    for (size_t n = 0; n < c.steps.size(); ++n) {
        const Step& s = c.steps[n];
        SCOPED_TRACE(::testing::Message()
                     << c.name << " step " << n + 1 << " \"" << s.text.toStdString() << '"');
        window->txtName->setText(s.text);
        (s.exact ? window->Option2 : window->Option1)->setChecked(true);
        const QColor colourBefore = previous ? colourOf(previous) : QColor();
        const bool blinkingBefore = window->Timer1.isActive();
        QTest::mouseClick(window->ButtonXP1, Qt::LeftButton);

        QTreeWidgetItem* hit = window->hitItem();
        if (s.text.isEmpty()) {
            // Nothing happens: the last hit keeps its colour and its blinking.
            EXPECT_EQ(hit, previous);
            if (previous)
                EXPECT_EQ(colourOf(previous), colourBefore);
            EXPECT_EQ(window->Timer1.isActive(), blinkingBefore);
        } else if (s.hit.isEmpty()) {
            EXPECT_FALSE(window->Timer1.isActive());
        } else {
            ASSERT_TRUE(hit);
            EXPECT_EQ(hit->text(0), s.hit);
            EXPECT_EQ(colourOf(hit), kRed);
            EXPECT_TRUE(hit->isSelected());
            EXPECT_EQ(view->currentItem(), hit);
            EXPECT_TRUE(window->Timer1.isActive());
        }
        if (s.previous && previous && previous != hit) {
            EXPECT_EQ(colourOf(previous), QString(s.previous) == "blue" ? kBlue : kBlack);
            EXPECT_FALSE(previous->isSelected());
        }
        EXPECT_EQ(window->lngCursor(), s.cursor);
        if (!s.hit.isEmpty())
            previous = hit;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchTable,
    ::testing::Values(Case{"TreeFuzzyVisitsEachMatchThenStartsOver",
                           Kind::Tree,
                           {{"rss", false, "RSS 新闻", 3, nullptr},
                            {"rss", false, "rss 国内", 5, "black"},
                            {"rss", false, "科技 RSS", 6, "black"},
                            {"rss", false, "", 1, "blue"}, // a top-level channel turns blue
                            {"rss", false, "RSS 新闻", 3, nullptr}}},
                      Case{"TreeExactIgnoresLetterCase",
                           Kind::Tree,
                           {{"RSS 国内", true, "rss 国内", 5, nullptr},
                            {"科技 rss", true, "科技 RSS", 6, "black"},
                            {"科技", true, "", 1, nullptr}}},
                      Case{"TreeColoursGivenBackByDepth",
                           Kind::Tree,
                           {{"新闻", false, "新闻", 2, nullptr},
                            {"国内", false, "国内", 4, "blue"},      // top-level folder
                            {"科技", false, "科技 RSS", 6, "black"}, // folder inside a folder
                            {"网页", false, "网页", 1, "blue"}}},    // top-level channel
                      Case{"TreeEmptyTextDoesNothingAfterHits",
                           Kind::Tree,
                           {{"新闻", false, "新闻", 2, nullptr},
                            {"", false, "", 2, nullptr},
                            {"", true, "", 2, nullptr},
                            {"新闻", false, "RSS 新闻", 3, "blue"}}},
                      Case{"ListFuzzyVisitsEachMatchThenStartsOver",
                           Kind::List,
                           {{"rss", false, "RSS 2.0 发布", 2, nullptr},
                            {"rss", false, "rss 阅读器", 4, "black"},
                            {"rss", false, "新闻 RSS", 5, "black"},
                            {"rss", false, "", 1, nullptr},
                            {"Rss", false, "RSS 2.0 发布", 2, nullptr}}},
                      Case{"ListExactAndNoMatch",
                           Kind::List,
                           {{"天气", true, "天气", 1, nullptr},
                            {"新闻", true, "", 1, nullptr},
                            {"", false, "", 1, nullptr},
                            {"新闻", false, "今日新闻", 3, "black"}}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(ChannelSearch, WindowLooksAndStartState) {
    ChannelTree tree;
    Form1 form(&tree.view);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("检索"));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(form.isModal());
    EXPECT_TRUE(form.Option1->isChecked());
    EXPECT_EQ(form.Option2->text(), QStringLiteral("精确查询"));
    EXPECT_EQ(form.ButtonXP1->text(), QStringLiteral("查  找  "));
    EXPECT_EQ(form.ButtonXP2->text(), QStringLiteral("取  消  "));
    EXPECT_EQ(form.Timer1.interval(), 300);
    EXPECT_FALSE(form.Timer1.isActive());
    EXPECT_EQ(form.lngCursor(), 1);
    EXPECT_EQ(form.lngHit(), 0);

    // Enter in the text box searches.
    form.show();
    form.txtName->setText("科技");
    QTest::keyClick(form.txtName, Qt::Key_Return);
    ASSERT_TRUE(form.hitItem());
    EXPECT_EQ(form.hitItem()->text(0), "科技 RSS");
    EXPECT_TRUE(form.isVisible());

    HeadlineList list;
    RSSCHA rss(&list.view);
    EXPECT_EQ(rss.windowTitle(), QStringLiteral("RSS频道检索"));
    EXPECT_FALSE(rss.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST(ChannelSearch, NodesAddedLaterAreSearchedLast) {
    ChannelTree tree;
    // Added during the run, second in its folder: still searched after all the others.
    auto* late = new QTreeWidgetItem;
    late->setText(0, "RSS 晚到");
    byText(tree.view, "新闻")->insertChild(0, late);
    Form1 form(&tree.view);
    form.txtName->setText("rss");
    QStringList visited;
    for (int n = 0; n < 4; ++n) {
        form.find();
        visited << (form.hitItem() ? form.hitItem()->text(0) : QString());
    }
    EXPECT_EQ(visited, QStringList({"RSS 新闻", "rss 国内", "科技 RSS", "RSS 晚到"}));
}

TEST(ChannelSearch, BlinkTogglesTheHitsSelectionAndClosingStopsIt) {
    ChannelTree tree;
    Form1 form(&tree.view);
    form.show();
    form.txtName->setText("国内");
    form.find();
    QTreeWidgetItem* hit = form.hitItem();
    ASSERT_TRUE(hit);
    ASSERT_EQ(hit->text(0), "国内");
    EXPECT_TRUE(hit->isSelected());
    ASSERT_TRUE(QMetaObject::invokeMethod(&form.Timer1, "timeout")); // a tick
    EXPECT_FALSE(hit->isSelected());
    EXPECT_EQ(colourOf(hit), kRed);
    form.blink();
    EXPECT_TRUE(hit->isSelected());
    form.blink();

    // Closing: no more blinking, the colour back (a nested folder: black),
    // the selection as the blinking left it.
    form.ButtonXP2->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Timer1.isActive());
    EXPECT_EQ(colourOf(hit), kBlack);
    EXPECT_FALSE(hit->isSelected());
}

TEST(ChannelSearch, DeletedHitIsDroppedAndTheSearchStartsOver) {
    ChannelTree tree;
    Form1 form(&tree.view);
    form.show();
    form.txtName->setText("rss");
    form.find();
    form.find();
    ASSERT_EQ(form.hitItem()->text(0), "rss 国内");
    delete byText(tree.view, "rss 国内");
    EXPECT_EQ(form.hitItem(), nullptr);
    const QList<QTreeWidgetItem*> selected = tree.view.selectedItems();
    form.blink(); // nothing to blink, nothing else touched
    EXPECT_EQ(tree.view.selectedItems(), selected);
    EXPECT_EQ(colourOf(byText(tree.view, "科技 RSS")), kBlack);

    form.find(); // from the start again, not from where the deleted node was
    ASSERT_TRUE(form.hitItem());
    EXPECT_EQ(form.hitItem()->text(0), "RSS 新闻");
    EXPECT_EQ(colourOf(byText(tree.view, "国内")), kBlue); // no colour to the wrong node
    EXPECT_EQ(form.lngCursor(), 3);

    delete byText(tree.view, "新闻"); // the hit's folder goes, and the hit with it
    form.close();                     // closing with the hit gone
    EXPECT_FALSE(form.Timer1.isActive());
    EXPECT_EQ(colourOf(byText(tree.view, "科技 RSS")), kBlack);
}

TEST(ChannelSearch, NodeDeletedBeforeTheHitSearchGoesOnAfterTheHit) {
    ChannelTree tree;
    Form1 form(&tree.view);
    form.txtName->setText("rss");
    form.find();
    form.find();
    ASSERT_EQ(form.hitItem()->text(0), "rss 国内");
    delete byText(tree.view, "RSS 新闻"); // the hit is now the third node, not the fourth
    form.find();
    ASSERT_TRUE(form.hitItem());
    EXPECT_EQ(form.hitItem()->text(0), "科技 RSS");
    EXPECT_EQ(colourOf(byText(tree.view, "rss 国内")), kBlack);
    EXPECT_EQ(form.lngHit(), 4);
}

TEST(ChannelSearch, ReloadedTreeStartsOver) {
    ChannelTree tree;
    Form1 form(&tree.view);
    form.txtName->setText("rss");
    form.find();
    form.find();
    form.find();
    ASSERT_EQ(form.hitItem()->text(0), "科技 RSS");
    tree.view.clear();
    tree.fill();
    form.blink();
    form.find();
    ASSERT_TRUE(form.hitItem());
    EXPECT_EQ(form.hitItem()->text(0), "RSS 新闻");
    EXPECT_EQ(colourOf(byText(tree.view, "科技 RSS")), kBlack); // the new node is untouched
}

TEST(HeadlineSearch, ClosingLeavesTheLastHitSelectedInBlack) {
    HeadlineList list;
    RSSCHA form(&list.view);
    form.show();
    form.txtName->setText("新闻");
    form.find();
    form.find();
    QTreeWidgetItem* hit = form.hitItem();
    ASSERT_EQ(hit->text(0), "新闻 RSS");
    form.blink(); // deselected by the blinking
    ASSERT_FALSE(hit->isSelected());
    form.reject();
    EXPECT_FALSE(form.Timer1.isActive());
    EXPECT_EQ(colourOf(hit), kBlack);
    EXPECT_TRUE(hit->isSelected());
    EXPECT_EQ(list.view.currentItem(), hit);
    EXPECT_EQ(colourOf(list.view.topLevelItem(1)), kBlack);
}

TEST(HeadlineSearch, ListRefilledUnderTheWindow) {
    HeadlineList list;
    RSSCHA form(&list.view);
    form.txtName->setText("rss");
    form.find();
    form.find();
    list.view.clear();
    list.view.addRow(QString(), "rss 新的", QStringLiteral("a"));
    form.find();
    ASSERT_TRUE(form.hitItem());
    EXPECT_EQ(form.hitItem()->text(0), "rss 新的");
}

// The main window: header buttons, one Form1, a modal RSSCHA.
struct MainWindow {
    testsupport::ProgramDir dir;
    std::unique_ptr<frmMain> window;
    MainWindow() {
        testsupport::writeFile(
            dir.file(QStringLiteral("Data/KestrixRSS.xml")),
            "<NewsProject><folder><title>新闻</title><items>"
            "<rss><title>RSS 频道</title><url>http://127.0.0.1:9/rss</url></rss>"
            "<folder><title>内部</title><items>"
            "<webPage><title>rss 网页</title><url>http://127.0.0.1:9/</url></webPage>"
            "</items></folder></items></folder>"
            "<rss><title>顶层 RSS</title><url>http://127.0.0.1:9/top</url></rss></NewsProject>");
        window = std::make_unique<frmMain>();
        window->formLoad();
    }
    QAction* header(const QString& tip) const {
        for (QAction* action : window->lblHeader->actions())
            if (action->toolTip() == tip)
                return action;
        return nullptr;
    }
};

TEST(MainWindowSearch, HeaderButtonsOpenTheSearchWindows) {
    MainWindow w;
    QAction* channels = w.header(QStringLiteral("频道检索"));
    ASSERT_TRUE(channels);
    channels->trigger();
    QPointer<Form1> form = w.window->objForm1;
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isModal());
    EXPECT_EQ(form->parentWidget(), w.window.get());
    channels->trigger(); // the same window again
    EXPECT_EQ(w.window->objForm1, form);

    // A node added during the run is searched after those loaded at start-up.
    w.window->addTreeNode(nullptr, QStringLiteral("RSS999"), QStringLiteral("RSS 新加"), 3);
    form->txtName->setText("rss");
    QStringList visited;
    for (int n = 0; n < 4; ++n) {
        form->find();
        visited << (form->hitItem() ? form->hitItem()->text(0) : QString());
    }
    EXPECT_EQ(visited, QStringList({"RSS 频道", "rss 网页", "顶层 RSS", "RSS 新加"}));

    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull()); // a fresh window, with a fresh cursor, next time

    w.window->ListView1->addRow(QStringLiteral("k1"), QStringLiteral("头条 RSS"), "a");
    QAction* headlines = w.header(QStringLiteral("RSS标题检索"));
    ASSERT_TRUE(headlines);
    headlines->trigger();
    QPointer<RSSCHA> rss = w.window->objRSSCHA;
    ASSERT_TRUE(rss);
    EXPECT_TRUE(rss->isVisible());
    EXPECT_EQ(rss->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(QApplication::activeModalWidget(), rss.data());
    rss->txtName->setText("头条");
    rss->find();
    EXPECT_EQ(colourOf(w.window->ListView1->topLevelItem(0)), kRed);
    rss->ButtonXP2->click();
    EXPECT_FALSE(rss && rss->isVisible());
    EXPECT_TRUE(w.window->ListView1->topLevelItem(0)->isSelected());
}

// Closing the main window ends the event loop, so it runs in a process of its own.
TEST(MainWindowSearchDeathTest, ClosingTheMainWindowClosesTheSearchWindows) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            MainWindow w;
            w.header(QStringLiteral("频道检索"))->trigger();
            QPointer<Form1> form = w.window->objForm1;
            form->txtName->setText("顶层");
            form->find();
            QTreeWidgetItem* hit = form->hitItem();
            w.window->ListView1->addRow(QStringLiteral("k1"), QStringLiteral("头条"), "a");
            w.header(QStringLiteral("RSS标题检索"))->trigger();
            QPointer<RSSCHA> rss = w.window->objRSSCHA;
            w.window->close();
            const bool closed = form && !form->isVisible() && !form->Timer1.isActive() && rss &&
                                !rss->isVisible() && hit && colourOf(hit) == kBlue;
            _exit(closed ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
