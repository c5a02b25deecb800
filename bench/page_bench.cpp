// The channel page and the headline rows of a loaded 10,000-item channel,
// against a raw libxml2 parse of the channel's cache file. The channel's own
// load (a parse, measured by fetch_bench) is not part of the measured work.

#include "BenchSupport.h"

#include "core/feed/clsRSS.h"
#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"
#include "support/MemoryLists.h"
#include "support/TestSupport.h"

#include <QCoreApplication>

#include <cstdio>

using namespace benchsupport;

namespace {

testsupport::ProgramDir* g_dir = nullptr;

void BM_PageAndLists(benchmark::State& state) {
    clsProject project;
    const clsItemPtr channel = project.objColItems.Add(
        1, QStringLiteral("bench"), QStringLiteral("http://bench.example/feed"), {}, {});
    testsupport::writeFile(g_dir->file(QStringLiteral("RSS/") + channel->LocalFile()),
                           channelBytes());
    channel->Load(false);
    testsupport::MemoryLists lists;
    testsupport::MemoryPane pane;
    for (auto _ : state) {
        lists.headlines.clear();
        lists.descriptions.clear();
        channel->objRSS.loadList(channel->strKey, lists.lists);
        if (!project.loadHTML(channel->strKey, pane))
            state.SkipWithError("page not written");
    }
}

} // namespace

BENCHMARK(BM_RawParseChannel)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageAndLists)->Repetitions(5)->Unit(benchmark::kMillisecond);
// The baseline again at the end: the fastest of both runs counts.
BENCHMARK(BM_RawParseChannel)->Repetitions(5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testsupport::ProgramDir dir;
    g_dir = &dir;
    return runWithRatios(argc, argv, [](const RatioReporter& reporter) {
        reporter.printRatio("page + lists of a loaded 10,000-item channel / raw parse",
                            "BM_PageAndLists", "BM_RawParseChannel", 1.0);
    });
}
