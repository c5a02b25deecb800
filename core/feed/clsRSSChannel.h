#pragma once

// One channel of a feed document: its fields as read, its image record and items.

#include "core/feed/clsRSSImage.h"
#include "core/feed/colRSSItems.h"

#include <QString>

class clsRSSChannel {
public:
    QString strKey;
    QString strTitle;
    QString strURL; // the channel's web site, not the feed address
    QString strDescription;
    QString strLanguage;
    QString strCopyright;
    QString strLastBuildDate;
    QString strPubDate;
    QString strGenerator;
    QString strTtl;
    clsRSSImage objImage;
    colRSSItems objColItems;

    // Items whose state is not Read: new and deleted both count.
    qint32 countNewItems() const;
    // The channel fields a merge copies: everything but key, copyright and items.
    void copyFieldsFrom(const clsRSSChannel& other);
};
