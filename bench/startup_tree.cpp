// Lays out a program folder's data for the start-up benchmark: the tree file
// with CHANNELS channels in folders of 50, a generated source feed per
// channel, and each channel's stored copy, written by the program's own fetch
// from that source (every fourth item read, so the captions get counts).
//
//   startup_tree PROGRAM_DIR CHANNELS ITEMS
//
// PROGRAM_DIR must hold Data/ and RSS/. The channels' addresses are file
// addresses of the source feeds, so nothing ever goes to the network.

#include "BenchSupport.h"

#include "core/feed/clsRSS.h"
#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"
#include "core/tree/modTypes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QUrl>

#include <cstdio>

using namespace benchsupport;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s PROGRAM_DIR CHANNELS ITEMS\n", argv[0]);
        return 2;
    }
    const QString dir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const int channels = std::atoi(argv[2]);
    const int items = std::atoi(argv[3]);
    modTypes::setProgramDir(dir);
    QDir().mkpath(dir + QStringLiteral("/feeds"));

    clsProject project;
    clsItemPtr folder;
    for (int i = 0; i < channels; ++i) {
        if (i % 50 == 0)
            folder = project.objColItems.Add(
                clsItem::Folder, QStringLiteral("文件夹 %1").arg(i / 50 + 1), {}, {}, {});
        const QString source = dir + QStringLiteral("/feeds/channel%1.xml").arg(i);
        clsRSS rss;
        makeFeed(rss, items, i * items);
        QFile file(source);
        if (!file.open(QIODevice::WriteOnly) || file.write(cacheFileBytes(rss)) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(source));
            return 1;
        }
        file.close();
        const clsItemPtr channel =
            folder->objColItems.Add(clsItem::RssChannel, QStringLiteral("频道 %1").arg(i + 1),
                                    QUrl::fromLocalFile(source).toString(), {}, {});
        // The first load of a channel fed from a file stores its own copy.
        if (!channel || !channel->Load(false)) {
            std::fprintf(stderr, "cannot store channel %d\n", i);
            return 1;
        }
        channel->objRSS.Clear();
    }
    if (!project.Save(dir + QStringLiteral("/Data/KestrixRSS.xml"))) {
        std::fprintf(stderr, "cannot write the tree file\n");
        return 1;
    }
    std::printf("%d channels of %d items in %s\n", channels, items, qPrintable(dir));
    return 0;
}
