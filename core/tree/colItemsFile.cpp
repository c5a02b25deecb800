// Reader and writer of the tree file's entry elements.

#include "core/tree/clsItem.h"
#include "core/tree/colItems.h"
#include "core/tree/modTypes.h"
#include "platform/XmlDocument.h"

namespace {

const QString CRLF = QStringLiteral("\r\n");

// Appends in place: a tree of thousands of entries makes no temporaries.
void writeValue(QString& out, const char* name, const QString& value) {
    out += QLatin1String("    <");
    out += QLatin1String(name);
    out += QLatin1Char('>');
    modTypes::appendCData(out, value);
    out += QLatin1String("</");
    out += QLatin1String(name);
    out += QLatin1Char('>');
    out += CRLF;
}

} // namespace

void colItems::Save(QString& out) const {
    for (const clsItemPtr& item : m_items) {
        if (item->strKey.isEmpty())
            continue;
        switch (item->intType) {
        case clsItem::Folder:
            out += QStringLiteral("  <folder>") + CRLF;
            writeValue(out, "title", item->strTitle);
            out += QStringLiteral("    <items>") + CRLF;
            item->objColItems.Save(out);
            out += QStringLiteral("    </items>") + CRLF;
            out += QStringLiteral("  </folder>") + CRLF;
            break;
        case clsItem::WebPage:
            out += QStringLiteral("  <webPage>") + CRLF;
            writeValue(out, "title", item->strTitle);
            writeValue(out, "url", item->strURL);
            out += QStringLiteral("  </webPage>") + CRLF;
            break;
        case clsItem::RssChannel:
            out += QStringLiteral("  <rss>") + CRLF;
            writeValue(out, "title", item->strTitle);
            writeValue(out, "url", item->strURL);
            writeValue(out, "newsup", item->newsup);
            writeValue(out, "newstime", item->newstime);
            writeValue(out, "localFile", item->LocalFile());
            out += QStringLiteral("  </rss>") + CRLF;
            break;
        default:
            break; // an unknown kind has no element of its own
        }
    }
}

bool colItems::Load(const XmlNode& element) {
    bool result = true;
    for (XmlNode node = element.firstChild(); node && result; node = node.nextSibling()) {
        qint32 kind;
        if (node.localNameIs("rss"))
            kind = clsItem::RssChannel;
        else if (node.localNameIs("folder") || node.localNameIs("opml"))
            kind = clsItem::Folder;
        else if (node.localNameIs("webPage"))
            kind = clsItem::WebPage;
        else
            continue;

        clsItemPtr item = Add(clsItem::Folder, QString(), QString(), QString(), QString());
        if (!item)
            return false;
        item->intType = kind;

        for (XmlNode child = node.firstChild(); child; child = child.nextSibling()) {
            if (child.nodeType() != XmlNode::Element)
                continue;
            if (child.localNameIs("title"))
                item->strTitle = child.text();
            else if (child.localNameIs("url"))
                item->strURL = child.text();
            else if (child.localNameIs("user"))
                item->strUser = child.text();
            else if (child.localNameIs("password"))
                item->strPassword = child.text();
            else if (child.localNameIs("newstime"))
                item->newstime = child.text();
            else if (child.localNameIs("newsup"))
                item->newsup = child.text();
            else if (child.localNameIs("items") && item->intType == clsItem::Folder)
                result = item->objColItems.Load(child);
        }
    }
    return result;
}
