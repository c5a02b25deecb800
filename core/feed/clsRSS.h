#pragma once

// A feed document: the channels, images and items of a feed as last read.

#include "core/feed/colRSSChannels.h"

#include <QString>

#include <memory>

class clsItem;

class PageFile;
struct NewsLists;
class XmlDocument;
class XmlNode;

class clsRSS {
public:
    colRSSChannels objColChannels;

    void Clear() { objColChannels.Clear(); }

    // Reads an RSS 0.9x/2.0, RDF or cache-file document into this one; 0 when
    // read, 3 when reading failed (what was read so far stays).
    qint32 parseXML(const XmlDocument& objDocument);
    qint32 parseXML(const XmlNode& documentNode);

    // The cache file text after its declaration line: root, channels, "</rss>".
    QString getXML() const;

    qint32 countNewItems() const;
    // Marks every not-deleted item whose trimmed, upper-cased link equals
    // `strURL` (already trimmed and upper-cased) as read; true on any match.
    bool markReadRSS(const QString& strURL);

    // Fetches a fresh copy of the channel at `strURL` (tree key `strKey`)
    // and merges it into this stored copy; true when anything changed.
    bool Merge(const QString& strURL, const QString& strKey);
    // The fetch alone: an entry holding the fresh copy, or null when none
    // came (a failure, "not modified", a body that is no feed).
    static std::shared_ptr<clsItem> fetchFresh(const QString& strURL, const QString& strKey);

    // Brings a fresh copy of the feed into this stored copy without touching
    // item states; true when any channel or item was added or updated.
    bool mergeFresh(const clsRSS& fresh);

    // The page blocks of every channel and its items.
    void writeHTML(PageFile& file) const;
    // Adds a headline row (keyed by link), column 2 and a description row for
    // every item that is not deleted; always true.
    bool loadList(const QString& strKeyItem, NewsLists& lists) const;
};
