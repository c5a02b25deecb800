// The drawn button's pure rules: colour arithmetic, the colour set of each
// scheme, access keys, window shapes and the caption layout.

#include "controls/ButtonXPColors.h"
#include "controls/ButtonXPRules.h"
#include "controls/EventCodes.h"

#include <QList>
#include <QPoint>

#include <gtest/gtest.h>

using namespace buttonXPColors;

TEST(ButtonXPColorRules, AddMovesEachChannelAndClamps) {
    const struct {
        quint32 colour;
        int n;
        bool soft, blue;
        quint32 expected;
    } cases[] = {
        {0x808080, 16, false, false, 0x909090},
        {0x808080, 0, false, true, 0x808080},
        {0x808080, 16, true, false, 0x888888},   // soft bevel halves n
        {0x101010, -5, true, false, 0x0E0E0E},   // -5 halves to -2
        {0xF0F0F0, 31, false, false, 0xFFFFFF},  // clamped at 255 going up
        {0x101010, -64, false, false, 0x000000}, // clamped at 0 going down
        {0x102030, -32, false, false, 0x000010},
        // Blue rule: blue moves by n x blue / 192.
        {0xC00000, 48, false, true, 0xF03030},
        {0x600000, 48, false, true, 0x783030},
        {0x800000, -25, false, true, 0x6F0000}, // 128 - 16.67
        {0xFF0000, -192, false, true, 0x000000},
        {0xFFFFFF, 48, false, true, 0xFFFFFF},
        {0x906040, -10, false, false, 0x865636},
        {0x604020, 48, true, true, 0x6C5838}, // soft and blue: n 24, blue +12
    };
    for (const auto& c : cases)
        EXPECT_EQ(add(c.colour, c.n, c.soft, c.blue), c.expected)
            << std::hex << c.colour << " + " << std::dec << c.n << " soft " << c.soft << " blue "
            << c.blue;
}

TEST(ButtonXPColorRules, LightenMovesTowardsWhite) {
    EXPECT_EQ(lighten(0x000000, 128), 0x808080u);
    EXPECT_EQ(lighten(0xFFFFFF, 176), 0xFFFFFFu);
    EXPECT_EQ(lighten(0x800000, 176), 0xD8B0B0u); // blue 176 + 79 x 128 / 255 = 215.65
    EXPECT_EQ(lighten(0x0000FF, 128), 0x8080FFu);
    EXPECT_EQ(lighten(0xC56A31, 176), 0xEDD1BFu);
    EXPECT_EQ(lighten(0x123456, 255), 0xFFFFFFu);
}

namespace {
ColorInputs inputs(qint16 scheme, qint16 type = 2, bool soft = false) {
    ColorInputs in;
    in.scheme = scheme;
    in.buttonType = type;
    in.softBevel = soft;
    in.backColor = 0x604020;
    in.backOver = 0x80C0E0;
    in.foreColor = 0x0000FF;
    in.foreOver = 0x00FF00;
    in.maskColor = 0xFF00FF;
    in.containerBack = 0xE0E0E0;
    in.containerText = 0x112233;
    in.system = {0xD8E9EC, 0x000001, 0x99A8AC, 0xF1EFE2, 0xFFFFFE, 0x646F71, 0xC56A31};
    return in;
}
} // namespace

TEST(ButtonXPColorRules, EachSchemeDerivesItsSet) {
    // face, hot face, text, hot text, shadow, light, highlight, dark shadow,
    // selection, selection light, mask, light face
    const struct {
        const char* name;
        ColorInputs in;
        ColorSet expected;
    } cases[] = {
        {"system",
         inputs(1),
         {0xD8E9EC, 0xD8E9EC, 0x000001, 0x000001, 0x99A8AC, 0xF1EFE2, 0xFFFFFE, 0x646F71, 0xC56A31,
          0xEDD1BF, 0xFF00FF, 0xFFFFFF}},
        {"out of range is system",
         inputs(7),
         {0xD8E9EC, 0xD8E9EC, 0x000001, 0x000001, 0x99A8AC, 0xF1EFE2, 0xFFFFFE, 0x646F71, 0xC56A31,
          0xEDD1BF, 0xFF00FF, 0xFFFFFF}},
        {"custom",
         inputs(2),
         {0x604020, 0x80C0E0, 0x0000FF, 0x00FF00, 0x200000, 0x7F5F3F, 0x8F6F4F, 0x000000, 0x000000,
          0x604020, 0xFF00FF, 0x907050}},
        {"custom type 3 blue rule",
         inputs(2, 3),
         {0x604020, 0x80C0E0, 0x0000FF, 0x00FF00, 0x200000, 0x7F5F3F, 0x8F6F4F, 0x000000, 0x000000,
          0x604020, 0xFF00FF, 0x787050}},
        {"custom soft bevel",
         inputs(2, 3, true),
         {0x604020, 0x80C0E0, 0x0000FF, 0x00FF00, 0x402000, 0x6F4F2F, 0x775737, 0x000000, 0x200000,
          0x604020, 0xFF00FF, 0x6C5838}},
        {"classic grey",
         inputs(3),
         {0xC0C0C0, 0xC0C0C0, 0x000000, 0x000000, 0x808080, 0xDFDFDF, 0xFFFFFF, 0x000000, 0x800000,
          0xD1ADAD, 0xFF00FF, 0xF0F0F0}},
        {"container",
         inputs(4),
         {0xE0E0E0, 0xE0E0E0, 0x112233, 0x112233, 0xA0A0A0, 0xFFFFFF, 0xFFFFFF, 0x202020, 0xC56A31,
          0xEDD1BF, 0xFF00FF, 0xFFFFFF}},
    };
    for (const auto& c : cases) {
        const ColorSet got = derive(c.in);
        EXPECT_EQ(got.face, c.expected.face) << c.name;
        EXPECT_EQ(got.hotFace, c.expected.hotFace) << c.name;
        EXPECT_EQ(got.text, c.expected.text) << c.name;
        EXPECT_EQ(got.hotText, c.expected.hotText) << c.name;
        EXPECT_EQ(got.shadow, c.expected.shadow) << c.name;
        EXPECT_EQ(got.light, c.expected.light) << c.name;
        EXPECT_EQ(got.highlight, c.expected.highlight) << c.name;
        EXPECT_EQ(got.darkShadow, c.expected.darkShadow) << c.name;
        EXPECT_EQ(got.selection, c.expected.selection) << c.name;
        EXPECT_EQ(got.selectionLight, c.expected.selectionLight) << c.name;
        EXPECT_EQ(got.mask, c.expected.mask) << c.name;
        EXPECT_EQ(got.lightFace, c.expected.lightFace) << c.name;
    }
}

TEST(ButtonXPRules, AccessKeys) {
    const struct {
        const char* caption;
        QChar key;
    } cases[] = {
        {"&Open", QLatin1Char('o')},
        {"Save &As", QLatin1Char('a')},
        {"&&Save &As", QLatin1Char('a')}, // the doubled "&" is skipped
        {"A&&&&B", QChar()},              // the next one is doubled too
        {"a&&b&&c&d", QChar()},
        {"Save&", QChar()}, // ends in its first "&"
        {"&&x&", QChar()},
        {"&", QChar()},
        {"x", QChar()},
        {"", QChar()},
        {"No key", QChar()},
        {"&1 Two", QLatin1Char('1')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(buttonXPRules::accessKey(QString::fromUtf8(c.caption)), c.key) << c.caption;
    EXPECT_EQ(buttonXPRules::accessKey(QStringLiteral("确定(&Ü)")), QChar(0xFC));
}

TEST(ButtonXPRules, InnerRectangleByType) {
    const QSize size(75, 25);
    EXPECT_EQ(buttonXPRules::innerRect(2, size), QRect(4, 4, 67, 17));
    EXPECT_EQ(buttonXPRules::innerRect(3, size), QRect(4, 4, 67, 17));
    for (qint16 type = 7; type <= 13; ++type)
        EXPECT_EQ(buttonXPRules::innerRect(type, size), QRect(3, 3, 69, 19)) << type;
    EXPECT_EQ(buttonXPRules::innerRect(14, size), QRect(6, 6, 65, 15));
}

TEST(ButtonXPRules, WindowShapeByType) {
    const QSize size(75, 25);
    const auto area = [](const QRegion& region) {
        int n = 0;
        for (const QRect& r : region)
            n += r.width() * r.height();
        return n;
    };
    const struct {
        qint16 type;
        QList<QPoint> cut, kept;
        int area;
    } cases[] = {
        {3,
         {{0, 0},
          {1, 0},
          {0, 1},
          {74, 0},
          {73, 0},
          {74, 1},
          {0, 24},
          {1, 24},
          {0, 23},
          {74, 24},
          {73, 24},
          {74, 23}},
         {{1, 1}, {2, 0}, {0, 2}, {72, 0}, {73, 23}},
         75 * 25 - 12},
        {4, {{0, 0}, {1, 0}, {0, 1}, {74, 24}}, {{1, 1}, {2, 0}}, 75 * 25 - 12},
        {1, {{0, 0}, {74, 0}, {0, 24}, {74, 24}}, {{1, 0}, {0, 1}, {73, 24}}, 75 * 25 - 4},
        {14, {{0, 0}, {74, 0}, {0, 24}, {74, 24}}, {{1, 0}, {0, 1}}, 75 * 25 - 4},
        {5, {{0, 24}, {74, 0}}, {{0, 0}, {74, 24}, {1, 24}}, 75 * 25 - 2},
        {2, {}, {{0, 0}, {74, 24}}, 75 * 25},
        {9, {}, {{0, 0}, {74, 24}}, 75 * 25},
    };
    for (const auto& c : cases) {
        const QRegion region = buttonXPRules::windowRegion(c.type, size);
        for (const QPoint& p : c.cut)
            EXPECT_FALSE(region.contains(p)) << c.type << " " << p.x() << "," << p.y();
        for (const QPoint& p : c.kept)
            EXPECT_TRUE(region.contains(p)) << c.type << " " << p.x() << "," << p.y();
        EXPECT_EQ(area(region), c.area) << c.type;
    }
    const QRegion oval = buttonXPRules::windowRegion(13, size);
    EXPECT_FALSE(oval.contains(QPoint(0, 0)));
    EXPECT_FALSE(oval.contains(QPoint(74, 24)));
    EXPECT_TRUE(oval.contains(QPoint(37, 12)));
    EXPECT_TRUE(oval.contains(QPoint(37, 1)));
    EXPECT_TRUE(oval.contains(QPoint(1, 12)));
}

TEST(ButtonXPRules, CaptionAndPicturePlaces) {
    const QRect inner(4, 4, 67, 17); // centre (37, 12)
    const QSize caption(20, 10);
    const QSize picture(16, 16);
    const struct {
        qint16 position;
        bool blank, pressed;
        QRect caption;
        QPoint picture;
    } cases[] = {
        {0, false, false, QRect(37, 7, 20, 10), QPoint(17, 4)}, // picture 4 px left
        {1, false, false, QRect(17, 7, 20, 10), QPoint(41, 4)}, // picture 4 px right
        {2, false, false, QRect(27, 16, 20, 10), QPoint(29, -2)},
        {3, false, false, QRect(27, -2, 20, 10), QPoint(29, 10)},
        {4, false, false, QRect(27, 7, 20, 10), QPoint(29, 4)},
        {0, true, false, QRect(27, 7, 20, 10), QPoint(29, 4)}, // blank caption: centred
        {0, false, true, QRect(38, 8, 20, 10), QPoint(18, 5)}, // pressed: one right and down
    };
    for (const auto& c : cases) {
        const auto out =
            buttonXPRules::layoutCaption(inner, caption, picture, c.position, c.blank, c.pressed);
        EXPECT_EQ(out.caption, c.caption) << c.position << c.blank << c.pressed;
        EXPECT_EQ(out.picture, c.picture) << c.position << c.blank << c.pressed;
    }
    const auto plain = buttonXPRules::layoutCaption(inner, caption, QSize(), 0, false, false);
    EXPECT_EQ(plain.caption, QRect(27, 7, 20, 10));
    EXPECT_EQ(buttonXPRules::captionRoom(inner, picture, 0, false), QRect(4, 4, 47, 17));
    EXPECT_EQ(buttonXPRules::captionRoom(inner, picture, 3, false), QRect(4, 4, 67, -1));
    EXPECT_EQ(buttonXPRules::captionRoom(inner, picture, 4, false), inner);
}

TEST(ButtonXPRules, KeyCodesAndShiftStates) {
    EXPECT_EQ(eventCodes::keyCode(Qt::Key_Space), 32);
    EXPECT_EQ(eventCodes::keyCode(Qt::Key_A), 65);
    EXPECT_EQ(eventCodes::keyCode(Qt::Key_7), 55);
    EXPECT_EQ(eventCodes::keyCode(Qt::Key_Left), 37);
    EXPECT_EQ(eventCodes::keyCode(Qt::Key_Down), 40);
    EXPECT_EQ(eventCodes::keyCode(Qt::Key_Return), 13);
    EXPECT_EQ(eventCodes::keyCode(Qt::Key_F1), 112);
    EXPECT_EQ(eventCodes::shiftState(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(eventCodes::shiftState(Qt::ControlModifier), 2);
    EXPECT_EQ(eventCodes::mouseButtons(Qt::LeftButton), 1);
    EXPECT_EQ(eventCodes::mouseButtons(Qt::RightButton), 2);
    EXPECT_EQ(eventCodes::mouseButtons(Qt::MiddleButton | Qt::LeftButton), 5);
}
