// The headline list and the reading pane's toolbar, wired in the window:
// clicks, stepping, history, balloon tips, the address box and the toggles.
// The browser is driven only as far as the addresses it is asked to open.

#include "app/MessageBoxes.h"
#include "app/PaneWidgets.h"
#include "app/frmMain.h"
#include "controls/CTooltip.h"
#include "controls/SpliterBar.h"
#include "core/tree/clsItem.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

QByteArray item(const char* title, const char* link, const char* description = nullptr) {
    QByteArray x = QByteArray("<item><title>") + title + "</title><link>" + link + "</link>";
    if (description)
        x += QByteArray("<description><![CDATA[") + description + "]]></description>";
    return x + "</item>";
}

// A window whose tree holds a channel read from a file and a folder holding it.
struct NewsWindow {
    testsupport::ProgramDir sources;
    testsupport::ProgramDir dir; // the program's directory (set last)
    std::unique_ptr<frmMain> window;

    NewsWindow() {
        const QString feed = sources.file(QStringLiteral("news.xml"));
        testsupport::writeFile(
            feed, "<rss><channel><title>News</title>" +
                      item("有摘要", "http://n/1", "  <b>粗体</b> & <img src=\"http://x/p.png\">") +
                      item("无摘要", "http://n/2") + item("同名", "http://n/3", "<p>x</p>") +
                      item("同名", "http://n/4", "second") +
                      item("脚本", "javascript:document.title='pwned'", "run me") +
                      "</channel></rss>");
        const QByteArray url = "file://" + feed.toUtf8();
        testsupport::writeFile(dir.file(QStringLiteral("Data/KestrixRSS.xml")),
                               "<NewsProject><rss><title>Chan</title><url>" + url +
                                   "</url></rss><folder><title>F</title><items><rss><title>"
                                   "Inner</title><url>" +
                                   url + "</url></rss></items></folder></NewsProject>");
        window = std::make_unique<frmMain>();
        window->formLoad();
        window->tmrMergeRSS.stop();
    }
    ~NewsWindow() { window.reset(); }

    HeadlineListView* list() const { return window->ListView1; }
    QTreeWidgetItem* node(int i) const { return window->trvProjects->topLevelItem(i); }
    void openNode(QTreeWidgetItem* n) {
        window->trvProjects->setCurrentItem(n);
        n->setSelected(true);
        emit window->trvProjects->itemClicked(n, 0);
    }
    QPoint rowCentre(int row) const {
        return list()->visualItemRect(list()->topLevelItem(row)).center();
    }
    void click(int row) {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rowCentre(row));
    }
    void doubleClick(int row) {
        click(row);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, rowCentre(row));
    }
    void hover(const QPoint& at, Qt::MouseButtons buttons = Qt::NoButton) {
        QMouseEvent move(QEvent::MouseMove, at, list()->viewport()->mapToGlobal(at), Qt::NoButton,
                         buttons, {});
        QApplication::sendEvent(list()->viewport(), &move);
    }
    QString target() const { return window->brwRSS->lastTarget(); }
    QStringList history() const {
        QStringList h;
        for (int i = 0; i < window->Combo2->count(); ++i)
            h << window->Combo2->itemText(i) + QLatin1Char('|') + window->List1->item(i)->text();
        return h;
    }
    int selected() const {
        QTreeWidgetItem* current = list()->currentItem();
        return current && current->isSelected() ? list()->indexOfTopLevelItem(current) + 1 : 0;
    }
};

} // namespace

TEST(NewsPaneClicks, SingleClickShowsTheSummaryAsPlainText) {
    NewsWindow w;
    w.openNode(w.node(0));
    ASSERT_EQ(w.list()->topLevelItemCount(), 5);
    EXPECT_FALSE(w.window->Label1->isVisible());

    w.click(0);
    EXPECT_TRUE(w.window->Label1->isVisible());
    EXPECT_FALSE(w.window->brwRSS->isVisible());
    EXPECT_EQ(w.window->Label1->geometry(), w.window->brwRSS->geometry());
    EXPECT_EQ(w.target(), QStringLiteral("about:blank"));
    EXPECT_EQ(w.window->Label11->text(),
              QStringLiteral("\r\n  <b>粗体</b> & <img src=\"http://x/p.png\">"));
    EXPECT_EQ(w.window->Label11->textFormat(), Qt::PlainText); // the feed's markup is not rendered

    // A headline without a description leaves the panel up, empty.
    w.click(1);
    EXPECT_TRUE(w.window->Label1->isVisible());
    EXPECT_TRUE(w.window->Label11->text().isEmpty());

    // With the panel down, a headline without a description does nothing.
    w.window->Label1->hide();
    w.window->brwRSS->show();
    w.click(1);
    EXPECT_FALSE(w.window->Label1->isVisible());

    // Entry rows of a folder's listing show no summary.
    w.window->trvProjects->setCurrentItem(w.node(1));
    QTest::keyClick(w.window->trvProjects, Qt::Key_Return);
    ASSERT_EQ(w.list()->topLevelItemCount(), 1);
    w.click(0);
    EXPECT_FALSE(w.window->Label1->isVisible());
}

TEST(NewsPaneClicks, DoubleClickOpensHeadlinesAndKeepsTheHistory) {
    NewsWindow w;
    w.openNode(w.node(0));
    w.click(0); // summary up first
    w.doubleClick(0);
    EXPECT_EQ(w.target(), QStringLiteral("http://n/1"));
    EXPECT_FALSE(w.window->Label1->isVisible());
    EXPECT_TRUE(w.window->brwRSS->isVisible());
    EXPECT_EQ(w.list()->rowIconKey(0), QStringLiteral("b"));
    EXPECT_EQ(w.list()->rowIconKey(1), QStringLiteral("c"));
    EXPECT_EQ(w.history(), QStringList{QStringLiteral("有摘要|http://n/1")});

    // Same row again: one history entry.
    w.doubleClick(0);
    EXPECT_EQ(w.history().size(), 1);

    // Two headlines with one title share the entry and its first address,
    // but each opens its own page.
    w.doubleClick(2);
    w.doubleClick(3);
    EXPECT_EQ(w.target(), QStringLiteral("http://n/4"));
    EXPECT_EQ(w.history(), (QStringList{QStringLiteral("有摘要|http://n/1"),
                                        QStringLiteral("同名|http://n/3")}));
    EXPECT_EQ(w.window->Combo2->currentIndex(), 1);

    // Choosing an entry reopens its stored address.
    emit w.window->Combo2->activated(0);
    EXPECT_EQ(w.target(), QStringLiteral("http://n/1"));
    emit w.window->Combo2->activated(1);
    EXPECT_EQ(w.target(), QStringLiteral("http://n/3"));

    // A javascript: headline opens nothing and stays unread.
    w.doubleClick(4);
    EXPECT_FALSE(w.target().startsWith(QLatin1String("javascript")));
    EXPECT_EQ(w.list()->rowIconKey(4), QStringLiteral("c"));
    EXPECT_EQ(w.history().size(), 2);
}

TEST(NewsPaneClicks, FolderListingRowsReshowTheEntryAndStepOntoEntryPages) {
    NewsWindow w;
    w.window->trvProjects->setCurrentItem(w.node(1));
    QTest::keyClick(w.window->trvProjects, Qt::Key_Return);
    ASSERT_EQ(w.list()->topLevelItemCount(), 1);
    EXPECT_EQ(w.list()->rowIconKey(0), QStringLiteral("a"));

    // A double click on an entry row shows the tree's entry again.
    testsupport::writeFile(clsItem::pagePath(), "stale");
    w.doubleClick(0);
    EXPECT_EQ(w.list()->topLevelItemCount(), 1);
    EXPECT_TRUE(testsupport::readFile(clsItem::pagePath()).contains("http://n/1"));
    EXPECT_EQ(w.target(), clsItem::pagePath());
    EXPECT_TRUE(w.history().isEmpty());

    // Stepping onto an entry row opens that entry's page; the row keeps its icon.
    testsupport::writeFile(clsItem::pagePath(), "stale");
    w.window->selectRow(1);
    EXPECT_EQ(w.target(), clsItem::pagePath());
    EXPECT_TRUE(testsupport::readFile(clsItem::pagePath()).contains("http://n/1"));
    EXPECT_EQ(w.list()->rowIconKey(0), QStringLiteral("a"));
    EXPECT_TRUE(w.history().isEmpty());
}

TEST(NewsPaneStepping, BackAndNextFollowTheBounds) {
    NewsWindow w;
    QAction* back = w.window->headlineCommand(QStringLiteral("Back"));
    QAction* next = w.window->headlineCommand(QStringLiteral("Next"));
    ASSERT_TRUE(back && next);

    // No rows, then no selection: nothing.
    next->trigger();
    back->trigger();
    EXPECT_EQ(w.target(), QStringLiteral("about:blank"));
    w.openNode(w.node(0));
    const QString page = w.target();
    next->trigger();
    back->trigger();
    EXPECT_EQ(w.target(), page);
    EXPECT_EQ(w.selected(), 0);

    w.window->selectRow(0); // 0 is the first row
    EXPECT_EQ(w.selected(), 1);
    EXPECT_EQ(w.target(), QStringLiteral("http://n/1"));
    back->trigger(); // at the first row
    EXPECT_EQ(w.selected(), 1);

    w.window->command("xiayipd")->trigger();
    EXPECT_EQ(w.selected(), 2);
    EXPECT_EQ(w.target(), QStringLiteral("http://n/2"));
    EXPECT_EQ(w.list()->rowIconKey(1), QStringLiteral("b"));
    w.window->command("shangyipd")->trigger();
    EXPECT_EQ(w.selected(), 1);
    EXPECT_EQ(w.history(), (QStringList{QStringLiteral("有摘要|http://n/1"),
                                        QStringLiteral("无摘要|http://n/2")}));

    // Past the end clamps to the last row: a javascript: headline, selected
    // but not opened and not marked.
    w.window->selectRow(99);
    EXPECT_EQ(w.selected(), 5);
    EXPECT_EQ(w.target(), QStringLiteral("http://n/1"));
    EXPECT_EQ(w.list()->rowIconKey(4), QStringLiteral("c"));
    next->trigger(); // the last row
    EXPECT_EQ(w.selected(), 5);
    back->trigger();
    EXPECT_EQ(w.selected(), 4);
    EXPECT_EQ(w.target(), QStringLiteral("http://n/4"));
}

TEST(NewsPaneTips, BalloonFollowsTheRowUnderThePointer) {
    NewsWindow w;
    w.openNode(w.node(0));
    const CTooltip* tip = w.window->summaryTip();
    ASSERT_TRUE(tip);
    EXPECT_TRUE(w.window->summaryTipsOn());

    const struct {
        int row;
        const char* text;
    } rows[] = {
        {0, "此信息无摘要提示!"}, // blanks, then markup
        {1, "此信息无摘要提示!"}, // none at all
        {3, "second\r\n..."},
        {4, "run me\r\n..."},
    };
    for (const auto& r : rows) {
        w.hover(w.rowCentre(r.row));
        EXPECT_EQ(w.window->hoverRow(), r.row + 1);
        EXPECT_TRUE(tip->isCreated());
        EXPECT_EQ(tip->Title(), QStringLiteral("摘要提示:"));
        EXPECT_EQ(tip->shownTitle(), QStringLiteral("摘要提示:"));
        EXPECT_EQ(tip->TipText(), QString::fromUtf8(r.text)) << r.row;
    }
    // The same row again changes nothing.
    w.hover(w.rowCentre(4) + QPoint(3, 0));
    EXPECT_EQ(w.window->hoverRow(), 5);
    // Below the last row: no row, no tip.
    w.hover(QPoint(5, w.list()->viewport()->height() - 2));
    EXPECT_EQ(w.window->hoverRow(), 0);
    EXPECT_FALSE(tip->isCreated());

    // Releasing "摘要提示" stops every tip.
    QAction* tips = w.window->actSummaryTips;
    w.hover(w.rowCentre(3));
    EXPECT_TRUE(tip->isCreated());
    tips->trigger();
    EXPECT_FALSE(w.window->summaryTipsOn());
    EXPECT_FALSE(tip->isCreated());
    w.hover(w.rowCentre(0));
    EXPECT_FALSE(tip->isCreated());
    tips->trigger();
    EXPECT_TRUE(w.window->summaryTipsOn());
    w.hover(w.rowCentre(1));
    EXPECT_TRUE(tip->isCreated());
}

TEST(NewsPaneToolbar, PaneTogglesAndFullScreen) {
    NewsWindow w;
    QAction* tree = w.window->readingCommand(QStringLiteral("扩展页面"), 0);
    QAction* list = w.window->readingCommand(QStringLiteral("扩展页面"), 1);
    QAction* full = w.window->readingCommand(QStringLiteral("全屏幕显示"));
    ASSERT_TRUE(tree && list && full);
    const auto left = [&] { return w.window->splVertical->SpliterLeft(); };
    const auto top = [&] { return w.window->splHorizontal->SpliterTop(); };

    tree->trigger();
    EXPECT_EQ(left(), 0);
    EXPECT_FALSE(w.window->trvProjects->isVisible());
    EXPECT_TRUE(w.window->splVertical->bar()->isVisible());
    EXPECT_EQ(w.window->ListView1->x(), 90 / 15);
    tree->trigger();
    EXPECT_EQ(left(), 3615);
    EXPECT_TRUE(w.window->trvProjects->isVisible());

    list->trigger();
    EXPECT_EQ(top(), 0);
    EXPECT_FALSE(w.window->ListView1->isVisible());
    EXPECT_EQ(w.window->Toolbar1->y(), (870 + 360 + 0 + 80) / 15);
    list->trigger();
    EXPECT_EQ(top(), 3000);
    EXPECT_TRUE(w.window->ListView1->isVisible());

    full->trigger();
    EXPECT_TRUE(tree->isChecked());
    EXPECT_TRUE(list->isChecked());
    EXPECT_EQ(left(), 0);
    EXPECT_EQ(top(), 0);
    EXPECT_FALSE(w.window->trvProjects->isVisible());
    EXPECT_FALSE(w.window->ListView1->isVisible());
    EXPECT_TRUE(w.window->brwRSS->isVisible());
    EXPECT_TRUE(w.window->Toolbar1->isVisible());
    full->trigger();
    EXPECT_FALSE(tree->isChecked());
    EXPECT_FALSE(list->isChecked());
    EXPECT_EQ(left(), 3615);
    EXPECT_EQ(top(), 3000);
    EXPECT_TRUE(w.window->trvProjects->isVisible());
    EXPECT_TRUE(w.window->ListView1->isVisible());
}

TEST(NewsPaneToolbar, AddressBoxHomeAndGo) {
    NewsWindow w;
    QComboBox* box = w.window->Combo1;
    box->setFocus();
    box->lineEdit()->setText(QStringLiteral("www.example.com"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(w.target(), QStringLiteral("http://www.example.com"));
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->itemText(1), QStringLiteral("www.example.com")); // kept as typed
    EXPECT_FALSE(box->itemIcon(1).isNull());

    box->lineEdit()->setText(QStringLiteral("example.com/feed"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(w.target(), QStringLiteral("http://example.com/feed"));
    box->lineEdit()->setText(QStringLiteral("www.example.com"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(w.target(), QStringLiteral("http://www.example.com"));
    EXPECT_EQ(box->count(), 4) << box->currentText().toStdString(); // added again

    emit box->activated(2);
    EXPECT_EQ(w.target(), QStringLiteral("http://example.com/feed"));
    // The empty entry and an empty box open nothing and add nothing.
    emit box->activated(0);
    box->lineEdit()->setText(QStringLiteral("  "));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    w.window->readingCommand(QStringLiteral("转到"))->trigger();
    EXPECT_EQ(w.target(), QStringLiteral("http://example.com/feed"));
    EXPECT_EQ(box->count(), 4);
    box->lineEdit()->setText(QStringLiteral("example.org"));
    w.window->readingCommand(QStringLiteral("转到"))->trigger();
    EXPECT_EQ(w.target(), QStringLiteral("http://example.org"));

    // Home before any channel was opened changes nothing and leaves the scheduler running.
    QAction* home = w.window->readingCommand(QStringLiteral("频道首页/目录"));
    w.window->tmrMergeRSS.start();
    home->trigger();
    EXPECT_EQ(w.target(), QStringLiteral("http://example.org"));
    EXPECT_TRUE(w.window->tmrMergeRSS.isActive());

    // After a channel was opened from the tree, home reopens it and drops the summary.
    w.openNode(w.node(0));
    w.click(0);
    box->lineEdit()->setText(QStringLiteral("example.org"));
    w.window->readingCommand(QStringLiteral("转到"))->trigger();
    testsupport::writeFile(clsItem::pagePath(), "stale");
    home->trigger();
    EXPECT_EQ(w.target(), clsItem::pagePath());
    EXPECT_TRUE(testsupport::readFile(clsItem::pagePath()).contains("http://n/1"));
    EXPECT_FALSE(w.window->Label1->isVisible());
    EXPECT_TRUE(w.window->brwRSS->isVisible());
}

TEST(NewsPaneDrops, AHeadlineThatWouldRunScriptIsNotAddedToTheTree) {
    NewsWindow w;
    QTreeWidgetItem* folder = w.node(1);
    const QString key = folder->data(0, frmMain::NodeKeyRole).toString();
    const int before = folder->childCount();
    w.window->dropHeadline(folder, QStringLiteral("javascript:alert(1)"), QStringLiteral("J"), key);
    w.window->dropHeadline(folder, QStringLiteral("data:text/html,x"), QStringLiteral("D"), key);
    EXPECT_EQ(folder->childCount(), before);
    w.window->dropHeadline(folder, QStringLiteral("http://n/1"), QStringLiteral("H"), key);
    EXPECT_EQ(folder->childCount(), before + 1);
}
