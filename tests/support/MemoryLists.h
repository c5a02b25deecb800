#pragma once

// The main window's lists and reading pane, held in memory for tests.

#include "core/feed/NewsLists.h"

#include <QSet>
#include <QStringList>

namespace testsupport {

struct HeadlineRow {
    QString key, text, icon, column2;
    bool operator==(const HeadlineRow&) const = default;
};

class MemoryHeadlines : public HeadlineList {
public:
    QList<HeadlineRow> rows;
    QSet<QString> keys;
    void clear() override {
        rows.clear();
        keys.clear();
    }
    bool addRow(const QString& key, const QString& text, const QString& icon) override {
        if (!key.isEmpty()) {
            if (keys.contains(key))
                return false;
            keys.insert(key);
        }
        rows.append({key, text, icon, QString()});
        return true;
    }
    void setColumn2(const QString& text) override {
        if (!rows.isEmpty())
            rows.last().column2 = text;
    }
};

class MemoryDescriptions : public DescriptionList {
public:
    QStringList rows;
    void clear() override { rows.clear(); }
    void addRow(const QString& text) override { rows.append(text); }
};

class MemoryDrawnList : public DrawnNewsList {
public:
    int clears = 0;
    int lookups = 0;
    void clear() override { ++clears; }
    bool setCaptionFont(const QString&, bool, int) override { return ++lookups, false; }
    bool setCaption(const QString&, bool, quint32) override { return ++lookups, false; }
};

class MemoryPane : public BrowserPane {
public:
    QStringList navigations;
    void navigate(const QString& target) override { navigations.append(target); }
};

struct MemoryLists {
    MemoryHeadlines headlines;
    MemoryDescriptions descriptions;
    MemoryDrawnList drawn;
    NewsLists lists{headlines, descriptions, drawn};
};

} // namespace testsupport
