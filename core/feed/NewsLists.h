#pragma once

// The main window's lists as the tree and the feed documents fill them; the
// window implements these with widgets, tests and benchmarks in memory.

#include <QString>

// The visible headline list (report view): one row per headline or entry.
class HeadlineList {
public:
    virtual ~HeadlineList() = default;
    virtual void clear() = 0;
    // Adds a row at the end; false (and no row) when a row with this
    // non-empty key exists already. An empty key is no key.
    virtual bool addRow(const QString& key, const QString& text, const QString& smallIcon) = 0;
    // Column 2 of the row last added.
    virtual void setColumn2(const QString& text) = 0;
};

// The hidden description list: row n holds the description of headline row n.
class DescriptionList {
public:
    virtual ~DescriptionList() = default;
    virtual void clear() = 0;
    virtual void addRow(const QString& text) = 0;
};

// The drawn news list: cleared when a list is filled; entries are found by
// headline key.
class DrawnNewsList {
public:
    virtual ~DrawnNewsList() = default;
    virtual void clear() = 0;
    // Caption font of the entry with that key; false when there is none.
    virtual bool setCaptionFont(const QString& key, bool bold, int size) = 0;
    // Caption style of the entry; colour as 0x00BBGGRR.
    virtual bool setCaption(const QString& key, bool bold, quint32 colour) = 0;
};

struct NewsLists {
    HeadlineList& headlines;
    DescriptionList& descriptions;
    DrawnNewsList& lsmRSS;
};

// The reading pane: navigates to a file path or an address.
class BrowserPane {
public:
    virtual ~BrowserPane() = default;
    virtual void navigate(const QString& pathOrAddress) = 0;
};
