#pragma once

// Real feeds mix vocabularies: an <atom:link href=".." rel="self"/> after the
// channel's <link>, a podcast's <itunes:title> beside an item's <title>. Matched
// by local name alone they would replace (and often empty) the feed's own
// element. So an element with a namespace prefix fills a member only while no
// element without prefix has filled it; among elements of one kind the later
// one wins, prefixed or not.

#include "platform/XmlDocument.h"

#include <QString>

#include <cstddef>

template <typename Record> struct TextMember {
    const char* name; // local name of the element
    QString Record::*member;
};

class MemberFill {
public:
    // Fills member `index` of `record` from `node` when the rule allows it.
    template <typename Record>
    void fill(Record& record, const TextMember<Record>& target, int index, const XmlNode& node) {
        if (mayFill(index, node))
            record.*target.member = node.text();
    }

    bool mayFill(int index, const XmlNode& node) {
        const quint32 bit = 1u << index;
        if (node.hasPrefix())
            return (m_plain & bit) == 0;
        m_plain |= bit;
        return true;
    }

    // Finds `node`'s member in `table` and fills it; false when none matches.
    template <typename Record, std::size_t N>
    bool fillFrom(Record& record, const TextMember<Record> (&table)[N], const XmlNode& node) {
        static_assert(N < 32);
        for (std::size_t i = 0; i < N; ++i)
            if (node.localNameIs(table[i].name)) {
                fill(record, table[i], int(i), node);
                return true;
            }
        return false;
    }

private:
    quint32 m_plain = 0; // bit i: an element without prefix filled member i
};
