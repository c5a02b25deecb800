// Soak of the update loop: the scheduler's walk (ticks called directly, no
// waiting) over 200 channels served by a local server whose feeds gain 5
// items per walk, for 100 walks, with items marked read and deleted between
// walks. Prints whether every state set is still there, whether any stored
// copy lost an item, the memory growth per stored item, and any file left
// beside the stored copies. A benchmark, not a test:
//   ./bench/soak [walks] [channels]

#include "WalkSupport.h"

#include "core/feed/clsRSS.h"
#include "platform/Transfer.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>

#include <cstdio>
#include <vector>

using namespace benchsupport;

namespace {

constexpr int kItemsPerWalk = 5;
constexpr int kWindow = 50; // items a feed shows, newest last

QByteArray link(int channel, int item) {
    return "http://soak.example/" + QByteArray::number(channel) + "/" + QByteArray::number(item);
}

// The feed of a channel once `items` items were published: the last kWindow.
QByteArray feedBody(int channel, int items) {
    QByteArray body = "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>Soak " +
                      QByteArray::number(channel) + "</title><link>http://soak.example/</link>";
    for (int i = qMax(0, items - kWindow); i < items; ++i)
        body += "<item><title>Item " + QByteArray::number(i) + "</title><link>" + link(channel, i) +
                "</link><description>Story " + QByteArray::number(i) + " of channel " +
                QByteArray::number(channel) +
                ", long enough to look like a summary.</description><pubDate>" +
                QByteArray::number(i) + "</pubDate></item>";
    return body + "</channel></rss>";
}

qint64 residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * 4096;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int walks = argc > 1 ? QByteArray(argv[1]).toInt() : 100;
    const int channels = argc > 2 ? QByteArray(argv[2]).toInt() : 200;
    testsupport::ProgramDir dir;

    int published = kItemsPerWalk;
    const auto publish = [&](TestHttpServer& s) {
        for (int c = 0; c < channels; ++c) {
            TestHttpServer::Response r;
            r.body = feedBody(c, published);
            r.headers = {{"ETag", "\"" + QByteArray::number(c) + "-" +
                                      QByteArray::number(published) + "\""}};
            s.setResponse("/feed" + QByteArray::number(c), r);
        }
    };
    FeedServerThread server(publish);
    server.start();
    server.ready.acquire();

    clsProject project;
    for (int c = 0; c < channels; ++c)
        project.objColItems.Add(1, QStringLiteral("Soak %1").arg(c),
                                server.baseUrl + QStringLiteral("/feed%1").arg(c), {}, {});
    WalkHost host(project);
    UpdateScheduler scheduler;
    scheduler.setHost(&host);

    // Expected state of every item a mark was set on (-1: none), by channel
    // and item number; made at full size before memory is measured.
    const int total = kItemsPerWalk * walks;
    std::vector<std::vector<qint8>> expected(std::size_t(channels),
                                             std::vector<qint8>(std::size_t(total), -1));
    const auto itemNumber = [](const QString& link) {
        return link.mid(link.lastIndexOf(QLatin1Char('/')) + 1).toInt();
    };
    const auto mark = [&](int walk) {
        for (int c = 0; c < channels; ++c) {
            const clsItemPtr channel = project.objColItems.Item(c + 1);
            if (!channel->Load(false))
                continue;
            clsRSSChannel* feed = channel->objRSS.objColChannels.Item(1);
            const qint32 n = feed ? feed->objColItems.Count() : 0;
            if (n == 0)
                continue;
            clsRSSItem* read = feed->objColItems.Item(1 + (walk * 7 + c) % n);
            clsRSSItem* gone = feed->objColItems.Item(1 + (walk * 13 + c * 3) % n);
            if (read->intStatus == clsRSSItem::New) {
                read->intStatus = clsRSSItem::Read;
                expected[c][itemNumber(read->strLink)] = clsRSSItem::Read;
            }
            gone->intStatus = clsRSSItem::Deleted;
            expected[c][itemNumber(gone->strLink)] = clsRSSItem::Deleted;
            channel->writeXML();
            channel->Clear();
        }
    };

    QElapsedTimer clock;
    clock.start();
    walkOnce(scheduler); // the first walk stores every channel
    mark(0);
    const qint64 startBytes = residentBytes();
    double firstWalk = 0, lastWalk = 0;
    for (int walk = 1; walk < walks; ++walk) {
        published += kItemsPerWalk;
        server.inServer(publish);
        QElapsedTimer one;
        one.start();
        walkOnce(scheduler);
        (walk == 1 ? firstWalk : lastWalk) = one.elapsed() / 1000.0;
        mark(walk);
    }
    const qint64 endBytes = residentBytes();

    // Every stored copy holds every item ever published, with its marks.
    qint64 storedItems = 0, lostItems = 0, lostStates = 0, checked = 0;
    for (int c = 0; c < channels; ++c) {
        const clsItemPtr channel = project.objColItems.Item(c + 1);
        if (!channel->Load(false)) {
            lostItems += published;
            continue;
        }
        QHash<QString, qint32> states;
        for (const auto& feed : channel->objRSS.objColChannels)
            for (const auto& item : feed->objColItems)
                states.insert(item->strLink, item->intStatus);
        storedItems += states.size();
        for (int i = 0; i < published; ++i)
            if (!states.contains(QString::fromLatin1(link(c, i))))
                ++lostItems;
        for (int i = 0; i < total; ++i) {
            if (expected[c][i] < 0)
                continue;
            ++checked;
            if (states.value(QString::fromLatin1(link(c, i)), -1) != expected[c][i])
                ++lostStates;
        }
        channel->Clear();
    }
    QStringList stray = QDir(dir.file(QStringLiteral("RSS"))).entryList(QDir::Files);
    stray.removeIf([](const QString& name) { return name.endsWith(QLatin1String(".RSS")); });

    std::printf("soak: %d walks over %d channels, %d items published per channel, %.1f s\n", walks,
                channels, published, clock.elapsed() / 1000.0);
    std::printf("walk time: second walk %.2f s, last walk %.2f s (stored copies grow)\n", firstWalk,
                lastWalk);
    std::printf("states set and checked: %lld, lost: %lld\n", checked, lostStates);
    std::printf("items stored: %lld, items lost: %lld\n", storedItems, lostItems);
    std::printf("resident memory: %.1f MB after the first walk, %.1f MB at the end, "
                "growth %.1f bytes per stored item\n",
                startBytes / 1048576.0, endBytes / 1048576.0,
                storedItems ? double(endBytes - startBytes) / double(storedItems) : 0.0);
    std::printf("files beside the stored copies: %lld%s%s\n", qint64(stray.size()),
                stray.isEmpty() ? "" : " ", qPrintable(stray.join(QLatin1Char(' '))));
    std::printf("pop-ups announced: %d\n", host.announced);
    server.quit();
    server.wait();
    return lostStates == 0 && lostItems == 0 && stray.isEmpty() ? 0 : 1;
}
