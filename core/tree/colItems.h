#pragma once

// One level of the channel tree: entries in insertion order, each stored
// under the tree key it had when it was added.

#include <QString>

#include <memory>
#include <vector>

class clsItem;
class XmlNode;
using clsItemPtr = std::shared_ptr<clsItem>;

class colItems {
public:
    colItems() = default;
    ~colItems();
    colItems(const colItems&) = delete;
    colItems& operator=(const colItems&) = delete;

    // Appends a new entry. An empty key makes a fresh tree key; a key already
    // in this collection fails and yields null.
    clsItemPtr Add(qint32 intType, const QString& strTitle, const QString& strURL,
                   const QString& strUser, const QString& strPassword,
                   const QString& strKey = QString());
    // This level only; null when the key or 1-based position is not present.
    clsItemPtr Item(const QString& key) const;
    clsItemPtr Item(qint32 index) const;
    qint32 Count() const { return qint32(m_items.size()); }
    void Remove(const QString& key);
    void Remove(qint32 index);
    void Clear();
    // Depth-first through folders; takes the text before the first "?".
    clsItemPtr Search(const QString& strKey) const;

    // Tree file: reads the entry elements below `element`; appends the
    // entry elements of this level to `out`.
    bool Load(const XmlNode& element);
    void Save(QString& out) const;

    // Tree walk of the read marks; `strURL` already trimmed and upper-cased.
    void markReadRSS(const QString& strURL);

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    static QString newKey();

    std::vector<QString> m_keys;
    std::vector<clsItemPtr> m_items;
};
