#pragma once

// Reading an OPML document into the rows of a channel group: one row per
// feed, in document order, and the title the new folder is offered.

#include <QList>
#include <QString>

class XmlDocument;

namespace opml {

struct Row {
    QString text;    // the channel's title
    QString address; // the feed's address; empty for an outline without one
    bool operator==(const Row& other) const = default;
};

struct Outline {
    QList<Row> rows;
    bool hasTitle = false; // false: the folder title box keeps its text
    QString title;
};

// Rows: every element at any depth with a TEXT attribute (a TITLE attribute
// stands in for a missing or empty one) and an XMLURL attribute, attribute
// names in any letter case. An element with TEXT and no XMLURL is a row with
// an empty address when it holds no elements, and a group (no row) when it
// does; a blank XMLURL counts as none. A feed listed twice (in two folders)
// makes two rows, each with its address.
//
// Title: the first node of the document outline, in the order the outline is
// built three levels deep, whose text starts with "title" in any letter case,
// less those five letters; in an OPML document the title element of the head.
Outline read(const XmlDocument& document);

} // namespace opml
