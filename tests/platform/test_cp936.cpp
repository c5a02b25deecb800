#include "core/tree/modTypes.h"
#include "platform/Cp936.h"
#include "platform/XmlDocument.h"

#include <gtest/gtest.h>

TEST(Cp936, EncodesAndDecodesChineseAndEscapesTheRest) {
    EXPECT_EQ(cp936::fromUnicode(QStringLiteral("中文 abc")), QByteArray("\xD6\xD0\xCE\xC4 abc"));
    EXPECT_EQ(cp936::toUnicode("\xD6\xD0\xCE\xC4 abc"), QStringLiteral("中文 abc"));
    // GBK characters outside GB2312 are written as themselves.
    EXPECT_EQ(cp936::toUnicode(cp936::fromUnicode(QStringLiteral("朱镕基 陶喆"))),
              QStringLiteral("朱镕基 陶喆"));
    // Characters the code page cannot hold become character references.
    EXPECT_EQ(cp936::fromUnicode(QStringLiteral("a😀b")), QByteArray("a&#128512;b"));
    EXPECT_EQ(cp936::toUnicode(cp936::fromUnicode(QStringLiteral("かな"))), QStringLiteral("かな"));
    EXPECT_TRUE(cp936::canEncode(U'中'));
    EXPECT_FALSE(cp936::canEncode(U'😀'));
    EXPECT_FALSE(cp936::canEncode(U'\u0E01')); // Thai
    EXPECT_EQ(cp936::toUnicode("a\xFF"), QStringLiteral("a\uFFFD"));
}

// What wrapCData writes must read back unchanged through the XML parser,
// after the text was encoded in the code page and declared GB2312.
TEST(Cp936, CDataWriteThenReadGivesEveryTextBack) {
    const QString cases[] = {
        QString(),
        QStringLiteral("plain"),
        QStringLiteral("中文标题"),
        QStringLiteral("<&>\"'"),
        QStringLiteral("a]]>b"),
        QStringLiteral("]]]]>>"),
        QStringLiteral("emoji 😀 and 🇨🇳"),
        QStringLiteral("朱镕基 陶喆"),
        QStringLiteral("日本語 한국어 ไทย €"),
        QStringLiteral("line\r\nbreaks\rand\ttabs\n"),
        QStringLiteral("]]>😀]]>"),
    };
    for (const QString& text : cases) {
        const QString wrapped = modTypes::wrapCData(text);
        const QByteArray bytes = "<?xml version='1.0' encoding='GB2312' ?>\r\n<t>" +
                                 cp936::fromUnicode(wrapped) + "</t>";
        XmlDocument doc;
        ASSERT_TRUE(doc.loadBytes(bytes)) << wrapped.toStdString();
        EXPECT_EQ(doc.documentElement().text(), text) << wrapped.toStdString();
    }
}

TEST(Cp936, PlainTextIsOneCDataSection) {
    EXPECT_EQ(modTypes::wrapCData(QStringLiteral("新闻 <&>")),
              QStringLiteral("<![CDATA[新闻 <&>]]>"));
    EXPECT_EQ(modTypes::wrapCData(QString()), QStringLiteral("<![CDATA[]]>"));
    EXPECT_EQ(modTypes::wrapCData(QStringLiteral("a]]>b")),
              QStringLiteral("<![CDATA[a]]]]><![CDATA[>b]]>"));
    EXPECT_EQ(modTypes::wrapCData(QStringLiteral("x😀")),
              QStringLiteral("<![CDATA[x]]>&#128512;<![CDATA[]]>"));
    // Characters XML cannot carry at all are dropped rather than making the file unreadable.
    EXPECT_EQ(modTypes::wrapCData(QStringLiteral("a\u0001b")), QStringLiteral("<![CDATA[ab]]>"));
}
