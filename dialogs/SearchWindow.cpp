#include "dialogs/SearchWindow.h"

#include "controls/ButtonXP.h"
#include "controls/Twips.h"
#include "dialogs/ItemOrder.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QTreeWidget>

namespace {

using twip::px;

const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);
const QColor kDarkRed(128, 0, 0);
const QColor kDarkBlue(0, 0, 128);

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

const QColor SearchWindow::kHitColour(255, 0, 0);

SearchWindow::SearchWindow(QTreeWidget* view, const Layout& layout, QWidget* parent)
    : QDialog(parent), m_view(view) {
    setWindowTitle(layout.caption);
    setFixedSize(px(layout.widthTwips), px(layout.heightTwips));

    fraProperties = new QGroupBox(QStringLiteral(" 频道检索 "), this);
    fraProperties->setGeometry(twip::rect(120, layout.frameTop, 4965, 765));
    setTextColour(fraProperties, kDarkRed);
    lblName = new QLabel(QStringLiteral("查询名称:"), fraProperties);
    lblName->setGeometry(twip::rect(180, 360, 900, 270));
    setTextColour(lblName, kDarkBlue);
    txtName = new QLineEdit(fraProperties);
    txtName->setGeometry(twip::rect(1110, 330, 3705, 330));
    QPalette black = txtName->palette();
    black.setColor(QPalette::Text, kBlack);
    txtName->setPalette(black);

    Option1 = new QRadioButton(QStringLiteral("模糊查询"), this);
    Option1->setGeometry(twip::rect(120, layout.option1Top, 1455, 270));
    Option1->setChecked(true);
    Option2 = new QRadioButton(QStringLiteral("精确查询"), this);
    Option2->setGeometry(twip::rect(120, layout.option2Top, 1455, 270));

    ButtonXP1 = new ButtonXP(QStringLiteral("查  找  "), this);
    ButtonXP1->setGeometry(twip::rect(2640, layout.buttonTop, 1095, 375));
    ButtonXP1->setDialogLook();
    ButtonXP1->setDefault(true); // Enter in the text box searches
    ButtonXP2 = new ButtonXP(QStringLiteral("取  消  "), this);
    ButtonXP2->setGeometry(twip::rect(3960, layout.buttonTop, 1095, 375));
    ButtonXP2->setDialogLook();
    connect(ButtonXP1, &QPushButton::clicked, this, &SearchWindow::find);
    connect(ButtonXP2, &QPushButton::clicked, this, &QDialog::reject);

    Timer1.setInterval(300);
    connect(&Timer1, &QTimer::timeout, this, &SearchWindow::blink);
}

SearchWindow::~SearchWindow() {
    Timer1.stop();
}

QTreeWidgetItem* SearchWindow::hitItem() const {
    if (!m_view || !m_hitIndex.isValid())
        return nullptr;
    return ItemOrder::itemOf(m_view, m_hitIndex);
}

void SearchWindow::restoreHit(bool beforeSearch) {
    if (QTreeWidgetItem* item = hitItem())
        giveColourBack(item, beforeSearch);
}

void SearchWindow::relocateHit(const QList<QTreeWidgetItem*>& items) {
    if (m_search.lngHit == 0)
        return;
    QTreeWidgetItem* item = hitItem();
    const qsizetype at = item ? items.indexOf(item) : -1;
    if (at < 0)
        m_hitIndex = QPersistentModelIndex();
    m_search.hitMovedTo(at < 0 ? 0 : qint32(at + 1));
}

void SearchWindow::rememberHit(QTreeWidgetItem* item) {
    m_hitIndex = QPersistentModelIndex(ItemOrder::indexOf(m_view, item));
}

void SearchWindow::find() {
    const QString text = txtName->text();
    if (text.isEmpty() || !m_view)
        return;
    const QList<QTreeWidgetItem*> items = walk();
    relocateHit(items);
    Timer1.stop();
    restoreHit(true);
    const TextSearch::Match mode =
        Option2->isChecked() ? TextSearch::Match::Equals : TextSearch::Match::Contains;
    const TextSearch::Step step = m_search.findNext(
        text, mode, qint32(items.size()), [&items](qint32 i) { return items.at(i - 1)->text(0); });
    if (step.hit == 0)
        return;
    QTreeWidgetItem* item = items.at(step.hit - 1);
    item->setForeground(0, kHitColour);
    rememberHit(item);
    // Selecting may run the view's handlers: look the hit up again afterwards.
    m_view->setCurrentItem(item);
    if (QTreeWidgetItem* still = hitItem())
        m_view->scrollToItem(still);
    Timer1.start();
}

void SearchWindow::blink() {
    if (QTreeWidgetItem* item = hitItem())
        item->setSelected(!item->isSelected());
}

void SearchWindow::done(int result) {
    if (!m_closed) {
        m_closed = true;
        Timer1.stop();
        restoreHit(false);
        afterClosing(hitItem());
    }
    QDialog::done(result);
}

void SearchWindow::showEvent(QShowEvent* event) {
    // Shown again after closing: a fresh start, as when first opened.
    if (m_closed) {
        m_closed = false;
        m_search.reset();
        m_hitIndex = QPersistentModelIndex();
    }
    QDialog::showEvent(event);
}

// Form1 --------------------------------------------------------------------

Form1::Form1(QTreeWidget* tree, QWidget* parent)
    : SearchWindow(tree, {QStringLiteral("检索"), 5175, 1770, 240, 1080, 1440, 1200}, parent) {
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);
    setModal(false);
    ItemOrder::track(tree);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->geometry().center());
        move(frame.topLeft());
    }
}

QList<QTreeWidgetItem*> Form1::walk() const {
    return ItemOrder::allInAddedOrder(view());
}

void Form1::giveColourBack(QTreeWidgetItem* item, bool beforeSearch) {
    item->setForeground(0, item->parent() ? kBlack : kBlue);
    if (beforeSearch)
        item->setSelected(false);
}

// RSSCHA -------------------------------------------------------------------

RSSCHA::RSSCHA(QTreeWidget* list, QWidget* parent)
    : SearchWindow(list, {QStringLiteral("RSS频道检索"), 5220, 1680, 120, 960, 1320, 1080},
                   parent) {
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

QList<QTreeWidgetItem*> RSSCHA::walk() const {
    return ItemOrder::topLevel(view());
}

void RSSCHA::giveColourBack(QTreeWidgetItem* item, bool) {
    item->setForeground(0, kBlack);
}

void RSSCHA::afterClosing(QTreeWidgetItem* lastHit) {
    if (lastHit && view())
        view()->setCurrentItem(lastHit);
}
