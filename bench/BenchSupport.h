#pragma once

// Shared pieces of the benchmark programs: synthetic feeds, the raw libxml2
// baseline, and a reporter that prints ratios between measured cases.

#include <QByteArray>
#include <QString>

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>

class clsRSS;

namespace benchsupport {

// A stored copy with `items` items in one channel; every fourth item read.
// `linkOffset` shifts the item numbers (to make fresh copies that overlap).
void makeFeed(clsRSS& rss, int items, int linkOffset = 0, const QString& dateTag = QString());
// The feed's cache file bytes, as the program writes them.
QByteArray cacheFileBytes(const clsRSS& rss);

// Baseline: a raw libxml2 DOM parse of the bytes, read and freed.
void rawLibxmlParse(const QByteArray& bytes);

// The cache file of a 10,000-item channel, made once.
const QByteArray& channelBytes();
// The baseline of the channel benchmarks: a raw parse of channelBytes().
void BM_RawParseChannel(benchmark::State& state);

class RatioReporter;
// Runs the registered benchmarks, then prints the ratios `ratios` asks for.
int runWithRatios(int argc, char** argv, const std::function<void(const RatioReporter&)>& ratios);

// Collects the real time per iteration of every benchmark by name.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    double seconds(const std::string& name) const;
    // Prints "label: a / b = ratio (bar)" and whether the bar is met.
    void printRatio(const std::string& label, const std::string& a, const std::string& b,
                    double bar) const;

private:
    std::map<std::string, double> m_seconds;
};

} // namespace benchsupport
