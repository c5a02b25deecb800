// The headline list's rules that need no widget: stepping through rows, the
// history, the balloon and summary texts, the toggles and feed addresses.

#include "app/NewsPaneRules.h"
#include "dialogs/PagePropertiesDialog.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace newsRules;

TEST(NewsRules, RowBoundsForSelectBackAndNext) {
    const struct {
        int selected, count, clamped, previous, next;
    } cases[] = {
        {0, 0, 0, 0, 0},  // no rows: nothing anywhere
        {0, 3, 1, 0, 0},  // no selection: Back and Next do nothing; selectRow(0) is row 1
        {1, 3, 1, 0, 2},  // first row: no Back
        {2, 3, 2, 1, 3},  // middle
        {3, 3, 3, 2, 0},  // last row: no Next
        {7, 3, 3, 0, 0},  // past the end: clamped; a stale selection steps nowhere
        {-2, 3, 1, 0, 0}, // below the start
        {1, 1, 1, 0, 0},  // a single row
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clampRow(c.selected, c.count), c.clamped) << c.selected << "/" << c.count;
        EXPECT_EQ(previousRow(c.selected, c.count), c.previous) << c.selected << "/" << c.count;
        EXPECT_EQ(nextRow(c.selected, c.count), c.next) << c.selected << "/" << c.count;
    }
}

TEST(NewsRules, EntryRowsAndHistoryPositions) {
    EXPECT_TRUE(isEntryRow(QStringLiteral("RSS12")));
    EXPECT_TRUE(isEntryRow(QStringLiteral("rss3")));
    EXPECT_FALSE(isEntryRow(QStringLiteral("http://rss.example/1")));
    EXPECT_FALSE(isEntryRow(QString()));

    const QStringList titles{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("A ")};
    EXPECT_EQ(historyPosition(titles, QStringLiteral("A")), 0);
    EXPECT_EQ(historyPosition(titles, QStringLiteral("A ")), 2); // exact text only
    EXPECT_EQ(historyPosition(titles, QStringLiteral("a")), -1);
    EXPECT_EQ(historyPosition({}, QStringLiteral("A")), -1);
}

TEST(NewsRules, SummaryAndHoverTexts) {
    EXPECT_EQ(summaryText(QStringLiteral("<b>x</b>")), QStringLiteral("\r\n<b>x</b>"));

    const QString none = QStringLiteral("此信息无摘要提示!");
    const QString forty = QStringLiteral("一二三四五六七八九十").repeated(4);
    const struct {
        QString description, text;
    } cases[] = {
        {QString(), none},
        {QStringLiteral("   "), none}, // blanks only: nothing to show
        {QStringLiteral("<p>markup first</p>"), none},
        {QStringLiteral("  <p>after blanks</p>"), none},
        {QStringLiteral("short text"), QStringLiteral("short text\r\n...")},
        {QStringLiteral("  both ends  "), QStringLiteral("both ends\r\n...")},
        {forty, forty.left(35) + QStringLiteral("\r\n...")},
        {QStringLiteral("a<b"), QStringLiteral("a<b\r\n...")},
        // 34 letters and a character outside the basic plane: never cut in half.
        {QString(34, QLatin1Char('x')) + QStringLiteral("😀z"),
         QString(34, QLatin1Char('x')) + QStringLiteral("\r\n...")},
    };
    for (const auto& c : cases) {
        const HoverTip tip = hoverTip(c.description);
        EXPECT_EQ(tip.title, QStringLiteral("摘要提示:"));
        EXPECT_EQ(tip.text, c.text) << c.description.toStdString();
    }
}

TEST(NewsRules, FeedAddressesOpenOnlyOverWebAndFileSchemes) {
    const struct {
        const char* address;
        const char* opened; // empty: refused
    } cases[] = {
        {"http://example.com/a", "http://example.com/a"},
        {"HTTPS://Example.com/a", "https://example.com/a"},
        {"ftp://example.com/f", "ftp://example.com/f"},
        {"file:///tmp/x.html", "file:///tmp/x.html"},
        {"/tmp/page.html", "file:///tmp/page.html"},
        {"www.example.com/x", "http://www.example.com/x"},
        {"javascript:alert(1)", ""},
        {"  JavaScript:alert(1)", ""},
        {"data:text/html,<script>alert(1)</script>", ""},
        {"vbscript:msgbox", ""},
        {"about:blank", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(feedAddressUrl(QString::fromUtf8(c.address)).toString(),
                  QString::fromUtf8(c.opened))
            << c.address;
        EXPECT_EQ(opensFromFeed(QString::fromUtf8(c.address)), *c.opened != 0) << c.address;
    }
    // The address box reads what the user typed as an address bar does.
    EXPECT_EQ(typedAddressUrl(QStringLiteral("www.example.com")).toString(),
              QStringLiteral("http://www.example.com"));
    EXPECT_EQ(typedAddressUrl(QStringLiteral("example.com/feed")).toString(),
              QStringLiteral("http://example.com/feed"));
}

TEST(NewsRules, PaneTogglesSetTheSplitters) {
    const struct {
        PaneToggle which;
        bool pressed;
        std::optional<int> left, top;
        std::optional<bool> buttons;
        bool raise;
    } cases[] = {
        {PaneToggle::Tree, true, 0, {}, {}, false},
        {PaneToggle::Tree, false, 3615, {}, {}, false},
        {PaneToggle::List, true, {}, 0, {}, true},
        {PaneToggle::List, false, {}, 3000, {}, false},
        {PaneToggle::FullScreen, true, 0, 0, true, true},
        {PaneToggle::FullScreen, false, 3615, 3000, false, false},
    };
    for (const auto& c : cases) {
        const ToggleEffect e = paneToggle(c.which, c.pressed);
        EXPECT_EQ(e.spliterLeft, c.left) << int(c.which) << c.pressed;
        EXPECT_EQ(e.spliterTop, c.top) << int(c.which) << c.pressed;
        EXPECT_EQ(e.treeButton, c.buttons) << int(c.which) << c.pressed;
        EXPECT_EQ(e.listButton, c.buttons) << int(c.which) << c.pressed;
        EXPECT_EQ(e.raiseToolbar, c.raise) << int(c.which) << c.pressed;
    }
    EXPECT_EQ(foldedToolbarTop(870, 360, 0), 1310);
}

TEST(PageProperties, FactsOfLocalAndRemotePages) {
    testsupport::ProgramDir dir;
    const QString path = dir.file(QStringLiteral("ZAZariro.html"));
    testsupport::writeFile(path, QByteArray(1234, 'x').prepend("<html>"));
    PageFacts local = pageFacts(QUrl::fromLocalFile(path), QStringLiteral("频道"), 5);
    EXPECT_EQ(local.title, QStringLiteral("频道"));
    EXPECT_EQ(local.address, QUrl::fromLocalFile(path).toString());
    EXPECT_EQ(local.type, QStringLiteral("text/html"));
    EXPECT_EQ(local.size, 1240); // bytes on disk, not of the document
    EXPECT_EQ(sizeText(local.size), QStringLiteral("1,240 字节"));

    const PageFacts remote =
        pageFacts(QUrl(QStringLiteral("http://example.com/news/")), QStringLiteral("T"), 777);
    EXPECT_EQ(remote.type, QStringLiteral("text/html"));
    EXPECT_EQ(remote.size, 777);
    EXPECT_EQ(pageFacts(QUrl(QStringLiteral("http://example.com/a.png")), {}, 1).type,
              QStringLiteral("image/png"));
    EXPECT_EQ(sizeText(-1), QStringLiteral("未知"));
}
