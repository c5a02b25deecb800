// The merge of a fresh copy of a feed into the stored copy.
//
// The rules compare every fresh item with every stored item of a matching
// channel. An index by link per stored channel gives the same results in
// linear time: its lists keep stored order, and items appended during the
// merge join them at once, so a later fresh item with the same link sees them.

#include "core/feed/FeedText.h"
#include "core/feed/clsRSS.h"
#include "core/tree/clsItem.h"

#include <QHash>
#include <QVarLengthArray>

#include <unordered_map>

namespace {

using LinkIndex = QHash<QString, QVarLengthArray<clsRSSItem*, 1>>;

LinkIndex buildIndex(const clsRSSChannel& channel) {
    LinkIndex index;
    index.reserve(channel.objColItems.Count() + 64);
    for (const auto& item : channel.objColItems)
        index[item->strLink].append(item.get());
    return index;
}

clsRSSItem* appendCopy(clsRSSChannel& channel, const clsRSSItem& source) {
    clsRSSItem* item = channel.objColItems.Add();
    item->copyTextsFrom(source);
    item->intStatus = clsRSSItem::New;
    return item;
}

} // namespace

bool clsRSS::mergeFresh(const clsRSS& fresh) {
    bool changed = false;
    std::unordered_map<const clsRSSChannel*, LinkIndex> indexes;

    for (const auto& freshChannel : fresh.objColChannels) {
        const QString title = feedtext::compareForm(freshChannel->strTitle);
        bool matched = false;
        // Every stored channel with that title takes the fresh one, including
        // channels appended earlier in this merge.
        for (qint32 c = 1; c <= objColChannels.Count(); ++c) {
            clsRSSChannel* stored = objColChannels.Item(c);
            if (feedtext::compareForm(stored->strTitle) != title)
                continue;
            matched = true;
            stored->copyFieldsFrom(*freshChannel);

            auto found = indexes.find(stored);
            if (found == indexes.end())
                found = indexes.emplace(stored, buildIndex(*stored)).first;
            LinkIndex& index = found->second;

            for (const auto& item : freshChannel->objColItems) {
                auto same = index.find(item->strLink);
                if (same == index.end() || same->isEmpty()) {
                    index[item->strLink].append(appendCopy(*stored, *item));
                    changed = true;
                    continue;
                }
                const QString date = feedtext::compareForm(item->strPubDate);
                // A stored item of this link and this date means the fresh
                // item is already there unchanged. Without this, two items
                // sharing a link but not a date would each be copied over the
                // other, losing one headline on every merge.
                bool unchanged = false;
                for (const clsRSSItem* old : *same)
                    if (feedtext::compareForm(old->strPubDate) == date) {
                        unchanged = true;
                        break;
                    }
                if (unchanged)
                    continue;
                for (clsRSSItem* old : *same) {
                    if (old->intStatus == clsRSSItem::Deleted)
                        continue;
                    if (feedtext::compareForm(old->strPubDate) != date) {
                        old->copyTextsFrom(*item);
                        changed = true;
                    }
                }
            }
        }
        if (!matched) {
            clsRSSChannel* added = objColChannels.Add();
            added->copyFieldsFrom(*freshChannel);
            for (const auto& item : freshChannel->objColItems)
                appendCopy(*added, *item);
            changed = true;
        }
    }
    return changed;
}

std::shared_ptr<clsItem> clsRSS::fetchFresh(const QString& strURL, const QString& strKey) {
    // The fresh copy is fetched by an entry of its own that never writes the
    // channel's local feed file.
    auto fresh = std::make_shared<clsItem>();
    fresh->strURL = strURL;
    fresh->strKey = strKey;
    fresh->intType = clsItem::RssChannel;
    fresh->setFreshCopyOnly(true);
    if (!fresh->Load(true))
        return nullptr;
    return fresh;
}

bool clsRSS::Merge(const QString& strURL, const QString& strKey) {
    const std::shared_ptr<clsItem> fresh = fetchFresh(strURL, strKey);
    return fresh && mergeFresh(fresh->objRSS);
}
