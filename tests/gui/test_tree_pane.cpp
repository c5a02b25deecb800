// The channel tree pane: commands with their dialogs, deletion, drops,
// opening entries, captions, and the generated page without scripts.

#include "app/MessageBoxes.h"
#include "app/PaneWidgets.h"
#include "app/frmMain.h"
#include "controls/ButtonXP.h"
#include "core/tree/clsItem.h"
#include "dialogs/PropertyDialog.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using testsupport::readFile;

// Answers the next modal property dialog: fills it and presses OK or Cancel.
void answerDialog(std::function<void(PropertyDialog*)> fill, int attempts = 400) {
    QTimer::singleShot(10, [fill, attempts] {
        auto* dialog = qobject_cast<PropertyDialog*>(QApplication::activeModalWidget());
        if (dialog)
            fill(dialog);
        else if (attempts > 0)
            answerDialog(fill, attempts - 1);
    });
}

void accept(const QString& name, const QString& url = QString()) {
    answerDialog([name, url](PropertyDialog* d) {
        d->txtName->setText(name);
        if (d->txtURL)
            d->txtURL->setText(url);
        d->ButtonXP1->click();
    });
}

struct Pane {
    testsupport::ProgramDir dir;
    std::unique_ptr<frmMain> window;
    QStringList warnings;
    bool answerYes = true;

    explicit Pane(const QByteArray& tree = QByteArray()) {
        if (!tree.isNull())
            testsupport::writeFile(dir.file(QStringLiteral("Data/KestrixRSS.xml")), tree);
        messageBoxes::setResponder([this](messageBoxes::Kind kind, const QString& text) {
            warnings << text;
            return kind == messageBoxes::Kind::YesNoWarning && answerYes;
        });
        window = std::make_unique<frmMain>();
        window->formLoad();
        window->tmrMergeRSS.stop();
    }
    ~Pane() {
        window.reset();
        messageBoxes::setResponder(nullptr);
    }
    QString treeFile() const {
        return QString::fromLocal8Bit(readFile(dir.file(QStringLiteral("Data/KestrixRSS.xml"))));
    }
    void trigger(const char* name) { window->command(name)->trigger(); }
    void select(QTreeWidgetItem* node) {
        window->trvProjects->setCurrentItem(node);
        node->setSelected(true);
    }
    QTreeWidgetItem* top(int i) const { return window->trvProjects->topLevelItem(i); }
};

QByteArray feedFile(const testsupport::ProgramDir& dir, const QByteArray& name,
                    const QByteArray& items) {
    const QString path = dir.file(QString::fromLatin1(name));
    testsupport::writeFile(path, "<rss><channel><title>" + name + "</title>" + items +
                                     "</channel></rss>");
    return "file://" + path.toUtf8();
}

} // namespace

TEST(TreePaneCommands, BuildATreeFromScratch) {
    Pane p;
    accept(QStringLiteral("  新闻  "));
    p.trigger("newch");
    ASSERT_EQ(p.window->trvProjects->topLevelItemCount(), 1);
    EXPECT_EQ(p.top(0)->text(0), QStringLiteral("新闻"));
    EXPECT_TRUE(p.treeFile().contains(QStringLiteral("<folder>")));

    p.select(p.top(0));
    accept(QStringLiteral("子目录"));
    p.trigger("mnuEditNewFolder");
    ASSERT_EQ(p.top(0)->childCount(), 1);
    EXPECT_EQ(p.top(0)->foreground(0).color(), QColor(0, 0, 255));

    p.select(p.top(0));
    accept(QStringLiteral("频道"), QStringLiteral("example.com/rss"));
    p.trigger("mnuEditNewRSS");
    p.select(p.top(0));
    accept(QStringLiteral("网页"), QStringLiteral("HTTPS://example.com/"));
    p.trigger("mnuEditNewPageWeb");
    ASSERT_EQ(p.top(0)->childCount(), 3);
    const clsItemPtr folder = p.window->project()->objColItems.Item(1);
    EXPECT_EQ(folder->objColItems.Item(2)->strURL, QStringLiteral("http://example.com/rss"));
    EXPECT_EQ(folder->objColItems.Item(3)->strURL, QStringLiteral("HTTPS://example.com/"));
    const QString file = p.treeFile();
    EXPECT_TRUE(file.contains(QStringLiteral("<rss>")));
    EXPECT_TRUE(file.contains(QStringLiteral("<![CDATA[HTTPS://example.com/]]>")));
    EXPECT_EQ(p.top(0)->child(1)->data(0, frmMain::NodeImageRole).toInt(), 3);
    EXPECT_EQ(p.top(0)->child(2)->data(0, frmMain::NodeImageRole).toInt(), 6);

    // A new sub-folder under a channel adds nothing.
    p.select(p.top(0)->child(1));
    accept(QStringLiteral("不应出现"));
    p.trigger("mnuEditNewFolder");
    EXPECT_EQ(p.top(0)->child(1)->childCount(), 0);
    EXPECT_FALSE(p.treeFile().contains(QStringLiteral("不应出现")));

    // Cancel changes nothing.
    answerDialog([](PropertyDialog* d) {
        d->txtName->setText(QStringLiteral("cancelled"));
        d->ButtonXP2->click();
    });
    p.trigger("newch");
    EXPECT_EQ(p.window->trvProjects->topLevelItemCount(), 1);
}

TEST(TreePaneCommands, DeleteAsksFirst) {
    Pane p("<NewsProject><webPage><title>A</title><url>http://a/</url></webPage>"
           "<webPage><title>B</title><url>http://b/</url></webPage></NewsProject>");
    p.select(p.top(0));
    p.answerYes = false;
    p.trigger("shenchuxuanzding");
    EXPECT_EQ(p.warnings, QStringList{QStringLiteral("确定删除此项信息:A")});
    EXPECT_EQ(p.window->trvProjects->topLevelItemCount(), 2);

    p.answerYes = true;
    p.trigger("shenchuxuanzding");
    EXPECT_EQ(p.window->trvProjects->topLevelItemCount(), 1);
    EXPECT_FALSE(p.treeFile().contains(QStringLiteral("http://a/")));
    EXPECT_TRUE(p.treeFile().contains(QStringLiteral("http://b/")));
}

TEST(TreePaneCommands, ClipboardOfferOnlyForNewEntries) {
    Pane p;
    QApplication::clipboard()->setText(QStringLiteral("http://clip.example/feed"));
    QString shown;
    answerDialog([&shown](PropertyDialog* d) {
        shown = d->txtURL->text();
        d->txtName->setText(QStringLiteral("C"));
        d->ButtonXP1->click();
    });
    p.trigger("mnuEditNewRSS");
    EXPECT_EQ(shown, QStringLiteral("http://clip.example/feed"));

    QApplication::clipboard()->setText(QStringLiteral("http://other.example/"));
    p.select(p.top(0));
    answerDialog([&shown](PropertyDialog* d) {
        shown = d->txtURL->text();
        d->ButtonXP2->click();
    });
    p.trigger("xiugaishuxinpd");
    EXPECT_EQ(shown, QStringLiteral("http://clip.example/feed")); // the channel's own address
}

TEST(TreePaneCommands, DialogValidation) {
    const struct {
        const char* dialog;
        const char* name;
        const char* url;
        const char* warning; // empty: accepted
        const char* stored;
    } cases[] = {
        {"folder", "", "", "请输入频道名称!", ""},
        {"folder", "   ", "", "请输入频道名称!", ""},
        {"rss", "", "x", "请输入RSS频道名称!", ""},
        {"rss", "N", "  ", "请输入RSS频道地址!", ""},
        {"web", "", "x", "请输入WEB名称!", ""},
        {"web", "N", "", "请输入WEB地址!", ""},
        {"rss", "N", "HTTP://A/", "", "HTTP://A/"},
        {"rss", "N", "https://a/", "", "https://a/"},
        {"web", "N", "File://C:/x.html", "", "File://C:/x.html"},
        {"web", "N", "www.example.com", "", "http://www.example.com"},
    };
    for (const auto& c : cases) {
        QStringList warnings;
        messageBoxes::setResponder([&warnings](messageBoxes::Kind, const QString& t) {
            warnings << t;
            return false;
        });
        std::unique_ptr<PropertyDialog> d;
        if (QByteArray(c.dialog) == "folder")
            d = std::make_unique<frmUpdateFolder>();
        else if (QByteArray(c.dialog) == "rss")
            d = std::make_unique<frmUpdateRSS>();
        else
            d = std::make_unique<frmUpdatePageWeb>();
        d->strUser = QStringLiteral(" user ");
        d->loadValues();
        d->show();
        d->txtName->setText(QString::fromUtf8(c.name));
        if (d->txtURL)
            d->txtURL->setText(QString::fromUtf8(c.url));
        d->ButtonXP1->click();
        const QString warning = QString::fromUtf8(c.warning);
        EXPECT_EQ(warnings, warning.isEmpty() ? QStringList() : QStringList{warning})
            << c.name << c.url;
        EXPECT_EQ(d->blnCancel, !warning.isEmpty()) << c.name << c.url;
        EXPECT_EQ(d->isVisible(), !warning.isEmpty());
        if (warning.isEmpty() && d->txtURL) {
            EXPECT_EQ(d->strURL, QString::fromUtf8(c.stored));
            EXPECT_EQ(d->strUser, QStringLiteral("user"));
        }
        messageBoxes::setResponder(nullptr);
    }
}

TEST(TreePaneOpening, EnterOnAFolderListsItAndWritesItsPage) {
    testsupport::ProgramDir sources;
    const QByteArray url =
        feedFile(sources, "chan.xml", "<item><title>T</title><link>http://n/1</link></item>");
    Pane p("<NewsProject><folder><title>F</title><items><rss><title>C</title><url>" + url +
           "</url></rss><webPage><title>W</title><url>http://w/</url></webPage></items></folder></"
           "NewsProject>");
    p.select(p.top(0));
    QTest::keyClick(p.window->trvProjects, Qt::Key_Return);
    EXPECT_EQ(p.window->ListView1->topLevelItemCount(), 2);
    EXPECT_EQ(p.window->ListView1->rowIconKey(0), QStringLiteral("a"));
    EXPECT_EQ(p.window->ListView1->rowIconKey(1), QStringLiteral("d"));
    EXPECT_TRUE(readFile(clsItem::pagePath()).contains("http://n/1"));
    EXPECT_EQ(p.window->brwRSS->lastTarget(), clsItem::pagePath());

    // A click on the folder shows nothing; a click on the channel opens it.
    p.window->ListView1->clear();
    emit p.window->trvProjects->itemClicked(p.top(0), 0);
    EXPECT_EQ(p.window->ListView1->topLevelItemCount(), 0);
    p.select(p.top(0)->child(0));
    emit p.window->trvProjects->itemClicked(p.top(0)->child(0), 0);
    EXPECT_EQ(p.window->ListView1->topLevelItemCount(), 1);
    EXPECT_EQ(p.window->ListView2->count(), 1);
}

TEST(TreePaneOpening, ChannelWithNewsOpensAndCountsIncludeFolders) {
    testsupport::ProgramDir sources;
    const QByteArray url = feedFile(sources, "news.xml",
                                    "<item><title>A</title><link>http://n/a</link></item>"
                                    "<item><title>B</title><link>http://n/b</link></item>");
    Pane p("<NewsProject><rss><title>Top</title><url>" + url +
           "</url></rss><folder><title>F</title><items>"
           "<rss><title>Inner</title><url>" +
           url + "x</url></rss></items></folder></NewsProject>");
    testsupport::writeFile(sources.file(QStringLiteral("news.xmlx")),
                           readFile(sources.file(QStringLiteral("news.xml"))));
    for (const clsItemPtr& e : {p.window->project()->objColItems.Item(1),
                                p.window->project()->objColItems.Item(2)->objColItems.Item(1)})
        e->Load(false);
    p.window->refreshCaptions();
    EXPECT_EQ(p.top(0)->text(0), QStringLiteral("Top (2)"));
    EXPECT_EQ(p.top(1)->child(0)->text(0), QStringLiteral("Inner (2)"));
    EXPECT_EQ(p.top(0)->foreground(0).color(), QColor(0, 0, 255));

    // Blue because of its news, the channel still opens and can be updated.
    p.select(p.top(0));
    emit p.window->trvProjects->itemClicked(p.top(0), 0);
    EXPECT_EQ(p.window->ListView1->topLevelItemCount(), 2);

    // Reading marks the item in both channels; captions follow without re-reading unchanged files.
    p.window->afterNavigate(QStringLiteral("http://n/a"));
    EXPECT_EQ(p.top(0)->text(0), QStringLiteral("Top (1)"));
    EXPECT_EQ(p.top(1)->child(0)->text(0), QStringLiteral("Inner (1)"));
}

TEST(TreePaneOpening, UpdateCommandsGreyOnFoldersBusyStatusAndRunningTimer) {
    Pane p("<NewsProject><folder><title>F</title><items/></folder>"
           "<rss><title>C</title><url>http://c/</url></rss></NewsProject>");
    QWidget* view = p.window->trvProjects->viewport();
    const auto enabledAfterPressOn = [&](QTreeWidgetItem* node) {
        QTest::mousePress(view, Qt::LeftButton, {},
                          p.window->trvProjects->visualItemRect(node).center());
        QTest::mouseRelease(view, Qt::LeftButton, {},
                            p.window->trvProjects->visualItemRect(node).center());
        return p.window->command("gengxin")->isEnabled();
    };
    EXPECT_FALSE(enabledAfterPressOn(p.top(0)));
    EXPECT_TRUE(enabledAfterPressOn(p.top(1)));
    p.window->setStatus(QStringLiteral("正在更新此频道:C"));
    EXPECT_FALSE(enabledAfterPressOn(p.top(1)));
    p.window->setStatus(QString());
    p.window->tmrMergeRSS.start();
    EXPECT_FALSE(enabledAfterPressOn(p.top(1)));
}

TEST(TreePaneDrops, HeadlinesAndTextLandOnFoldersOnly) {
    Pane p("<NewsProject><folder><title>F</title><items/></folder>"
           "<rss><title>C</title><url>http://c/</url></rss></NewsProject>");
    QTreeWidgetItem* folder = p.top(0);
    QTreeWidgetItem* channel = p.top(1);
    const QString folderKey = folder->data(0, frmMain::NodeKeyRole).toString();
    p.window->dropHeadline(channel, QStringLiteral("http://n/1"), QStringLiteral("H1"),
                           channel->data(0, frmMain::NodeKeyRole).toString());
    EXPECT_FALSE(p.treeFile().contains(QStringLiteral("H1")));

    p.window->dropHeadline(folder, QStringLiteral("http://n/1"), QStringLiteral("H1"), folderKey);
    ASSERT_EQ(folder->childCount(), 1);
    EXPECT_TRUE(p.treeFile().contains(QStringLiteral("<![CDATA[http://n/1]]>")));
    // The new node carries the entry's key: it can be edited and deleted for good.
    QTreeWidgetItem* dropped = folder->child(0);
    const QString key = dropped->data(0, frmMain::NodeKeyRole).toString();
    EXPECT_TRUE(key.startsWith(QLatin1String("RSS")));
    EXPECT_EQ(p.window->project()->objColItems.Search(key)->strURL, QStringLiteral("http://n/1"));
    p.select(dropped);
    p.trigger("shenchuxuanzding");
    EXPECT_FALSE(p.treeFile().contains(QStringLiteral("http://n/1")));

    // Text from another program: folders take it, anything else refuses it.
    p.window->oleDragDrop(channel, QStringLiteral("http://dropped.example/"));
    p.window->oleDragDrop(nullptr, QStringLiteral("http://dropped.example/"));
    EXPECT_FALSE(p.treeFile().contains(QStringLiteral("dropped.example")));
    p.window->oleDragDrop(folder, QStringLiteral("http://dropped.example/"));
    EXPECT_TRUE(p.treeFile().contains(QStringLiteral("<![CDATA[http://dropped.example/]]>")));
    ASSERT_EQ(folder->childCount(), 1);
    EXPECT_EQ(folder->child(0)->text(0), QStringLiteral("http://dropped.example/"));
}

TEST(TreePanePage, ScriptsInFeedTextDoNotRun) {
    testsupport::ProgramDir sources;
    const QByteArray url =
        feedFile(sources, "evil.xml",
                 "<item><title>X</title><link>http://n/x</"
                 "link><description><![CDATA[<script>document.title='pwned'</script>]]>"
                 "</description></item>");
    Pane p("<NewsProject><rss><title>Safe</title><url>" + url + "</url></rss></NewsProject>");
    QSignalSpy loaded(p.window->brwRSS, &QWebEngineView::loadFinished);
    p.select(p.top(0));
    emit p.window->trvProjects->itemClicked(p.top(0), 0);
    ASSERT_TRUE(loaded.wait(60000));
    QTest::qWait(300);
    EXPECT_EQ(p.window->brwRSS->title(), QStringLiteral("Safe"));

    // A web page runs its scripts.
    const QString page = sources.file(QStringLiteral("page.html"));
    testsupport::writeFile(page, "<html><head><title>before</title></head><body>"
                                 "<script>document.title='after'</script></body></html>");
    loaded.clear();
    p.window->brwRSS->navigate(page);
    ASSERT_TRUE(loaded.wait(60000));
    QTest::qWait(300);
    EXPECT_EQ(p.window->brwRSS->title(), QStringLiteral("after"));
}

TEST(TreePaneOpening, CaptionsReReadOnlyChangedChannelFiles) {
    testsupport::ProgramDir sources;
    const QByteArray url =
        feedFile(sources, "c.xml", "<item><title>A</title><link>http://n/a</link></item>");
    Pane p("<NewsProject><folder><title>F</title><items><rss><title>C</title><url>" + url +
           "</url></rss></items></folder></NewsProject>");
    const clsItemPtr channel = p.window->project()->objColItems.Item(1)->objColItems.Item(1);
    ASSERT_TRUE(channel->Load(false));
    p.window->refreshCaptions();
    QTreeWidgetItem* node = p.top(0)->child(0);
    EXPECT_EQ(node->text(0), QStringLiteral("C (1)"));

    // Same size and time stamp: the file is taken as unchanged and not read again.
    const QString local = p.dir.file(QStringLiteral("RSS/") + channel->LocalFile());
    const QFileInfo before(local);
    QByteArray bytes = readFile(local);
    bytes.replace("<status>New</status>", "<status>Red</status>");
    testsupport::writeFile(local, bytes);
    QFile file(local);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(before.lastModified(), QFileDevice::FileModificationTime));
    file.close();
    p.window->refreshCaptions();
    EXPECT_EQ(node->text(0), QStringLiteral("C (1)"));

    // A real change is seen.
    bytes.replace("<status>Red</status>", "<status>Read</status>");
    testsupport::writeFile(local, bytes);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        file.setFileTime(before.lastModified().addSecs(5), QFileDevice::FileModificationTime));
    file.close();
    p.window->refreshCaptions();
    EXPECT_EQ(node->text(0), QStringLiteral("C"));
}
