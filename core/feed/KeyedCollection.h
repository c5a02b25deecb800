#pragma once

// Ordered collection that owns its members and stores each under a key made
// of a fixed prefix and the first free number from Count + 1.

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

template <typename T> class KeyedCollection {
public:
    explicit KeyedCollection(QString prefix) : m_prefix(std::move(prefix)) {}
    KeyedCollection(const KeyedCollection&) = delete;
    KeyedCollection& operator=(const KeyedCollection&) = delete;
    ~KeyedCollection() { Clear(); }

    // A key that is empty once blanks are trimmed gets a new key; a key already
    // present fails and yields null.
    T* Add(const QString& key = QString()) {
        const QString k = key.trimmed().isEmpty() ? newKey() : key;
        if (m_index.contains(k))
            return nullptr;
        auto member = std::make_unique<T>();
        member->strKey = k;
        T* raw = member.get();
        m_items.push_back(std::move(member));
        m_index.insert(k, raw);
        return raw;
    }

    T* Item(const QString& key) const { return m_index.value(key, nullptr); }
    T* Item(qint32 index) const {
        return index >= 1 && index <= Count() ? m_items[size_t(index - 1)].get() : nullptr;
    }
    qint32 Count() const { return qint32(m_items.size()); }

    void Remove(const QString& key) {
        T* member = Item(key);
        if (!member)
            return;
        for (size_t i = 0; i < m_items.size(); ++i)
            if (m_items[i].get() == member) {
                Remove(qint32(i + 1));
                return;
            }
    }
    void Remove(qint32 index) {
        if (index < 1 || index > Count())
            return;
        std::unique_ptr<T> member = std::move(m_items[size_t(index - 1)]);
        m_items.erase(m_items.begin() + (index - 1));
        m_index.remove(member->strKey);
    }
    // Removes from the last member to the first.
    void Clear() {
        while (!m_items.empty()) {
            std::unique_ptr<T> member = std::move(m_items.back());
            m_items.pop_back();
            m_index.remove(member->strKey);
        }
    }

    QString newKey() const {
        qint32 n = Count() + 1;
        while (m_index.contains(m_prefix + QString::number(n)))
            ++n;
        return m_prefix + QString::number(n);
    }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    QString m_prefix;
    std::vector<std::unique_ptr<T>> m_items;
    QHash<QString, T*> m_index;
};
