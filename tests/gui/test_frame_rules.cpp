// Pure rules of the window frame: pane layout, gradient lines, splitter
// arithmetic, tray tip length, and the header's text helpers.

#include "app/PaneLayout.h"
#include "controls/InfoHeader.h"
#include "controls/SplitterRules.h"
#include "controls/clsSysTray.h"
#include "controls/modGradient.h"

#include <gtest/gtest.h>

TEST(PaneLayoutRules, PlacesEveryPane) {
    const struct {
        const char* name;
        int spliterLeft, spliterTop;
        QRect tree, list, toolbar1, pane, status;
    } cases[] = {
        // Client 15000 x 9000 twips; bars: tlbMain 870, lblHeader 360, Toolbar1 330, status 255.
        {"normal", 3615, 3000, QRect(0, 1230, 3615, 7515), QRect(3705, 1230, 11295, 3000),
         QRect(3705, 4330, 11295, 330), QRect(3705, 4660, 11295, 4085), QRect(0, 8745, 15000, 255)},
        {"tree width 0", 0, 3000, QRect(0, 1230, 0, 7515), QRect(90, 1230, 14910, 3000),
         QRect(90, 4330, 14910, 330), QRect(90, 4660, 14910, 4085), QRect(0, 8745, 15000, 255)},
        {"list height 0", 3615, 0, QRect(0, 1230, 3615, 7515), QRect(3705, 1230, 11295, 0),
         QRect(3705, 1330, 11295, 330), QRect(3705, 1660, 11295, 7085), QRect(0, 8745, 15000, 255)},
    };
    for (const auto& c : cases) {
        PaneLayoutInput in;
        in.clientWidth = 15000;
        in.clientHeight = 9000;
        in.spliterLeft = c.spliterLeft;
        in.spliterTop = c.spliterTop;
        const PaneLayout out = layoutPanes(in);
        EXPECT_EQ(out.tree, c.tree) << c.name;
        EXPECT_EQ(out.headlineList, c.list) << c.name;
        EXPECT_EQ(out.toolbar1, c.toolbar1) << c.name;
        EXPECT_EQ(out.readingPane, c.pane) << c.name;
        EXPECT_EQ(out.summary, c.pane) << c.name;
        EXPECT_EQ(out.status, c.status) << c.name;
        EXPECT_EQ(out.combo1Width, c.toolbar1.width() - 5030) << c.name;
        EXPECT_EQ(out.splHorizontal.left(), c.spliterLeft + 90) << c.name;
    }
}

TEST(PaneLayoutRules, WindowSizeSnapsToTheMinimum) {
    EXPECT_EQ(snapWindowSize(11625, 7860), QSize(11625, 7860));
    EXPECT_EQ(snapWindowSize(5000, 20000), QSize(11625, 20000));
    EXPECT_EQ(snapWindowSize(20000, 100), QSize(20000, 7860));
    EXPECT_EQ(snapWindowSize(11626, 7861), QSize(11626, 7861));
    EXPECT_EQ(combo2Width(15000, 3600), 11380);
}

TEST(GradientRules, StatusLineOf17PixelsPaintsTwoRows) {
    const auto lines = modGradient::gradientLines(8673602, 14933984, 5, 1, 300, 17);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], (modGradient::GradientLine{0, 8673602u}));
    EXPECT_EQ(lines[1], (modGradient::GradientLine{1, 14933984u}));
}

TEST(GradientRules, FillLengthsAndEdgeCases) {
    const auto full = modGradient::gradientLines(0x000000, 0xFFFFFF, 100, 0, 200, 17);
    ASSERT_EQ(full.size(), 201);
    EXPECT_EQ(full.last(), (modGradient::GradientLine{200, 0xFFFFFFu}));
    EXPECT_EQ(full[100].colour, 0x7F7F7Fu); // 255 / 200 * 100 is just below 127.5
    const auto halves = modGradient::gradientLines(0x000000, 0x030303, 100, 0, 2, 2);
    ASSERT_EQ(halves.size(), 3);
    EXPECT_EQ(halves[1].colour, 0x020202u); // 1.5 rounds half to even
    EXPECT_EQ(modGradient::gradientLines(0, 0xFFFFFF, 150, 0, 10, 10).size(),
              11); // clamped to 100 %
    EXPECT_TRUE(modGradient::gradientLines(0, 0xFFFFFF, -5, 0, 200, 17).isEmpty());
    EXPECT_TRUE(
        modGradient::gradientLines(0, 0xFFFFFF, 0, 1, 200, 17).isEmpty()); // no division by 0
    EXPECT_TRUE(
        modGradient::gradientLines(0, 0xFFFFFF, 100, 7, 200, 17).isEmpty()); // unknown style
}

TEST(SplitterRules, DragsStopAtMinimoFromEitherEnd) {
    EXPECT_EQ(splitterRules::clampCandidate(-400, 1500, 9000), 1500);
    EXPECT_EQ(splitterRules::clampCandidate(8000, 1500, 9000), 7500);
    EXPECT_EQ(splitterRules::clampCandidate(4000, 1500, 9000), 4000);
    // A control smaller than twice Minimo: Minimo above it, height - Minimo otherwise.
    EXPECT_EQ(splitterRules::clampCandidate(100, 1500, 2000), 1500);
    EXPECT_EQ(splitterRules::clampCandidate(1600, 1500, 2000), 500);
}

TEST(SplitterRules, DoubleClickSequences) {
    int top = 3000;
    top = splitterRules::horizontalDoubleClick(top, 1500, 9000);
    EXPECT_EQ(top, 1500);
    top = splitterRules::horizontalDoubleClick(top, 1500, 9000);
    EXPECT_EQ(top, 7500);
    EXPECT_EQ(splitterRules::horizontalDoubleClick(1560, 1500, 9000), 7500); // within 60
    EXPECT_EQ(splitterRules::horizontalDoubleClick(1561, 1500, 9000), 1500);

    EXPECT_EQ(splitterRules::verticalDoubleClick(5000, 1500, 15000), 3615);
    EXPECT_EQ(splitterRules::verticalDoubleClick(3615, 1500, 15000), 3615);
    EXPECT_EQ(splitterRules::verticalDoubleClick(1500, 1500, 15000), 13500);
    EXPECT_EQ(splitterRules::clampBarSize(10), 80);
    EXPECT_EQ(splitterRules::clampBarSize(900), 500);
}

TEST(TrayRules, TipIsCutToItsField) {
    EXPECT_EQ(clsSysTray::tipFieldText(QString(100, QLatin1Char('x'))).size(), 63);
    EXPECT_EQ(clsSysTray::tipFieldText(QStringLiteral("Kestrix RSS")),
              QStringLiteral("Kestrix RSS"));
    EXPECT_EQ(clsSysTray::tipFieldText(QString(63, QChar(0x65B0))).size(), 63);
}

TEST(HeaderText, MultiLiningAndLineBreaks) {
    EXPECT_EQ(InfoHeader::DoMultiLining(QStringLiteral("one|two")), QStringLiteral("one\r\ntwo"));
    EXPECT_EQ(InfoHeader::DoMultiLining(QStringLiteral("plain")), QStringLiteral("plain"));
    EXPECT_EQ(InfoHeader::RemoveCRLF(QStringLiteral("a\r\nb\nc\rd")), QStringLiteral("a|bc|d"));
}
