#include "core/feed/colRSSChannels.h"

#include "core/feed/FeedText.h"
#include "core/feed/MemberFill.h"
#include "platform/XmlDocument.h"

namespace {

const TextMember<clsRSSChannel> channelMembers[] = {
    {"title", &clsRSSChannel::strTitle},
    {"link", &clsRSSChannel::strURL},
    {"description", &clsRSSChannel::strDescription},
    {"language", &clsRSSChannel::strLanguage},
    {"copyright", &clsRSSChannel::strCopyright},
    {"lastBuildDate", &clsRSSChannel::strLastBuildDate},
    {"pubDate", &clsRSSChannel::strPubDate},
    {"generator", &clsRSSChannel::strGenerator},
    {"ttl", &clsRSSChannel::strTtl},
};

} // namespace

qint32 colRSSChannels::Load(const XmlNode& objDocument) {
    clsRSSChannel* channel = Add();
    if (!channel)
        return 3;
    qint32 result = 0;
    MemberFill fill;
    for (XmlNode node = objDocument.firstChild(); node && result == 0; node = node.nextSibling()) {
        if (node.nodeType() != XmlNode::Element)
            continue;
        if (fill.fillFrom(*channel, channelMembers, node))
            continue;
        if (node.localNameIs("image"))
            result = channel->objImage.Load(node);
        else if (node.localNameIs("item"))
            result = channel->objColItems.Load(node);
    }
    return result;
}

void colRSSChannels::appendXML(QString& out) const {
    using feedtext::appendElement;
    for (const auto& channel : *this) {
        out += QLatin1String("<channel>\r\n");
        appendElement(out, "  ", "title", channel->strTitle);
        appendElement(out, "  ", "link", channel->strURL);
        appendElement(out, "  ", "description", channel->strDescription);
        appendElement(out, "  ", "language", channel->strLanguage);
        appendElement(out, "  ", "copyright", channel->strCopyright);
        appendElement(out, "  ", "lastBuildDate", channel->strLastBuildDate);
        appendElement(out, "  ", "pubDate", channel->strPubDate);
        appendElement(out, "  ", "generator", channel->strGenerator);
        appendElement(out, "  ", "ttl", channel->strTtl);
        out += QLatin1String("  <image>\r\n");
        appendElement(out, "    ", "title", channel->objImage.strTitle);
        appendElement(out, "    ", "url", channel->objImage.strURL);
        appendElement(out, "    ", "link", channel->objImage.strLink);
        appendElement(out, "    ", "width", channel->objImage.strWidth);
        appendElement(out, "    ", "height", channel->objImage.strHeight);
        out += QLatin1String("  </image>\r\n");
        channel->objColItems.appendXML(out);
        out += QLatin1String("</channel>\r\n");
    }
}

QString colRSSChannels::getXML() const {
    QString out;
    appendXML(out);
    return out;
}
