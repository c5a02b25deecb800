// The update scheduler in the main window: its three timers, the update
// commands and header buttons, the settings dialog, the pop-up, and the
// settings stored on the channel entries.

#include "app/frmMain.h"

#include "app/PaneWidgets.h"
#include "core/tree/clsItem.h"
#include "dialogs/Form2.h"
#include "dialogs/frmAlert.h"

#include <QAction>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <functional>

namespace {

QTreeWidgetItem* treeNodeAt(QTreeWidget* tree, qint32 position) {
    qint32 i = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if (++i == position)
            return *it;
    return nullptr;
}

void forEachChannel(const colItems& items, const std::function<void(clsItem&)>& visit) {
    for (const clsItemPtr& item : items) {
        if (item->intType == clsItem::Folder)
            forEachChannel(item->objColItems, visit);
        else if (item->intType == clsItem::RssChannel)
            visit(*item);
    }
}

void runTimer(QTimer& timer, bool on) {
    if (on && !timer.isActive())
        timer.start();
    else if (!on && timer.isActive())
        timer.stop();
}

} // namespace

class frmMain::SchedulerHost : public UpdateScheduler::Host {
public:
    explicit SchedulerHost(frmMain& window) : w(window) {}
    ~SchedulerHost() override {
        delete w.objAlert.data(); // a top-level window of its own, not a child
    }

    qint32 walkCount(bool customList) override {
        if (customList)
            return w.objForm2 ? w.objForm2->rowCount() : 0;
        qint32 n = 0;
        for (QTreeWidgetItemIterator it(w.trvProjects); *it; ++it)
            ++n;
        return n;
    }
    QString walkKey(bool customList, qint32 position) override {
        if (customList)
            return w.objForm2 ? w.objForm2->rowKey(position) : QString();
        return frmMain::nodeKey(treeNodeAt(w.trvProjects, position));
    }
    std::shared_ptr<clsItem> findEntry(const QString& key) override {
        if (key.isEmpty() || !w.objProject)
            return nullptr;
        return w.objProject->objColItems.Search(key);
    }
    QString selectedKey() override { return frmMain::nodeKey(w.trvProjects->currentItem()); }
    void setStatus(const QString& text) override { w.setStatus(text); }
    bool merge(clsItem& entry) override {
        // A merge empties the entry's feed document; a channel that was
        // loaded (shown in the lists) is read again, so that read marks made
        // from its headlines still find it.
        const bool wasLoaded = entry.objRSS.objColChannels.Count() > 0;
        const bool news = entry.Merge();
        if (wasLoaded && !entry.isRemoved())
            entry.Load(false);
        return news;
    }
    void announce(const QString& title) override { w.announce(title); }
    void showEntry(const QString& key) override {
        QTreeWidgetItem* node = w.nodeByKey(key);
        if (node)
            w.showEntry(key, node->text(0));
    }
    void stateChanged() override { w.syncScheduler(); }

private:
    frmMain& w;
};

void frmMain::wireScheduler() {
    m_schedulerHost = std::shared_ptr<SchedulerHost>(new SchedulerHost(*this));
    objScheduler.setHost(m_schedulerHost.get());
    objForm2 = new Form2(this);

    connect(&Timer1, &QTimer::timeout, this, [this] { objScheduler.counterTick(); });
    connect(&tmrMergeRSS, &QTimer::timeout, this, [this] { objScheduler.mergeTick(); });
    connect(&Timer2, &QTimer::timeout, this, [this] { objScheduler.singleTick(); });
    for (const char* name : {"gengxin", "xingengxin"})
        if (QAction* a = command(name))
            connect(a, &QAction::triggered, this, [this] { objScheduler.requestSingleUpdate(); });
    connect(actUpdateSettings, &QAction::triggered, this, &frmMain::showUpdateSettings);
    connect(actStopUpdates, &QAction::triggered, this, [this](bool pressed) {
        if (pressed)
            objScheduler.stopPressed();
        else
            objScheduler.stopReleased();
        // The choice is kept like one made in the settings dialog.
        update3(QString(), QString(),
                UpdateScheduler::settingText(objScheduler.position, objScheduler.mode));
    });
}

void frmMain::syncScheduler() {
    const UpdateScheduler& s = objScheduler;
    runTimer(Timer1, s.counterOn);
    runTimer(tmrMergeRSS, s.mergeOn);
    runTimer(Timer2, s.singleOn);
    Timer1.setProperty("tag", QString::number(s.counter));
    if (actStopUpdates) {
        const QSignalBlocker quiet(actStopUpdates);
        actStopUpdates->setChecked(s.mode == UpdateScheduler::Mode::Stopped);
    }
    if (objForm2 && !objForm2->isVisible())
        objForm2->showSettings(s);
}

void frmMain::fillSettingsTree() {
    if (objForm2 && objProject) {
        objForm2->clearLists();
        fillSettingsLevel(nullptr, objProject->objColItems);
    }
    syncScheduler();
    actUpdateSettings->setEnabled(true);
    showMaximized();
}

void frmMain::fillSettingsLevel(QTreeWidgetItem* parent, const colItems& items) {
    for (const clsItemPtr& item : items) {
        if (item->strKey.isEmpty())
            continue;
        if (item->intType == clsItem::Folder) {
            QTreeWidgetItem* node = objForm2->addNode(parent, item->strKey, item->strTitle, true,
                                                      QIcon(imlRSS1.value(3)));
            fillSettingsLevel(node, item->objColItems);
        } else if (item->intType == clsItem::RssChannel) {
            if (!item->newsup.isEmpty())
                objForm2->addRow(item->strKey, item->strTitle);
            objScheduler.restore(item->newstime);
            objForm2->addNode(parent, item->strKey, item->strTitle, false, QIcon(imlRSS1.value(2)));
        }
    }
}

void frmMain::showUpdateSettings() {
    if (!objForm2)
        return;
    objForm2->showSettings(objScheduler);
    objForm2->exec();
    syncScheduler();
}

void frmMain::announce(const QString& title) {
    // One shared pop-up: a second announcement while it shows starts it over.
    frmAlert::shared(objAlert)->DisplayMessage(title, 4, true, true, false);
}

void frmMain::update(const QString& /*Title*/, const QString& urlkey) {
    const clsItemPtr entry = objProject ? objProject->objColItems.Search(urlkey) : nullptr;
    if (!entry)
        return; // deleted meanwhile: nothing to store
    entry->newsup = QStringLiteral("11");
    saveTree();
}

void frmMain::update2(const QString& /*Title*/, const QString& urlkey, qint16 num) {
    const clsItemPtr entry = objProject ? objProject->objColItems.Search(urlkey) : nullptr;
    if (entry) {
        entry->newsup.clear();
        saveTree();
    }
    if (!objForm2)
        return;
    // The row is removed even when its channel left the tree: it names nothing.
    const qint32 row = objForm2->rowKey(num) == urlkey ? num : objForm2->rowByKey(urlkey);
    if (row > 0)
        objForm2->removeRow(row);
    if (objForm2->rowCount() > 0)
        return;
    objForm2->Option1->setChecked(true);
    // An empty custom list walks nothing: all channels are updated instead.
    if (objScheduler.mode == UpdateScheduler::Mode::CustomList) {
        objScheduler.mode = UpdateScheduler::Mode::AllChannels;
        update3(QString(), QString(),
                UpdateScheduler::settingText(objScheduler.position, objScheduler.mode));
    }
}

void frmMain::update3(const QString& /*Title*/, const QString& /*urlkey*/, const QString& time) {
    if (!objProject)
        return;
    // Every channel carries the setting, so it survives whatever the shape
    // of the tree and whichever channels are deleted.
    bool any = false;
    forEachChannel(objProject->objColItems, [&](clsItem& channel) {
        channel.newstime = time;
        any = true;
    });
    if (any)
        saveTree();
}
