#include "core/feed/clsRSS.h"

#include "core/feed/FeedText.h"
#include "platform/XmlDocument.h"

qint32 clsRSS::parseXML(const XmlDocument& objDocument) {
    return parseXML(objDocument.documentNode());
}

qint32 clsRSS::parseXML(const XmlNode& documentNode) {
    qint32 result = 0;
    for (XmlNode root = documentNode.firstChild(); root; root = root.nextSibling()) {
        if (root.nodeType() != XmlNode::Element)
            continue;
        if (root.localNameIs("rss")) {
            for (XmlNode node = root.firstChild(); node && result == 0; node = node.nextSibling())
                if (node.nodeType() == XmlNode::Element && node.localNameIs("channel"))
                    result = objColChannels.Load(node);
        } else if (root.localNameIs("RDF") && root.prefixIs("rdf")) {
            // RSS 1.0: items and the image follow the channel as its siblings.
            for (XmlNode node = root.firstChild(); node && result == 0; node = node.nextSibling()) {
                if (node.nodeType() != XmlNode::Element)
                    continue;
                clsRSSChannel* last = objColChannels.Item(objColChannels.Count());
                if (node.localNameIs("channel"))
                    result = objColChannels.Load(node);
                else if (node.localNameIs("image") && last)
                    result = last->objImage.Load(node);
                else if (node.localNameIs("item") && last)
                    result = last->objColItems.Load(node);
            }
        }
    }
    return result;
}

QString clsRSS::getXML() const {
    QString out;
    qint64 items = 0;
    for (const auto& channel : objColChannels)
        items += channel->objColItems.Count();
    out.reserve(qsizetype(512 + items * 640));
    out += QLatin1String(" <rss version='2.0' "
                         "xmlns:content='http://purl.org/rss/1.0/modules/content/'>\r\n");
    objColChannels.appendXML(out);
    out += QLatin1String("</rss>");
    return out;
}

qint32 clsRSS::countNewItems() const {
    qint32 count = 0;
    for (const auto& channel : objColChannels)
        count += channel->countNewItems();
    return count;
}

bool clsRSS::markReadRSS(const QString& strURL) {
    bool matched = false;
    for (const auto& channel : objColChannels)
        for (const auto& item : channel->objColItems) {
            if (item->intStatus == clsRSSItem::Deleted)
                continue;
            if (feedtext::compareForm(item->strLink) == strURL) {
                item->intStatus = clsRSSItem::Read;
                matched = true;
            }
        }
    return matched;
}
