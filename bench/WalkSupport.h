#pragma once

// The scheduler's walk over the top-level channels of a tree, driven by
// calling its ticks (no waiting), and a local server in a thread of its own
// serving one feed per channel.

#include "app/UpdateScheduler.h"
#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"
#include "support/TestHttpServer.h"

#include <QSemaphore>
#include <QStringList>
#include <QThread>

#include <functional>

namespace benchsupport {

class WalkHost : public UpdateScheduler::Host {
public:
    explicit WalkHost(clsProject& project) : m_project(project) {}
    qint32 announced = 0;

    qint32 walkCount(bool) override { return m_project.objColItems.Count(); }
    QString walkKey(bool, qint32 position) override {
        const clsItemPtr item = m_project.objColItems.Item(position);
        return item ? item->strKey : QString();
    }
    std::shared_ptr<clsItem> findEntry(const QString& key) override {
        return m_project.objColItems.Search(key);
    }
    QString selectedKey() override { return QString(); }
    void setStatus(const QString&) override {}
    bool merge(clsItem& entry) override { return entry.Merge(); }
    void announce(const QString&) override { ++announced; }
    void showEntry(const QString&) override {}
    void stateChanged() override {}

private:
    clsProject& m_project;
};

// One whole walk: the interval passes, then merge ticks until it is over.
inline void walkOnce(UpdateScheduler& scheduler) {
    scheduler.counter = scheduler.timenew * 60 + 1;
    scheduler.counterTick();
    while (scheduler.mergeOn)
        scheduler.mergeTick();
}

// Serves paths "/feed<i>"; `configure` runs in the server's thread.
class FeedServerThread : public QThread {
public:
    explicit FeedServerThread(std::function<void(TestHttpServer&)> configure)
        : m_configure(std::move(configure)) {}
    QString baseUrl;
    TestHttpServer* server = nullptr;
    QSemaphore ready;

    // Runs `call` in the server's thread and waits for it.
    void inServer(const std::function<void(TestHttpServer&)>& call) {
        QMetaObject::invokeMethod(
            server, [this, &call] { call(*server); }, Qt::BlockingQueuedConnection);
    }

protected:
    void run() override {
        TestHttpServer s;
        server = &s;
        m_configure(s);
        baseUrl = s.url("");
        ready.release();
        exec();
        server = nullptr;
    }

private:
    std::function<void(TestHttpServer&)> m_configure;
};

} // namespace benchsupport
