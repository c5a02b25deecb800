// Operations of the tree on single news items: their address, read marks and
// deletion, each stored at once in the channel's feed cache file.

#include "core/feed/FeedText.h"
#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"

QString clsProject::getURL(const QString& strKey) const {
    const clsItemPtr item = objColItems.Search(strKey);
    if (!item || item->intType != clsItem::RssChannel)
        return QString();
    const QStringList parts = strKey.split(QLatin1Char('?'));
    if (parts.size() != 3)
        return QString();
    const clsRSSChannel* channel = item->objRSS.objColChannels.Item(parts[1]);
    const clsRSSItem* news = channel ? channel->objColItems.Item(parts[2]) : nullptr;
    return news ? news->strLink : QString();
}

void clsProject::markReadRSS(const QString& strURL) {
    objColItems.markReadRSS(feedtext::compareForm(strURL));
}

void colItems::markReadRSS(const QString& strURL) {
    // A copy of the level: writing a file never runs events today, but the
    // walk must not depend on that.
    const std::vector<clsItemPtr> items = m_items;
    for (const clsItemPtr& item : items) {
        if (item->intType == clsItem::Folder)
            item->objColItems.markReadRSS(strURL);
        else if (item->intType == clsItem::RssChannel && item->objRSS.markReadRSS(strURL))
            item->writeXML();
    }
}

void clsProject::removeRSSItem(const QString& strKey, const QString& strChannel,
                               const QString& strNew) {
    const clsItemPtr item = objColItems.Search(strKey);
    if (!item)
        return;
    clsRSSChannel* channel = item->objRSS.objColChannels.Item(strChannel);
    clsRSSItem* news = channel ? channel->objColItems.Item(strNew) : nullptr;
    if (!news)
        return;
    news->intStatus = clsRSSItem::Deleted;
    item->writeXML();
}
