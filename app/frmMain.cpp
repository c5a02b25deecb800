// The main window's controls, menus and toolbars.

#include "app/frmMain.h"

#include "app/Artwork.h"
#include "app/PaneWidgets.h"
#include "controls/CTooltip.h"
#include "controls/InfoHeader.h"
#include "controls/SpliterBar.h"
#include "controls/clsSysTray.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace {

constexpr int kTwips = 15;
int px(int twips) {
    return twips / kTwips;
}

QAction* addButton(QToolBar* bar, artwork::Picture picture, const QString& caption,
                   const QString& tip, bool checkable = false) {
    QAction* action = bar->addAction(artwork::icon(picture), caption);
    action->setToolTip(tip);
    action->setCheckable(checkable);
    return action;
}

QWidget* gap(QToolBar* bar) {
    auto* spacer = new QWidget(bar);
    spacer->setFixedWidth(8);
    bar->addWidget(spacer);
    return spacer;
}

} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Kestrix RSS"));
    setWindowIcon(artwork::appIcon());
    resize(px(15240), px(10710));
    setMinimumSize(px(11625), px(7860));

    client = new QWidget(this);
    client->setAutoFillBackground(true);
    QPalette background = client->palette();
    background.setColor(QPalette::Window, QColor(240, 240, 224));
    client->setPalette(background);
    setCentralWidget(client);

    Timer1.setInterval(1000);
    tmrMergeRSS.setInterval(1000);
    Timer2.setInterval(500);

    buildMenus();
    buildToolbars();
    buildPanes();
    wireTreePane();
    wireNewsPane();
}

frmMain::~frmMain() = default;

void frmMain::buildMenus() {
    mnuSysTray = menuBar()->addMenu(QStringLiteral("文件"));
    mnuSysTray->addAction(QStringLiteral("上一频道"))->setObjectName(QStringLiteral("shangyipd"));
    mnuSysTray->addAction(QStringLiteral("下一频道"))->setObjectName(QStringLiteral("xiayipd"));
    mnuSysTray->addSeparator();
    mnuSysTray->addAction(QStringLiteral("频道属性"))->setObjectName(QStringLiteral("shuxinga"));
    mnuSysTray->addSeparator();
    QAction* exitAction = mnuSysTray->addAction(QStringLiteral("退出"));
    exitAction->setObjectName(QStringLiteral("mnuSysTrayExit"));
    connect(exitAction, &QAction::triggered, this, &frmMain::exitProgram);

    mnuProject = menuBar()->addMenu(QStringLiteral("编辑"));
    mnuProject->addAction(QStringLiteral("更新频道信息"))
        ->setObjectName(QStringLiteral("xingengxin"));
    mnuProject->addSeparator();
    mnuProject->addAction(QStringLiteral("新建频道"))->setObjectName(QStringLiteral("newch"));
    mnuProject->addAction(QStringLiteral("新建子目录"))
        ->setObjectName(QStringLiteral("mnuEditNewFolder"));
    mnuProject->addAction(QStringLiteral("新建RSS频道"))
        ->setObjectName(QStringLiteral("mnuEditNewRSS"));
    mnuProject->addAction(QStringLiteral("新建WEB地址"))
        ->setObjectName(QStringLiteral("mnuEditNewPageWeb"));
    mnuProject->addSeparator();
    mnuProject->addAction(QStringLiteral("新建OPML群组"))->setObjectName(QStringLiteral("opml"));
    mnuProject->addSeparator();
    mnuProject->addAction(QStringLiteral("修改频道属性"))
        ->setObjectName(QStringLiteral("xiugaishuxinpd"));
    mnuProject->addAction(QStringLiteral("删除选定项..."))
        ->setObjectName(QStringLiteral("shenchuxuanzding"));

    pdgengxina = menuBar()->addMenu(QStringLiteral("频道更新"));
    pdgengxina->addAction(QStringLiteral("更新选定频道"))->setObjectName(QStringLiteral("gengxin"));
    pdgengxina->addAction(QStringLiteral("修改频道属性"))
        ->setObjectName(QStringLiteral("mnuProjectUpdate"));
    pdgengxina->addSeparator();
    pdgengxina->addAction(QStringLiteral("删除选定项目..."))
        ->setObjectName(QStringLiteral("mnuProjectDrop"));
}

void frmMain::buildToolbars() {
    using artwork::Picture;
    // tlbMain: big captioned buttons.
    tlbMain = new QToolBar(client);
    tlbMain->setIconSize(QSize(32, 32));
    tlbMain->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tlbMain->setMovable(false);
    auto* newMenu = new QMenu(tlbMain);
    newMenu->addAction(QStringLiteral("新建频道"))
        ->setObjectName(QStringLiteral("btnNewTopFolder"));
    newMenu->addSeparator();
    newMenu->addAction(QStringLiteral("新建文件夹"))
        ->setObjectName(QStringLiteral("btnNewSubFolder"));
    newMenu->addAction(QStringLiteral("新建 RSS 频道"))->setObjectName(QStringLiteral("btnNewRSS"));
    newMenu->addAction(QStringLiteral("新建 WEB 站点"))
        ->setObjectName(QStringLiteral("btnNewPageWeb"));
    newMenu->addSeparator();
    newMenu->addAction(QStringLiteral("新建OPML群组"))->setObjectName(QStringLiteral("btnNewOpml"));
    QAction* newAction =
        addButton(tlbMain, Picture::New, QStringLiteral("新建"), QStringLiteral("新建 RSS/WEB"));
    newAction->setMenu(newMenu);
    newAction->setObjectName(QStringLiteral("btnNew"));
    if (auto* button = qobject_cast<QToolButton*>(tlbMain->widgetForAction(newAction)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    addButton(tlbMain, Picture::Properties, QStringLiteral("属性"), QStringLiteral("站点属性"))
        ->setObjectName(QStringLiteral("btnProperties"));
    addButton(tlbMain, Picture::Delete, QStringLiteral("删除"), QStringLiteral("删除"))
        ->setObjectName(QStringLiteral("btnDelete"));
    gap(tlbMain);
    addButton(tlbMain, Picture::Back, QStringLiteral("Back"), QStringLiteral("上一信息"));
    addButton(tlbMain, Picture::Next, QStringLiteral("Next"), QStringLiteral("下一信息"));
    gap(tlbMain);
    connect(addButton(tlbMain, Picture::Exit, QStringLiteral("退出"), QStringLiteral("退出")),
            &QAction::triggered, this, &frmMain::exitProgram);

    // lblHeader: small icon buttons with tips, and the history box.
    lblHeader = new QToolBar(client);
    lblHeader->setIconSize(QSize(16, 16));
    lblHeader->setMovable(false);
    addButton(lblHeader, artwork::imageList1(14), QString(), QStringLiteral("展开频道"))
        ->setObjectName(QStringLiteral("btnExpandAll"));
    addButton(lblHeader, artwork::imageList1(9), QString(), QStringLiteral("收起频道"))
        ->setObjectName(QStringLiteral("btnCollapseAll"));
    gap(lblHeader);
    actSummaryTips =
        addButton(lblHeader, artwork::imageList1(24), QString(), QStringLiteral("摘要提示"), true);
    actSummaryTips->setChecked(true);
    gap(lblHeader);
    addButton(lblHeader, artwork::imageList1(16), QString(), QStringLiteral("实时更新全部频道"),
              true)
        ->setVisible(false);
    actUpdateSettings =
        addButton(lblHeader, artwork::imageList1(23), QString(), QStringLiteral("频道更新设置"));
    actUpdateSettings->setEnabled(false);
    addButton(lblHeader, artwork::imageList1(26), QString(), QStringLiteral("停止更新全部频道"),
              true);
    gap(lblHeader);
    addButton(lblHeader, artwork::imageList1(25), QString(), QStringLiteral("频道检索"));
    gap(lblHeader);
    addButton(lblHeader, artwork::imageList1(27), QString(), QStringLiteral("RSS标题检索"));
    Combo2 = new QComboBox(lblHeader);
    Combo2->setEditable(false);
    QPalette white = Combo2->palette();
    white.setColor(QPalette::Base, Qt::white);
    Combo2->setPalette(white);
    Combo2->setGeometry(px(3600), 2, 200, px(300));

    // Toolbar1: the reading pane's commands and the address box.
    Toolbar1 = new QToolBar(client);
    Toolbar1->setIconSize(QSize(16, 16));
    Toolbar1->setMovable(false);
    auto* printMenu = new QMenu(Toolbar1);
    printMenu->addAction(QStringLiteral("打印"));
    printMenu->addAction(QStringLiteral("打印预览"));
    printMenu->addAction(QStringLiteral("页面设置"));
    QAction* print = addButton(Toolbar1, artwork::imageList1(2), QString(), QStringLiteral("打印"));
    print->setMenu(printMenu);
    if (auto* button = qobject_cast<QToolButton*>(Toolbar1->widgetForAction(print)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    addButton(Toolbar1, artwork::imageList1(8), QString(), QStringLiteral("网页属性"));
    gap(Toolbar1);
    addButton(Toolbar1, artwork::imageList1(6), QString(), QStringLiteral("扩展页面"), true);
    addButton(Toolbar1, artwork::imageList1(9), QString(), QStringLiteral("扩展页面"), true);
    addButton(Toolbar1, artwork::imageList1(4), QString(), QStringLiteral("全屏幕显示"), true);
    Toolbar1->addSeparator();
    addButton(Toolbar1, artwork::imageList1(5), QString(), QStringLiteral("频道首页/目录"));
    addButton(Toolbar1, artwork::imageList1(11), QString(), QStringLiteral("后退"));
    addButton(Toolbar1, artwork::imageList1(12), QString(), QStringLiteral("前进"));
    addButton(Toolbar1, artwork::imageList1(7), QString(), QStringLiteral("停止"));
    addButton(Toolbar1, artwork::imageList1(3), QString(), QStringLiteral("刷新"));
    gap(Toolbar1);
    addButton(Toolbar1, artwork::imageList1(22), QString(), QString())->setVisible(false);
    addButton(Toolbar1, artwork::imageList1(21), QString(), QString())->setVisible(false);
    addButton(Toolbar1, artwork::imageList1(13), QString(), QStringLiteral("转到"));
    Combo1 = new QComboBox(Toolbar1);
    Combo1->setEditable(true);
    Combo1->setIconSize(QSize(16, 16));
    Combo1->move(px(5040), 1);
}

void frmMain::buildPanes() {
    trvProjects = new ChannelTreeView(client);
    trvProjects->setHeaderHidden(true);
    ListView1 = new HeadlineListView(client);
    ListView2 = new DescriptionListView(client);
    ListView2->hide();
    List1 = new QListWidget(client);
    List1->hide();
    brwRSS = new ReadingPane(client);
    Label1 = new QWidget(client);
    Label1->setAutoFillBackground(true);
    QPalette white = Label1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Label1->setPalette(white);
    Label1->hide();
    Label11 = new QLabel(Label1);
    Label11->setAutoFillBackground(true);
    Label11->setWordWrap(true);
    Label11->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette summary = Label11->palette();
    summary.setColor(QPalette::Window, QColor(192, 192, 255));
    Label11->setPalette(summary);
    Label11->setGeometry(0, 0, 100, px(1335));
    lsmRSS = new HiddenNewsList(client);

    lblStatus = new InfoHeader(client);
    lblStatus->setGradientStyle(1);
    lblStatus->setLeftColor(8673602);
    lblStatus->setRightColor(14933984);
    lblStatus->setMaxFill(5);
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSize(9);
    lblStatus->setFontName(tahoma);
    lblStatus->setForeColor(0);
    lblStatus->setMultiLine(false);
    lblStatus->setAlignment(InfoHeader::Left);
    lblStatus->setHasIcon(true);
    lblStatus->setPicture(artwork::pixmap(artwork::Picture::RssChannel, 16));
    lblStatus->setCaption(QStringLiteral("欢迎使用"));

    splVertical = new SpliterVertical(client);
    splVertical->setSpliterPictureWidth(90);
    splVertical->setBarBackColor(0x8000000F);
    splHorizontal = new SpliterHorizontal(client);
    splHorizontal->setSpliterPictureHeight(100);
    splHorizontal->setBarBackColor(0x8000000F);
    splHorizontal->setSpliterTop(3000);
    connect(splVertical, &SpliterBar::SpliterMoved, this, &frmMain::layoutPanes);
    connect(splHorizontal, &SpliterBar::SpliterMoved, this, &frmMain::layoutPanes);
}

void frmMain::exitProgram() {
    QCoreApplication::exit(0);
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    exitProgram();
}
