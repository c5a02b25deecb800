// The headline list and the reading pane: single click (summary), double
// click (open), stepping through the headlines, the summary balloon, the
// history and address boxes, and the reading pane's toolbar.

#include "app/NewsPaneRules.h"
#include "app/PaneLayout.h"
#include "app/PanePrinting.h"
#include "app/PaneWidgets.h"
#include "app/frmMain.h"
#include "controls/CTooltip.h"
#include "controls/SpliterBar.h"
#include "core/feed/FeedText.h"
#include "dialogs/PagePropertiesDialog.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QToolBar>
#include <QWebEngineHistory>

#include <functional>

namespace {

// Hands a widget's events to a function; true from it consumes the event.
class EventHook : public QObject {
public:
    EventHook(QObject* parent, std::function<bool(QEvent*)> hook)
        : QObject(parent), m_hook(std::move(hook)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override { return m_hook(event); }

private:
    std::function<bool(QEvent*)> m_hook;
};

QList<QAction*> actionsWithTip(const QToolBar* bar, const QString& tip) {
    QList<QAction*> found;
    for (QAction* action : bar->actions())
        if (action->toolTip() == tip)
            found << action;
    return found;
}

QAction* menuEntry(QAction* button, const QString& text) {
    if (button && button->menu())
        for (QAction* entry : button->menu()->actions())
            if (entry->text() == text)
                return entry;
    return nullptr;
}

int selectedRow(const HeadlineListView* list) {
    QTreeWidgetItem* current = list->currentItem();
    if (!current || !current->isSelected())
        return 0;
    return list->indexOfTopLevelItem(current) + 1;
}

} // namespace

QAction* frmMain::readingCommand(const QString& tip, int n) const {
    return actionsWithTip(Toolbar1, tip).value(n);
}

QAction* frmMain::headlineCommand(const QString& caption) const {
    for (QAction* action : tlbMain->actions())
        if (action->text() == caption)
            return action;
    return nullptr;
}

void frmMain::wireNewsPane() {
    using newsRules::PaneToggle;
    connect(ListView1, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* row) { headlineClicked(row); });
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { headlineDoubleClicked(); });
    ListView1->setMouseTracking(true);
    ListView1->viewport()->setMouseTracking(true);
    ListView1->viewport()->installEventFilter(new EventHook(this, [this](QEvent* event) {
        if (event->type() == QEvent::MouseMove) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            headlineMouseMove(mouse->buttons(), mouse->position().toPoint());
        }
        return false;
    }));

    for (QAction* back : {headlineCommand(QStringLiteral("Back")), command("shangyipd")})
        if (back)
            connect(back, &QAction::triggered, this, &frmMain::previousHeadline);
    for (QAction* next : {headlineCommand(QStringLiteral("Next")), command("xiayipd")})
        if (next)
            connect(next, &QAction::triggered, this, &frmMain::nextHeadline);

    connect(actSummaryTips, &QAction::toggled, this, [this](bool pressed) {
        blnSummaryTips = pressed;
        if (!pressed && objTooltip)
            objTooltip->Destroy();
    });

    // History: only the user's choice navigates; selecting the entry of a
    // headline just opened must not open another address.
    connect(Combo2, &QComboBox::activated, this, &frmMain::historyChosen);

    // Address box: Enter navigates and adds the text; choosing an entry navigates.
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setDuplicatesEnabled(true);
    // Enter is taken here: the box would otherwise see it twice (its line
    // edit passes the key on) and may pick a listed entry itself.
    Combo1->lineEdit()->installEventFilter(new EventHook(this, [this](QEvent* event) {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        addressEntered();
        return true;
    }));
    connect(Combo1, &QComboBox::activated, this, &frmMain::addressChosen);

    QAction* print = readingCommand(QStringLiteral("打印"));
    const auto on = [this](QAction* action, auto slot) {
        if (action)
            connect(action, &QAction::triggered, this, slot);
    };
    on(print, [this] {
        if (m_printing)
            m_printing->print();
    });
    on(menuEntry(print, QStringLiteral("打印")), [this] {
        if (m_printing)
            m_printing->print();
    });
    on(menuEntry(print, QStringLiteral("打印预览")), [this] {
        if (m_printing)
            m_printing->preview();
    });
    on(menuEntry(print, QStringLiteral("页面设置")), [this] {
        if (m_printing)
            m_printing->pageSetup();
    });
    on(readingCommand(QStringLiteral("网页属性")), [this] { showPageProperties(); });
    on(readingCommand(QStringLiteral("扩展页面"), 0),
       [this](bool pressed) { togglePane(int(PaneToggle::Tree), pressed); });
    on(readingCommand(QStringLiteral("扩展页面"), 1),
       [this](bool pressed) { togglePane(int(PaneToggle::List), pressed); });
    on(readingCommand(QStringLiteral("全屏幕显示")),
       [this](bool pressed) { togglePane(int(PaneToggle::FullScreen), pressed); });
    on(readingCommand(QStringLiteral("频道首页/目录")), [this] { goHome(); });
    on(readingCommand(QStringLiteral("后退")), [this] { brwRSS->back(); });
    on(readingCommand(QStringLiteral("前进")), [this] { brwRSS->forward(); });
    on(readingCommand(QStringLiteral("停止")), [this] { brwRSS->stop(); });
    on(readingCommand(QStringLiteral("刷新")), [this] { brwRSS->reload(); });
    on(readingCommand(QStringLiteral("转到")), [this] {
        if (!Combo1->currentText().trimmed().isEmpty())
            brwRSS->navigate(newsRules::typedAddressUrl(Combo1->currentText()).toString());
    });

    wireReadingPane();
}

// What needs the browser itself: printing and the read mark of a redirected
// headline. Runs once the reading pane exists.
void frmMain::wireReadingPane() {
    m_printing = new PanePrinting(brwRSS, this);
    // A headline whose server redirected it still counts as read: mark the
    // address it was opened with as well as where it ended.
    connect(brwRSS, &QWebEngineView::loadFinished, this, [this](bool ok) {
        // A blank pane before the engine runs was opened with nothing else.
        if (!ok || blnLoadingTree || !objProject || !brwRSS->hasEngine())
            return;
        const QUrl requested = brwRSS->history()->currentItem().originalUrl();
        if (requested.isValid() && feedtext::compareForm(requested.toString()) !=
                                       feedtext::compareForm(brwRSS->url().toString())) {
            objProject->markReadRSS(requested.toString());
            refreshCaptions();
        }
    });
}

QString frmMain::rowDescription(int row) const {
    const QListWidgetItem* item = ListView2->item(row);
    return item ? item->text() : QString();
}

void frmMain::showSummary(bool on) {
    Label1->setVisible(on);
    brwRSS->setVisible(!on);
}

void frmMain::headlineClicked(QTreeWidgetItem* row) {
    if (!row)
        return;
    const int index = ListView1->indexOfTopLevelItem(row);
    const QString description = rowDescription(index);
    if (Label1->isVisible() && description.isEmpty()) {
        Label11->clear();
        return;
    }
    if (description.isEmpty() || row->text(0).isEmpty() ||
        newsRules::isEntryRow(ListView1->rowKey(index)))
        return;
    brwRSS->navigate(QStringLiteral("about:blank"));
    showSummary(true);
    // The feed's text as it is: never rendered, so it fetches nothing.
    Label11->setTextFormat(Qt::PlainText);
    Label11->setText(newsRules::summaryText(description));
}

void frmMain::openHeadline(const QString& address) {
    brwRSS->navigate(newsRules::feedAddressUrl(address).toString());
}

void frmMain::headlineDoubleClicked() {
    const int row = selectedRow(ListView1);
    if (row == 0)
        return;
    const QString key = ListView1->rowKey(row - 1);
    if (newsRules::isEntryRow(key)) {
        if (QTreeWidgetItem* node = trvProjects->currentItem())
            showEntry(node->data(0, NodeKeyRole).toString(), node->text(0));
        return;
    }
    if (!newsRules::opensFromFeed(key))
        return; // a javascript: or data: address from a feed is never run
    openHeadline(key);
    showSummary(false);
    ListView1->setRowIcon(row - 1, QStringLiteral("b"));
    recordHistory(ListView1->topLevelItem(row - 1)->text(0), key);
}

void frmMain::recordHistory(const QString& title, const QString& address) {
    QStringList titles;
    for (int i = 0; i < Combo2->count(); ++i)
        titles << Combo2->itemText(i);
    int position = newsRules::historyPosition(titles, title);
    if (position < 0) {
        Combo2->addItem(title);
        List1->addItem(address);
        position = Combo2->count() - 1;
    }
    Combo2->setCurrentIndex(position);
}

void frmMain::historyChosen(int index) {
    const QListWidgetItem* address = List1->item(index);
    if (!address || !newsRules::opensFromFeed(address->text()))
        return;
    openHeadline(address->text());
    showSummary(false);
}

void frmMain::selectRow(qint32 row) {
    const int count = ListView1->topLevelItemCount();
    row = newsRules::clampRow(row, count);
    if (row == 0)
        return;
    QTreeWidgetItem* item = ListView1->topLevelItem(row - 1);
    ListView1->setCurrentItem(item);
    item->setSelected(true);
    ListView1->scrollToItem(item);
    const QString key = ListView1->rowKey(row - 1);
    if (item->text(1).isEmpty()) {
        openInPane(key, item->text(0)); // an entry row opens the entry's page
        return;
    }
    if (!newsRules::opensFromFeed(key))
        return;
    // The read mark goes on headlines only; the pane shows what is opened,
    // not the summary of the row left behind.
    ListView1->setRowIcon(row - 1, QStringLiteral("b"));
    openHeadline(key);
    showSummary(false);
    recordHistory(item->text(0), key);
}

void frmMain::previousHeadline() {
    if (const int row =
            newsRules::previousRow(selectedRow(ListView1), ListView1->topLevelItemCount()))
        selectRow(row);
}

void frmMain::nextHeadline() {
    if (const int row = newsRules::nextRow(selectedRow(ListView1), ListView1->topLevelItemCount()))
        selectRow(row);
}

void frmMain::headlineMouseMove(Qt::MouseButtons buttons, const QPoint& pos) {
    // Dragging a selected row with the left button is the list's own drag.
    if ((buttons & Qt::LeftButton) && selectedRow(ListView1) != 0)
        return;
    if (!objTooltip)
        return;
    if (!blnSummaryTips) {
        objTooltip->Destroy();
        return;
    }
    QTreeWidgetItem* item = ListView1->itemAt(pos);
    const qint32 row = item ? ListView1->indexOfTopLevelItem(item) + 1 : 0;
    if (row == lngHoverRow)
        return;
    lngHoverRow = row;
    if (row == 0) {
        objTooltip->Destroy();
        return;
    }
    const newsRules::HoverTip tip = newsRules::hoverTip(rowDescription(row - 1));
    objTooltip->setTitle(tip.title);
    objTooltip->setTipText(tip.text);
    objTooltip->Create(ListView1->viewport());
}

void frmMain::addressEntered() {
    const QString text = Combo1->currentText();
    if (text.trimmed().isEmpty())
        return; // nothing to open, nothing worth keeping
    brwRSS->navigate(newsRules::typedAddressUrl(text).toString());
    // The entry keeps the text as typed; an address already listed is added again.
    Combo1->addItem(Combo1->itemIcon(0), text);
    Combo1->setEditText(text);
}

void frmMain::addressChosen(int index) {
    if (index >= 0 && index < Combo1->count() && !Combo1->itemText(index).trimmed().isEmpty())
        brwRSS->navigate(newsRules::typedAddressUrl(Combo1->itemText(index)).toString());
}

void frmMain::togglePane(int which, bool pressed) {
    const newsRules::ToggleEffect effect =
        newsRules::paneToggle(newsRules::PaneToggle(which), pressed);
    if (effect.treeButton)
        readingCommand(QStringLiteral("扩展页面"), 0)->setChecked(*effect.treeButton);
    if (effect.listButton)
        readingCommand(QStringLiteral("扩展页面"), 1)->setChecked(*effect.listButton);
    const bool treeOnly = newsRules::PaneToggle(which) == newsRules::PaneToggle::Tree;
    if (treeOnly)
        splVertical->setVisible(false);
    if (effect.spliterLeft)
        splVertical->setSpliterLeft(*effect.spliterLeft);
    if (effect.spliterTop)
        splHorizontal->setSpliterTop(*effect.spliterTop);
    layoutPanes();
    if (treeOnly)
        splVertical->setVisible(true);
    if (effect.raiseToolbar) {
        const PaneLayoutInput bars;
        const int top = newsRules::foldedToolbarTop(bars.tlbMainHeight, bars.lblHeaderHeight,
                                                    splHorizontal->SpliterTop());
        Toolbar1->move(Toolbar1->x(), top / 15);
    }
}

void frmMain::goHome() {
    // Before any channel was opened there is no home: opening nothing would
    // leave the scheduler paused.
    if (!strHomeKey.isEmpty())
        openInPane(strHomeKey, strHomeText);
    showSummary(false);
}

void frmMain::showPageProperties() {
    const QUrl url = brwRSS->url();
    const QString title = brwRSS->title();
    QPointer<frmMain> self(this);
    brwRSS->page()->toHtml([self, url, title](const QString& html) {
        if (!self)
            return;
        auto* dialog = new PagePropertiesDialog(pageFacts(url, title, html.toUtf8().size()), self);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
}
