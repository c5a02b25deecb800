// The OPML group import: the file-open dialog, the two pages of frmXML, and
// the group created through the main window.

#include "app/MessageBoxes.h"
#include "app/PaneWidgets.h"
#include "app/frmMain.h"
#include "controls/ButtonXP.h"
#include "controls/modFileDialog.h"
#include "core/tree/clsItem.h"
#include "dialogs/frmXML.h"
#include "support/TestHttpServer.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <functional>

namespace {

using testsupport::fixturePath;

// Runs `act` on the next modal window of type W once it is up.
template <class W> void whenModal(std::function<void(W*)> act, int attempts = 500) {
    QTimer::singleShot(10, [act, attempts] {
        if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget()))
            act(w);
        else if (attempts > 0)
            whenModal<W>(act, attempts - 1);
    });
}

struct Box {
    messageBoxes::Kind kind;
    QString title;
    QString text;
};

// Collects the message boxes instead of showing them.
struct Boxes {
    QList<Box> shown;
    Boxes() {
        messageBoxes::setResponder([this](messageBoxes::Kind kind, const QString& text) {
            shown.append({kind, messageBoxes::lastTitle(), text});
            return true;
        });
    }
    ~Boxes() { messageBoxes::setResponder(nullptr); }
};

QStringList rowTexts(const frmXML& dialog) {
    QStringList texts;
    for (int i = 0; i < dialog.ListView1->topLevelItemCount(); ++i)
        texts << dialog.ListView1->topLevelItem(i)->text(0);
    return texts;
}

void saveShot(QWidget* widget, const char* name) {
    const QString dir = qEnvironmentVariable("QF_SHOT_DIR");
    if (!dir.isEmpty())
        widget->grab().save(dir + QLatin1Char('/') + QLatin1String(name));
}

// Answers a file dialog: types `names` (one name, or several quoted) into
// its name box in `folder` and accepts. `before` gets what the dialog
// offered first. A dialog that refuses is closed, so no test hangs.
void choose(QFileDialog* d, const QString& folder, const QString& names,
            QStringList* before = nullptr) {
    if (before)
        *before = d->selectedFiles();
    d->setDirectory(folder);
    auto* model = d->findChild<QFileSystemModel*>();
    QTest::qWaitFor([&] { return model && model->rowCount(model->index(folder)) >= 2; }, 5000);
    QTest::qWait(100); // the dialog applies its own selection once the folder is read
    // Typed as a user types it (selectFile() leaves a focused name box alone),
    // with nothing left selected from before.
    for (QAbstractItemView* view : d->findChildren<QAbstractItemView*>())
        if (view->selectionModel())
            view->selectionModel()->clear();
    if (auto* box = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        box->setText(names);
    static_cast<QDialog*>(d)->accept();
    if (d->isVisible())
        d->reject();
}

// Counts the times a file in a directory is written whole (created or
// renamed into place), as the safe writer does once per save.
class WriteCounter {
public:
    explicit WriteCounter(const QString& dir) : m_fd(inotify_init1(IN_NONBLOCK)) {
        inotify_add_watch(m_fd, QFile::encodeName(dir).constData(), IN_CREATE | IN_MOVED_TO);
    }
    ~WriteCounter() { close(m_fd); }
    int count(const QString& name) {
        alignas(inotify_event) char buffer[64 * 1024];
        for (;;) {
            const ssize_t n = read(m_fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            for (char* p = buffer; p < buffer + n;) {
                auto* e = reinterpret_cast<inotify_event*>(p);
                if (e->len > 0 && QString::fromLocal8Bit(e->name) == name)
                    ++m_count;
                p += sizeof(inotify_event) + e->len;
            }
        }
        return m_count;
    }

private:
    int m_fd;
    int m_count = 0;
};

} // namespace

TEST(FileDialog, ResultsForOneAndSeveralFiles) {
    const OpenFileResult none = modFileDialog::resultFor({});
    EXPECT_TRUE(none.Cancelled);
    EXPECT_EQ(none.FileCount, 0);
    EXPECT_TRUE(none.Folder.isEmpty());

    const OpenFileResult one = modFileDialog::resultFor({QStringLiteral("/feeds/my subs.opml")});
    EXPECT_FALSE(one.Cancelled);
    EXPECT_EQ(one.FileCount, 1);
    EXPECT_EQ(one.Folder, QStringLiteral("/feeds/"));
    EXPECT_EQ(one.FileNames, QStringList{QStringLiteral("my subs.opml")});

    const OpenFileResult two = modFileDialog::resultFor(
        {QStringLiteral("/feeds/a.opml"), QStringLiteral("/feeds/b.opml")});
    EXPECT_EQ(two.FileCount, 2);
    EXPECT_EQ(two.Folder, QStringLiteral("/feeds"));
    EXPECT_EQ(two.FileNames, (QStringList{QStringLiteral("a.opml"), QStringLiteral("b.opml")}));

    EXPECT_EQ(modFileDialog::resultFor({QStringLiteral("/top.opml")}).Folder, QStringLiteral("/"));
    EXPECT_EQ(modFileDialog::centredTopLeft(QRect(100, 50, 800, 600), QSize(301, 200)),
              QPoint(349, 250));
}

TEST(FileDialog, CancelChooseAndPreviousChoice) {
    testsupport::ProgramDir dir;
    const QString first = dir.file(QStringLiteral("Data/first.opml"));
    const QString second = dir.file(QStringLiteral("Data/second.opml"));
    testsupport::writeFile(first, "<opml/>");
    testsupport::writeFile(second, "<opml/>");
    QWidget owner;
    owner.setGeometry(200, 100, 1000, 700);
    owner.show();

    whenModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
    const OpenFileResult cancelled = modFileDialog::ShowOpenFile(&owner, true);
    EXPECT_TRUE(cancelled.Cancelled);
    EXPECT_EQ(cancelled.FileCount, 0);
    EXPECT_TRUE(cancelled.Folder.isEmpty());
    EXPECT_TRUE(cancelled.FileNames.isEmpty());

    const QString folder = dir.file(QStringLiteral("Data"));
    QPoint dialogCentre;
    QString title;
    whenModal<QFileDialog>([&](QFileDialog* d) {
        dialogCentre = d->frameGeometry().center();
        title = d->windowTitle();
        choose(d, folder, QStringLiteral("first.opml"));
    });
    const OpenFileResult chosen = modFileDialog::ShowOpenFile(&owner, true);
    ASSERT_FALSE(chosen.Cancelled);
    EXPECT_EQ(title, QStringLiteral("选择OPML文件"));
    EXPECT_EQ(chosen.FileCount, 1);
    EXPECT_EQ(chosen.Folder + chosen.FileNames.value(0), first);
    EXPECT_LE((dialogCentre - owner.frameGeometry().center()).manhattanLength(), 2);

    // The next dialog starts from the previous choice, and only that one is kept.
    QStringList initial;
    whenModal<QFileDialog>(
        [&](QFileDialog* d) { choose(d, folder, QStringLiteral("second.opml"), &initial); });
    modFileDialog::ShowOpenFile(&owner, true);
    EXPECT_EQ(initial, QStringList{first});
    EXPECT_EQ(modFileDialog::previousChoice(), second);

    // Several files in one folder.
    whenModal<QFileDialog>([&](QFileDialog* d) {
        choose(d, folder, QStringLiteral("\"first.opml\" \"second.opml\""));
    });
    const OpenFileResult several = modFileDialog::ShowOpenFile(&owner, false);
    EXPECT_EQ(several.FileCount, 2);
    EXPECT_EQ(several.Folder, QDir(dir.file(QStringLiteral("Data"))).absolutePath());
    QStringList names = several.FileNames;
    names.sort(); // in the order the dialog hands them over
    EXPECT_EQ(names, (QStringList{QStringLiteral("first.opml"), QStringLiteral("second.opml")}));
}

TEST(OpmlDialog, PagesRowsAndChecks) {
    Boxes boxes;
    frmXML dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("建立OPML群组"));
    EXPECT_EQ(dialog.size(), QSize(366, 303));
    dialog.show();
    EXPECT_FALSE(dialog.showsRows());
    saveShot(&dialog, "opml_page1.png");

    // An empty path box loads nothing and says nothing.
    dialog.ButtonXP6->click();
    EXPECT_FALSE(dialog.showsRows());
    EXPECT_TRUE(boxes.shown.isEmpty());

    dialog.opmltxt->setText(fixturePath(QStringLiteral("opml/nested.opml")));
    QTest::keyClick(dialog.opmltxt, Qt::Key_Return);
    ASSERT_TRUE(dialog.showsRows());
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(dialog.Text1->text(), QStringLiteral("Reader subscriptions"));
    EXPECT_EQ(rowTexts(dialog),
              (QStringList{"Loose Feed", "Gadgets", "Code Weekly", "Four Levels Down",
                           "Gadgets again", "World", "Last Feed"}));
    EXPECT_EQ(dialog.checkedRows().size(), 7);
    saveShot(&dialog, "opml_page2.png");

    dialog.ButtonXP2->click(); // none
    EXPECT_TRUE(dialog.checkedRows().isEmpty());
    dialog.ButtonXP1->click(); // all
    EXPECT_EQ(dialog.checkedRows().size(), 7);

    // A click on a row shows its address; a click on its check box only toggles it.
    QTreeWidgetItem* world = dialog.ListView1->topLevelItem(5);
    const QRect rect = dialog.ListView1->visualItemRect(world);
    QTest::mouseClick(dialog.ListView1->viewport(), Qt::LeftButton, {},
                      QPoint(rect.right() - 20, rect.center().y()));
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].kind, messageBoxes::Kind::Plain);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("KestrixRSS"));
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("http://world.example/rss"));
    QStyleOptionViewItem option;
    option.initFrom(dialog.ListView1);
    option.rect = rect;
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay |
                      QStyleOptionViewItem::HasDecoration;
    const QRect check = dialog.ListView1->style()->subElementRect(
        QStyle::SE_ItemViewItemCheckIndicator, &option, dialog.ListView1);
    QTest::mouseClick(dialog.ListView1->viewport(), Qt::LeftButton, {}, check.center());
    EXPECT_EQ(world->checkState(0), Qt::Unchecked);
    EXPECT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(dialog.checkedRows().size(), 6);

    // Cancel creates nothing and closes.
    dialog.ButtonXP4->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(OpmlDialog, ErrorsAndDocumentsWithoutFeeds) {
    Boxes boxes;
    {
        frmXML dialog;
        dialog.show();
        dialog.opmltxt->setText(fixturePath(QStringLiteral("opml/bad_ampersand.opml")));
        dialog.ButtonXP6->click();
        ASSERT_EQ(boxes.shown.size(), 1);
        EXPECT_EQ(boxes.shown[0].kind, messageBoxes::Kind::Warning);
        EXPECT_EQ(boxes.shown[0].title, QStringLiteral("提示"));
        EXPECT_TRUE(boxes.shown[0].text.startsWith(
            QStringLiteral("无法获取您指定的OPML文档\r\n\r\nError Code: ")));
        EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("\r\nLine Number: 4\r\n")));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_FALSE(dialog.showsRows());
        EXPECT_FALSE(dialog.blnLoadFailed);

        // The same document picked with the file dialog: the other title.
        whenModal<QFileDialog>([](QFileDialog* d) {
            choose(d, fixturePath(QStringLiteral("opml")), QStringLiteral("bad_ampersand.opml"));
        });
        dialog.ButtonXP5->click();
        ASSERT_EQ(boxes.shown.size(), 2);
        EXPECT_EQ(boxes.shown[1].title, QStringLiteral("XML Parse Error"));
        EXPECT_EQ(dialog.opmltxt->text(), fixturePath(QStringLiteral("opml/bad_ampersand.opml")));

        // A cancelled choice leaves everything as it was.
        whenModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
        dialog.ButtonXP5->click();
        EXPECT_EQ(boxes.shown.size(), 2);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_FALSE(dialog.showsRows());
    }
    // An RSS feed is no OPML group: the message, and the dialog closes.
    frmXML dialog;
    dialog.show();
    dialog.opmltxt->setText(fixturePath(QStringLiteral("opml/rss_feed.opml")));
    dialog.ButtonXP6->click();
    ASSERT_EQ(boxes.shown.size(), 3);
    EXPECT_EQ(boxes.shown[2].kind, messageBoxes::Kind::Information);
    EXPECT_EQ(boxes.shown[2].text, QStringLiteral("您所指定的是一个非法OPML群组!"));
    EXPECT_EQ(boxes.shown[2].title, QStringLiteral("KestrixRSS"));
    EXPECT_FALSE(dialog.isVisible());
}

// The menu entry offers an address from the clipboard; the group is created
// from the checked rows, in order, saved once, and shown in the tree view.
TEST(OpmlImport, CreatesOneFolderWithTheCheckedChannels) {
    testsupport::ProgramDir dir;
    Boxes boxes;
    TestHttpServer server;
    TestHttpServer::Response r;
    r.body = testsupport::readFixture(QStringLiteral("opml/bom_astral.opml"));
    server.setResponse("/subs.opml", r);
    r.body = testsupport::readFixture(QStringLiteral("opml/nested.opml"));
    server.setResponse("/nested.opml", r);

    frmMain window;
    window.formLoad();
    window.tmrMergeRSS.stop();
    // An existing folder stays first.
    const clsItemPtr old =
        window.project()->objColItems.Add(clsItem::Folder, QStringLiteral("Old"), {}, {}, {});
    window.addTreeNode(nullptr, old->strKey, old->strTitle, 4);
    window.saveTree();
    WriteCounter writes(dir.file(QStringLiteral("Data")));

    QApplication::clipboard()->setText(server.url("/nested.opml"));
    QString offered;
    whenModal<frmXML>([&](frmXML* d) {
        offered = d->opmltxt->text();
        d->ButtonXP6->click();
        ASSERT_TRUE(d->showsRows());
        d->ListView1->topLevelItem(1)->setCheckState(0, Qt::Unchecked); // Gadgets
        d->Text1->setText(QStringLiteral("导入的 feeds"));
        d->ButtonXP3->click();
    });
    window.command("opml")->trigger();
    EXPECT_EQ(offered, server.url("/nested.opml"));
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_FALSE(window.opmlDialog);
    EXPECT_EQ(writes.count(QStringLiteral("KestrixRSS.xml")), 1);
    saveShot(&window, "opml_tree.png");

    clsProject reloaded;
    ASSERT_TRUE(reloaded.Load(window.treeFilePath()));
    ASSERT_EQ(reloaded.objColItems.Count(), 2);
    const clsItemPtr group = reloaded.objColItems.Item(2);
    EXPECT_EQ(group->intType, clsItem::Folder);
    EXPECT_EQ(group->strTitle, QStringLiteral("导入的 feeds"));
    QStringList stored;
    for (const clsItemPtr& c : group->objColItems)
        stored << QString::number(c->intType) + QLatin1Char(' ') + c->strTitle + QLatin1Char(' ') +
                      c->strURL;
    EXPECT_EQ(stored, (QStringList{"1 Loose Feed http://loose.example/rss",
                                   "1 Code Weekly https://code.example/atom",
                                   "1 Four Levels Down https://deep.example/rss",
                                   "1 Gadgets again https://gadgets.example/feed.xml",
                                   "1 World http://world.example/rss",
                                   "1 Last Feed http://last.example/rss"}));

    // The view mirrors the tree: the folder last at the top level, its channels in order.
    ASSERT_EQ(window.trvProjects->topLevelItemCount(), 2);
    QTreeWidgetItem* node = window.trvProjects->topLevelItem(1);
    const clsItemPtr live = window.project()->objColItems.Item(2);
    EXPECT_EQ(node->data(0, frmMain::NodeKeyRole).toString(), live->strKey);
    EXPECT_EQ(node->text(0), QStringLiteral("导入的 feeds"));
    EXPECT_EQ(node->data(0, frmMain::NodeImageRole).toInt(), 4);
    ASSERT_EQ(node->childCount(), 6);
    for (int i = 0; i < 6; ++i) {
        const clsItemPtr channel = live->objColItems.Item(i + 1);
        EXPECT_EQ(node->child(i)->data(0, frmMain::NodeKeyRole).toString(), channel->strKey);
        EXPECT_EQ(node->child(i)->text(0), channel->strTitle);
        EXPECT_EQ(node->child(i)->data(0, frmMain::NodeImageRole).toInt(), 3);
    }

    // The drop-down entry opens the dialog too; text that is no address is not offered.
    QApplication::clipboard()->setText(QStringLiteral("just words"));
    offered = QStringLiteral("unset");
    whenModal<frmXML>([&](frmXML* d) {
        offered = d->opmltxt->text();
        d->opmltxt->setText(server.url("/subs.opml"));
        d->ButtonXP6->click();
        d->ButtonXP3->click();
    });
    window.command("btnNewOpml")->trigger();
    EXPECT_EQ(offered, QString());
    EXPECT_EQ(writes.count(QStringLiteral("KestrixRSS.xml")), 2);
    ASSERT_TRUE(reloaded.Load(window.treeFilePath()));
    const clsItemPtr astral = reloaded.objColItems.Item(reloaded.objColItems.Count());
    EXPECT_EQ(astral->strTitle, QStringLiteral("Feeds 😀 𠮷"));
    ASSERT_EQ(astral->objColItems.Count(), 2);
    EXPECT_EQ(astral->objColItems.Item(2)->strTitle, QStringLiteral("😀 Emoji 𠮷野家"));
}

TEST(OpmlImport, NewopmlRSSAddsOneSavedChannel) {
    testsupport::ProgramDir dir;
    frmMain window;
    window.formLoad();
    window.tmrMergeRSS.stop();
    const clsItemPtr folder =
        window.project()->objColItems.Add(clsItem::Folder, QStringLiteral("F"), {}, {}, {});
    window.addTreeNode(nullptr, folder->strKey, folder->strTitle, 4);
    window.newopmlRSS(folder->strKey, QStringLiteral("http://one.example/rss"),
                      QStringLiteral("One"));
    clsProject reloaded;
    ASSERT_TRUE(reloaded.Load(window.treeFilePath()));
    ASSERT_EQ(reloaded.objColItems.Item(1)->objColItems.Count(), 1);
    EXPECT_EQ(reloaded.objColItems.Item(1)->objColItems.Item(1)->strURL,
              QStringLiteral("http://one.example/rss"));
    ASSERT_EQ(window.trvProjects->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(window.trvProjects->topLevelItem(0)->child(0)->text(0), QStringLiteral("One"));
}

// Closing the dialog while a document downloads ends the download at once.
TEST(OpmlDialog, ClosingDuringADownloadCancelsIt) {
    Boxes boxes;
    TestHttpServer server;
    TestHttpServer::Response slow;
    slow.body = QByteArray(4096, ' ') + "<opml/>";
    slow.chunkBytes = 16;
    slow.chunkDelayMs = 200;
    server.setResponse("/slow.opml", slow);
    frmXML dialog;
    dialog.show();
    dialog.opmltxt->setText(server.url("/slow.opml"));
    bool disabledWhileLoading = false;
    QTimer::singleShot(100, &dialog, [&] {
        disabledWhileLoading = !dialog.ButtonXP6->isEnabled();
        dialog.reject();
    });
    QElapsedTimer clock;
    clock.start();
    dialog.ButtonXP6->click();
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(disabledWhileLoading);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.showsRows());
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_TRUE(dialog.ButtonXP6->isEnabled());
}
