#include "dialogs/Form2.h"

#include "app/Artwork.h"
#include "app/MessageBoxes.h"
#include "app/frmMain.h"
#include "controls/ButtonXP.h"
#include "controls/Twips.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <functional>

namespace {

using twip::px;

const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);
constexpr int kFolderImage = 4;
constexpr int kImageRole = Form2::KeyRole + 1;

const QString kEmptyList = QStringLiteral("自定义更新频道列表为空,请选择频道.");
const QString kNoInterval = QStringLiteral("请选择更新时间");

// The tree: only channels start a drag.
class SettingsTree : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

protected:
    void startDrag(Qt::DropActions actions) override {
        const QTreeWidgetItem* node = currentItem();
        if (!node || node->data(0, kImageRole).toInt() == kFolderImage)
            return;
        QTreeWidget::startDrag(actions);
    }
};

// The custom list: takes drops from the tree only, and leaves the adding to
// the dialog.
class CustomList : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;
    QWidget* source = nullptr;
    std::function<void()> dropped;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (event->source() == source)
            event->acceptProposedAction();
        else
            event->ignore();
    }
    void dragMoveEvent(QDragMoveEvent* event) override {
        if (event->source() == source)
            event->acceptProposedAction();
        else
            event->ignore();
    }
    void dropEvent(QDropEvent* event) override {
        if (event->source() != source) {
            event->ignore();
            return;
        }
        event->acceptProposedAction();
        if (dropped)
            dropped();
    }
};

ButtonXP* button(QWidget* parent, const QString& caption, int x, int y, qint16 type = 3) {
    auto* b = new ButtonXP(caption, parent);
    b->setDialogLook(type);
    b->setGeometry(px(x), px(y), 65, 25);
    return b;
}

QRadioButton* option(QWidget* parent, const QString& caption, const QRect& where) {
    auto* o = new QRadioButton(caption, parent);
    o->setGeometry(where);
    return o;
}

} // namespace

Form2::Form2(frmMain* owner)
    : QDialog(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_owner(owner) {
    setWindowTitle(QStringLiteral("频道更新设置"));
    setModal(true);
    setFixedSize(px(7890), px(6165));
    buildControls();

    // Loading: both search cursors at the start, the list's one column.
    treeSearch.reset();
    listSearch.reset();
    ListView1->setColumnWidth(0, px(2960));
    Timer1.setInterval(300);
    connect(&Timer1, &QTimer::timeout, this, &Form2::blinkTick);
    Timer1.start();
}

void Form2::buildControls() {
    lblHeader = new QToolBar(this);
    lblHeader->setGeometry(0, 0, width(), px(360));
    lblHeader->setIconSize(QSize(16, 16));
    lblHeader->setMovable(false);
    QAction* expand =
        lblHeader->addAction(artwork::icon(artwork::imageList1(14)), QStringLiteral("展开频道"));
    QAction* collapse =
        lblHeader->addAction(artwork::icon(artwork::imageList1(9)), QStringLiteral("收起频道"));
    lblHeader->addSeparator();
    QAction* search =
        lblHeader->addAction(artwork::icon(artwork::imageList1(25)), QStringLiteral("频道检索"));
    Combo2 = new QComboBox(lblHeader);
    Combo2->setToolTip(QStringLiteral("频道更新时间设定"));
    for (int minutes = 5; minutes <= 20; ++minutes)
        Combo2->addItem(QString::number(minutes) + QStringLiteral(" 分钟"));
    Combo2->setGeometry(px(1680), 1, px(1695), px(360) - 2);

    Frame1 = new QGroupBox(QStringLiteral("所有频道"), this);
    Frame1->setGeometry(twip::rect(120, 480, 3255, 4695));
    Tree = new SettingsTree(Frame1);
    Tree->setGeometry(6, 18, Frame1->width() - 12, Frame1->height() - 24);
    Tree->setHeaderHidden(true);
    Tree->setIconSize(QSize(16, 16));
    Tree->setIndentation(12);
    Tree->setRootIsDecorated(true);
    Tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tree->setDragEnabled(true);
    Tree->setDragDropMode(QAbstractItemView::DragOnly);

    Frame2 = new QGroupBox(QStringLiteral("自定义更新频道"), this);
    Frame2->setGeometry(twip::rect(4560, 480, 3255, 4695));
    auto* list = new CustomList(Frame2);
    ListView1 = list;
    ListView1->setGeometry(6, 18, Frame2->width() - 12, Frame2->height() - 24);
    ListView1->setHeaderHidden(true);
    ListView1->setColumnCount(1);
    ListView1->setRootIsDecorated(false);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setAcceptDrops(true);
    ListView1->setDragDropMode(QAbstractItemView::DropOnly);
    list->source = Tree;
    list->dropped = [this] { dropOnList(); };

    ButtonXP4 = button(this, QStringLiteral("添加  "), 3480, 1320, 5);
    ButtonXP3 = button(this, QStringLiteral("移除  "), 3480, 1800, 5);
    ButtonXP5 = button(this, QStringLiteral("全选  "), 3480, 2280, 5);
    ButtonXP9 = button(this, QStringLiteral("全不选   "), 3480, 2760, 5);
    ButtonXP6 = button(this, QStringLiteral("删除  "), 3480, 3240, 5);

    // The search panel covers the middle buttons while it is open.
    Picture1 = new QFrame(this);
    Picture1->setGeometry(twip::rect(3480, 600, 975, 3975));
    Picture1->setFrameShape(QFrame::StyledPanel);
    Picture1->setAutoFillBackground(true);
    // A narrow panel: a smaller font keeps its captions whole.
    QFont small = Picture1->font();
    small.setPointSizeF(qMin<qreal>(small.pointSizeF(), 8.0));
    Picture1->setFont(small);
    auto* scope = new QButtonGroup(Picture1);
    Option4 = option(Picture1, QStringLiteral("全部"), QRect(2, 6, 62, 20));
    Option5 = option(Picture1, QStringLiteral("列表"), QRect(2, 28, 62, 20));
    Option4->setIcon(artwork::icon(artwork::imlRSS(4)));
    Option5->setIcon(artwork::icon(artwork::imlRSS(3)));
    Option4->setIconSize(QSize(12, 12));
    Option5->setIconSize(QSize(12, 12));
    scope->addButton(Option4);
    scope->addButton(Option5);
    Option4->setChecked(true);
    txtName = new QLineEdit(Picture1);
    txtName->setGeometry(3, 58, 58, 22);
    ButtonXP7 = new ButtonXP(QStringLiteral("查 寻  "), Picture1);
    ButtonXP7->setDialogLook();
    ButtonXP7->setGeometry(3, 88, 58, 24);
    ButtonXP8 = new ButtonXP(QStringLiteral("取 消  "), Picture1);
    ButtonXP8->setDialogLook();
    ButtonXP8->setGeometry(3, 118, 58, 24);
    auto* match = new QButtonGroup(Picture1);
    Option7 = option(Picture1, QStringLiteral("模糊查询"), QRect(1, 156, 63, 20));
    Option6 = option(Picture1, QStringLiteral("精确查询"), QRect(1, 180, 63, 20));
    match->addButton(Option7);
    match->addButton(Option6);
    Option7->setChecked(true);
    Picture1->hide();

    auto* modes = new QButtonGroup(this);
    Option1 = option(this, QStringLiteral("自动更新所有频道"), QRect(8, px(5400), 134, 24));
    Option2 = option(this, QStringLiteral("更新自定义频道"), QRect(144, px(5400), 122, 24));
    Option3 = option(this, QStringLiteral("停止更新"), QRect(268, px(5400), 80, 24));
    modes->addButton(Option1);
    modes->addButton(Option2);
    modes->addButton(Option3);
    ButtonXP1 = button(this, QStringLiteral("确  定  "), 5280, 5400);
    ButtonXP2 = button(this, QStringLiteral("取  消  "), 6600, 5400);
    ButtonXP1->setColorScheme(4);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, height() - 20, width(), 20);
    StatusPanel1 = new QLabel(StatusBar1);
    StatusBar1->addWidget(StatusPanel1, 1);

    connect(expand, &QAction::triggered, Tree, &QTreeWidget::expandAll);
    connect(collapse, &QAction::triggered, Tree, &QTreeWidget::collapseAll);
    connect(search, &QAction::triggered, Picture1, &QWidget::show);
    connect(ButtonXP4, &QPushButton::clicked, this, &Form2::addClicked);
    connect(ButtonXP3, &QPushButton::clicked, this, &Form2::removeClicked);
    connect(ButtonXP5, &QPushButton::clicked, this, [this] { checkAll(true); });
    connect(ButtonXP9, &QPushButton::clicked, this, [this] { checkAll(false); });
    connect(ButtonXP6, &QPushButton::clicked, this, &Form2::deleteChecked);
    connect(ButtonXP7, &QPushButton::clicked, this, &Form2::searchClicked);
    connect(ButtonXP8, &QPushButton::clicked, this, &Form2::closeSearchPanel);
    connect(txtName, &QLineEdit::returnPressed, this, &Form2::searchClicked);
    connect(Option4, &QRadioButton::clicked, this, &Form2::scopeChosen);
    connect(Option5, &QRadioButton::clicked, this, &Form2::scopeChosen);
    connect(Option2, &QRadioButton::clicked, this, &Form2::option2Clicked);
    connect(ButtonXP1, &QPushButton::clicked, this, &Form2::okClicked);
    connect(ButtonXP2, &QPushButton::clicked, this, &Form2::cancelClicked);
}

void Form2::showSettings(const UpdateScheduler& scheduler) {
    switch (scheduler.mode) {
    case UpdateScheduler::Mode::AllChannels:
        Option1->setChecked(true);
        break;
    case UpdateScheduler::Mode::CustomList:
        Option2->setChecked(true);
        break;
    case UpdateScheduler::Mode::Stopped:
        Option3->setChecked(true);
        break;
    }
    if (scheduler.position >= 0 && scheduler.position < Combo2->count())
        Combo2->setCurrentIndex(scheduler.position);
}

UpdateScheduler::Mode Form2::chosenMode() const {
    if (Option2->isChecked())
        return UpdateScheduler::Mode::CustomList;
    if (Option3->isChecked())
        return UpdateScheduler::Mode::Stopped;
    return UpdateScheduler::Mode::AllChannels;
}

qint32 Form2::rowCount() const {
    return ListView1->topLevelItemCount();
}

QTreeWidgetItem* Form2::row(qint32 index) const {
    return ListView1->topLevelItem(index - 1);
}

QString Form2::rowKey(qint32 index) const {
    const QTreeWidgetItem* item = row(index);
    return item ? item->data(0, KeyRole).toString() : QString();
}

qint32 Form2::rowByKey(const QString& key) const {
    for (qint32 i = 1; i <= rowCount(); ++i)
        if (rowKey(i) == key)
            return i;
    return 0;
}

void Form2::addRow(const QString& key, const QString& title) {
    auto* item = new QTreeWidgetItem(ListView1);
    item->setText(0, title);
    item->setData(0, KeyRole, key);
    item->setCheckState(0, Qt::Unchecked);
}

void Form2::removeRow(qint32 index) {
    delete row(index);
    listSearch.hitMovedTo(0);
}

QList<QTreeWidgetItem*> Form2::treeNodes() const {
    QList<QTreeWidgetItem*> nodes;
    for (QTreeWidgetItemIterator it(Tree); *it; ++it)
        nodes << *it;
    return nodes;
}

QTreeWidgetItem* Form2::addNode(QTreeWidgetItem* parent, const QString& key, const QString& title,
                                bool folder, const QIcon& icon) {
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(Tree);
    node->setText(0, title);
    node->setData(0, KeyRole, key);
    node->setData(0, kImageRole, folder ? kFolderImage : 3);
    node->setIcon(0, icon);
    node->setForeground(0, folder ? kBlue : kBlack);
    return node;
}

void Form2::clearLists() {
    Tree->clear();
    ListView1->clear();
    treeSearch.reset();
    listSearch.reset();
}

bool Form2::isTopLevel(const QTreeWidgetItem* node) const {
    return node && !node->parent();
}

QColor Form2::kindColour(const QTreeWidgetItem* node) const {
    return node->data(0, kImageRole).toInt() == kFolderImage ? kBlue : kBlack;
}

void Form2::addClicked() {
    QTreeWidgetItem* node = Tree->currentItem();
    if (!node || !node->isSelected() || isTopLevel(node))
        return;
    const QString key = node->data(0, KeyRole).toString();
    m_owner->update(node->text(0), key);
    if (rowByKey(key) == 0)
        addRow(key, node->text(0));
}

void Form2::removeClicked() {
    QTreeWidgetItem* item = ListView1->currentItem();
    if (!item || !item->isSelected())
        return;
    const qint32 index = ListView1->indexOfTopLevelItem(item) + 1;
    m_owner->update2(item->text(0), item->data(0, KeyRole).toString(), qint16(index));
}

void Form2::checkAll(bool checked) {
    for (qint32 i = 1; i <= rowCount(); ++i)
        row(i)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

void Form2::deleteChecked() {
    for (qint32 i = rowCount(); i >= 1; --i) {
        const QTreeWidgetItem* item = row(i);
        if (item && item->checkState(0) == Qt::Checked)
            m_owner->update2(item->text(0), item->data(0, KeyRole).toString(), qint16(i));
    }
}

void Form2::dropOnList() {
    QTreeWidgetItem* node = Tree->currentItem();
    if (!node || isTopLevel(node) || node->data(0, kImageRole).toInt() == kFolderImage)
        return;
    const QString key = node->data(0, KeyRole).toString();
    if (rowByKey(key) != 0) {
        messageBoxes::warn(this, QStringLiteral("此频道已经添加:") + node->text(0));
        return;
    }
    addRow(key, node->text(0));
    m_owner->update(node->text(0), key);
    StatusPanel1->setText(node->text(0));
}

void Form2::option2Clicked() {
    if (m_owner->actUpdateSettings->isEnabled() && rowCount() == 0)
        messageBoxes::warn(this, kEmptyList);
}

void Form2::okClicked() {
    const UpdateScheduler::Mode mode = chosenMode();
    const qint32 position = Combo2->currentIndex();
    if (mode != UpdateScheduler::Mode::Stopped && Combo2->currentText().isEmpty()) {
        messageBoxes::warn(this, kNoInterval);
        return;
    }
    if (mode == UpdateScheduler::Mode::CustomList && rowCount() == 0) {
        messageBoxes::warn(this, kEmptyList);
        return;
    }
    // Stored for every mode, so the choice survives a restart.
    m_owner->update3(QString(), QString(), UpdateScheduler::settingText(position, mode));
    m_owner->objScheduler.apply(mode, position);
    accept();
}

void Form2::cancelClicked() {
    reject();
    showSettings(m_owner->objScheduler); // the mode and interval chosen are dropped
}

void Form2::giveTreeHitColourBack() {
    const QList<QTreeWidgetItem*> nodes = treeNodes();
    if (QTreeWidgetItem* hit = nodes.value(treeSearch.lngHit - 1)) {
        hit->setForeground(0, kindColour(hit));
        hit->setSelected(false);
    }
}

void Form2::giveListHitColourBack() {
    if (QTreeWidgetItem* hit = row(listSearch.lngHit))
        hit->setForeground(0, kBlack);
}

void Form2::searchClicked() {
    const QString text = txtName->text();
    if (text.isEmpty())
        return;
    Timer1.stop();
    const TextSearch::Match match =
        Option6->isChecked() ? TextSearch::Match::Equals : TextSearch::Match::Contains;
    if (Option5->isChecked()) {
        giveListHitColourBack();
        const TextSearch::Step step = listSearch.findNext(
            text, match, rowCount(), [this](qint32 i) { return row(i)->text(0); });
        if (QTreeWidgetItem* hit = row(step.hit)) {
            ListView1->setCurrentItem(hit);
            hit->setSelected(true);
            hit->setForeground(0, kRed);
            Timer1.start();
        }
        return;
    }
    giveTreeHitColourBack();
    const QList<QTreeWidgetItem*> nodes = treeNodes();
    const TextSearch::Step step = treeSearch.findNext(
        text, match, qint32(nodes.size()), [&nodes](qint32 i) { return nodes[i - 1]->text(0); });
    if (QTreeWidgetItem* hit = nodes.value(step.hit - 1)) {
        Tree->setCurrentItem(hit);
        hit->setSelected(true);
        Tree->scrollToItem(hit);
        hit->setForeground(0, kRed);
        Timer1.start();
    }
}

void Form2::blinkTick() {
    QTreeWidgetItem* hit =
        Option5->isChecked() ? row(listSearch.lngHit) : treeNodes().value(treeSearch.lngHit - 1);
    if (hit)
        hit->setSelected(!hit->isSelected());
}

void Form2::closeSearchPanel() {
    Timer1.stop();
    giveTreeHitColourBack();
    Picture1->hide();
}

void Form2::scopeChosen() {
    Timer1.stop();
    giveTreeHitColourBack();
    giveListHitColourBack();
}
