#include "core/tree/colItems.h"

#include "core/tree/clsItem.h"

namespace {
// Tree keys are numbered once per process; reloading never reuses a number.
qint32 g_keyCounter = 0;
// Whether a caller ever chose a key itself. Until one does, a fresh key is
// unique without a search, which keeps adding thousands of entries linear.
bool g_keysGiven = false;
} // namespace

colItems::~colItems() {
    Clear();
}

QString colItems::newKey() {
    return QStringLiteral("RSS") + QString::number(++g_keyCounter);
}

clsItemPtr colItems::Add(qint32 intType, const QString& strTitle, const QString& strURL,
                         const QString& strUser, const QString& strPassword,
                         const QString& strKey) {
    const QString key = strKey.isEmpty() ? newKey() : strKey;
    if (!strKey.isEmpty())
        g_keysGiven = true;
    if (g_keysGiven && Item(key))
        return nullptr;
    auto item = std::make_shared<clsItem>();
    item->strKey = key;
    item->strTitle = strTitle;
    item->strURL = strURL;
    item->strUser = strUser;
    item->strPassword = strPassword;
    item->intType = intType;
    item->newstime.clear();
    item->newsup.clear();
    m_keys.push_back(key);
    m_items.push_back(item);
    return item;
}

clsItemPtr colItems::Item(const QString& key) const {
    for (size_t i = 0; i < m_keys.size(); ++i)
        if (m_keys[i] == key)
            return m_items[i];
    return nullptr;
}

clsItemPtr colItems::Item(qint32 index) const {
    if (index < 1 || index > Count())
        return nullptr;
    return m_items[size_t(index - 1)];
}

void colItems::Remove(const QString& key) {
    for (size_t i = 0; i < m_keys.size(); ++i)
        if (m_keys[i] == key) {
            Remove(qint32(i + 1));
            return;
        }
}

void colItems::Remove(qint32 index) {
    if (index < 1 || index > Count())
        return;
    // Take the entry out before it is destroyed, so that its destruction
    // never sees a half-removed collection. An operation still holding the
    // entry (a fetch waiting for its download) keeps it alive until it ends.
    clsItemPtr item = std::move(m_items[size_t(index - 1)]);
    m_items.erase(m_items.begin() + (index - 1));
    m_keys.erase(m_keys.begin() + (index - 1));
    item->markRemoved();
}

void colItems::Clear() {
    while (!m_items.empty())
        Remove(Count());
}

clsItemPtr colItems::Search(const QString& strKey) const {
    if (strKey.isEmpty())
        return nullptr;
    const qsizetype q = strKey.indexOf(QLatin1Char('?'));
    const QString wanted = q < 0 ? strKey : strKey.left(q);
    if (wanted.isEmpty())
        return nullptr; // emptied entries have an empty key and are never found
    for (const clsItemPtr& item : m_items) {
        if (item->strKey == wanted)
            return item;
        if (item->intType == clsItem::Folder)
            if (clsItemPtr found = item->objColItems.Search(wanted))
                return found;
    }
    return nullptr;
}
