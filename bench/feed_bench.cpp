// Feed documents: parse, merge and cache text, against a raw libxml2 parse.

#include "BenchSupport.h"

#include "core/feed/clsRSS.h"
#include "platform/XmlDocument.h"

#include <libxml/parser.h>

#include <cstdio>

using namespace benchsupport;

namespace {

QByteArray& storedBytes(int items) {
    static std::map<int, QByteArray> cache;
    QByteArray& bytes = cache[items];
    if (bytes.isEmpty()) {
        clsRSS rss;
        makeFeed(rss, items);
        bytes = cacheFileBytes(rss);
    }
    return bytes;
}

void parseInto(clsRSS& rss, const QByteArray& bytes) {
    XmlDocument doc;
    doc.loadBytes(bytes);
    rss.parseXML(doc);
}

// A member-by-member copy, so that each merge starts from the same stored copy
// without a parse (and its allocator churn) right before the timed part.
void copyFeed(clsRSS& to, const clsRSS& from) {
    for (const auto& channel : from.objColChannels) {
        clsRSSChannel* c = to.objColChannels.Add();
        c->copyFieldsFrom(*channel);
        c->strCopyright = channel->strCopyright;
        for (const auto& item : channel->objColItems) {
            clsRSSItem* i = c->objColItems.Add();
            i->copyTextsFrom(*item);
            i->intStatus = item->intStatus;
        }
    }
}

void BM_RawParse(benchmark::State& state) {
    const QByteArray& bytes = storedBytes(int(state.range(0)));
    for (auto _ : state)
        rawLibxmlParse(bytes);
}

void BM_ParseCacheFile(benchmark::State& state) {
    const QByteArray& bytes = storedBytes(int(state.range(0)));
    for (auto _ : state) {
        clsRSS rss;
        parseInto(rss, bytes);
        benchmark::DoNotOptimize(rss.objColChannels.Count());
    }
}

// 500 fresh items: 250 already stored (half with a new date), 250 new.
void BM_Merge500(benchmark::State& state) {
    const int stored = int(state.range(0));
    clsRSS fresh;
    makeFeed(fresh, 500, stored - 250, QString());
    for (int i = 1; i <= 125; ++i)
        fresh.objColChannels.Item(1)->objColItems.Item(i)->strPubDate += QStringLiteral(" new");
    clsRSS prototype;
    parseInto(prototype, storedBytes(stored));
    for (auto _ : state) {
        state.PauseTiming();
        auto rss = std::make_unique<clsRSS>();
        copyFeed(*rss, prototype);
        state.ResumeTiming();
        benchmark::DoNotOptimize(rss->mergeFresh(fresh));
        state.PauseTiming();
        rss.reset();
        state.ResumeTiming();
    }
}

void BM_GetXML(benchmark::State& state) {
    clsRSS rss;
    parseInto(rss, storedBytes(int(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(rss.getXML().size());
}

} // namespace

BENCHMARK(BM_RawParse)->Arg(10000)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseCacheFile)->Arg(10000)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Merge500)->Arg(10000)->Arg(20000)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetXML)->Arg(10000)->Repetitions(5)->Unit(benchmark::kMillisecond);
// The baseline again at the end: the fastest of both runs counts.
BENCHMARK(BM_RawParse)->Arg(10000)->Repetitions(5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return runWithRatios(argc, argv, [](const RatioReporter& reporter) {
        reporter.printRatio("parse 10,000-item cache file / raw parse", "BM_ParseCacheFile/10000",
                            "BM_RawParse/10000", 2.0);
        reporter.printRatio("merge 500 into 10,000 / raw parse of stored", "BM_Merge500/10000",
                            "BM_RawParse/10000", 0.5);
        reporter.printRatio("merge into 20,000 / merge into 10,000", "BM_Merge500/20000",
                            "BM_Merge500/10000", 2.4);
        reporter.printRatio("getXML of 10,000 items / raw parse", "BM_GetXML/10000",
                            "BM_RawParse/10000", 1.0);
    });
}
