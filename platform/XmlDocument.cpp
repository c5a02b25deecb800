#include "platform/XmlDocument.h"

#include <QFile>

#include <libxml/HTMLparser.h>
#include <libxml/SAX2.h>
#include <libxml/encoding.h>
#include <libxml/entities.h>
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

// Many real feeds start with a line break before "<?xml", which XML forbids.
// White space there is skipped (behind a byte-order mark too); nothing else in
// a document is relaxed. Works in UTF-8 and in UTF-16 marked by its BOM.
QByteArray skipBlanksBeforeDeclaration(const QByteArray& bytes) {
    qsizetype bom = 0;
    int unit = 1;
    bool bigEndian = false;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bom = 3;
    } else if (bytes.startsWith("\xFF\xFE")) {
        bom = 2;
        unit = 2;
    } else if (bytes.startsWith("\xFE\xFF")) {
        bom = 2;
        unit = 2;
        bigEndian = true;
    }
    auto charAt = [&](qsizetype pos) -> int {
        if (pos + unit > bytes.size())
            return -1;
        if (unit == 1)
            return uchar(bytes[pos]);
        const uchar lo = uchar(bytes[pos + (bigEndian ? 1 : 0)]);
        const uchar hi = uchar(bytes[pos + (bigEndian ? 0 : 1)]);
        return hi ? 0x100 : lo;
    };
    qsizetype pos = bom;
    while (true) {
        const int c = charAt(pos);
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            break;
        pos += unit;
    }
    if (pos == bom)
        return bytes;
    static const char declaration[] = "<?xml";
    for (int i = 0; i < 5; ++i)
        if (charAt(pos + i * unit) != declaration[i])
            return bytes; // blanks before a root element are already allowed
    return bytes.left(bom) + bytes.mid(pos);
}

bool ownEncoding(const QByteArray& original) {
    const QByteArray bytes = skipBlanksBeforeDeclaration(original);
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

// What one parse collects beside the document.
struct ParseState {
    bool haveFatal = false;
    XmlParseError fatal; // the first fatal error: the one that stopped the parse
    bool entityFailed = false;
    XmlParseError entity;
};

// The parse under way on this thread (the context's own user pointers are
// reset when a read starts).
thread_local ParseState* currentParse = nullptr;

XmlParseError errorFrom(const xmlError* err) {
    XmlParseError e;
    e.code = err->code ? err->code : XML_ERR_INTERNAL_ERROR;
    e.line = err->line;
    e.column = err->int2;
    e.reason = QString::fromUtf8(err->message ? err->message : "not well-formed").trimmed();
    return e;
}

// Later messages (a namespace warning, say) must not hide the fatal error.
void collectError(void*, xmlErrorPtr err) {
    ParseState* state = currentParse;
    if (state && err && err->level == XML_ERR_FATAL && !state->haveFatal) {
        state->haveFatal = true;
        state->fatal = errorFrom(err);
    }
}

// Feeds that declare an external DTD (the RSS 0.91 DOCTYPE above all) use the
// HTML entities it defines. The DTD is never loaded, so an entity the document
// does not declare itself is taken from the HTML 4 set that libxml2 carries;
// one unknown there too fails the load instead of vanishing from the text.
xmlEntityPtr getEntity(void* userData, const xmlChar* name) {
    xmlEntityPtr declared = xmlSAX2GetEntity(userData, name);
    auto* ctxt = static_cast<xmlParserCtxtPtr>(userData);
    if (declared || !ctxt || !ctxt->myDoc || !ctxt->myDoc->intSubset || ctxt->inSubset ||
        (!ctxt->myDoc->intSubset->ExternalID && !ctxt->myDoc->intSubset->SystemID))
        return declared;
    if (const htmlEntityDesc* html = htmlEntityLookup(name)) {
        // A character reference, so that the replacement text is well-formed
        // whatever the character.
        const QByteArray value = "&#" + QByteArray::number(html->value) + ";";
        return xmlAddDocEntity(ctxt->myDoc, name, XML_INTERNAL_GENERAL_ENTITY, nullptr, nullptr,
                               reinterpret_cast<const xmlChar*>(value.constData()));
    }
    ParseState* state = currentParse;
    if (state && !state->entityFailed) {
        state->entityFailed = true;
        state->entity.code = XML_ERR_UNDECLARED_ENTITY;
        state->entity.line = ctxt->input ? ctxt->input->line : 0;
        state->entity.column = ctxt->input ? ctxt->input->col : 0;
        state->entity.reason =
            QStringLiteral("Entity '%1' not defined (neither by the document nor in HTML 4)")
                .arg(QString::fromUtf8(reinterpret_cast<const char*>(name)));
    }
    xmlStopParser(ctxt);
    return nullptr;
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

bool XmlNode::hasPrefix() const {
    if (!m_node || (m_node->type != XML_ELEMENT_NODE && m_node->type != XML_ATTRIBUTE_NODE))
        return false;
    if (m_node->ns)
        return m_node->ns->prefix && m_node->ns->prefix[0];
    return m_node->name && std::strchr(reinterpret_cast<const char*>(m_node->name), ':');
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

bool XmlDocument::parse(const QByteArray& original, const char* encoding, const QByteArray& url) {
    if (original.isEmpty()) {
        m_error.code = XML_ERR_DOCUMENT_EMPTY;
        m_error.reason = QStringLiteral("Document is empty");
        return false;
    }
    const QByteArray bytes = skipBlanksBeforeDeclaration(original);
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (!ctxt) {
        m_error.code = XML_ERR_NO_MEMORY;
        m_error.reason = QStringLiteral("out of memory");
        return false;
    }
    ParseState state;
    currentParse = &state;
    ctxt->sax->serror = collectError;
    ctxt->sax->getEntity = getEntity;
    const int options =
        XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_COMPACT;
    xmlDocPtr doc = xmlCtxtReadMemory(ctxt, bytes.constData(), int(bytes.size()),
                                      url.isEmpty() ? nullptr : url.constData(), encoding, options);
    currentParse = nullptr;
    if (!doc || !ctxt->wellFormed || state.entityFailed) {
        if (state.entityFailed)
            m_error = state.entity;
        else if (state.haveFatal)
            m_error = state.fatal;
        else
            m_error = errorFrom(&ctxt->lastError);
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
