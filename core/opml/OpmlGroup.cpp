#include "core/opml/OpmlGroup.h"

#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"

namespace opml {

clsItemPtr addChannel(const clsProject& project, const QString& folderKey, const QString& address,
                      const QString& title) {
    const clsItemPtr folder = project.objColItems.Search(folderKey);
    if (!folder || folder->intType != clsItem::Folder)
        return nullptr; // channels and web pages hold no entries
    return folder->objColItems.Add(clsItem::RssChannel, title, address, {}, {});
}

} // namespace opml
