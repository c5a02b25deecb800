// The channel tree pane: opening entries, new entries, properties, deletion,
// drops, and the captions with their counts of new items. Every change goes
// to the tree first, is saved at once, and is then mirrored node by node.

#include "app/MessageBoxes.h"
#include "app/NewsPaneRules.h"
#include "app/PaneWidgets.h"
#include "app/frmMain.h"
#include "controls/InfoHeader.h"
#include "core/feed/NewsLists.h"
#include "core/tree/clsItem.h"
#include "core/tree/modTypes.h"
#include "dialogs/PropertyDialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidgetItemIterator>

namespace {

const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);

int nodeImage(const QTreeWidgetItem* node) {
    return node ? node->data(0, frmMain::NodeImageRole).toInt() : 0;
}

} // namespace

QString frmMain::nodeKey(const QTreeWidgetItem* node) {
    return node ? node->data(0, NodeKeyRole).toString() : QString();
}

bool frmMain::clipboardOffersAddress(QString* text) {
    const QString clip = QApplication::clipboard()->text();
    if (!clip.toUpper().startsWith(QLatin1String("HTTP")))
        return false;
    *text = clip;
    return true;
}

QAction* frmMain::command(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name));
}

void frmMain::wireTreePane() {
    const auto on = [this](const char* name, auto slot) {
        if (QAction* a = command(name))
            connect(a, &QAction::triggered, this, slot);
    };
    on("newch", [this] { newTopFolder(); });
    on("btnNew", [this] { newTopFolder(); });
    on("btnNewTopFolder", [this] { newTopFolder(); });
    on("mnuEditNewFolder", [this] { newSubFolder(); });
    on("btnNewSubFolder", [this] { newSubFolder(); });
    for (const char* name : {"mnuEditNewRSS", "btnNewRSS"})
        on(name, [this] {
            blnOfferClipboard = true;
            newChannel();
        });
    for (const char* name : {"mnuEditNewPageWeb", "btnNewPageWeb"})
        on(name, [this] {
            blnOfferClipboard = true;
            newWebPage();
        });
    for (const char* name : {"xiugaishuxinpd", "mnuProjectUpdate", "shuxinga", "btnProperties"})
        on(name, [this] {
            blnOfferClipboard = false;
            editSelected();
        });
    for (const char* name : {"shenchuxuanzding", "mnuProjectDrop", "btnDelete"})
        on(name, [this] { deleteSelected(); });
    on("btnExpandAll", [this] { trvProjects->expandAll(); });
    on("btnCollapseAll", [this] { trvProjects->collapseAll(); });

    connect(trvProjects, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { nodeClicked(node); });
    connect(trvProjects, &ChannelTreeView::headlineDropped, this,
            [this](QTreeWidgetItem* node, const QString& address, const QString& title) {
                if (ListView1->selectedItems().isEmpty())
                    return;
                dropHeadline(node, address, title, nodeKey(node));
                node->setExpanded(true);
            });
    connect(trvProjects, &ChannelTreeView::textDropped, this, &frmMain::oleDragDrop);
    trvProjects->installEventFilter(this);
    trvProjects->viewport()->installEventFilter(this);
    // A page that could not be opened completes no navigation: nothing is marked read.
    connect(brwRSS, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (ok)
            afterNavigate(brwRSS->url().toString());
    });
}

void frmMain::oleDragDrop(QTreeWidgetItem* node, const QString& text) {
    if (!isFolderNode(node))
        return; // only folders take data from other programs
    dropText(node, text, nodeKey(node));
    node->setExpanded(true);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == trvProjects && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        QTreeWidgetItem* node = trvProjects->currentItem();
        if (node && key->key() == Qt::Key_Delete) {
            deleteSelected();
            return true;
        }
        if (node && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            showEntry(nodeKey(node), node->text(0));
            return true;
        }
    } else if (watched == trvProjects->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        treeMouseDown(mouse->button(), mouse->position().toPoint());
    }
    return QMainWindow::eventFilter(watched, event);
}

bool frmMain::isFolderNode(const QTreeWidgetItem* node) const {
    if (!node)
        return false;
    // The entry's kind decides: blue text also marks channels with news.
    const clsItemPtr entry = objProject ? objProject->objColItems.Search(nodeKey(node)) : nullptr;
    return entry ? entry->intType == clsItem::Folder : nodeImage(node) == 4;
}

void frmMain::nodeClicked(QTreeWidgetItem* node) {
    if (!node || isFolderNode(node))
        return;
    QTreeWidgetItem* selected = trvProjects->currentItem();
    if (!selected)
        selected = node;
    const QString key = nodeKey(selected);
    if (!key.startsWith(QLatin1String("RSS"))) {
        brwRSS->navigate(key); // a node that carries an address
        return;
    }
    showEntry(key, selected->text(0));
    if (nodeImage(node) == 3) {
        strHomeKey = key;
        strHomeText = selected->text(0);
    }
    Label1->hide();
    brwRSS->show();
}

void frmMain::treeMouseDown(Qt::MouseButton button, const QPoint& pos) {
    QTreeWidgetItem* node = trvProjects->itemAt(pos);
    bool enabled = node && !isFolderNode(node);
    if (tmrMergeRSS.isActive() || lblStatus->Caption().size() > 10)
        enabled = false;
    for (const char* name : {"gengxin", "xingengxin"})
        if (QAction* a = command(name))
            a->setEnabled(enabled);
    if (button == Qt::RightButton && node) {
        trvProjects->setCurrentItem(node);
        mnuProject->popup(trvProjects->viewport()->mapToGlobal(pos));
    }
    if (!node) {
        trvProjects->clearSelection();
        trvProjects->setCurrentItem(nullptr);
    }
}

void frmMain::showEntry(const QString& key, const QString& caption) {
    if (key.isEmpty() || !objProject)
        return;
    NewsLists lists{*ListView1, *ListView2, *lsmRSS};
    if (objProject->loadList(key, lists))
        openInPane(key, caption);
}

void frmMain::openInPane(const QString& key, const QString& /*caption*/) {
    enableMergeTimer(false);
    if (!objProject->loadHTML(key, *brwRSS))
        return; // the merge timer stays paused until the next operation resumes it
    setStatus(QString());
    enableMergeTimer(true);
}

bool frmMain::editEntry(clsItem& entry, PropertyDialog& dialog, bool withAddress) {
    enableMergeTimer(false);
    dialog.strName = entry.strTitle;
    if (withAddress) {
        dialog.strURL = entry.strURL;
        dialog.strUser = entry.strUser;
        dialog.strPassword = entry.strPassword;
    }
    dialog.loadValues();
    QString clip;
    if (withAddress && blnOfferClipboard && clipboardOffersAddress(&clip))
        dialog.txtURL->setText(clip);
    dialog.exec();
    bool accepted = false;
    if (!dialog.blnCancel) {
        entry.strTitle = dialog.strName;
        if (withAddress) {
            entry.strURL = dialog.strURL;
            entry.strUser = dialog.strUser;
            entry.strPassword = dialog.strPassword;
        }
        accepted = true;
    }
    enableMergeTimer(true);
    return accepted;
}

bool frmMain::editFolder(clsItem& entry) {
    frmUpdateFolder dialog(this);
    return editEntry(entry, dialog, false);
}

bool frmMain::editChannel(clsItem& entry) {
    frmUpdateRSS dialog(this);
    return editEntry(entry, dialog, true);
}

bool frmMain::editWebPage(clsItem& entry) {
    frmUpdatePageWeb dialog(this);
    return editEntry(entry, dialog, true);
}

void frmMain::editSelected() {
    QTreeWidgetItem* node = trvProjects->currentItem();
    if (!node || !objProject)
        return;
    const clsItemPtr entry = objProject->objColItems.Search(nodeKey(node));
    if (!entry)
        return;
    bool accepted = false;
    switch (entry->intType) {
    case clsItem::Folder:
        accepted = editFolder(*entry);
        break;
    case clsItem::WebPage:
        accepted = editWebPage(*entry);
        break;
    case clsItem::RssChannel:
        accepted = editChannel(*entry);
        break;
    default:
        break;
    }
    if (!accepted)
        return;
    saveTree();
    if (QTreeWidgetItem* still = nodeByKey(entry->strKey))
        still->setText(0, entry->strTitle);
}

void frmMain::newTopFolder() {
    clsItem fresh;
    if (!editFolder(fresh))
        return;
    const clsItemPtr added =
        objProject->objColItems.Add(clsItem::Folder, fresh.strTitle, {}, {}, {});
    if (!added)
        return;
    saveTree();
    trvProjects->clearSelection();
    trvProjects->setCurrentItem(nullptr);
    addTreeNode(nullptr, added->strKey, added->strTitle, 4);
}

void frmMain::addNewEntry(qint32 kind, PropertyDialog& dialog) {
    clsItem fresh;
    if (!editEntry(fresh, dialog, kind != clsItem::Folder))
        return;
    QTreeWidgetItem* parentNode = trvProjects->currentItem();
    if (parentNode && !parentNode->isSelected())
        parentNode = nullptr;
    colItems* level = &objProject->objColItems;
    if (parentNode) {
        const clsItemPtr parent = objProject->objColItems.Search(nodeKey(parentNode));
        if (!parent)
            parentNode = nullptr;
        else if (parent->intType == clsItem::Folder)
            level = &parent->objColItems;
        else
            return; // channels and web pages hold no entries
    }
    const clsItemPtr added =
        level->Add(kind, fresh.strTitle, fresh.strURL, fresh.strUser, fresh.strPassword);
    if (!added)
        return;
    saveTree();
    const int image = kind == clsItem::Folder ? 4 : kind == clsItem::RssChannel ? 3 : 6;
    addTreeNode(parentNode, added->strKey, added->strTitle, image);
}

void frmMain::newSubFolder() {
    frmUpdateFolder dialog(this);
    addNewEntry(clsItem::Folder, dialog);
}

void frmMain::newChannel() {
    frmUpdateRSS dialog(this);
    addNewEntry(clsItem::RssChannel, dialog);
}

void frmMain::newWebPage() {
    frmUpdatePageWeb dialog(this);
    addNewEntry(clsItem::WebPage, dialog);
}

void frmMain::deleteSelected() {
    QTreeWidgetItem* node = trvProjects->currentItem();
    if (!node || !objProject)
        return;
    if (!messageBoxes::askYesNo(this, QStringLiteral("确定删除此项信息:") + node->text(0)))
        return;
    objProject->removeItem(nodeKey(node));
    m_captionCounts.remove(nodeKey(node));
    delete node;
    saveTree();
}

clsItemPtr frmMain::addDroppedPage(const QString& targetKey, const QString& title,
                                   const QString& address, bool* intoFolder) {
    *intoFolder = false;
    if (!objProject)
        return nullptr;
    // No entry for the target: the top level; a folder: its children;
    // anything else takes nothing.
    const clsItemPtr parent = objProject->objColItems.Search(targetKey);
    colItems* level = &objProject->objColItems;
    if (parent) {
        if (parent->intType != clsItem::Folder)
            return nullptr;
        level = &parent->objColItems;
        *intoFolder = true;
    }
    const clsItemPtr added = level->Add(clsItem::WebPage, title, address, {}, {});
    if (added)
        saveTree();
    return added;
}

void frmMain::dropHeadline(QTreeWidgetItem* node, const QString& address, const QString& title,
                           const QString& targetKey) {
    if (!newsRules::opensFromFeed(address))
        return; // a feed's javascript: or data: address never becomes a page to open
    bool intoFolder = false;
    const clsItemPtr added = addDroppedPage(targetKey, title, address, &intoFolder);
    // The node carries the entry's tree key, so it can be deleted and edited.
    if (added && node && !node->text(0).startsWith(QLatin1String("http://")))
        addTreeNode(intoFolder ? node : nullptr, added->strKey, title, 6);
}

void frmMain::dropText(QTreeWidgetItem* node, const QString& text, const QString& targetKey) {
    bool intoFolder = false;
    if (const clsItemPtr added = addDroppedPage(targetKey, text, text, &intoFolder))
        addTreeNode(intoFolder ? node : nullptr, added->strKey, text, 6);
}

QTreeWidgetItem* frmMain::nodeByKey(const QString& key) const {
    for (QTreeWidgetItemIterator it(trvProjects); *it; ++it)
        if (nodeKey(*it) == key)
            return *it;
    return nullptr;
}

QTreeWidgetItem* frmMain::addTreeNodeByKey(const QString& parentKey, const QString& key,
                                           const QString& text, int image) {
    QTreeWidgetItem* parent = nodeByKey(parentKey);
    if (!parent || nodeByKey(key))
        return nullptr;
    const QBrush colour = parent->foreground(0);
    QTreeWidgetItem* node = addTreeNode(parent, key, text, image);
    parent->setForeground(0, colour);
    return node;
}

void frmMain::refreshCaptions() {
    if (!objProject)
        return;
    for (QTreeWidgetItemIterator it(trvProjects); *it; ++it) {
        QTreeWidgetItem* node = *it;
        const clsItemPtr entry = objProject->objColItems.Search(nodeKey(node));
        if (!entry || entry->intType != clsItem::RssChannel)
            continue;
        // A channel file is read again only when it changed since its count
        // was taken, or when the channel's feed is not in memory.
        const QFileInfo file(modTypes::programDir() + QStringLiteral("/RSS/") + entry->LocalFile());
        // A channel never fetched is not fetched here: refreshing captions
        // must not start a download per channel.
        if (!file.exists() && entry->objRSS.objColChannels.Count() == 0)
            continue;
        CaptionCount& cached = m_captionCounts[entry->strKey];
        const bool changed =
            !file.exists() || file.lastModified() != cached.modified || file.size() != cached.size;
        if (changed || entry->objRSS.objColChannels.Count() == 0) {
            if (!entry->Load(false)) {
                m_captionCounts.remove(entry->strKey);
                continue;
            }
            const QFileInfo now(file.absoluteFilePath());
            cached.modified = now.lastModified();
            cached.size = now.size();
        }
        cached.count = entry->countNewItems();
        QFont font = node->font(0);
        if (cached.count == 0) {
            node->setText(0, entry->strTitle);
            node->setData(0, NodeImageRole, 3);
            node->setIcon(0, QIcon(imlRSS1.value(2)));
            font.setBold(false);
            node->setForeground(0, kBlack);
        } else {
            node->setText(0, entry->strTitle + QStringLiteral(" (") +
                                 QLocale(QLocale::English).toString(qint64(cached.count)) +
                                 QLatin1Char(')'));
            node->setData(0, NodeImageRole, 5);
            node->setIcon(0, QIcon(imlRSS1.value(4)));
            font.setBold(true);
            node->setForeground(0, kBlue);
        }
        node->setFont(0, font);
    }
}

void frmMain::afterNavigate(const QString& address) {
    if (blnLoadingTree || !objProject)
        return;
    objProject->markReadRSS(address);
    refreshCaptions();
}
