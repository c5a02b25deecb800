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
