#include "platform/XmlDocument.h"

#include <QFile>

#include <libxml/encoding.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlsave.h>

#include <cstring>
#include <mutex>

namespace {

// Refuses every external resource a document names: DTDs, external entities.
xmlParserInputPtr refuseExternalEntity(const char*, const char*, xmlParserCtxtPtr) {
    return nullptr;
}

void ignoreMessage(void*, const char*, ...) {}

void initLibxml() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(refuseExternalEntity);
        // Files declared "GB2312" often carry GBK characters; GB18030 is the
        // superset that decodes them all.
        xmlAddEncodingAlias("GB18030", "GB2312");
        // Errors are reported through XmlParseError; nothing goes to stderr.
        xmlSetGenericErrorFunc(nullptr, ignoreMessage);
    });
}

QString fromXmlChars(const xmlChar* s) {
    return s ? QString::fromUtf8(reinterpret_cast<const char*>(s)) : QString();
}

// Undeclared prefixes make libxml2 keep the qualified name whole; split it so
// that local name and prefix behave as in a namespace-aware DOM.
const char* localPart(const xmlNode* n) {
    const char* name = reinterpret_cast<const char*>(n->name);
    if (!name)
        return "";
    if (n->ns == nullptr && (n->type == XML_ELEMENT_NODE || n->type == XML_ATTRIBUTE_NODE)) {
        const char* colon = std::strchr(name, ':');
        if (colon)
            return colon + 1;
    }
    return name;
}

QByteArray prefixPart(const xmlNode* n) {
    if (n->type != XML_ELEMENT_NODE && n->type != XML_ATTRIBUTE_NODE)
        return {};
    if (n->ns)
        return n->ns->prefix ? QByteArray(reinterpret_cast<const char*>(n->ns->prefix))
                             : QByteArray();
    const char* name = reinterpret_cast<const char*>(n->name);
    const char* colon = name ? std::strchr(name, ':') : nullptr;
    return colon ? QByteArray(name, int(colon - name)) : QByteArray();
}

bool ownEncoding(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
        bytes.startsWith("\xFE\xFF"))
        return true;
    if (!bytes.startsWith("<?xml"))
        return false;
    const qsizetype end = bytes.indexOf("?>");
    if (end < 0)
        return false;
    return bytes.left(end).contains("encoding");
}

bool isKnownEncoding(const QByteArray& name) {
    xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler(name.constData());
    if (!handler)
        return false;
    xmlCharEncCloseFunc(handler);
    return true;
}

} // namespace

int XmlNode::nodeType() const {
    return m_node ? int(m_node->type) : 0;
}

QString XmlNode::localName() const {
    if (!m_node)
        return {};
    switch (m_node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
    case XML_PI_NODE:
    case XML_ENTITY_REF_NODE:
        return QString::fromUtf8(localPart(m_node));
    default:
        return {};
    }
}

QString XmlNode::prefix() const {
    return m_node ? QString::fromUtf8(prefixPart(m_node)) : QString();
}

bool XmlNode::localNameIs(const char* name) const {
    if (!m_node || (m_node->type != XML_ELEMENT_NODE && m_node->type != XML_ATTRIBUTE_NODE &&
                    m_node->type != XML_PI_NODE && m_node->type != XML_ENTITY_REF_NODE))
        return false;
    return std::strcmp(localPart(m_node), name) == 0;
}

bool XmlNode::prefixIs(const char* prefix) const {
    return m_node && prefixPart(m_node) == QByteArray(prefix);
}

QString XmlNode::text() const {
    if (!m_node)
        return {};
    // Most feed elements hold one text or CDATA node: read it without a copy.
    const xmlNode* only = m_node->children;
    if (m_node->type == XML_ELEMENT_NODE && only && only->next == nullptr &&
        (only->type == XML_TEXT_NODE || only->type == XML_CDATA_SECTION_NODE))
        return fromXmlChars(only->content);
    if (m_node->type == XML_ELEMENT_NODE && !only)
        return {};
    xmlChar* content = xmlNodeGetContent(m_node);
    QString result = fromXmlChars(content);
    xmlFree(content);
    return result;
}

QString XmlNode::attribute(const QString& name) const {
    if (!m_node || m_node->type != XML_ELEMENT_NODE)
        return {};
    for (xmlAttr* a = m_node->properties; a; a = a->next) {
        if (QString::fromUtf8(localPart(reinterpret_cast<xmlNode*>(a))) == name ||
            fromXmlChars(a->name) == name) {
            xmlChar* v = xmlNodeGetContent(reinterpret_cast<xmlNode*>(a));
            QString value = fromXmlChars(v);
            xmlFree(v);
            return value;
        }
    }
    return {};
}

QList<QPair<QString, QString>> XmlNode::attributes() const {
    QList<QPair<QString, QString>> result;
    if (!m_node || m_node->type != XML_ELEMENT_NODE)
        return result;
    for (xmlAttr* a = m_node->properties; a; a = a->next) {
        xmlChar* v = xmlNodeGetContent(reinterpret_cast<xmlNode*>(a));
        result.append({fromXmlChars(a->name), fromXmlChars(v)});
        xmlFree(v);
    }
    return result;
}

XmlNode XmlNode::parent() const {
    return XmlNode(m_node ? m_node->parent : nullptr);
}

XmlNode XmlNode::firstChild() const {
    if (!m_node || m_node->type == XML_ENTITY_REF_NODE || m_node->type == XML_ATTRIBUTE_NODE)
        return XmlNode();
    return XmlNode(m_node->children);
}

XmlNode XmlNode::nextSibling() const {
    return XmlNode(m_node ? m_node->next : nullptr);
}

QList<XmlNode> XmlNode::childNodes() const {
    QList<XmlNode> result;
    for (XmlNode c = firstChild(); c; c = c.nextSibling())
        result.append(c);
    return result;
}

QString XmlNode::xml() const {
    if (!m_node)
        return {};
    xmlBufferPtr buf = xmlBufferCreate();
    if (m_node->type == XML_DOCUMENT_NODE) {
        xmlChar* mem = nullptr;
        int size = 0;
        xmlDocDumpMemoryEnc(reinterpret_cast<xmlDocPtr>(m_node), &mem, &size, "UTF-8");
        QString result = QString::fromUtf8(reinterpret_cast<const char*>(mem), size);
        xmlFree(mem);
        xmlBufferFree(buf);
        return result;
    }
    xmlNodeDump(buf, m_node->doc, m_node, 0, 0);
    QString result = QString::fromUtf8(reinterpret_cast<const char*>(xmlBufferContent(buf)),
                                       xmlBufferLength(buf));
    xmlBufferFree(buf);
    return result;
}

XmlDocument::XmlDocument() {
    initLibxml();
}

XmlDocument::~XmlDocument() {
    reset();
}

XmlDocument::XmlDocument(XmlDocument&& other) noexcept
    : m_doc(other.m_doc), m_error(std::move(other.m_error)) {
    other.m_doc = nullptr;
}

XmlDocument& XmlDocument::operator=(XmlDocument&& other) noexcept {
    if (this != &other) {
        reset();
        m_doc = other.m_doc;
        m_error = std::move(other.m_error);
        other.m_doc = nullptr;
    }
    return *this;
}

void XmlDocument::reset() {
    if (m_doc)
        xmlFreeDoc(m_doc);
    m_doc = nullptr;
    m_error = XmlParseError();
}

bool XmlDocument::isFileAddress(const QString& address) {
    return address.left(7).compare(QLatin1String("file://"), Qt::CaseInsensitive) == 0;
}

QString XmlDocument::pathOfFileAddress(const QString& address) {
    return isFileAddress(address) ? address.mid(7) : address;
}

bool XmlDocument::load(const QString& pathOrFileAddress) {
    reset();
    const QString path = pathOfFileAddress(pathOrFileAddress);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        m_error.code = XML_IO_LOAD_ERROR;
        m_error.reason =
            QStringLiteral("cannot open file \"%1\": %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_error.code = XML_IO_EIO;
        m_error.reason =
            QStringLiteral("cannot read file \"%1\": %2").arg(path, file.errorString());
        return false;
    }
    return parse(bytes, nullptr, path.toUtf8());
}

bool XmlDocument::hasOwnEncoding(const QByteArray& bytes) {
    return ownEncoding(bytes);
}

bool XmlDocument::loadBytes(const QByteArray& bytes, const QByteArray& fallbackEncoding) {
    reset();
    const bool useFallback =
        !fallbackEncoding.isEmpty() && !ownEncoding(bytes) && isKnownEncoding(fallbackEncoding);
    return parse(bytes, useFallback ? fallbackEncoding.constData() : nullptr, QByteArray());
}

bool XmlDocument::loadXml(const QString& text) {
    reset();
    return parse(text.toUtf8(), "UTF-8", QByteArray());
}

bool XmlDocument::parse(const QByteArray& bytes, const char* encoding, const QByteArray& url) {
    if (bytes.isEmpty()) {
        m_error.code = XML_ERR_DOCUMENT_EMPTY;
        m_error.reason = QStringLiteral("Document is empty");
        return false;
    }
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (!ctxt) {
        m_error.code = XML_ERR_NO_MEMORY;
        m_error.reason = QStringLiteral("out of memory");
        return false;
    }
    const int options =
        XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_COMPACT;
    xmlDocPtr doc = xmlCtxtReadMemory(ctxt, bytes.constData(), int(bytes.size()),
                                      url.isEmpty() ? nullptr : url.constData(), encoding, options);
    if (!doc || !ctxt->wellFormed) {
        const xmlError* err = &ctxt->lastError;
        m_error.code = err->code ? err->code : XML_ERR_INTERNAL_ERROR;
        m_error.line = err->line;
        m_error.column = err->int2;
        m_error.reason =
            QString::fromUtf8(err->message ? err->message : "not well-formed").trimmed();
        if (doc)
            xmlFreeDoc(doc);
        xmlFreeParserCtxt(ctxt);
        return false;
    }
    xmlFreeParserCtxt(ctxt);
    m_doc = doc;
    return true;
}

XmlNode XmlDocument::documentNode() const {
    return XmlNode(reinterpret_cast<xmlNodePtr>(m_doc));
}

XmlNode XmlDocument::documentElement() const {
    return XmlNode(m_doc ? xmlDocGetRootElement(m_doc) : nullptr);
}

QString XmlDocument::xml() const {
    return documentNode().xml();
}
