#include "core/feed/colRSSItems.h"

#include "core/feed/FeedText.h"
#include "core/tree/modTypes.h"
#include "platform/XmlDocument.h"

qint32 colRSSItems::Load(const XmlNode& objDocument) {
    clsRSSItem* item = Add();
    if (!item)
        return 3;
    for (XmlNode node = objDocument.firstChild(); node; node = node.nextSibling()) {
        if (node.nodeType() != XmlNode::Element)
            continue;
        if (node.localNameIs("title"))
            item->strTitle = node.text();
        else if (node.localNameIs("link"))
            item->strLink = node.text();
        else if (node.localNameIs("author"))
            item->strAuthor = node.text();
        else if (node.localNameIs("comments"))
            item->strComments = node.text();
        else if (node.localNameIs("pubDate"))
            item->strPubDate = node.text();
        else if (node.localNameIs("category"))
            item->strCategory = node.text();
        else if (node.localNameIs("subject"))
            item->strSubject = node.text();
        else if (node.localNameIs("guid"))
            item->strGuid = node.text();
        else if (node.localNameIs("description"))
            item->strDescription = node.text();
        else if (node.localNameIs("encoded") && node.prefixIs("content"))
            item->strContent = node.text();
        else if (node.localNameIs("status"))
            item->intStatus = feedtext::statusFromWord(node.text());
    }
    return 0;
}

void colRSSItems::appendXML(QString& out) const {
    using feedtext::appendElement;
    for (const auto& item : *this) {
        out += QLatin1String("<item>\r\n");
        appendElement(out, "    ", "title", item->strTitle);
        appendElement(out, "    ", "link", item->strLink);
        appendElement(out, "    ", "comments", item->strComments);
        appendElement(out, "    ", "author", item->strAuthor);
        appendElement(out, "    ", "pubDate", item->strPubDate);
        appendElement(out, "    ", "category", item->strCategory);
        appendElement(out, "    ", "subject", item->strSubject);
        out += QLatin1String("    <guid isPermaLink='false'>");
        modTypes::appendCData(out, item->strGuid);
        out += QLatin1String("</guid>\r\n");
        appendElement(out, "    ", "description", item->strDescription);
        if (!item->strContent.isEmpty())
            appendElement(out, "    ", "content:encoded", item->strContent);
        out += QLatin1String("    <status>");
        out += feedtext::statusWord(item->intStatus);
        out += QLatin1String("</status>\r\n</item>\r\n");
    }
}

QString colRSSItems::getXML() const {
    QString out;
    appendXML(out);
    return out;
}
