#pragma once

// The program's XML document object: a small wrapper over libxml2 that loads a
// whole document at once and hands out read-only node handles.
//
// Safety: nothing is ever fetched while parsing. The network is off, no DTD or
// external entity is loaded (a global loader refuses every request), and
// libxml2's entity-expansion limits stay in force.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

struct _xmlDoc;
struct _xmlNode;

struct XmlParseError {
    int code = 0;   // libxml2 error code, 0 when the last load succeeded
    int line = 0;   // 1-based, 0 when unknown
    int column = 0; // 1-based, 0 when unknown
    QString reason; // libxml2's message, trimmed
};

class XmlNode {
public:
    // DOM node type numbers, as libxml2 also uses them.
    enum Type {
        Element = 1,
        Attribute = 2,
        Text = 3,
        CData = 4,
        EntityReference = 5,
        ProcessingInstruction = 7,
        Comment = 8,
        Document = 9,
    };

    XmlNode() = default;
    explicit XmlNode(_xmlNode* node) : m_node(node) {}

    bool isNull() const { return m_node == nullptr; }
    explicit operator bool() const { return m_node != nullptr; }

    int nodeType() const;
    // Name without namespace prefix; empty for text, CDATA and comment nodes.
    QString localName() const;
    QString prefix() const;
    // Fast checks that avoid building a QString; exact and case-sensitive.
    bool localNameIs(const char* name) const;
    bool prefixIs(const char* prefix) const;
    bool hasPrefix() const;

    // Text content of the node and all its descendants (CDATA included).
    QString text() const;
    QString attribute(const QString& name) const;
    QList<QPair<QString, QString>> attributes() const;

    XmlNode parent() const;
    XmlNode firstChild() const;
    XmlNode nextSibling() const;
    QList<XmlNode> childNodes() const;

    // The node serialised as XML text.
    QString xml() const;

private:
    _xmlNode* m_node = nullptr;
};

class XmlDocument {
public:
    XmlDocument();
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;
    XmlDocument(XmlDocument&& other) noexcept;
    XmlDocument& operator=(XmlDocument&& other) noexcept;

    // Loads a file given as a path or as a "file://" address (any letter case;
    // everything after "file://" is the path, taken literally). The document's
    // encoding declaration decides how its bytes are decoded.
    bool load(const QString& pathOrFileAddress);
    // Loads from bytes. `fallbackEncoding` (for example an HTTP charset) is
    // used only when the bytes carry neither a byte-order mark nor an encoding
    // declaration of their own.
    bool loadBytes(const QByteArray& bytes, const QByteArray& fallbackEncoding = {});
    // Loads from text already decoded to Unicode; an encoding declaration in
    // the text is ignored.
    bool loadXml(const QString& text);

    bool isLoaded() const { return m_doc != nullptr; }
    const XmlParseError& parseError() const { return m_error; }

    // The document node; its children are the declaration-less top-level nodes.
    XmlNode documentNode() const;
    XmlNode documentElement() const;
    // The whole document as text (declared as UTF-8).
    QString xml() const;

    // The path part of a "file://" address, or the text unchanged when it is not one.
    static QString pathOfFileAddress(const QString& address);
    static bool isFileAddress(const QString& address);
    // True when the bytes name their own encoding (byte-order mark or declaration).
    static bool hasOwnEncoding(const QByteArray& bytes);

private:
    bool parse(const QByteArray& bytes, const char* encoding, const QByteArray& url);
    void reset();

    _xmlDoc* m_doc = nullptr;
    XmlParseError m_error;
};
