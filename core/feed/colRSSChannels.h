#pragma once

// The channels of a feed document, keyed "RSSChannel" n.

#include "core/feed/KeyedCollection.h"
#include "core/feed/clsRSSChannel.h"

class PageFile;
class XmlNode;

class colRSSChannels : public KeyedCollection<clsRSSChannel> {
public:
    colRSSChannels() : KeyedCollection(QStringLiteral("RSSChannel")) {}

    // Adds one channel and reads a `channel` element into it; 0, or 3 on a
    // failure (the channel stays with what was read).
    qint32 Load(const XmlNode& objDocument);
    // The cache file pieces of every channel with its image and items.
    QString getXML() const;
    void appendXML(QString& out) const;
    // The channel block of every channel, each followed by its item blocks.
    void writeHTML(PageFile& file) const;
};
