#include "app/PaneWidgets.h"

#include "app/Artwork.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QUrl>

namespace {

artwork::Picture pictureForKey(const QString& key) {
    // ImageList1 keys: "a" image 1, "d" 10, "b" 18, "e" 19, "c" 20.
    static const QHash<QString, int> images = {{QStringLiteral("a"), 1},
                                               {QStringLiteral("d"), 10},
                                               {QStringLiteral("b"), 18},
                                               {QStringLiteral("e"), 19},
                                               {QStringLiteral("c"), 20}};
    return artwork::imageList1(images.value(key, 0));
}

} // namespace

HeadlineListView::HeadlineListView(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(2);
    setHeaderLabels({QStringLiteral("标题"), QStringLiteral("时间")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setStretchLastSection(false);
}

void HeadlineListView::clear() {
    QTreeWidget::clear();
    m_keys.clear();
    m_last = nullptr;
}

bool HeadlineListView::addRow(const QString& key, const QString& text, const QString& smallIcon) {
    if (!key.isEmpty() && m_keys.contains(key))
        return false;
    auto* item = new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setData(0, KeyRole, key);
    item->setData(0, IconKeyRole, smallIcon);
    item->setIcon(0, QIcon(artwork::pixmap(pictureForKey(smallIcon), 16)));
    if (!key.isEmpty())
        m_keys.insert(key, item);
    m_last = item;
    return true;
}

void HeadlineListView::setColumn2(const QString& text) {
    if (m_last)
        m_last->setText(1, text);
}

QString HeadlineListView::rowKey(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(0, KeyRole).toString() : QString();
}

QString HeadlineListView::rowIconKey(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(0, IconKeyRole).toString() : QString();
}

void HeadlineListView::setRowIcon(int row, const QString& smallIcon) {
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        item->setData(0, IconKeyRole, smallIcon);
        item->setIcon(0, QIcon(artwork::pixmap(pictureForKey(smallIcon), 16)));
    }
}

ReadingPane::ReadingPane(QWidget* parent) : QWebEngineView(parent) {}

void ReadingPane::navigate(const QString& pathOrAddress) {
    m_last = pathOrAddress;
    const QFileInfo file(pathOrAddress);
    if (file.isAbsolute() && file.exists())
        load(QUrl::fromLocalFile(pathOrAddress));
    else
        load(QUrl::fromUserInput(pathOrAddress));
}
