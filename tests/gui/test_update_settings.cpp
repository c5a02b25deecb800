// The update loop in the main window: the settings dialog Form2 (list rules,
// messages, search, OK storing the setting and a restart restoring it), the
// stop button, update/update2/update3 with keys that name nothing, and the
// single update of a channel served over HTTP with the pop-up.

#include "app/MessageBoxes.h"
#include "app/PaneWidgets.h"
#include "app/frmMain.h"
#include "controls/ButtonXP.h"
#include "controls/InfoHeader.h"
#include "core/tree/clsItem.h"
#include "dialogs/Form2.h"
#include "dialogs/frmAlert.h"
#include "support/TestHttpServer.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTreeWidget>

#include <gtest/gtest.h>

using Mode = UpdateScheduler::Mode;

namespace {

QByteArray channelXml(const QByteArray& title, const QByteArray& extra = {}) {
    return "<rss><title>" + title + "</title><url>http://127.0.0.1:9/" + title + "</url>" + extra +
           "</rss>";
}

// Top level: folder F (channels C1, C2, folder G with channel rss-lower),
// channel Top, web page W.
const QByteArray kTree = "<NewsProject><folder><title>F</title><items>" + channelXml("C1") +
                         channelXml("C2") + "<folder><title>G</title><items>" + channelXml("rss") +
                         "</items></folder></items></folder>" + channelXml("Top") +
                         "<webPage><title>W</title><url>http://w/</url></webPage></NewsProject>";

struct Settings {
    testsupport::ProgramDir dir;
    std::unique_ptr<frmMain> window;
    QStringList warnings;

    explicit Settings(const QByteArray& tree = kTree) {
        testsupport::writeFile(dir.file(QStringLiteral("Data/KestrixRSS.xml")), tree);
        messageBoxes::setResponder([this](messageBoxes::Kind, const QString& text) {
            warnings << text;
            return true;
        });
        start();
    }
    ~Settings() {
        window.reset();
        messageBoxes::setResponder(nullptr);
    }
    void start() {
        window.reset();
        window = std::make_unique<frmMain>();
        window->formLoad();
    }
    Form2& form() const { return *window->settingsDialog(); }
    QByteArray treeFile() const {
        return testsupport::readFile(dir.file(QStringLiteral("Data/KestrixRSS.xml")));
    }
    QTreeWidgetItem* node(const QString& title) const {
        for (QTreeWidgetItem* n : form().treeNodes())
            if (n->text(0) == title)
                return n;
        return nullptr;
    }
    void pick(const QString& title) const {
        QTreeWidgetItem* n = node(title);
        form().Tree->setCurrentItem(n);
        n->setSelected(true);
    }
    QStringList rows() const {
        QStringList out;
        for (qint32 i = 1; i <= form().rowCount(); ++i)
            out << form().row(i)->text(0);
        return out;
    }
    clsItemPtr entry(const QString& title) const {
        QTreeWidgetItem* n = node(title);
        return window->project()->objColItems.Search(n->data(0, Form2::KeyRole).toString());
    }
};

} // namespace

TEST(UpdateSettingsDialog, LoadedHiddenWithTheTreeAndTheFirstInterval) {
    Settings s;
    Form2& f = s.form();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.windowTitle(), QStringLiteral("频道更新设置"));
    QStringList titles;
    for (QTreeWidgetItem* n : f.treeNodes())
        titles << n->text(0);
    EXPECT_EQ(titles, QStringList({"F", "C1", "C2", "G", "rss", "Top"})); // no web page
    EXPECT_EQ(s.node("F")->foreground(0).color(), QColor(0, 0, 255));
    EXPECT_EQ(s.node("C1")->foreground(0).color(), QColor(0, 0, 0));
    EXPECT_EQ(f.Combo2->count(), 16);
    EXPECT_EQ(f.Combo2->itemText(15), QStringLiteral("20 分钟"));
    // Nothing stored: all channels every 5 minutes, not a walk right after the last.
    EXPECT_TRUE(f.Option1->isChecked());
    EXPECT_EQ(f.Combo2->currentText(), QStringLiteral("5 分钟"));
    EXPECT_EQ(s.window->timenew, 5);
    EXPECT_TRUE(s.window->actUpdateSettings->isEnabled());
}

TEST(UpdateSettingsDialog, AddRemoveDeleteAndDropRules) {
    Settings s;
    Form2& f = s.form();

    s.pick(QStringLiteral("Top"));
    f.addClicked();
    f.dropOnList();
    EXPECT_TRUE(s.rows().isEmpty()); // top-level channels are refused both ways
    s.pick(QStringLiteral("C1"));
    f.addClicked();
    f.addClicked(); // twice: one row, no message
    EXPECT_EQ(s.rows(), QStringList({"C1"}));
    EXPECT_TRUE(s.warnings.isEmpty());
    EXPECT_EQ(s.entry(QStringLiteral("C1"))->newsup, QStringLiteral("11"));
    EXPECT_TRUE(s.treeFile().contains("<newsup><![CDATA[11]]></newsup>"));

    f.dropOnList(); // the same channel dropped again
    EXPECT_EQ(s.warnings, QStringList({"此频道已经添加:C1"}));
    s.pick(QStringLiteral("G"));
    f.dropOnList(); // folders are not dropped
    EXPECT_EQ(s.rows(), QStringList({"C1"}));
    s.pick(QStringLiteral("rss"));
    f.dropOnList();
    s.pick(QStringLiteral("C2"));
    f.dropOnList();
    EXPECT_EQ(s.rows(), QStringList({"C1", "rss", "C2"}));
    EXPECT_EQ(f.StatusPanel1->text(), QStringLiteral("C2"));

    // Remove the selected row; delete the checked ones.
    f.ListView1->setCurrentItem(f.row(2));
    f.row(2)->setSelected(true);
    f.removeClicked();
    EXPECT_EQ(s.rows(), QStringList({"C1", "C2"}));
    EXPECT_TRUE(s.entry(QStringLiteral("rss"))->newsup.isEmpty());
    f.checkAll(true);
    f.row(1)->setCheckState(0, Qt::Unchecked);
    f.deleteChecked();
    EXPECT_EQ(s.rows(), QStringList({"C1"}));

    // Emptying the list of a running custom mode chooses all channels.
    f.Option2->setChecked(true);
    f.okClicked();
    EXPECT_EQ(s.window->objScheduler.mode, Mode::CustomList);
    f.checkAll(true);
    f.deleteChecked();
    EXPECT_TRUE(s.rows().isEmpty());
    EXPECT_TRUE(f.Option1->isChecked());
    EXPECT_EQ(s.window->objScheduler.mode, Mode::AllChannels);
    EXPECT_EQ(s.treeFile().count("<newsup><![CDATA[11]]></newsup>"), 0);
}

TEST(UpdateSettingsDialog, MessagesAndOkRefusals) {
    Settings s;
    Form2& f = s.form();
    f.show();
    f.Option2->setChecked(true);
    f.option2Clicked();
    EXPECT_EQ(s.warnings, QStringList({"自定义更新频道列表为空,请选择频道."}));
    f.okClicked(); // still empty: refused, the dialog stays open
    EXPECT_EQ(s.warnings.size(), 2);
    EXPECT_TRUE(f.isVisible());

    f.Combo2->setCurrentIndex(-1); // no interval chosen
    f.Option1->setChecked(true);
    f.okClicked();
    EXPECT_EQ(s.warnings.last(), QStringLiteral("请选择更新时间"));
    EXPECT_TRUE(f.isVisible());
    f.Option3->setChecked(true); // stopping needs no interval
    f.okClicked();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(s.window->objScheduler.mode, Mode::Stopped);
}

TEST(UpdateSettingsDialog, OkStoresTheSettingAndARestartRestoresIt) {
    struct Case {
        const char* name;
        QByteArray tree;
    };
    // The second node a folder, a web page, or the channel first in line deleted.
    const Case cases[] = {
        {"second node a folder", kTree},
        {"second node a web page",
         "<NewsProject><folder><title>F</title><items>" + channelXml("C1") +
             "</items></folder><webPage><title>W</title><url>http://w/</url></webPage>" +
             channelXml("Top") + "</NewsProject>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Settings s(c.tree);
        s.pick(QStringLiteral("C1"));
        s.form().addClicked();
        s.form().Option2->setChecked(true);
        s.form().Combo2->setCurrentIndex(12);
        s.form().okClicked();
        EXPECT_EQ(s.window->timenew, 17);
        EXPECT_TRUE(s.window->Timer1.isActive());
        EXPECT_EQ(s.treeFile().count("<newstime><![CDATA[12 time]]></newstime>"),
                  s.treeFile().count("<rss>"));

        s.start();
        EXPECT_TRUE(s.form().Option2->isChecked());
        EXPECT_EQ(s.form().Combo2->currentText(), QStringLiteral("17 分钟"));
        EXPECT_EQ(s.window->timenew, 17);
        EXPECT_EQ(s.rows(), QStringList({"C1"}));
        EXPECT_TRUE(s.window->Timer1.isActive());

        // The channel first in line deleted: the others still carry it.
        s.window->project()->removeItem(s.entry(QStringLiteral("C1"))->strKey);
        s.window->saveTree();
        s.form().Option3->setChecked(true);
        s.form().Combo2->setCurrentIndex(9);
        s.form().okClicked();
        s.start();
        EXPECT_TRUE(s.form().Option3->isChecked());
        EXPECT_EQ(s.form().Combo2->currentIndex(), 9);
        EXPECT_TRUE(s.window->stopButton()->isChecked());
        EXPECT_FALSE(s.window->upnew);
        EXPECT_FALSE(s.window->Timer1.isActive());
        EXPECT_FALSE(s.window->tmrMergeRSS.isActive());
    }
}

TEST(UpdateSettingsDialog, CancelKeepsListChangesAndDropsTheModeChoice) {
    Settings s;
    s.form().show();
    s.pick(QStringLiteral("C2"));
    s.form().addClicked();
    s.form().Option3->setChecked(true);
    s.form().cancelClicked();
    EXPECT_FALSE(s.form().isVisible());
    EXPECT_EQ(s.window->objScheduler.mode, Mode::AllChannels);
    EXPECT_TRUE(s.form().Option1->isChecked());
    s.start();
    EXPECT_EQ(s.rows(), QStringList({"C2"}));
}

TEST(UpdateSettingsDialog, SearchWrapsIgnoresCaseAndBlinks) {
    Settings s;
    Form2& f = s.form();
    f.Picture1->show();
    f.txtName->setText(QStringLiteral("c"));
    QStringList hits;
    for (int i = 0; i < 4; ++i) {
        f.searchClicked();
        hits << f.Tree->currentItem()->text(0);
    }
    // Past the last match a search finds nothing (the selection stays) and
    // the next one starts over from the top.
    EXPECT_EQ(hits, QStringList({"C1", "C2", "C2", "C1"}));
    EXPECT_EQ(f.Tree->currentItem()->foreground(0).color(), QColor(255, 0, 0));
    EXPECT_TRUE(f.Timer1.isActive());
    const bool selected = f.Tree->currentItem()->isSelected();
    f.blinkTick();
    EXPECT_NE(f.Tree->currentItem()->isSelected(), selected);

    f.Option6->setChecked(true); // exact, without regard to case
    f.txtName->setText(QStringLiteral("RSS"));
    f.searchClicked();
    EXPECT_EQ(f.Tree->currentItem()->text(0), QStringLiteral("rss"));
    EXPECT_EQ(s.node("C2")->foreground(0).color(), QColor(0, 0, 0)); // colour given back
    f.txtName->setText(QStringLiteral("nothing"));
    f.searchClicked();
    EXPECT_EQ(f.treeSearch.lngCursor, 1);

    f.closeSearchPanel();
    EXPECT_FALSE(f.Picture1->isVisible());
    EXPECT_EQ(s.node("rss")->foreground(0).color(), QColor(0, 0, 0));
    EXPECT_FALSE(f.Timer1.isActive());

    // The list scope.
    s.pick(QStringLiteral("C1"));
    f.addClicked();
    s.pick(QStringLiteral("rss"));
    f.addClicked();
    f.Picture1->show();
    f.Option5->setChecked(true);
    f.scopeChosen();
    f.Option7->setChecked(true);
    f.txtName->setText(QStringLiteral("R"));
    f.searchClicked();
    EXPECT_EQ(f.ListView1->currentItem()->text(0), QStringLiteral("rss"));
    EXPECT_EQ(f.row(2)->foreground(0).color(), QColor(255, 0, 0));
}

TEST(UpdateSettingsOperations, KeysThatNameNothingChangeNothing) {
    Settings s;
    const clsItemPtr c1 = s.entry(QStringLiteral("C1"));
    const QString key = c1->strKey;
    s.pick(QStringLiteral("C1"));
    s.form().addClicked();
    s.window->project()->removeItem(key);
    s.window->saveTree();
    const QByteArray before = s.treeFile();
    s.window->update(QStringLiteral("C1"), key);
    s.window->update(QString(), QStringLiteral("RSS999999"));
    s.window->update2(QStringLiteral("C1"), key, 7); // a wrong row as well
    EXPECT_EQ(s.treeFile(), before);
    EXPECT_TRUE(s.rows().isEmpty()); // the row of a channel that is gone goes

    // A tree without channels has nowhere to store a setting.
    Settings empty("<NewsProject><webPage><title>W</title><url>http://w/</url></webPage>"
                   "</NewsProject>");
    const QByteArray tree = empty.treeFile();
    empty.window->update3(QString(), QString(), QStringLiteral("3 time"));
    empty.form().Option3->setChecked(true);
    empty.form().okClicked();
    EXPECT_EQ(empty.treeFile(), tree);
}

TEST(UpdateSettingsOperations, StopButtonStopsAndResumes) {
    Settings s;
    QAction* stop = s.window->stopButton();
    stop->trigger();
    EXPECT_TRUE(stop->isChecked());
    EXPECT_FALSE(s.window->upnew);
    EXPECT_FALSE(s.window->Timer1.isActive());
    EXPECT_FALSE(s.window->tmrMergeRSS.isActive());
    EXPECT_TRUE(s.form().Option3->isChecked());
    EXPECT_TRUE(s.treeFile().contains("0 canc"));
    s.window->enableMergeTimer(true); // a page load while stopped
    EXPECT_FALSE(s.window->tmrMergeRSS.isActive());

    stop->trigger();
    EXPECT_FALSE(stop->isChecked());
    EXPECT_TRUE(s.window->upnew);
    EXPECT_TRUE(s.window->Timer1.isActive());
    EXPECT_EQ(s.window->Timer1.property("tag").toString(), QStringLiteral("0"));
    EXPECT_TRUE(s.form().Option1->isChecked());
    EXPECT_TRUE(s.treeFile().contains("0 allc"));
}

TEST(UpdateSelected, FetchesMergesShowsAndAnnounces) {
    TestHttpServer server;
    const auto item = [](const char* n) {
        return QByteArray("<item><title>") + n + "</title><link>http://n/" + n + "</link></item>";
    };
    const auto feed = [](const QByteArray& items) {
        return "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>News</title>" + items +
               "</channel></rss>";
    };
    TestHttpServer::Response r;
    r.body = feed(item("one") + item("two"));
    server.setResponse("/news", r);
    Settings s("<NewsProject><rss><title>News</title><url>" + server.url("/news").toLatin1() +
               "</url></rss></NewsProject>");
    frmMain& w = *s.window;
    w.tmrMergeRSS.stop();
    QTreeWidgetItem* node = w.trvProjects->topLevelItem(0);
    w.trvProjects->setCurrentItem(node);
    const QString key = node->data(0, frmMain::NodeKeyRole).toString();
    w.showEntry(key, node->text(0));
    w.project()->markReadRSS(QStringLiteral("http://n/one"));

    r.body = feed(item("one") + item("two") + item("three"));
    server.setResponse("/news", r);
    w.objScheduler.mergeOn = false; // the arming tick is over
    w.command("gengxin")->trigger();
    EXPECT_TRUE(w.Timer2.isActive());
    w.objScheduler.singleTick();
    EXPECT_FALSE(w.Timer2.isActive());
    EXPECT_EQ(server.requestCount("/news"), 2);

    clsItem copy;
    copy.intType = clsItem::RssChannel;
    copy.strURL = server.url("/news");
    ASSERT_TRUE(copy.Load(false));
    QStringList states;
    for (const auto& item : copy.objRSS.objColChannels.Item(1)->objColItems)
        states << item->strTitle + QLatin1Char(':') + QString::number(item->intStatus);
    EXPECT_EQ(states, QStringList({"one:1", "two:0", "three:0"}));
    EXPECT_EQ(w.ListView1->topLevelItemCount(), 3); // the channel is shown again

    ASSERT_TRUE(w.objAlert);
    EXPECT_TRUE(w.objAlert->isVisible());
    EXPECT_TRUE(w.objAlert->lblMessage->text().contains(QStringLiteral("News")));
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_NEAR(w.objAlert->geometry().right(), area.right(), 4);
    EXPECT_LE(w.objAlert->geometry().bottom(), area.bottom() + 1);
    EXPECT_GT(w.objAlert->geometry().top(), area.center().y());
}

TEST(UpdateWalk, AShownChannelStaysLoadedSoReadMarksStillLand) {
    TestHttpServer server;
    const auto feed = [](const QByteArray& items) {
        return "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>W</title>" + items +
               "</channel></rss>";
    };
    TestHttpServer::Response r;
    r.body = feed("<item><title>a</title><link>http://n/a</link></item>");
    server.setResponse("/w", r);
    Settings s("<NewsProject><rss><title>W</title><url>" + server.url("/w").toLatin1() +
               "</url></rss></NewsProject>");
    frmMain& w = *s.window;
    QTreeWidgetItem* node = w.trvProjects->topLevelItem(0);
    const QString key = node->data(0, frmMain::NodeKeyRole).toString();
    w.showEntry(key, node->text(0));
    r.body = feed("<item><title>a</title><link>http://n/a</link></item>"
                  "<item><title>b</title><link>http://n/b</link></item>");
    server.setResponse("/w", r);

    // A whole walk, by ticks; the channel shown in the lists is merged.
    w.objScheduler.counter = w.timenew * 60 + 1;
    w.objScheduler.counterTick();
    for (int i = 0; i < 10 && w.objScheduler.mergeOn; ++i)
        w.objScheduler.mergeTick();
    EXPECT_EQ(server.requestCount("/w"), 2);
    const clsItemPtr channel = w.project()->objColItems.Search(key);
    ASSERT_EQ(channel->objRSS.objColChannels.Count(), 1); // still loaded, merged items in it
    EXPECT_EQ(channel->objRSS.objColChannels.Item(1)->objColItems.Count(), 2);
    EXPECT_EQ(w.lblStatus->Caption(), QStringLiteral("  准备状态 ..."));

    // Opening a headline from the lists marks it read in the stored copy.
    w.project()->markReadRSS(QStringLiteral("http://n/b"));
    clsItem copy;
    copy.intType = clsItem::RssChannel;
    copy.strURL = server.url("/w");
    ASSERT_TRUE(copy.Load(false));
    EXPECT_EQ(copy.objRSS.objColChannels.Item(1)->objColItems.Item(2)->intStatus, clsRSSItem::Read);
}
