#include "BenchSupport.h"

#include "core/feed/clsRSS.h"
#include "platform/Cp936.h"
#include "platform/XmlDocument.h"

#include <libxml/parser.h>

#include <cstdio>

namespace benchsupport {

void makeFeed(clsRSS& rss, int items, int linkOffset, const QString& dateTag) {
    clsRSSChannel* ch = rss.objColChannels.Add();
    ch->strTitle = QStringLiteral("基准频道 Benchmark channel");
    ch->strURL = QStringLiteral("http://bench.example/");
    ch->strDescription = QStringLiteral("A channel for measuring 测量");
    ch->strLanguage = QStringLiteral("zh-cn");
    for (int i = 0; i < items; ++i) {
        const int n = i + linkOffset;
        clsRSSItem* item = ch->objColItems.Add();
        item->strTitle = QStringLiteral("第 %1 条新闻 headline number %1").arg(n);
        item->strLink = QStringLiteral("http://bench.example/news/%1.html").arg(n);
        item->strAuthor = QStringLiteral("editor@bench.example");
        item->strPubDate = QStringLiteral("Fri, 11 Dec 2026 %1:%2:00 GMT%3")
                               .arg(n / 60 % 24, 2, 10, QLatin1Char('0'))
                               .arg(n % 60, 2, 10, QLatin1Char('0'))
                               .arg(dateTag);
        item->strCategory = QStringLiteral("新闻");
        item->strGuid = item->strLink;
        item->strDescription =
            QStringLiteral("<p>这是第 %1 条新闻的摘要。The summary of item %1 runs for a couple "
                           "of sentences, as real feeds do, with <a href=\"%2\">a link</a>.</p>")
                .arg(n)
                .arg(item->strLink);
        item->intStatus = i % 4 == 0 ? 1 : 0;
    }
}

QByteArray cacheFileBytes(const clsRSS& rss) {
    return cp936::fromUnicode(QStringLiteral("<?xml version='1.0' encoding='GB2312'?>\r\n") +
                              rss.getXML());
}

void rawLibxmlParse(const QByteArray& bytes) {
    // Same encoding set-up as the program's parser (its GB2312 alias), so
    // that only the work after the parse differs.
    static const XmlDocument init;
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    xmlDocPtr doc = xmlCtxtReadMemory(ctxt, bytes.constData(), int(bytes.size()), nullptr, nullptr,
                                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                                          XML_PARSE_COMPACT);
    benchmark::DoNotOptimize(doc);
    xmlFreeDoc(doc);
    xmlFreeParserCtxt(ctxt);
}

const QByteArray& channelBytes() {
    static const QByteArray bytes = [] {
        clsRSS rss;
        makeFeed(rss, 10000);
        return cacheFileBytes(rss);
    }();
    return bytes;
}

void BM_RawParseChannel(benchmark::State& state) {
    const QByteArray& bytes = channelBytes();
    for (auto _ : state)
        rawLibxmlParse(bytes);
}

int runWithRatios(int argc, char** argv, const std::function<void(const RatioReporter&)>& ratios) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nRatios (same run):\n");
    ratios(reporter);
    benchmark::Shutdown();
    return 0;
}

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    // With repetitions, the fastest one counts: it is the least disturbed by
    // the allocator and the other core.
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration || run.error_occurred)
            continue;
        const std::string name =
            run.run_name.function_name +
            (run.run_name.args.empty() ? std::string() : "/" + run.run_name.args);
        const double value =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        const auto it = m_seconds.find(name);
        m_seconds[name] = it == m_seconds.end() ? value : std::min(it->second, value);
    }
    ConsoleReporter::ReportRuns(runs);
}

double RatioReporter::seconds(const std::string& name) const {
    const auto it = m_seconds.find(name);
    return it == m_seconds.end() ? 0.0 : it->second;
}

void RatioReporter::printRatio(const std::string& label, const std::string& a, const std::string& b,
                               double bar) const {
    const double x = seconds(a);
    const double y = seconds(b);
    if (x <= 0 || y <= 0) {
        std::printf("%-58s missing measurement\n", label.c_str());
        return;
    }
    const double ratio = x / y;
    std::printf("%-58s %7.3f  (bar %.2f: %s)\n", label.c_str(), ratio, bar,
                ratio <= bar ? "met" : "NOT MET");
}

} // namespace benchsupport
