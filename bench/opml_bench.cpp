// OPML group import: reading a 1,000-outline nested document, making the
// folder and its channels and saving the tree, against a raw libxml2 parse of
// the same document.

#include "BenchSupport.h"

#include "core/opml/OpmlGroup.h"
#include "core/opml/OpmlReader.h"
#include "core/opml/OpmlSource.h"
#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"
#include "platform/XmlDocument.h"
#include "support/TestSupport.h"

#include <QCoreApplication>

using namespace benchsupport;

namespace {

testsupport::ProgramDir* g_dir = nullptr;

// 50 folders, each holding a subfolder and 9 feeds, each subfolder 9 feeds:
// 1,000 outlines, 900 of them feeds, attribute spellings mixed as real
// exports mix them.
const QByteArray& opmlBytes() {
    static const QByteArray bytes = [] {
        QByteArray b = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<opml version=\"2.0\">\n"
                       "<head><title>基准订阅 Benchmark subscriptions</title></head>\n<body>\n";
        int feed = 0;
        const auto feeds = [&](const QByteArray& indent) {
            for (int i = 0; i < 9; ++i, ++feed) {
                const QByteArray n = QByteArray::number(feed);
                b += feed % 2
                         ? indent + "<outline type=\"rss\" text=\"频道 " + n + " Channel " + n +
                               "\" title=\"频道 " + n + "\" xmlUrl=\"http://feeds" + n +
                               ".example/rss.xml\" htmlUrl=\"http://feeds" + n + ".example/\"/>\n"
                         : indent + "<outline xmlURL=\"http://feeds" + n +
                               ".example/atom?x=1&amp;y=2\" TITLE=\"Feed number " + n +
                               "\" type=\"rss\"/>\n";
            }
        };
        for (int f = 0; f < 50; ++f) {
            const QByteArray n = QByteArray::number(f);
            b += "  <outline text=\"文件夹 " + n + "\" title=\"Folder " + n + "\">\n";
            b += "    <outline text=\"Sub " + n + "\">\n";
            feeds("      ");
            b += "    </outline>\n";
            feeds("    ");
            b += "  </outline>\n";
        }
        return b + "</body>\n</opml>\n";
    }();
    return bytes;
}

QString opmlPath() {
    static const QString path = [] {
        const QString p = g_dir->file(QStringLiteral("subscriptions.opml"));
        testsupport::writeFile(p, opmlBytes());
        return p;
    }();
    return path;
}

void BM_RawParseOpml(benchmark::State& state) {
    const QByteArray& bytes = opmlBytes();
    for (auto _ : state)
        rawLibxmlParse(bytes);
}

// The steps of an import, as the main window takes them.
bool readOutline(const QString& source, opml::Outline* outline) {
    XmlDocument document;
    XmlParseError error;
    if (!opml::loadDocument(source, document, error))
        return false;
    *outline = opml::read(document);
    return true;
}

void createGroup(clsProject& project, const opml::Outline& outline) {
    const clsItemPtr folder = project.objColItems.Add(clsItem::Folder, outline.title, {}, {}, {});
    for (const opml::Row& row : outline.rows)
        opml::addChannel(project, folder->strKey, row.address, row.text);
}

QString treeFile() {
    return g_dir->file(QStringLiteral("Data/KestrixRSS.xml"));
}

void BM_ImportOpml(benchmark::State& state) {
    const QString source = opmlPath();
    for (auto _ : state) {
        opml::Outline outline;
        clsProject project;
        if (!readOutline(source, &outline) || outline.rows.size() != 900) {
            state.SkipWithError("read failed");
            break;
        }
        createGroup(project, outline);
        if (!project.Save(treeFile())) {
            state.SkipWithError("save failed");
            break;
        }
    }
}

// The import's steps on their own, to see where its time goes.
void BM_ImportStepRead(benchmark::State& state) {
    const QString source = opmlPath();
    opml::Outline outline;
    for (auto _ : state)
        benchmark::DoNotOptimize(readOutline(source, &outline));
}

void BM_ImportStepCreate(benchmark::State& state) {
    opml::Outline outline;
    readOutline(opmlPath(), &outline);
    for (auto _ : state) {
        clsProject project;
        createGroup(project, outline);
    }
}

void BM_ImportStepTreeText(benchmark::State& state) {
    opml::Outline outline;
    readOutline(opmlPath(), &outline);
    clsProject project;
    createGroup(project, outline);
    for (auto _ : state)
        benchmark::DoNotOptimize(project.toText());
}

void BM_ImportStepSave(benchmark::State& state) {
    opml::Outline outline;
    readOutline(opmlPath(), &outline);
    clsProject project;
    createGroup(project, outline);
    for (auto _ : state)
        project.Save(treeFile());
}

} // namespace

BENCHMARK(BM_ImportStepRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportStepCreate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportStepTreeText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportStepSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawParseOpml)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportOpml)->Repetitions(5)->Unit(benchmark::kMillisecond);
// The baseline again at the end: the fastest of both runs counts.
BENCHMARK(BM_RawParseOpml)->Repetitions(5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testsupport::ProgramDir dir;
    g_dir = &dir;
    return runWithRatios(argc, argv, [](const RatioReporter& reporter) {
        reporter.printRatio("import of a 1,000-outline nested OPML document / raw parse",
                            "BM_ImportOpml", "BM_RawParseOpml", 3.0);
        reporter.printRatio("  its first step, the document read into rows / raw parse",
                            "BM_ImportStepRead", "BM_RawParseOpml", 2.0);
    });
}
