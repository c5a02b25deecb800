#pragma once

// Making the channels of an imported group in the tree.

#include "core/tree/colItems.h"

#include <QString>

class clsProject;

namespace opml {

// Adds an RSS channel with that address and title, and no user name or
// password, at the end of the folder's entries. Nothing is saved. Null when
// the key names no folder.
clsItemPtr addChannel(const clsProject& project, const QString& folderKey, const QString& address,
                      const QString& title);

} // namespace opml
