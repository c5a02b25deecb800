#include "dialogs/ItemOrder.h"

#include <QAbstractItemModel>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>

namespace {

constexpr int kSerialRole = Qt::UserRole + 100;
constexpr const char* kTrackedProperty = "quillfeedItemOrder";

qint64 nextSerial() {
    static qint64 counter = 0;
    return ++counter;
}

// Numbers the item and any of its children that have no number yet (items
// built with their children before being put into the view).
void number(QTreeWidgetItem* item) {
    if (!item)
        return;
    if (ItemOrder::serial(item) == 0)
        item->setData(0, kSerialRole, nextSerial());
    for (int i = 0; i < item->childCount(); ++i)
        number(item->child(i));
}

QTreeWidgetItem* itemAt(QTreeWidget* view, const QModelIndex& parent, int row) {
    if (!parent.isValid())
        return view->topLevelItem(row);
    QTreeWidgetItem* item = ItemOrder::itemOf(view, parent);
    return item ? item->child(row) : nullptr;
}

} // namespace

namespace ItemOrder {

void track(QTreeWidget* view) {
    if (!view || view->property(kTrackedProperty).toBool())
        return;
    view->setProperty(kTrackedProperty, true);
    for (int i = 0; i < view->topLevelItemCount(); ++i)
        number(view->topLevelItem(i));
    QObject::connect(view->model(), &QAbstractItemModel::rowsInserted, view,
                     [view](const QModelIndex& parent, int first, int last) {
                         for (int row = first; row <= last; ++row)
                             number(itemAt(view, parent, row));
                     });
}

qint64 serial(const QTreeWidgetItem* item) {
    return item ? item->data(0, kSerialRole).toLongLong() : 0;
}

QList<QTreeWidgetItem*> allInAddedOrder(const QTreeWidget* view) {
    QList<QTreeWidgetItem*> items;
    if (!view)
        return items;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(view)); *it; ++it)
        items.append(*it);
    // Stable: items never numbered keep their tree order, ahead of the rest.
    std::stable_sort(
        items.begin(), items.end(),
        [](const QTreeWidgetItem* a, const QTreeWidgetItem* b) { return serial(a) < serial(b); });
    return items;
}

QModelIndex indexOf(const QTreeWidget* view, const QTreeWidgetItem* item) {
    if (!view || !item || item->treeWidget() != view)
        return {};
    // The chain of rows from the top down.
    QList<int> rows;
    for (const QTreeWidgetItem* i = item; i; i = i->parent())
        rows.prepend(i->parent() ? i->parent()->indexOfChild(const_cast<QTreeWidgetItem*>(i))
                                 : view->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(i)));
    QModelIndex index;
    for (int row : rows)
        index = view->model()->index(row, 0, index);
    return index;
}

QTreeWidgetItem* itemOf(const QTreeWidget* view, const QModelIndex& index) {
    if (!view || !index.isValid() || index.model() != view->model())
        return nullptr;
    QList<int> rows;
    for (QModelIndex i = index; i.isValid(); i = i.parent())
        rows.prepend(i.row());
    QTreeWidgetItem* item = view->topLevelItem(rows.value(0, -1));
    for (int k = 1; item && k < rows.size(); ++k)
        item = item->child(rows[k]);
    return item;
}

QList<QTreeWidgetItem*> topLevel(const QTreeWidget* view) {
    QList<QTreeWidgetItem*> items;
    if (!view)
        return items;
    items.reserve(view->topLevelItemCount());
    for (int i = 0; i < view->topLevelItemCount(); ++i)
        items.append(view->topLevelItem(i));
    return items;
}

} // namespace ItemOrder
