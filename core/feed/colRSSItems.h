#pragma once

// The items of one channel, keyed "RSSItem" n.

#include "core/feed/KeyedCollection.h"
#include "core/feed/clsRSSItem.h"

class PageFile;
class XmlNode;

class colRSSItems : public KeyedCollection<clsRSSItem> {
public:
    colRSSItems() : KeyedCollection(QStringLiteral("RSSItem")) {}

    // Adds one item (state New) and reads an `item` element into it; 0, or 3.
    qint32 Load(const XmlNode& objDocument);
    // The cache file pieces of every item, deleted ones included.
    QString getXML() const;
    void appendXML(QString& out) const;
    // The item block of every item that is not deleted.
    void writeHTML(PageFile& file) const;
};
