#include "core/feed/colRSSItems.h"

#include "core/feed/FeedText.h"
#include "core/feed/MemberFill.h"
#include "core/tree/modTypes.h"
#include "platform/XmlDocument.h"

#include <iterator>

namespace {

const TextMember<clsRSSItem> itemMembers[] = {
    {"title", &clsRSSItem::strTitle},
    {"link", &clsRSSItem::strLink},
    {"author", &clsRSSItem::strAuthor},
    {"comments", &clsRSSItem::strComments},
    {"pubDate", &clsRSSItem::strPubDate},
    {"category", &clsRSSItem::strCategory},
    {"subject", &clsRSSItem::strSubject},
    {"guid", &clsRSSItem::strGuid},
    {"description", &clsRSSItem::strDescription},
};
constexpr int statusIndex = std::size(itemMembers);

} // namespace

qint32 colRSSItems::Load(const XmlNode& objDocument) {
    clsRSSItem* item = Add();
    if (!item)
        return 3;
    MemberFill fill;
    for (XmlNode node = objDocument.firstChild(); node; node = node.nextSibling()) {
        if (node.nodeType() != XmlNode::Element)
            continue;
        if (fill.fillFrom(*item, itemMembers, node))
            continue;
        // Only the content module's element; it always carries its prefix.
        if (node.localNameIs("encoded") && node.prefixIs("content"))
            item->strContent = node.text();
        else if (node.localNameIs("status") && fill.mayFill(statusIndex, node))
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
