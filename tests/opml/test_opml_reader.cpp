// Reading OPML documents into rows and a folder title, and the group they
// make in the tree file.

#include "core/opml/OpmlGroup.h"
#include "core/opml/OpmlReader.h"
#include "core/opml/OpmlSource.h"
#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"
#include "platform/XmlDocument.h"
#include "support/TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

using testsupport::fixturePath;
using testsupport::readFixture;

namespace {

// The expected outline of a fixture: "title<TAB>text" when the document
// offers a folder title, then "row<TAB>text<TAB>address" per row.
opml::Outline expectedOutline(const QString& name) {
    opml::Outline outline;
    const QString text = QString::fromUtf8(readFixture(QStringLiteral("opml/") + name + ".rows"));
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.value(0) == QLatin1String("title")) {
            outline.hasTitle = true;
            outline.title = fields.value(1);
        } else if (fields.value(0) == QLatin1String("row")) {
            outline.rows.append({fields.value(1), fields.value(2)});
        } else {
            ADD_FAILURE() << "bad line in " << name.toStdString() << ": " << line.toStdString();
        }
    }
    return outline;
}

std::string describe(const opml::Outline& outline) {
    QString s = outline.hasTitle ? QStringLiteral("title [%1]\n").arg(outline.title)
                                 : QStringLiteral("no title\n");
    for (const opml::Row& row : outline.rows)
        s += QStringLiteral("[%1] [%2]\n").arg(row.text, row.address);
    return s.toStdString();
}

opml::Outline readFixtureOutline(const QString& name) {
    XmlDocument document;
    XmlParseError error;
    EXPECT_TRUE(
        opml::loadDocument(fixturePath(QStringLiteral("opml/") + name + ".opml"), document, error))
        << name.toStdString() << ": " << error.reason.toStdString();
    return opml::read(document);
}

} // namespace

// Every shape of export we know: flat; nested two to four levels with groups,
// attributes in either order and any case, a feed listed twice; title-only
// outlines; head with a title, an empty head, none; an empty folder outline;
// a byte-order mark, ISO-8859-15, no declaration; comments before the root
// and between outlines; characters outside the BMP and outside code page 936;
// an RSS feed instead of OPML.
TEST(OpmlReader, FixturesGiveTheirExpectedRows) {
    for (const char* name :
         {"flat", "nested", "title_only", "no_head", "bom_astral", "latin9", "rss_feed"}) {
        SCOPED_TRACE(name);
        const opml::Outline expected = expectedOutline(QString::fromLatin1(name));
        const opml::Outline actual = readFixtureOutline(QString::fromLatin1(name));
        EXPECT_EQ(describe(actual), describe(expected));
    }
}

TEST(OpmlReader, TitleRuleFollowsTheOutlineOrder) {
    struct Case {
        const char* xml;
        bool hasTitle;
        const char* title;
    } cases[] = {
        // Blanks around the title element's text are dropped.
        {"<opml><head><title>\n  Spaced  \n</title></head><body/></opml>", true, "Spaced"},
        // Letter case of the element name does not matter.
        {"<opml><head><TITLE>Upper</TITLE></head></opml>", true, "Upper"},
        // A comment before the root is made before the title element.
        {"<!--Title from a comment--><opml><head><title>Head</title></head></opml>", true,
         " from a comment"},
        // Made by the expansion of the root's child: still found.
        {"<opml><head><meta><title>Deep</title></meta></head></opml>", true, "Deep"},
        // Deeper than the pass reaches: no title.
        {"<opml><head><meta><x><title>Too deep</title></x></meta></head></opml>", false, ""},
        // The title's own text node is made after the element: the element wins.
        {"<opml><head><title>title twice</title></head></opml>", true, "title twice"},
        {"<opml/>", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        XmlDocument document;
        ASSERT_TRUE(document.loadXml(QString::fromUtf8(c.xml)));
        const opml::Outline outline = opml::read(document);
        EXPECT_EQ(outline.hasTitle, c.hasTitle);
        EXPECT_EQ(outline.title, QString::fromUtf8(c.title));
    }
}

TEST(OpmlReader, RowRulesAtAnyDepth) {
    struct Case {
        const char* xml;
        const char* rows; // "text|address;" per row
    } cases[] = {
        // A group with an address is a feed too, and its children are read.
        {"<opml><body><outline text='G' xmlUrl='http://g'><outline text='c' "
         "xmlUrl='http://c'/></outline></body></opml>",
         "G|http://g;c|http://c;"},
        // A group holds elements: it is no row, even with only a comment beside them.
        {"<opml><body><outline text='G'><!--x--><outline text='c' xmlUrl='u'/></outline>"
         "</body></opml>",
         "c|u;"},
        // An outline holding only text is still a leaf.
        {"<opml><body><outline text='T'>some text</outline></body></opml>", "T|;"},
        // A blank address is none: the outline holding others is a folder.
        {"<opml><body><outline text='G' xmlUrl=' '><outline text='c' xmlUrl='u'/></outline>"
         "<outline text='leaf' xmlUrl=''/></body></opml>",
         "c|u;leaf|;"},
        // A feed in two folders is listed twice, with its address both times.
        {"<opml><body><outline text='A'><outline text='f' xmlUrl='http://f'/></outline>"
         "<outline text='B'><outline text='f2' xmlUrl='http://f'/></outline></body></opml>",
         "f|http://f;f2|http://f;"},
        // An address without any name makes no row.
        {"<opml><body><outline xmlUrl='http://nameless'/></body></opml>", ""},
        // Attribute values keep their characters; the second TEXT-like name is not used.
        {"<opml><body><outline text=' padded ' TeXt='second' XmlUrl=' http://a '/></body></opml>",
         " padded | http://a ;"},
        // Nine levels deep.
        {"<opml><body><outline text='1'><outline text='2'><outline text='3'><outline text='4'>"
         "<outline text='5'><outline text='6'><outline text='7'><outline text='8'>"
         "<outline text='9' xmlUrl='http://9'/></outline></outline></outline></outline>"
         "</outline></outline></outline></outline></body></opml>",
         "9|http://9;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        XmlDocument document;
        ASSERT_TRUE(document.loadXml(QString::fromUtf8(c.xml)));
        QString rows;
        for (const opml::Row& row : opml::read(document).rows)
            rows += row.text + QLatin1Char('|') + row.address + QLatin1Char(';');
        EXPECT_EQ(rows.toStdString(), std::string(c.rows));
    }
}

TEST(OpmlReader, AttributeOrderAndCaseGiveTheSameRows) {
    const char* variants[] = {
        "<opml><body><outline text='A' xmlUrl='http://a'/></body></opml>",
        "<opml><body><outline xmlUrl='http://a' text='A'/></body></opml>",
        "<opml><body><outline XMLURL='http://a' TEXT='A'/></body></opml>",
        "<opml><body><outline xmlURL='http://a' Text='A'/></body></opml>",
        "<opml><body><outline type='rss' title='A' xmlurl='http://a'/></body></opml>",
    };
    for (const char* xml : variants) {
        SCOPED_TRACE(xml);
        XmlDocument document;
        ASSERT_TRUE(document.loadXml(QString::fromUtf8(xml)));
        const opml::Outline outline = opml::read(document);
        ASSERT_EQ(outline.rows.size(), 1);
        EXPECT_EQ(outline.rows[0], (opml::Row{QStringLiteral("A"), QStringLiteral("http://a")}));
    }
}

TEST(OpmlReader, BareAmpersandGivesTheErrorMessage) {
    XmlDocument document;
    XmlParseError error;
    ASSERT_FALSE(opml::loadDocument(fixturePath(QStringLiteral("opml/bad_ampersand.opml")),
                                    document, error));
    EXPECT_NE(error.code, 0);
    EXPECT_EQ(error.line, 4);
    EXPECT_GT(error.column, 0);
    EXPECT_FALSE(error.reason.isEmpty());
    const QString message = opml::errorMessage(error);
    EXPECT_EQ(message, QStringLiteral("无法获取您指定的OPML文档\r\n\r\nError Code: %1\r\n"
                                      "Line Number: 4\r\nLine Position: %2\r\nReason: %3\r\n")
                           .arg(error.code)
                           .arg(error.column)
                           .arg(error.reason));
}

TEST(OpmlReader, ErrorMessageLayout) {
    XmlParseError error;
    error.code = -1072896682;
    error.line = 12;
    error.column = 345;
    error.reason = QStringLiteral("whitespace expected");
    EXPECT_EQ(opml::errorMessage(error),
              QStringLiteral("无法获取您指定的OPML文档\r\n\r\nError Code: -1072896682\r\n"
                             "Line Number: 12\r\nLine Position: 345\r\nReason: whitespace "
                             "expected\r\n"));
}

TEST(OpmlReader, MissingFileIsAnError) {
    testsupport::ProgramDir dir;
    XmlDocument document;
    XmlParseError error;
    EXPECT_FALSE(opml::loadDocument(dir.file(QStringLiteral("absent.opml")), document, error));
    EXPECT_NE(error.code, 0);
    EXPECT_TRUE(error.reason.contains(QStringLiteral("absent.opml")));
    // A "file://" address names a local file as well.
    EXPECT_TRUE(opml::loadDocument(QStringLiteral("file://") + fixturePath("opml/flat.opml"),
                                   document, error));
}

// Titles outside code page 936 and outside the BMP reach the tree file and
// come back unchanged.
TEST(OpmlGroup, ChannelsKeepEveryCharacterInTheTreeFile) {
    testsupport::ProgramDir dir;
    const opml::Outline outline = readFixtureOutline(QStringLiteral("bom_astral"));
    ASSERT_EQ(outline.rows.size(), 2);
    clsProject project;
    const clsItemPtr folder = project.objColItems.Add(clsItem::Folder, outline.title, {}, {}, {});
    for (const opml::Row& row : outline.rows)
        ASSERT_TRUE(opml::addChannel(project, folder->strKey, row.address, row.text));
    const QString file = dir.file(QStringLiteral("Data/KestrixRSS.xml"));
    ASSERT_TRUE(project.Save(file));

    clsProject reloaded;
    ASSERT_TRUE(reloaded.Load(file));
    ASSERT_EQ(reloaded.objColItems.Count(), 1);
    const clsItemPtr group = reloaded.objColItems.Item(1);
    EXPECT_EQ(group->intType, clsItem::Folder);
    EXPECT_EQ(group->strTitle, QStringLiteral("Feeds 😀 𠮷"));
    ASSERT_EQ(group->objColItems.Count(), 2);
    for (qint32 i = 1; i <= 2; ++i) {
        const clsItemPtr channel = group->objColItems.Item(i);
        EXPECT_EQ(channel->intType, clsItem::RssChannel);
        EXPECT_EQ(channel->strTitle, outline.rows[i - 1].text);
        EXPECT_EQ(channel->strURL, outline.rows[i - 1].address);
    }
}

TEST(OpmlGroup, ChannelsGoOnlyIntoFolders) {
    clsProject project;
    const clsItemPtr folder =
        project.objColItems.Add(clsItem::Folder, QStringLiteral("F"), {}, {}, {});
    const clsItemPtr page = project.objColItems.Add(clsItem::WebPage, QStringLiteral("P"),
                                                    QStringLiteral("http://p"), {}, {});
    EXPECT_FALSE(opml::addChannel(project, page->strKey, QStringLiteral("http://a"), {}));
    EXPECT_FALSE(
        opml::addChannel(project, QStringLiteral("RSS999999"), QStringLiteral("http://a"), {}));
    const clsItemPtr channel =
        opml::addChannel(project, folder->strKey, {}, QStringLiteral("No address"));
    ASSERT_TRUE(channel);
    EXPECT_EQ(channel->strURL, QString());
    EXPECT_EQ(folder->objColItems.Count(), 1);
    EXPECT_EQ(page->objColItems.Count(), 0);
}
