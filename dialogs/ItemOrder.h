#pragma once

// The order in which the items of a tree view were added. A view keeps its
// nodes in tree order, but the search windows walk them as they were added:
// a node added during the run comes last, wherever it sits in the tree.
// Every item added to a tracked view gets a serial number from one counter
// per process, so a number is never given twice.

#include <QList>
#include <QModelIndex>

class QTreeWidget;
class QTreeWidgetItem;

namespace ItemOrder {

// Starts numbering the items added to `view` from now on; items it already
// holds are numbered first, in tree order. Calling it again does nothing.
void track(QTreeWidget* view);

// The item's serial number; 0 when it was never numbered.
qint64 serial(const QTreeWidgetItem* item);

// Every item of the view (at any depth) in the order it was added.
QList<QTreeWidgetItem*> allInAddedOrder(const QTreeWidget* view);

// The top-level items (the rows of a list) in row order.
QList<QTreeWidgetItem*> topLevel(const QTreeWidget* view);

// Where an item sits in the view's model, and the item at such a place: the
// view hands these out only to itself. Invalid index / null when there is none.
QModelIndex indexOf(const QTreeWidget* view, const QTreeWidgetItem* item);
QTreeWidgetItem* itemOf(const QTreeWidget* view, const QModelIndex& index);

} // namespace ItemOrder
