// The drawn news list: rows, keys, selection, scrolling and placement
// without painting; then the widget's events with keys, and the main
// window's hidden instance.

#include "app/Artwork.h"
#include "app/PaneWidgets.h"
#include "app/frmMain.h"
#include "controls/ListMultiple.h"
#include "controls/ListMultipleModel.h"
#include "controls/modListMultiple.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The look is one set per process: every test starts from the defaults.
class ListTest : public ::testing::Test {
protected:
    void SetUp() override { modListMultiple::shared() = modListMultiple::Settings(); }
    void TearDown() override { modListMultiple::shared() = modListMultiple::Settings(); }
};

void addRows(ListMultipleModel& list, int n, const QString& key = QString()) {
    for (int i = 0; i < n; ++i)
        list.Add(QStringLiteral("标题 %1").arg(i), QString(), QString(), false, QString(),
                 QPixmap(), key);
}

QStringList keys(const ListMultipleModel& list) {
    QStringList out;
    for (qint32 i = 0; i <= list.Count(); ++i)
        out << list.Item(i)->Key();
    return out;
}

QList<qint32> selected(const ListMultipleModel& list) {
    QList<qint32> out;
    for (qint32 i = 0; i <= list.Count(); ++i)
        if (list.Item(i)->Selected())
            out << i;
    return out;
}

// A list 10 rows high.
void sizeForRows(ListMultipleModel& list, int rows) {
    list.Resize(6000, rows * 825, 255);
}

} // namespace

using ListModel = ListTest;

TEST_F(ListModel, EmptyListHasOnlyTheHiddenTemplate) {
    ListMultipleModel list;
    EXPECT_EQ(list.Count(), -1);
    EXPECT_EQ(list.SelectedIndex(), -1);
    ASSERT_NE(list.Item(0), nullptr);
    EXPECT_EQ(list.Item(1), nullptr);
    EXPECT_EQ(list.Item(-1), nullptr);
    EXPECT_TRUE(list.isEmpty());
    EXPECT_FALSE(list.scrollBar().Visible);
    EXPECT_EQ(list.rowsInView(), std::make_pair(0, 0));
    // Keyed reads of a key no row has.
    EXPECT_FALSE(list.Selected(QStringLiteral("x")));
    EXPECT_FALSE(list.Checked(QStringLiteral("x")));
    EXPECT_EQ(list.Caption(QStringLiteral("x")), QString());
    EXPECT_TRUE(list.Icon(QStringLiteral("x")).isNull());
    EXPECT_FALSE(list.FontCaption(QStringLiteral("x")).has_value());
    EXPECT_EQ(list.ForeColorCaptionItem(QStringLiteral("x")), 0u);
    list.setCaption(QStringLiteral("x"), QStringLiteral("y")); // ignored
    EXPECT_EQ(list.Item(0)->Caption(), QString());
}

TEST_F(ListModel, CountsAndNewKeys) {
    const struct {
        const char* name;
        std::function<void(ListMultipleModel&)> steps;
        qint32 count;
        QStringList keys;
    } cases[] = {
        {"one add", [](auto& l) { addRows(l, 1); }, 0, {"LSI1"}},
        {"three adds", [](auto& l) { addRows(l, 3); }, 2, {"LSI1", "LSI2", "LSI3"}},
        {"clear skips the template's old key",
         [](auto& l) {
             addRows(l, 1);
             l.Clear();
             addRows(l, 2);
         },
         1,
         {"LSI2", "LSI3"}},
        {"clear after three",
         [](auto& l) {
             addRows(l, 3);
             l.Clear();
             addRows(l, 1);
         },
         0,
         {"LSI2"}},
        {"given keys are skipped",
         [](auto& l) {
             l.Add("a", {}, {}, false, {}, {}, "LSI2");
             addRows(l, 2);
         },
         2,
         {"LSI2", "LSI3", "LSI4"}},
        {"given keys may repeat",
         [](auto& l) {
             l.Add("a", {}, {}, false, {}, {}, "k");
             l.Add("b", {}, {}, false, {}, {}, "k");
         },
         1,
         {"k", "k"}},
        {"clear leaves it empty",
         [](auto& l) {
             addRows(l, 4);
             l.Clear();
         },
         -1,
         {}},
    };
    for (const auto& c : cases) {
        ListMultipleModel list;
        c.steps(list);
        EXPECT_EQ(list.Count(), c.count) << c.name;
        EXPECT_EQ(keys(list), c.keys) << c.name;
    }
}

TEST_F(ListModel, KeyedPropertiesReachTheLaterOfTwoRowsWithOneKey) {
    ListMultipleModel list;
    list.Add("first", "s", "d1", false, "t1", {}, "k");
    list.Add("second", "s", "d2", true, "t2", {}, "k");
    list.Add("other", "s", "d3", false, "t3", {}, "o");
    EXPECT_EQ(list.Caption("k"), "second");
    EXPECT_EQ(list.Description("k"), "d2");
    EXPECT_EQ(list.Tag("k"), "t2");
    EXPECT_TRUE(list.Checked("k"));
    list.setCaption("k", "changed");
    list.setChecked("k", false);
    list.setSelected("k", true);
    list.setTag("k", "t");
    EXPECT_EQ(list.Item(0)->Caption(), "first");
    EXPECT_EQ(list.Item(1)->Caption(), "changed");
    EXPECT_FALSE(list.Item(1)->Checked());
    EXPECT_EQ(selected(list), QList<qint32>{1});
    EXPECT_EQ(list.Item(1)->Tag(), "t");
    // A row whose key is rewritten is found by its new key only.
    list.Item(1)->setKey("n");
    EXPECT_EQ(list.Caption("k"), "first");
    EXPECT_EQ(list.Caption("n"), "changed");
    // Pressing a key held by two rows toggles both.
    list.Item(1)->setKey("k");
    list.setSelectedIndex(-1);
    list.selectByKey("k");
    EXPECT_EQ(selected(list), (QList<qint32>{0, 1}));
}

TEST_F(ListModel, SelectionRuleOnAPress) {
    const struct {
        const char* name;
        bool multi, enabled;
        QList<qint32> before;
        const char* pressed;
        QList<qint32> after;
    } cases[] = {
        {"single selects one", false, true, {}, "LSI2", {1}},
        {"single moves the selection", false, true, {0, 2}, "LSI2", {1}},
        {"single deselects the selected row", false, true, {1}, "LSI2", {}},
        {"multi adds", true, true, {0}, "LSI3", {0, 2}},
        {"multi deselects only that row", true, true, {0, 1}, "LSI1", {1}},
        {"disabled changes nothing", false, false, {0}, "LSI2", {0}},
        {"disabled multi changes nothing", true, false, {}, "LSI1", {}},
        {"keys compare case-sensitively", false, true, {0}, "lsi2", {}},
    };
    for (const auto& c : cases) {
        ListMultipleModel list;
        addRows(list, 3);
        for (qint32 i : c.before)
            list.Item(i)->setSelected(true);
        list.setMultiSelect(c.multi);
        list.setEnabled(c.enabled);
        list.selectByKey(QString::fromLatin1(c.pressed));
        EXPECT_EQ(selected(list), c.after) << c.name;
    }
}

TEST_F(ListModel, SelectedIndexReadsTheLastAndWritesOne) {
    ListMultipleModel list;
    addRows(list, 4);
    list.setMultiSelect(true);
    list.selectByKey("LSI1");
    list.selectByKey("LSI3");
    EXPECT_EQ(list.SelectedIndex(), 2);
    list.setSelectedIndex(3);
    EXPECT_EQ(selected(list), QList<qint32>{3});
    list.setEnabled(false); // writing the index does not ask
    list.setSelectedIndex(0);
    EXPECT_EQ(list.SelectedIndex(), 0);
    list.setSelectedIndex(99);
    EXPECT_EQ(list.SelectedIndex(), -1);
}

TEST_F(ListModel, ClearThenAddShowsTheOldSelection) {
    ListMultipleModel list;
    sizeForRows(list, 5);
    addRows(list, 3);
    list.selectByKey("LSI1");
    list.Clear();
    EXPECT_EQ(list.SelectedIndex(), -1); // an empty list has no selection
    EXPECT_FALSE(list.Selected("LSI1")); // nor rows to find by key
    addRows(list, 1);
    EXPECT_TRUE(list.Item(0)->Selected());
    EXPECT_EQ(list.SelectedIndex(), 0);
    EXPECT_EQ(list.Item(0)->look().background, modListMultiple::shared().BackColorSelected);
}

TEST_F(ListModel, AddScrollsBackToTheTopAndArrangesByWholeRows) {
    ListMultipleModel list;
    sizeForRows(list, 4);
    addRows(list, 10);
    list.setScrollValue(3);
    EXPECT_EQ(list.rowTop(0), ListMultipleModel::kOutOfSight);
    EXPECT_EQ(list.rowTop(2), ListMultipleModel::kOutOfSight);
    EXPECT_EQ(list.rowTop(3), 0);
    EXPECT_EQ(list.rowTop(5), 2 * 825);
    EXPECT_EQ(list.rowsInView(), std::make_pair(3, 7));
    EXPECT_EQ(list.rowAt(825 * 2 + 10), 5);
    list.setScrollValue(100); // clamped to the last row
    EXPECT_EQ(list.scrollBar().Value, 9);
    EXPECT_EQ(list.rowsInView(), std::make_pair(9, 10));
    EXPECT_EQ(list.rowAt(825 + 1), -1);
    addRows(list, 1);
    EXPECT_EQ(list.scrollBar().Value, 0);
    EXPECT_EQ(list.rowTop(0), 0);
    // Resizing also returns to the top and stacks the rows from it.
    list.setScrollValue(2);
    list.Resize(6000, 3 * 825 + 100, 255);
    EXPECT_EQ(list.scrollBar().Value, 0);
    EXPECT_EQ(list.rowTop(1), 825);
    EXPECT_EQ(list.rowWidth(), 6000 - 255);
    EXPECT_EQ(list.scrollBarRect(), QRect(6000 - 255, 0, 255, 3 * 825 + 100));
}

TEST_F(ListModel, ScrollBarPageAndVisibility) {
    const struct {
        const char* name;
        int innerHeight, rowHeight, rows;
        qint32 largeChange;
        bool visible;
    } cases[] = {
        {"empty", 4 * 825, 825, 0, 4, false},
        {"all fit", 4 * 825, 825, 4, 4, false},
        // One row more than fits whole: it can only be reached with the bar.
        {"one more than fits", 4 * 825, 825, 5, 4, true},
        {"part of a row to spare", 4 * 825 + 800, 825, 5, 4, true},
        {"many", 4 * 825, 825, 100, 4, true},
        // No page: the bar keeps its page size of the previous (4-row) size.
        {"lower than one row", 300, 825, 1, 4, true},
        {"no height at all", 0, 825, 2, 4, true},
        {"row height 0", 4 * 825, 0, 3, 4, false},
    };
    for (const auto& c : cases) {
        ListMultipleModel list;
        list.Resize(6000, 4 * 825, 255);
        list.setRowHeight(c.rowHeight);
        list.Resize(6000, c.innerHeight, 255);
        addRows(list, c.rows);
        list.adjustScrollBar();
        EXPECT_EQ(list.scrollBar().LargeChange, c.largeChange) << c.name;
        EXPECT_EQ(list.scrollBar().Visible, c.visible) << c.name;
        EXPECT_EQ(list.scrollBar().Max, std::max(0, c.rows - 1)) << c.name;
        EXPECT_EQ(list.scrollBar().SmallChange, 1) << c.name;
        // Arranging and hit tests divide by nothing either.
        list.arrangeRows();
        list.setScrollValue(1);
        EXPECT_GE(list.rowAt(10), -1) << c.name;
    }
}

TEST_F(ListModel, DrawingFollowsTheRowsShown) {
    ListMultipleModel list;
    sizeForRows(list, 10);
    addRows(list, 10'000);
    EXPECT_EQ(list.Count(), 9'999);
    EXPECT_EQ(keys(list).last(), "LSI10000");
    // Each add redraws its own row and the ten in view, not the rows below.
    EXPECT_LE(list.redrawCount(), 10'000 * 11);
    const qint64 before = list.redrawCount();
    for (qint32 v = 1; v <= 100; ++v)
        list.setScrollValue(v * 50);
    EXPECT_LE(list.redrawCount() - before, 100 * 10);
    const qint64 beforeSelect = list.redrawCount();
    list.setSelectedIndex(5'005);
    EXPECT_EQ(list.redrawCount() - beforeSelect, 10);
    EXPECT_EQ(list.Item(5'005)->look().background, modListMultiple::shared().BackColorSelected);
}

TEST_F(ListModel, RowColoursComeFromTheSharedLook) {
    ListMultipleModel list;
    sizeForRows(list, 5);
    addRows(list, 3);
    list.Item(1)->setSelected(true);
    list.Item(2)->setIsOver(true);
    list.arrangeRows();
    // The defaults: blue captions, white when selected.
    EXPECT_EQ(list.Item(0)->ForeColorCaption(), 0xFF0000u);
    EXPECT_EQ(list.Item(0)->look().background, 0xFFFFFFu);
    EXPECT_EQ(list.Item(0)->look().description, 0u);
    EXPECT_EQ(list.Item(1)->ForeColorCaption(), 0xFFFFFFu);
    EXPECT_EQ(list.Item(1)->look().background, 0xFF0000u);
    EXPECT_EQ(list.Item(1)->look().description, 0xFFFFFFu);
    EXPECT_EQ(list.Item(2)->ForeColorCaption(), 255u);
    EXPECT_EQ(list.Item(2)->look().background, 0xFFC0C0u);
    EXPECT_EQ(list.Item(2)->look().description, 255u);
    // A selected write shows at the next redraw.
    list.Item(0)->setSelected(true);
    EXPECT_EQ(list.Item(0)->look().background, 0xFFFFFFu);
    list.Item(0)->Redraw();
    EXPECT_EQ(list.Item(0)->look().background, 0xFF0000u);
    // The caption colour set on a row holds until the row is redrawn.
    modListMultiple::shared().ForeColorCaption = 0x00FF00;
    list.setForeColorCaptionItem("LSI3", 0x123456);
    EXPECT_EQ(list.ForeColorCaptionItem("LSI3"), 0x123456u);
    list.Item(2)->setIsOver(false);
    EXPECT_EQ(list.ForeColorCaptionItem("LSI3"), 0x00FF00u);
}

TEST_F(ListModel, ArrangingReplacesCaptionColoursSetOnRowsBelowTheTop) {
    ListMultipleModel list;
    sizeForRows(list, 2);
    addRows(list, 20);
    list.setScrollValue(5);
    list.setForeColorCaptionItem("LSI2", 0x111111);  // above the first row shown
    list.setForeColorCaptionItem("LSI18", 0x222222); // below the rows in view
    list.arrangeRows();
    EXPECT_EQ(list.ForeColorCaptionItem("LSI2"), 0x111111u);
    EXPECT_EQ(list.ForeColorCaptionItem("LSI18"), 0xFF0000u);
    list.setScrollValue(0);
    EXPECT_EQ(list.ForeColorCaptionItem("LSI2"), 0xFF0000u);
}

TEST(ListRowLayout, PartsOfARow) {
    const struct {
        const char* name;
        RowPartSizes sizes;
        RowParts parts;
    } cases[] = {
        {"design size, no icon",
         {4155, 825, QSize(), 225, 810, 195},
         {QRect(50, 50, 315, 200), QRect(3790, 50, 315, 285), QRect(415, 38, 2615, 225),
          QRect(2930, 38, 810, 195), QRect(415, 250, 3680, 545)}},
        {"16 px icon, short sub-caption",
         {6000, 825, QSize(240, 240), 225, 300, 195},
         {QRect(50, 50, 240, 240), QRect(5635, 50, 315, 285), QRect(340, 57, 5045, 225),
          QRect(5285, 57, 300, 195), QRect(340, 290, 5600, 505)}},
        {"too narrow and low",
         {300, 100, QSize(), 225, 810, 195},
         {QRect(50, 50, 315, 200), QRect(-65, 50, 315, 285), QRect(415, 38, 0, 225),
          QRect(-925, 38, 810, 195), QRect(415, 250, 0, 0)}},
    };
    for (const auto& c : cases) {
        const RowParts p = layoutRow(c.sizes);
        EXPECT_EQ(p.imgMain, c.parts.imgMain) << c.name;
        EXPECT_EQ(p.imgChecked, c.parts.imgChecked) << c.name;
        EXPECT_EQ(p.lblCaption, c.parts.lblCaption) << c.name;
        EXPECT_EQ(p.lblSubCaption, c.parts.lblSubCaption) << c.name;
        EXPECT_EQ(p.lblDescription, c.parts.lblDescription) << c.name;
    }
    const RowParts p = layoutRow({});
    const QSize row(4155, 825);
    EXPECT_EQ(rowPartAt(p, row, QPoint(3800, 60)).part, RowPart::Check);
    EXPECT_EQ(rowPartAt(p, row, QPoint(60, 60)).part, RowPart::Icon);
    EXPECT_EQ(rowPartAt(p, row, QPoint(500, 100)).part, RowPart::Caption);
    EXPECT_EQ(rowPartAt(p, row, QPoint(500, 100)).at, QPoint(85, 62));
    // The sub-caption lets the press through to the row.
    EXPECT_EQ(rowPartAt(p, row, QPoint(3500, 100)).part, RowPart::Background);
    EXPECT_EQ(rowPartAt(p, row, QPoint(500, 400)).part, RowPart::Description);
    EXPECT_EQ(rowPartAt(p, row, QPoint(10, 10)).part, RowPart::Background);
    EXPECT_EQ(rowPartAt(p, row, QPoint(10, 900)).part, RowPart::None);
}

using ListSettings = ListTest;

TEST_F(ListSettings, StoredKeysAndDefaults) {
    ListMultiple list;
    list.ReadProperties({});
    EXPECT_TRUE(list.WriteProperties().isEmpty());
    EXPECT_TRUE(list.ListEnabled());
    EXPECT_FALSE(list.MultiSelect());
    EXPECT_EQ(list.BackColor(), 0xFFFFFFu);
    EXPECT_EQ(list.BackColorOver(), 0xFFC0C0u);
    EXPECT_EQ(list.BackColorSelected(), 0xFF0000u);
    EXPECT_EQ(list.ForeColor(), 0u);
    EXPECT_EQ(list.ForeColorOver(), 255u);
    EXPECT_EQ(list.ForeColorSelected(), 0xFFFFFFu);
    EXPECT_EQ(list.ForeColorCaptionOver(), 255u);
    EXPECT_EQ(list.ForeColorCaptionSelected(), 0xFFFFFFu);
    EXPECT_TRUE(list.IconChecked().isNull());

    QPixmap tick(8, 8);
    tick.fill(Qt::green);
    const QVariantMap stored{{"BackColorSelected", 16744576u},
                             {"ForeColorOver", 16576u},
                             {"ForeColorCaption", 0u},
                             {"MultiSelect", true},
                             {"Enabled", false},
                             {"IconChecked", tick}};
    list.ReadProperties(stored);
    EXPECT_EQ(list.BackColorSelected(), 16744576u);
    EXPECT_FALSE(list.ListEnabled());
    EXPECT_TRUE(list.MultiSelect());
    const QVariantMap saved = list.WriteProperties();
    EXPECT_EQ(saved.keys(), stored.keys());
    EXPECT_EQ(saved.value("ForeColorCaption").value<quint32>(), 0u);
    EXPECT_EQ(saved.value("IconChecked").value<QPixmap>().size(), QSize(8, 8));
    // Reading a bag without a key puts the default back.
    list.ReadProperties({{"BackColor", 0x00FFFFu}});
    EXPECT_EQ(list.WriteProperties().keys(), QStringList{"BackColor"});
}

TEST_F(ListSettings, OneLookForEveryListAndWritesArrangeTheWriter) {
    ListMultiple a, b;
    a.resize(400, 200);
    a.Add("x", {}, {}, false, {}, {}, {});
    QSignalSpy changed(&a, &ListMultiple::propertyChanged);
    a.setBackColorSelected(0x00FF00);
    EXPECT_EQ(b.BackColorSelected(), 0x00FF00u);
    a.setSelectedIndex(0);
    EXPECT_EQ(a.Item(0)->look().background, 0x00FF00u);
    a.setMultiSelect(true);
    a.setListEnabled(false);
    EXPECT_EQ(changed.size(), 3);
    EXPECT_EQ(changed.at(0).at(0).toString(), "BackColorSelected");
    EXPECT_EQ(changed.at(1).at(0).toString(), "MultiSelect");
    EXPECT_EQ(changed.at(2).at(0).toString(), "Enabled");
}

namespace {

// Records the list's events as "Name:key:args".
struct EventLog {
    QStringList events;
    explicit EventLog(ListMultiple& list) {
        QObject::connect(&list, &ListMultiple::Check,
                         [this](const QString& k) { events << "Check:" + k; });
        QObject::connect(&list, &ListMultiple::Click,
                         [this](const QString& k) { events << "Click:" + k; });
        QObject::connect(&list, &ListMultiple::DblClick,
                         [this](const QString& k) { events << "DblClick:" + k; });
        QObject::connect(
            &list, &ListMultiple::KeyDown, [this](const QString& k, qint16 code, qint16 shift) {
                events << QStringLiteral("KeyDown:%1:%2:%3").arg(k).arg(code).arg(shift);
            });
        const auto mouse = [this](const char* name) {
            return [this, name](const QString& k, qint16 button, qint16 shift, float x, float y) {
                events << QStringLiteral("%1:%2:%3:%4:%5:%6")
                              .arg(QLatin1String(name), k)
                              .arg(button)
                              .arg(shift)
                              .arg(x)
                              .arg(y);
            };
        };
        QObject::connect(&list, &ListMultiple::MouseDown, mouse("MouseDown"));
        QObject::connect(&list, &ListMultiple::MouseMove, mouse("MouseMove"));
        QObject::connect(&list, &ListMultiple::MouseUp, mouse("MouseUp"));
    }
};

// A list of three rows, 400 x 200 pixels.
struct ShownList {
    ListMultiple list;
    ShownList() {
        list.resize(400, 200);
        for (int i = 0; i < 3; ++i)
            list.Add(QStringLiteral("标题 %1").arg(i), "sub", "描述", false, {}, {}, {});
        list.show();
    }
    QPoint caption(int row) const { return list.rowPartsPx(row).lblCaption.center(); }
    QPoint check(int row) const { return list.rowPartsPx(row).imgChecked.center(); }
};

// Sends a mouse event with its time stamp; `buttons` is the state after it.
void send(QWidget& w, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons, quint64 time,
          Qt::MouseButton button = Qt::NoButton) {
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
        button = Qt::MouseButton(int(buttons));
    else if (type == QEvent::MouseMove)
        button = Qt::NoButton;
    QMouseEvent event(type, pos, w.mapToGlobal(pos), button, buttons, Qt::NoModifier);
    event.setTimestamp(time);
    QApplication::sendEvent(&w, &event);
}

} // namespace

using ListEvents = ListTest;

TEST_F(ListEvents, PressOnARowSelectsThenRaisesMouseDownAndClick) {
    ShownList s;
    EventLog log(s.list);
    const QRect caption = s.list.rowPartsPx(1).lblCaption;
    QTest::mousePress(&s.list, Qt::LeftButton, Qt::ShiftModifier, caption.topLeft() + QPoint(2, 3));
    // X and Y in twips from the caption's corner (415, 825 + 38).
    EXPECT_EQ(log.events, (QStringList{"MouseDown:LSI2:1:1:20:37", "Click:LSI2"}));
    EXPECT_EQ(s.list.SelectedIndex(), 1);
    QTest::mouseRelease(&s.list, Qt::LeftButton, Qt::NoModifier, caption.topLeft() + QPoint(4, 3));
    EXPECT_EQ(log.events.last(), "MouseUp:LSI2:1:0:50:37");
    // A right press on the same row deselects it.
    QTest::mouseClick(&s.list, Qt::RightButton, Qt::NoModifier, s.caption(1));
    EXPECT_EQ(s.list.SelectedIndex(), -1);
    EXPECT_TRUE(log.events.at(3).startsWith("MouseDown:LSI2:2:0:"));
}

TEST_F(ListEvents, AHandlerClearingTheListDuringAPress) {
    ShownList s;
    EventLog log(s.list);
    QObject::connect(&s.list, &ListMultiple::MouseDown, [&s] { s.list.Clear(); });
    QTest::mouseClick(&s.list, Qt::LeftButton, Qt::NoModifier, s.caption(2));
    EXPECT_EQ(log.events.last(), "Click:LSI3");
    EXPECT_EQ(s.list.Count(), -1);
    QTest::keyClick(&s.list, Qt::Key_A); // the pressed row is gone
    EXPECT_EQ(log.events.filter("KeyDown").size(), 0);
}

TEST_F(ListEvents, PressOnTheCheckFlipsCheckedAndRaisesCheckOnly) {
    ShownList s;
    EventLog log(s.list);
    QTest::mouseClick(&s.list, Qt::LeftButton, Qt::NoModifier, s.check(0));
    EXPECT_EQ(log.events, QStringList{"Check:LSI1"});
    EXPECT_TRUE(s.list.Checked("LSI1"));
    EXPECT_TRUE(s.list.Item(0)->look().checkedPicture);
    EXPECT_EQ(s.list.SelectedIndex(), -1);
    QTest::mouseClick(&s.list, Qt::LeftButton, Qt::NoModifier, s.check(0));
    EXPECT_FALSE(s.list.Checked("LSI1"));
}

TEST_F(ListEvents, DisabledListReportsPressesButKeepsItsSelection) {
    ShownList s;
    s.list.setSelectedIndex(0);
    s.list.setListEnabled(false);
    EventLog log(s.list);
    QTest::mousePress(&s.list, Qt::LeftButton, Qt::NoModifier, s.caption(2));
    ASSERT_EQ(log.events.size(), 2);
    EXPECT_TRUE(log.events[0].startsWith("MouseDown:LSI3:1:0:"));
    EXPECT_EQ(log.events[1], "Click:LSI3");
    EXPECT_EQ(s.list.SelectedIndex(), 0);
}

TEST_F(ListEvents, DoubleClickKeysAndMoves) {
    ShownList s;
    EventLog log(s.list);
    // As the window system sends it: the second press comes before the double click.
    const QPoint at = s.caption(2);
    send(s.list, QEvent::MouseButtonPress, at, Qt::LeftButton, 1000);
    send(s.list, QEvent::MouseButtonRelease, at, Qt::NoButton, 1010, Qt::LeftButton);
    send(s.list, QEvent::MouseButtonPress, at, Qt::LeftButton, 1100);
    send(s.list, QEvent::MouseButtonDblClick, at, Qt::LeftButton, 1100);
    send(s.list, QEvent::MouseButtonRelease, at, Qt::NoButton, 1110, Qt::LeftButton);
    QStringList names;
    for (const QString& e : log.events)
        names << e.section(':', 0, 1);
    EXPECT_EQ(names, (QStringList{"MouseDown:LSI3", "Click:LSI3", "MouseUp:LSI3", "DblClick:LSI3",
                                  "MouseUp:LSI3"}));
    // Only the first press selects.
    EXPECT_EQ(s.list.SelectedIndex(), 2);
    // A press much later is a press again.
    send(s.list, QEvent::MouseButtonPress, at, Qt::LeftButton, 5000);
    send(s.list, QEvent::MouseButtonRelease, at, Qt::NoButton, 5010, Qt::LeftButton);
    EXPECT_EQ(s.list.SelectedIndex(), -1);

    log.events.clear();
    QTest::keyClick(&s.list, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(&s.list, Qt::Key_A);
    EXPECT_EQ(log.events,
              (QStringList{"KeyDown:LSI3:17:2", "KeyDown:LSI3:40:2", "KeyDown:LSI3:65:0"}));

    log.events.clear();
    send(s.list, QEvent::MouseMove, QPoint(1, 1), Qt::NoButton, 6000);
    EXPECT_EQ(log.events, QStringList{"MouseMove:LSI1:0:0:15:15"});
    // With a button held, moves go to the part pressed, wherever the pointer is.
    send(s.list, QEvent::MouseButtonPress, s.check(0), Qt::LeftButton, 7000);
    log.events.clear();
    send(s.list, QEvent::MouseMove, s.caption(1), Qt::LeftButton, 7010);
    send(s.list, QEvent::MouseButtonRelease, s.caption(1), Qt::NoButton, 7020, Qt::LeftButton);
    ASSERT_EQ(log.events.size(), 1); // no MouseUp from the check picture
    EXPECT_TRUE(log.events[0].startsWith("MouseMove:LSI1:1:0:"));

    // Clearing the list takes the focus row away.
    s.list.Clear();
    log.events.clear();
    QTest::keyClick(&s.list, Qt::Key_A);
    EXPECT_TRUE(log.events.isEmpty());
}

TEST_F(ListEvents, ScrollBarScrollsByWholeRowsAndPaintingSurvivesNoRowHeight) {
    ListMultiple list;
    list.resize(400, 200); // 3 whole rows of 55 px
    for (int i = 0; i < 20; ++i)
        list.Add(QString::number(i), {}, {}, false, {}, {}, {});
    list.show();
    QScrollBar* bar = list.scrollBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), 19);
    EXPECT_EQ(bar->pageStep(), 3);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(list.model().scrollBar().Value, 1);
    EXPECT_EQ(list.rowRect(1).top(), 0);
    EXPECT_TRUE(list.rowRect(0).isNull());
    list.Add("new", {}, {}, false, {}, {}, {});
    EXPECT_EQ(list.scrollBar()->value(), 0);
    // Lower than a row: the page size stays, nothing divides by zero.
    list.resize(400, 20);
    EXPECT_EQ(list.scrollBar()->pageStep(), 3);
    EXPECT_FALSE(list.grab().isNull());
    list.resize(400, 200);
    list.setRowHeight(0);
    EXPECT_EQ(list.scrollBar()->pageStep(), 3);
    EXPECT_FALSE(list.scrollBar()->isVisible());
    EXPECT_TRUE(list.rowRect(0).isNull());
    EXPECT_FALSE(list.grab().isNull());
    QTest::mouseClick(&list, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(list.SelectedIndex(), -1);
}

TEST_F(ListEvents, MainWindowHoldsAHiddenListWithItsStoredLook) {
    testsupport::ProgramDir dir;
    testsupport::writeFile(dir.file(QStringLiteral("Data/KestrixRSS.xml")),
                           "<NewsProject><folder><title>新闻</title><items>"
                           "<webPage><title>网页</title><url>http://x/</url></webPage>"
                           "</items></folder></NewsProject>");
    frmMain window;
    window.formLoad();
    ListMultiple* list = window.lsmRSS;
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(list->Count(), -1);
    EXPECT_EQ(list->BackColorSelected(), 16744576u);
    EXPECT_EQ(list->ForeColorOver(), 16576u);
    EXPECT_EQ(list->ForeColorCaption(), 16711680u);
    EXPECT_EQ(list->ForeColorCaptionOver(), 8421631u);
    EXPECT_EQ(list->ForeColorCaptionSelected(), 0u);
    EXPECT_EQ(list->BackColor(), 0xFFFFFFu);
    // Its blue caption colour is the default and is not stored again.
    EXPECT_EQ(list->WriteProperties().keys(),
              (QStringList{"BackColorSelected", "ForeColorCaptionOver", "ForeColorCaptionSelected",
                           "ForeColorOver"}));
    // Showing an entry clears it.
    list->Add("x", {}, {}, false, {}, {}, {});
    const QTreeWidgetItem* folder = window.trvProjects->topLevelItem(0);
    ASSERT_NE(folder, nullptr);
    window.showEntry(folder->data(0, frmMain::NodeKeyRole).toString(), folder->text(0));
    EXPECT_EQ(list->Count(), -1);
    EXPECT_FALSE(list->isVisible());
}

namespace {

// A check box picture, ticked or not.
QPixmap checkPicture(bool ticked) {
    QPixmap box(21, 19);
    box.fill(Qt::white);
    QPainter p(&box);
    p.setPen(QColor(0, 0, 128));
    p.drawRect(1, 1, 18, 16);
    if (ticked) {
        p.setPen(QPen(QColor(0, 160, 0), 2));
        p.drawPolyline(QPolygon{QPoint(4, 9), QPoint(8, 13), QPoint(16, 4)});
    }
    return box;
}

} // namespace

TEST_F(ListEvents, DrawsRowsWithTheirLook) {
    QWidget window;
    window.setWindowTitle(QStringLiteral("ListMultiple"));
    window.resize(560, 300);
    ListMultiple list(&window);
    list.setGeometry(10, 10, 540, 280);
    list.setIconChecked(checkPicture(true));
    list.setIconUnChecked(checkPicture(false));
    const QPixmap fresh = artwork::pixmap(artwork::Picture::NewHeadline, 16);
    const QPixmap read = artwork::pixmap(artwork::Picture::ReadHeadline, 16);
    list.Add("新浪新闻：今日要闻", "12:30", "一条新的消息，摘要在标题下面。", false, {}, fresh, {});
    list.Add("选中的一行", "昨天", "这一行被选中了。", true, {}, read, {});
    list.Add("Checked row", "NON", "A read headline, checked.", true, {}, read, {});
    list.Add("第四行", QString(), QString(), false, {}, QPixmap(), {});
    for (int i = 0; i < 6; ++i)
        list.Add(QStringLiteral("更多 %1").arg(i), {}, {}, false, {}, fresh, {});
    list.setSelectedIndex(1);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage image = list.grab().toImage();

    const auto pixel = [&](QPoint at) { return image.pixelColor(at); };
    // Rows 0 and 2 on white, row 1 on the selected blue; white below the rows
    // would show the list's own background.
    EXPECT_EQ(pixel(list.rowRect(0).topLeft() + QPoint(2, 2)), QColor(255, 255, 255));
    EXPECT_EQ(pixel(list.rowRect(1).topLeft() + QPoint(2, 2)), QColor(0, 0, 255));
    // The check pictures: ticked ones have green in them, the first row's has not.
    const auto hasGreen = [&](const QRect& r) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (image.pixelColor(x, y) == QColor(0, 160, 0))
                    return true;
        return false;
    };
    EXPECT_FALSE(hasGreen(list.rowPartsPx(0).imgChecked));
    EXPECT_TRUE(hasGreen(list.rowPartsPx(1).imgChecked));
    EXPECT_TRUE(hasGreen(list.rowPartsPx(2).imgChecked));
    // The icon sits 50 twips in from the row's corner.
    const QRect icon = list.rowPartsPx(0).imgMain;
    EXPECT_EQ(icon.topLeft(), list.rowRect(0).topLeft() + QPoint(3, 3));
    EXPECT_EQ(pixel(icon.center()), fresh.toImage().pixelColor(icon.center() - icon.topLeft()));
    // Rows beyond the list are not drawn and the bar is there.
    EXPECT_TRUE(list.scrollBar()->isVisible());

    if (const QString dir = qEnvironmentVariable("QF_SCREENSHOT_DIR"); !dir.isEmpty()) {
        window.grab().save(dir + QStringLiteral("/list_multiple.png"));
        if (QScreen* screen = QGuiApplication::primaryScreen())
            screen->grabWindow(0).save(dir + QStringLiteral("/list_multiple_screen.png"));
    }
}

TEST_F(ListSettings, FillCodeStylesRowsByKey) {
    ListMultiple list;
    DrawnNewsList& fill = list;
    list.Add("a", {}, {}, false, {}, {}, "RSS1?RSSChannel1?RSSItem1");
    EXPECT_TRUE(fill.setCaptionFont("RSS1?RSSChannel1?RSSItem1", true, 9));
    EXPECT_TRUE(list.FontCaption("RSS1?RSSChannel1?RSSItem1")->bold());
    EXPECT_EQ(list.FontCaption("RSS1?RSSChannel1?RSSItem1")->pointSize(), 9);
    EXPECT_TRUE(fill.setCaption("RSS1?RSSChannel1?RSSItem1", true, 0x00FF00));
    EXPECT_EQ(list.ForeColorCaptionItem("RSS1?RSSChannel1?RSSItem1"), 0x00FF00u);
    EXPECT_FALSE(fill.setCaptionFont("RSS1?RSSChannel1?RSSItem2", true, 9));
    EXPECT_FALSE(fill.setCaption("RSS1?RSSChannel1?RSSItem2", true, 0xFF0000));
    // Clearing keeps the font on the row kept for the next add.
    fill.clear();
    EXPECT_FALSE(fill.setCaptionFont("RSS1?RSSChannel1?RSSItem1", false, 9));
    list.Add("b", {}, {}, false, {}, {}, {});
    EXPECT_TRUE(list.Item(0)->FontCaption().bold());
    EXPECT_EQ(list.Item(0)->Key(), "LSI1");
}
