#include "core/feed/clsRSSImage.h"

#include "core/feed/MemberFill.h"
#include "platform/XmlDocument.h"

namespace {

const TextMember<clsRSSImage> imageMembers[] = {
    {"title", &clsRSSImage::strTitle},   {"width", &clsRSSImage::strWidth},
    {"height", &clsRSSImage::strHeight}, {"link", &clsRSSImage::strLink},
    {"url", &clsRSSImage::strURL},
};

} // namespace

qint32 clsRSSImage::Load(const XmlNode& objDocument) {
    MemberFill fill;
    for (XmlNode node = objDocument.firstChild(); node; node = node.nextSibling())
        if (node.nodeType() == XmlNode::Element)
            fill.fillFrom(*this, imageMembers, node);
    return 0;
}
