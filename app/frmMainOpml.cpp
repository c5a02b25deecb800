// The OPML group import: the menu entries that open the dialog, and the
// group it creates in the tree and in the tree view.

#include "app/PaneWidgets.h"
#include "app/frmMain.h"
#include "core/opml/OpmlGroup.h"
#include "core/tree/clsItem.h"
#include "dialogs/frmXML.h"

#include <QAction>
#include <QLineEdit>
#include <QTreeWidget>

void frmMain::wireOpmlImport() {
    for (const char* name : {"opml", "btnNewOpml"})
        if (QAction* a = command(name))
            connect(a, &QAction::triggered, this, &frmMain::showOpmlImport);
}

void frmMain::showOpmlImport() {
    if (opmlDialog)
        return; // one import at a time
    frmXML dialog(this);
    QString clip;
    if (clipboardOffersAddress(&clip))
        dialog.opmltxt->setText(clip);
    opmlDialog = &dialog;
    connect(&dialog, &frmXML::groupAccepted, this, &frmMain::newopml);
    enableMergeTimer(false);
    dialog.exec();
    enableMergeTimer(true);
}

QTreeWidgetItem* frmMain::addOpmlChannel(QTreeWidgetItem* folderNode, const QString& folderKey,
                                         const QString& address, const QString& title) {
    const clsItemPtr channel = opml::addChannel(*objProject, folderKey, address, title);
    if (!channel || !folderNode)
        return nullptr;
    return addTreeNode(folderNode, channel->strKey, channel->strTitle, 3);
}

void frmMain::newopml(const QString& opmltxt) {
    const clsItemPtr folder =
        objProject ? objProject->objColItems.Add(clsItem::Folder, opmltxt, {}, {}, {}) : nullptr;
    if (folder && !folder->strKey.isEmpty()) {
        trvProjects->clearSelection();
        trvProjects->setCurrentItem(nullptr);
        QTreeWidgetItem* node = addTreeNode(nullptr, folder->strKey, folder->strTitle, 4);
        node->setForeground(0, QColor(0, 0, 255)); // as folders are shown at start-up
        if (opmlDialog)
            for (const opml::Row& row : opmlDialog->checkedRows())
                addOpmlChannel(node, folder->strKey, row.address, row.text);
        // One save for the whole group, after its last channel.
        saveTree();
        node->setExpanded(true);
    }
    if (opmlDialog)
        opmlDialog->accept();
}

void frmMain::newopmlRSS(const QString& opnode, const QString& opkey, const QString& optxt) {
    if (!objProject)
        return;
    const clsItemPtr channel = opml::addChannel(*objProject, opnode, opkey, optxt);
    if (!channel)
        return;
    saveTree();
    addTreeNodeByKey(opnode, channel->strKey, channel->strTitle, 3);
}
