#include "core/feed/clsRSSImage.h"

#include "platform/XmlDocument.h"

qint32 clsRSSImage::Load(const XmlNode& objDocument) {
    for (XmlNode node = objDocument.firstChild(); node; node = node.nextSibling()) {
        if (node.nodeType() != XmlNode::Element)
            continue;
        if (node.localNameIs("title"))
            strTitle = node.text();
        else if (node.localNameIs("width"))
            strWidth = node.text();
        else if (node.localNameIs("height"))
            strHeight = node.text();
        else if (node.localNameIs("link"))
            strLink = node.text();
        else if (node.localNameIs("url"))
            strURL = node.text();
    }
    return 0;
}
