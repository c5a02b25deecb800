// Start-up of the main window: initialisation, the tree file and the tree
// view, and the helpers every pane uses (status line, save, merge timer).

#include "app/frmMain.h"

#include "app/Artwork.h"
#include "app/PaneWidgets.h"
#include "controls/CTooltip.h"
#include "controls/InfoHeader.h"
#include "controls/clsSysTray.h"
#include "core/tree/clsItem.h"
#include "core/tree/modTypes.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLocale>
#include <QTreeWidget>

namespace {
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);
} // namespace

QString frmMain::treeFilePath() const {
    return modTypes::programDir() + QStringLiteral("/Data/KestrixRSS.xml");
}

void frmMain::formLoad() {
    rssload();
    // The headline list's drag picture.
    ListView1->setProperty("dragPicture", artwork::pixmap(artwork::imlButtons(8), 32));
    if (!isVisible())
        showMaximized();
}

void frmMain::rssload() {
    ListView1->header()->resizeSection(0, 8800 / 15);
    ListView1->header()->resizeSection(1, 2900 / 15);
    objTooltip = std::make_unique<CTooltip>();
    objTooltip->setStyle(CTooltip::Balloon);
    objTooltip->setIcon(CTooltip::NoIcon);
    blnSummaryTips = true;
    Combo1->addItem(QIcon(artwork::pixmap(artwork::imageList1(10), 16)), QString());
    Combo1->setCurrentIndex(0);
    upnew = true;
    layoutPanes();
    initWindow();
    Timer1.setProperty("tag", QStringLiteral("0"));
}

void frmMain::initWindow() {
    enableMergeTimer(false);
    objSysTray = new clsSysTray(this);
    objSysTray->setSourceWindow(this);
    objSysTray->ChangeIcon(windowIcon());
    objSysTray->ChangeToolTip(windowTitle());
    imlRSS1.clear();
    for (int i = 1; i <= 6; ++i)
        imlRSS1.append(artwork::pixmap(artwork::imlRSS(i), 16));
    loadTree();
    enableMergeTimer(true);
    setStatus(QString());
}

void frmMain::loadTree() {
    blnLoadingTree = true;
    brwRSS->navigate(QStringLiteral("about:blank"));
    if (objProject)
        objProject->Clear();
    objProject = std::make_unique<clsProject>();
    objProject->Load(treeFilePath()); // a missing or unreadable file leaves an empty tree

    trvProjects->clear();
    trvProjects->setIconSize(QSize(16, 16));
    trvProjects->setIndentation(12);
    trvProjects->setEditTriggers(QAbstractItemView::NoEditTriggers);
    trvProjects->setRootIsDecorated(true);
    fillTree(nullptr, objProject->objColItems);

    // Fills the settings dialog, restores the stored update setting, enables
    // the settings button and shows the window.
    fillSettingsTree();
    blnLoadingTree = false;
}

void frmMain::fillTree(QTreeWidgetItem* parent, const colItems& items) {
    for (const clsItemPtr& item : items) {
        if (item->strKey.isEmpty())
            continue;
        switch (item->intType) {
        case clsItem::Folder: {
            QTreeWidgetItem* node = addTreeNode(parent, item->strKey, item->strTitle, 4);
            node->setForeground(0, kBlue);
            fillTree(node, item->objColItems);
            break;
        }
        case clsItem::RssChannel: {
            const qint32 n = item->countNewItems();
            if (n <= 0) {
                addTreeNode(parent, item->strKey, item->strTitle, 3);
            } else {
                const QString text = item->strTitle + QStringLiteral(" (") +
                                     QLocale(QLocale::English).toString(qint64(n)) +
                                     QLatin1Char(')');
                addTreeNode(parent, item->strKey, text, 5)->setForeground(0, kBlack);
            }
            break;
        }
        case clsItem::WebPage:
            addTreeNode(parent, item->strKey, item->strTitle, 6)->setForeground(0, kBlack);
            break;
        default:
            break;
        }
    }
}

QTreeWidgetItem* frmMain::addTreeNode(QTreeWidgetItem* parent, const QString& key,
                                      const QString& text, int image) {
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(trvProjects);
    node->setText(0, text);
    node->setData(0, NodeKeyRole, key);
    node->setData(0, NodeImageRole, image);
    if (image >= 1 && image <= imlRSS1.size())
        node->setIcon(0, QIcon(imlRSS1[image - 1]));
    if (parent)
        parent->setForeground(0, kBlue);
    return node;
}

void frmMain::saveTree() {
    if (objProject)
        objProject->Save(treeFilePath());
}

void frmMain::setStatus(const QString& text) {
    lblStatus->setCaption(QStringLiteral("  ") +
                          (text.isEmpty() ? QStringLiteral("准备状态 ...") : text));
    lblStatus->raise();
    QCoreApplication::processEvents();
}

void frmMain::enableMergeTimer(bool on) {
    objScheduler.enableMergeTimer(on); // only while automatic updates are allowed
}
