#pragma once

// The channel tree: the one top-level collection and the tree file.

#include "core/tree/colItems.h"

#include <QString>

class BrowserPane;
struct NewsLists;

class clsProject {
public:
    clsProject() { Init(); }

    colItems objColItems;

    void Init() { objColItems.Clear(); }
    // Removes every entry; tree keys keep counting.
    void Clear() { objColItems.Clear(); }

    // Appends the tree file's entries; false when the file is missing,
    // malformed, has no NewsProject root or reading failed.
    bool Load(const QString& strFileName);
    // Writes the whole tree through the safe writer; a failed save keeps the
    // previous file, returns false and is reported to saveFailures.
    bool Save(const QString& strFileName) const;
    // The tree file's text, before encoding.
    QString toText() const;

    // Fills the main window's lists from the entry; false when not found.
    bool loadList(const QString& strKey, NewsLists& lists);
    // Shows the entry in the pane: a web page by its address, a folder or a
    // channel as the generated page. False when not found or not written.
    bool loadHTML(const QString& strKey, BrowserPane& brwRSS);

    // The address of the news item a headline key names, or "".
    QString getURL(const QString& strKey) const;
    // Marks every loaded item with that address read, tree-wide, and writes
    // the cache file of every channel that matched.
    void markReadRSS(const QString& strURL);
    // Marks one news item deleted and writes its channel's cache file.
    void removeRSSItem(const QString& strKey, const QString& strChannel, const QString& strNew);

    // Empties the entry: children and feed document cleared, key set empty.
    void removeItem(const QString& strKey);
};
