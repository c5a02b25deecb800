// Parses arbitrary bytes as a feed, writes the cache file, parses that again
// and checks that every member of every channel and item came back the same.

#include "core/feed/clsRSS.h"
#include "platform/Cp936.h"
#include "platform/XmlDocument.h"
#include "support/FeedCompare.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    XmlDocument doc;
    if (!doc.loadBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))))
        return 0;
    clsRSS first;
    if (first.parseXML(doc) != 0)
        return 0;

    const QByteArray cache = cp936::fromUnicode(
        QStringLiteral("<?xml version='1.0' encoding='GB2312'?>\r\n") + first.getXML());
    XmlDocument again;
    if (!again.loadBytes(cache)) {
        std::fprintf(stderr, "cache text does not parse: %s\n%s\n",
                     again.parseError().reason.toUtf8().constData(), cache.constData());
        std::abort();
    }
    clsRSS second;
    if (second.parseXML(again) != 0)
        std::abort();
    const QString difference = testsupport::feedDifference(first, second);
    if (!difference.isEmpty()) {
        std::fprintf(stderr, "round trip changed the feed: %s\n", difference.toUtf8().constData());
        std::abort();
    }
    return 0;
}
