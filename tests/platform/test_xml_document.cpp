#include "platform/XmlDocument.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testsupport::fixturePath;

TEST(XmlDocument, LoadsPathsAndFileAddressesInAnyCase) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("my feed.xml"));
    testsupport::writeFile(path, "<r><x>1</x></r>");
    for (const QString& address :
         {path, QStringLiteral("file://") + path, QStringLiteral("FILE://") + path,
          QStringLiteral("File://") + path}) {
        XmlDocument doc;
        ASSERT_TRUE(doc.load(address)) << address.toStdString();
        EXPECT_EQ(doc.documentElement().localName(), QStringLiteral("r"));
        EXPECT_EQ(doc.documentElement().text(), QStringLiteral("1"));
    }
}

TEST(XmlDocument, ReportsMissingFilesAndMalformedText) {
    XmlDocument missing;
    EXPECT_FALSE(missing.load(QStringLiteral("/nonexistent/dir/feed.xml")));
    EXPECT_NE(missing.parseError().code, 0);
    EXPECT_FALSE(missing.parseError().reason.isEmpty());
    EXPECT_FALSE(missing.isLoaded());

    XmlDocument bad;
    EXPECT_FALSE(bad.loadBytes("<r>\n  <a></b>\n</r>"));
    EXPECT_NE(bad.parseError().code, 0);
    EXPECT_EQ(bad.parseError().line, 2);
    EXPECT_GT(bad.parseError().column, 0);
    EXPECT_FALSE(bad.parseError().reason.isEmpty());

    XmlDocument empty;
    EXPECT_FALSE(empty.loadBytes(QByteArray()));
    EXPECT_NE(empty.parseError().code, 0);
}

TEST(XmlDocument, DeclaredGb2312ReadsGbkCharacters) {
    XmlDocument doc;
    ASSERT_TRUE(doc.load(fixturePath(QStringLiteral("gbk_declared_gb2312.xml"))));
    EXPECT_EQ(doc.documentElement().text(), QStringLiteral("朱镕基 陶喆 中文"));
}

TEST(XmlDocument, FallbackEncodingOnlyWithoutDeclaration) {
    const QByteArray gbk = QByteArray("<t>") + QByteArray("\xD6\xD0\xCE\xC4") + "</t>"; // 中文
    XmlDocument withHint;
    ASSERT_TRUE(withHint.loadBytes(gbk, "GB2312"));
    EXPECT_EQ(withHint.documentElement().text(), QStringLiteral("中文"));

    // A declaration wins over the hint.
    XmlDocument declared;
    ASSERT_TRUE(declared.loadBytes(QByteArray("<?xml version='1.0' encoding='UTF-8'?><t>") +
                                       QStringLiteral("中文").toUtf8() + "</t>",
                                   "GB2312"));
    EXPECT_EQ(declared.documentElement().text(), QStringLiteral("中文"));

    XmlDocument unknownHint;
    ASSERT_TRUE(unknownHint.loadBytes("<t>a</t>", "no-such-charset"));
}

TEST(XmlDocument, NodesGiveNamesPrefixesTextAttributesAndXml) {
    XmlDocument doc;
    ASSERT_TRUE(doc.loadBytes(
        "<?xml version='1.0'?><!-- c --><rdf:RDF xmlns:rdf='urn:r' xmlns:content='urn:c'>"
        "<item id='7'><content:encoded><![CDATA[<b>x</b>]]> &amp; y</content:encoded></item>"
        "<undeclared:tag/></rdf:RDF>"));
    const QList<XmlNode> top = doc.documentNode().childNodes();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0].nodeType(), int(XmlNode::Comment));
    const XmlNode root = top[1];
    EXPECT_EQ(root.localName(), QStringLiteral("RDF"));
    EXPECT_EQ(root.prefix(), QStringLiteral("rdf"));
    EXPECT_TRUE(root.localNameIs("RDF"));
    EXPECT_FALSE(root.localNameIs("rdf"));

    const XmlNode item = root.firstChild();
    EXPECT_EQ(item.attribute(QStringLiteral("id")), QStringLiteral("7"));
    ASSERT_EQ(item.attributes().size(), 1);
    EXPECT_EQ(item.parent().localName(), QStringLiteral("RDF"));
    const XmlNode encoded = item.firstChild();
    EXPECT_EQ(encoded.localName(), QStringLiteral("encoded"));
    EXPECT_EQ(encoded.prefix(), QStringLiteral("content"));
    EXPECT_EQ(encoded.text(), QStringLiteral("<b>x</b> & y"));
    EXPECT_EQ(encoded.firstChild().nodeType(), int(XmlNode::CData));
    EXPECT_EQ(item.xml(),
              QStringLiteral("<item id=\"7\"><content:encoded><![CDATA[<b>x</b>]]> &amp; "
                             "y</content:encoded></item>"));

    const XmlNode undeclared = item.nextSibling();
    EXPECT_EQ(undeclared.localName(), QStringLiteral("tag"));
    EXPECT_EQ(undeclared.prefix(), QStringLiteral("undeclared"));

    // The document's own text loads again as the same document.
    XmlDocument again;
    ASSERT_TRUE(again.loadXml(doc.xml()));
    EXPECT_EQ(again.documentElement().firstChild().firstChild().text(), encoded.text());
}

TEST(XmlDocument, BillionLaughsIsRejectedOrInert) {
    XmlDocument doc;
    if (doc.load(fixturePath(QStringLiteral("billion_laughs.xml"))))
        EXPECT_LT(doc.documentElement().text().size(), 1000000);
    else
        EXPECT_NE(doc.parseError().code, 0);
}

TEST(XmlDocument, ExternalEntitiesAreNeverRead) {
    QTemporaryDir dir;
    const QString secret = dir.filePath(QStringLiteral("secret.txt"));
    testsupport::writeFile(secret, "TOP-SECRET");
    const QByteArray withEntity = "<?xml version='1.0'?><!DOCTYPE r [<!ENTITY s SYSTEM 'file://" +
                                  secret.toUtf8() + "'>]><r>&s;</r>";
    const QByteArray withDtd =
        "<?xml version='1.0'?><!DOCTYPE r SYSTEM 'file://" + secret.toUtf8() + "'><r>x</r>";
    for (const QByteArray& bytes : {withEntity, withDtd}) {
        XmlDocument doc;
        if (doc.loadBytes(bytes)) {
            EXPECT_FALSE(doc.xml().contains(QStringLiteral("TOP-SECRET")));
            EXPECT_FALSE(doc.documentElement().text().contains(QStringLiteral("TOP-SECRET")));
        }
    }
}

TEST(XmlDocument, UndeclaredEntitiesUnderAnExternalDtd) {
    // Known to HTML 4: expanded (see the feed parser's tests); unknown: the load fails and says
    // why.
    XmlDocument unknown;
    EXPECT_FALSE(unknown.load(fixturePath(QStringLiteral("feeds/rss091_unknown_entity.xml"))));
    EXPECT_EQ(unknown.parseError().code, 26); // XML_ERR_UNDECLARED_ENTITY
    EXPECT_EQ(unknown.parseError().line, 6);
    EXPECT_TRUE(unknown.parseError().reason.contains(QStringLiteral("notanentity")))
        << unknown.parseError().reason.toStdString();

    // The document's own declaration wins over the HTML set.
    XmlDocument own;
    ASSERT_TRUE(own.loadBytes("<!DOCTYPE r SYSTEM 'r.dtd' [<!ENTITY eacute 'E'>]><r>&eacute;</r>"));
    EXPECT_EQ(own.documentElement().text(), QStringLiteral("E"));
    // Entities in attribute values too.
    XmlDocument attribute;
    ASSERT_TRUE(attribute.loadBytes("<!DOCTYPE r SYSTEM 'r.dtd'><r a='&copy;'/>"));
    EXPECT_EQ(attribute.documentElement().attribute(QStringLiteral("a")), QStringLiteral("©"));
    // Without an external DTD nothing changes: an undeclared entity is a fatal error.
    for (const QByteArray& bytes : {QByteArray("<r>&eacute;</r>"),
                                    QByteArray("<!DOCTYPE r [<!ELEMENT r ANY>]><r>&eacute;</r>")}) {
        XmlDocument plain;
        EXPECT_FALSE(plain.loadBytes(bytes)) << bytes.constData();
        EXPECT_EQ(plain.parseError().code, 26) << bytes.constData();
    }
    // The document still reads back as itself.
    XmlDocument expanded;
    ASSERT_TRUE(expanded.loadBytes("<!DOCTYPE r PUBLIC 'p' 'r.dtd'><r>Caf&eacute;&nbsp;</r>"));
    XmlDocument again;
    ASSERT_TRUE(again.loadXml(expanded.xml())) << expanded.xml().toStdString();
    EXPECT_EQ(again.documentElement().text(), QStringLiteral("Café\u00A0"));
}

TEST(XmlDocument, BlanksBeforeTheDeclarationOnly) {
    const QByteArray chinese = QStringLiteral("中文").toUtf8();
    const struct {
        QByteArray bytes;
        bool loads;
        QByteArray hint = "GB2312"; // must not override a declaration behind the blanks
    } cases[] = {
        {"\n\n<?xml version='1.0' encoding='UTF-8'?><t>" + chinese + "</t>", true},
        {"\xEF\xBB\xBF \t\r\n<?xml version='1.0' encoding='UTF-8'?><t>" + chinese + "</t>", true},
        {"\n<t>" + chinese + "</t>", true, "UTF-8"},
        {"x\n<?xml version='1.0'?><t/>", false},
        {"\n<!-- c --><?xml version='1.0'?><t/>", false},
        {"\n \n", false},
    };
    for (const auto& c : cases) {
        XmlDocument doc;
        EXPECT_EQ(doc.loadBytes(c.bytes, c.hint), c.loads) << c.bytes.constData();
        if (c.loads)
            EXPECT_EQ(doc.documentElement().text(), QStringLiteral("中文")) << c.bytes.constData();
    }
    // UTF-16 with its byte-order mark.
    const QString text = QStringLiteral("\r\n<?xml version='1.0' encoding='UTF-16'?><t>中文</t>");
    QByteArray utf16("\xFF\xFE", 2);
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    XmlDocument doc;
    ASSERT_TRUE(doc.loadBytes(utf16)) << doc.parseError().reason.toStdString();
    EXPECT_EQ(doc.documentElement().text(), QStringLiteral("中文"));
}

TEST(XmlDocument, ReportsTheErrorThatStoppedTheParse) {
    XmlDocument doc;
    EXPECT_FALSE(doc.load(fixturePath(QStringLiteral("feeds/fatal_then_namespace.xml"))));
    EXPECT_EQ(doc.parseError().code, 76); // XML_ERR_TAG_NAME_MISMATCH, not the namespace warning
    EXPECT_EQ(doc.parseError().line, 5);
    EXPECT_GT(doc.parseError().column, 0);
    EXPECT_TRUE(doc.parseError().reason.contains(QStringLiteral("title")))
        << doc.parseError().reason.toStdString();
}
