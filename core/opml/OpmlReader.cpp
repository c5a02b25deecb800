#include "core/opml/OpmlReader.h"

#include "platform/XmlDocument.h"

#include <vector>

namespace opml {

namespace {

const QLatin1String kTitleWord("title");

bool hasElementChild(const XmlNode& node) {
    for (XmlNode c = node.firstChild(); c; c = c.nextSibling())
        if (c.nodeType() == XmlNode::Element)
            return true;
    return false;
}

// The row an element makes, if any.
bool rowOf(const XmlNode& element, Row* row) {
    const QList<QPair<QString, QString>> attributes = element.attributes();
    const QString* text = nullptr;
    const QString* title = nullptr;
    const QString* address = nullptr;
    for (const auto& [name, value] : attributes) {
        if (!text && name.compare(QLatin1String("text"), Qt::CaseInsensitive) == 0)
            text = &value;
        else if (!title && name.compare(kTitleWord, Qt::CaseInsensitive) == 0)
            title = &value;
        else if (!address && name.compare(QLatin1String("xmlurl"), Qt::CaseInsensitive) == 0)
            address = &value;
    }
    // Several readers export feeds named by "title" alone, or with an empty "text".
    if (title && (!text || text->trimmed().isEmpty()))
        text = title;
    if (!text)
        return false;
    // An empty address is no address: such an outline holding others is a folder.
    if (address && address->trimmed().isEmpty())
        address = nullptr;
    if (!address && hasElementChild(element))
        return false; // a folder of feeds, not a feed
    row->text = *text;
    row->address = address ? *address : QString();
    return true;
}

QList<Row> readRows(const XmlDocument& document) {
    QList<Row> rows;
    const XmlNode top = document.documentNode();
    // Depth first, in document order, without recursion.
    XmlNode node = top.firstChild();
    while (node) {
        if (node.nodeType() == XmlNode::Element) {
            Row row;
            if (rowOf(node, &row))
                rows.append(std::move(row));
            if (XmlNode child = node.firstChild()) {
                node = child;
                continue;
            }
        }
        while (node && !node.nextSibling()) {
            node = node.parent();
            if (!node || node.nodeType() == XmlNode::Document)
                return rows;
        }
        if (node)
            node = node.nextSibling();
    }
    return rows;
}

// The document outline as the import dialog builds it: the document's
// children, then one expansion pass over the nodes made so far. Only the
// texts matter here, so the walk stops at the first one that names a title.
class TitleSearch {
public:
    bool find(const XmlDocument& document, QString* title) {
        for (XmlNode c = document.documentNode().firstChild(); c; c = c.nextSibling()) {
            if (c.nodeType() == XmlNode::Comment) {
                if (add(XmlNode(), c.text(), title))
                    return true;
                continue;
            }
            const int index = int(m_nodes.size());
            if (add(c, c.localName(), title))
                return true;
            if (c.nodeType() == XmlNode::Element && readChildren(index, title))
                return true;
        }
        const size_t made = m_nodes.size();
        for (size_t i = 0; i < made; ++i) {
            const std::vector<int> children = m_nodes[i].elementChildren;
            for (int child : children)
                if (readChildren(child, title))
                    return true;
        }
        return false;
    }

private:
    struct Node {
        XmlNode element;
        std::vector<int> elementChildren;
    };

    // True when the node's text begins with "title": that text, less the
    // word, is the folder title.
    bool add(const XmlNode& element, const QString& text, QString* title) {
        m_nodes.push_back({element, {}});
        if (!text.startsWith(kTitleWord, Qt::CaseInsensitive))
            return false;
        *title = text.mid(5);
        return true;
    }

    bool readChildren(int index, QString* title) {
        const XmlNode parent = m_nodes[size_t(index)].element;
        for (XmlNode c = parent.firstChild(); c; c = c.nextSibling()) {
            switch (c.nodeType()) {
            case XmlNode::Text: {
                // Blank text between elements makes no node.
                const QString text = c.text().trimmed();
                if (!text.isEmpty() && add(XmlNode(), text, title))
                    return true;
                break;
            }
            case XmlNode::Element: {
                const QString name = c.localName();
                m_nodes[size_t(index)].elementChildren.push_back(int(m_nodes.size()));
                // The element's whole text matters only when its name could
                // begin the word.
                const bool needsText = kTitleWord.startsWith(name, Qt::CaseInsensitive);
                if (add(c,
                        needsText || name.startsWith(kTitleWord, Qt::CaseInsensitive)
                            ? name + c.text().trimmed()
                            : name,
                        title))
                    return true;
                break;
            }
            case XmlNode::Comment:
                if (add(XmlNode(), c.text(), title))
                    return true;
                break;
            default:
                break;
            }
        }
        return false;
    }

    std::vector<Node> m_nodes;
};

} // namespace

Outline read(const XmlDocument& document) {
    Outline outline;
    if (!document.isLoaded())
        return outline;
    outline.rows = readRows(document);
    TitleSearch search;
    outline.hasTitle = search.find(document, &outline.title);
    return outline;
}

} // namespace opml
