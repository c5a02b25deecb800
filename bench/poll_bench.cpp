// Polite polling: the scheduler's walk over 200 channels whose feeds have not
// changed, served by a local server. The first walk of a run fetches every
// body; the second sends the remembered validators back and gets 304s. Times
// are this thread's CPU time (the server runs in a thread of its own).

#include "BenchSupport.h"
#include "WalkSupport.h"

#include "core/feed/clsRSS.h"
#include "platform/Transfer.h"
#include "support/TestSupport.h"

#include <QCoreApplication>

#include <cstdio>
#include <ctime>

using namespace benchsupport;

namespace {

constexpr int kChannels = 200;
constexpr int kItems = 40;

struct Fixture {
    testsupport::ProgramDir dir;
    FeedServerThread server{[](TestHttpServer& s) {
        clsRSS rss;
        makeFeed(rss, kItems);
        TestHttpServer::Response r;
        r.body = cacheFileBytes(rss);
        for (int i = 0; i < kChannels; ++i) {
            r.headers = {{"ETag", "\"feed-" + QByteArray::number(i) + "-1\""}};
            s.setResponse("/feed" + QByteArray::number(i), r);
        }
    }};
    clsProject project;
    WalkHost host{project};
    UpdateScheduler scheduler;
    QStringList urls;

    Fixture() {
        server.start();
        server.ready.acquire();
        for (int i = 0; i < kChannels; ++i) {
            urls << server.baseUrl + QStringLiteral("/feed%1").arg(i);
            project.objColItems.Add(1, QStringLiteral("channel %1").arg(i), urls.last(), {}, {});
        }
        scheduler.setHost(&host);
        walkOnce(scheduler); // the stored copies, from an earlier run
    }
    ~Fixture() {
        server.quit();
        server.wait();
    }
    // A new run: nothing remembered.
    void forgetValidators() {
        for (const QString& url : urls)
            Transfer::shared().settleValidators(url, false);
    }
    int bodiesSent() {
        int n = 0;
        server.inServer([&n](TestHttpServer& s) {
            for (int i = 0; i < kChannels; ++i)
                n += s.bodyCount("/feed" + QByteArray::number(i));
        });
        return n;
    }
};

Fixture* g_fixture = nullptr;

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double timedWalk(Fixture& f) {
    const double start = threadCpuSeconds();
    walkOnce(f.scheduler);
    return threadCpuSeconds() - start;
}

void BM_FirstWalk(benchmark::State& state) {
    Fixture& f = *g_fixture;
    int bodies = 0;
    for (auto _ : state) {
        f.forgetValidators();
        const int before = f.bodiesSent();
        state.SetIterationTime(timedWalk(f));
        bodies = f.bodiesSent() - before;
    }
    state.counters["bodies"] = bodies;
    state.counters["announced"] = f.host.announced;
}

void BM_SecondWalk(benchmark::State& state) {
    Fixture& f = *g_fixture;
    int bodies = 0;
    for (auto _ : state) {
        state.PauseTiming();
        f.forgetValidators();
        walkOnce(f.scheduler);
        const int before = f.bodiesSent();
        state.ResumeTiming();
        state.SetIterationTime(timedWalk(f));
        bodies = f.bodiesSent() - before;
    }
    state.counters["bodies"] = bodies;
    state.counters["announced"] = f.host.announced;
}

} // namespace

BENCHMARK(BM_FirstWalk)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SecondWalk)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Fixture fixture;
    g_fixture = &fixture;
    return runWithRatios(argc, argv, [](const RatioReporter& reporter) {
        reporter.printRatio("CPU of a walk over 200 unchanged feeds: second / first",
                            "BM_SecondWalk", "BM_FirstWalk", 0.2);
    });
}
