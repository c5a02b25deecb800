#include "core/feed/clsRSSChannel.h"

qint32 clsRSSChannel::countNewItems() const {
    qint32 count = 0;
    for (const auto& item : objColItems)
        if (item->intStatus != clsRSSItem::Read)
            ++count;
    return count;
}

void clsRSSChannel::copyFieldsFrom(const clsRSSChannel& other) {
    strTitle = other.strTitle;
    strURL = other.strURL;
    strDescription = other.strDescription;
    strLanguage = other.strLanguage;
    strLastBuildDate = other.strLastBuildDate;
    strPubDate = other.strPubDate;
    strGenerator = other.strGenerator;
    strTtl = other.strTtl;
    objImage.strTitle = other.objImage.strTitle;
    objImage.strLink = other.objImage.strLink;
    objImage.strURL = other.objImage.strURL;
    objImage.strWidth = other.objImage.strWidth;
    objImage.strHeight = other.objImage.strHeight;
}
