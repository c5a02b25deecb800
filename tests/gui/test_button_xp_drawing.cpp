// The drawn button's looks rendered into images: type 3 row by row and
// corner by corner, the other types by their frames' key pixels.

#include "controls/ButtonXPPainter.h"
#include "controls/ButtonXPRules.h"

#include <QImage>
#include <QPainter>
#include <QSet>

#include <gtest/gtest.h>

using buttonXPColors::add;
using buttonXPPainter::ButtonLook;

namespace {

enum class State { Normal, Hot, Focused, Default, Pressed, Disabled };

ButtonLook lookOf(qint16 type, State state, qint16 scheme = 3) {
    ButtonLook look;
    look.colors.scheme = scheme;
    look.colors.buttonType = type;
    look.colors.backColor = 0x906040;
    look.colors.backOver = 0x906040;
    look.colors.foreColor = 0x0000FF;
    look.colors.foreOver = 0x00FF00;
    look.colors.system = {0xD8E9EC, 0, 0x99A8AC, 0xF1EFE2, 0xFFFFFF, 0x646F71, 0xC56A31};
    look.hot = state == State::Hot;
    look.focused = state == State::Focused;
    look.isDefault = state == State::Default;
    look.pressed = state == State::Pressed;
    look.enabled = state != State::Disabled;
    return look;
}

QImage render(const ButtonLook& look, QSize size = QSize(75, 25)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter p(&image);
    buttonXPPainter::paint(p, size, look);
    return image;
}

// 0x00BBGGRR of one pixel.
quint32 at(const QImage& image, int x, int y) {
    const QRgb rgb = image.pixel(x, y);
    return quint32(qRed(rgb)) | quint32(qGreen(rgb)) << 8 | quint32(qBlue(rgb)) << 16;
}

struct Pixel {
    int x, y;
    quint32 colour;
};

void expectPixels(const QImage& image, const std::vector<Pixel>& pixels, const char* name) {
    for (const Pixel& p : pixels)
        EXPECT_EQ(at(image, p.x, p.y), p.colour)
            << name << " at (" << p.x << "," << p.y << ") expected " << std::hex << p.colour;
}

constexpr quint32 kFrame = 0x733C00;
constexpr quint32 kCorner = 0x7B4D10;

} // namespace

// Custom scheme, face 0x906040: light face with the blue rule is 0xB49070.
TEST(ButtonXPType3, NormalShadesRowsAndBevels) {
    const ButtonLook look = lookOf(3, State::Normal, 2);
    const quint32 lf = 0xB49070;
    ASSERT_EQ(buttonXPPainter::drawingColors(look).lightFace, lf);
    const auto blue = [](quint32 c, int n) { return add(c, n, false, true); };
    const QImage img = render(look);
    // Each inner row y is light face - y (25 / 25 x y) with the blue rule.
    for (int y = 3; y <= 21; ++y)
        EXPECT_EQ(at(img, 10, y), blue(lf, -y)) << "row " << y;
    EXPECT_EQ(at(img, 10, 12), 0xA98464u); // blue 180 - 11.25
    expectPixels(img,
                 {{10, 0, kFrame},
                  {10, 24, kFrame},
                  {0, 10, kFrame},
                  {74, 10, kFrame},
                  {1, 1, kCorner},
                  {1, 23, kCorner},
                  {73, 1, kCorner},
                  {73, 23, kCorner},
                  {10, 23, blue(lf, -48)},
                  {10, 22, blue(lf, -32)},
                  {73, 10, blue(lf, -36)},
                  {72, 10, blue(lf, -24)},
                  {10, 1, blue(lf, 16)},
                  {10, 2, blue(lf, 10)},
                  {1, 10, blue(lf, -5)},
                  {2, 10, blue(lf, -10)}},
                 "normal");
}

TEST(ButtonXPType3, HotFocusedAndDefaultEdges) {
    const struct {
        const char* name;
        State state;
        bool showFocus;
        quint32 frame, bottom, top, second, columns;
    } cases[] = {
        {"hot", State::Hot, true, 0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF},
        {"focused", State::Focused, true, 0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5},
        {"default", State::Default, true, 0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5},
    };
    for (const auto& c : cases) {
        ButtonLook look = lookOf(3, c.state);
        look.showFocusRectangle = c.showFocus;
        const QImage img = render(look);
        expectPixels(img, {{1, 10, c.frame},   {73, 10, c.frame},   {10, 22, c.frame},
                           {1, 22, c.frame},   {10, 23, c.bottom},  {2, 23, c.bottom},
                           {72, 23, c.bottom}, {10, 1, c.top},      {2, 1, c.top},
                           {72, 1, c.top},     {10, 2, c.second},   {1, 2, c.second},
                           {73, 2, c.second},  {2, 10, c.columns},  {72, 10, c.columns},
                           {2, 3, c.columns},  {72, 21, c.columns}, {1, 1, kCorner},
                           {73, 23, kCorner},  {10, 0, kFrame},     {74, 12, kFrame}},
                     c.name);
    }
    // Focused without the focus rectangle: the plain bevel.
    ButtonLook plain = lookOf(3, State::Focused);
    plain.showFocusRectangle = false;
    const quint32 lf = buttonXPPainter::drawingColors(plain).lightFace;
    EXPECT_EQ(at(render(plain), 10, 1), add(lf, 16, false, true));
    // Hot wins over focus.
    ButtonLook both = lookOf(3, State::Hot);
    both.focused = true;
    EXPECT_EQ(at(render(both), 10, 1), 0xCEF3FFu);
}

TEST(ButtonXPType3, PressedDarkensUpwards) {
    const ButtonLook look = lookOf(3, State::Pressed, 2);
    const quint32 lf = 0xB49070;
    const auto blue = [](quint32 c, int n) { return add(c, n, false, true); };
    const quint32 base = blue(lf, -32);
    const QImage img = render(look);
    for (int y = 3; y <= 21; ++y)
        EXPECT_EQ(at(img, 10, y), blue(base, -(25 - y))) << "row " << y;
    expectPixels(img,
                 {{10, 0, kFrame},
                  {74, 10, kFrame},
                  {1, 1, kCorner},
                  {73, 23, kCorner},
                  {10, 23, blue(base, 16)},
                  {10, 22, blue(base, 10)},
                  {73, 10, blue(base, 5)},
                  {72, 10, lf},
                  {10, 1, blue(base, -32)},
                  {10, 2, blue(base, -24)},
                  {1, 10, blue(base, -32)},
                  {2, 10, blue(base, -22)}},
                 "pressed");
}

TEST(ButtonXPType3, DisabledIsFlat) {
    const ButtonLook look = lookOf(3, State::Disabled, 2);
    const quint32 lf = 0xB49070;
    const auto blue = [](quint32 c, int n) { return add(c, n, false, true); };
    const QImage img = render(look);
    expectPixels(img,
                 {{10, 10, blue(lf, -24)},
                  {10, 3, blue(lf, -24)},
                  {10, 0, blue(lf, -84)},
                  {0, 10, blue(lf, -84)},
                  {1, 1, blue(lf, -72)},
                  {1, 23, blue(lf, -72)},
                  {73, 1, blue(lf, -72)},
                  {73, 23, blue(lf, -72)}},
                 "disabled");
}

TEST(ButtonXPType3, TallerButtonsShadeByTheirHeight) {
    const ButtonLook look = lookOf(3, State::Normal, 2);
    const QImage img = render(look, QSize(60, 30));
    const quint32 lf = 0xB49070;
    EXPECT_EQ(at(img, 10, 6), add(lf, -5, false, true));   // 25 / 30 x 6 = 5
    EXPECT_EQ(at(img, 10, 7), add(lf, -6, false, true));   // 5.83 rounds to 6
    EXPECT_EQ(at(img, 10, 24), add(lf, -20, false, true)); // 20
}

TEST(ButtonXPType3, CaptionColours) {
    const auto captionHas = [](ButtonLook look, quint32 colour) {
        look.caption = QStringLiteral("MMMM");
        look.font.setPixelSize(14);
        look.font.setBold(true);
        look.font.setStyleStrategy(QFont::NoAntialias);
        const QImage img = render(look);
        for (int y = 4; y < 21; ++y)
            for (int x = 4; x < 71; ++x)
                if (at(img, x, y) == colour)
                    return true;
        return false;
    };
    EXPECT_TRUE(captionHas(lookOf(3, State::Normal, 2), 0x0000FF));
    EXPECT_TRUE(captionHas(lookOf(3, State::Hot, 2), 0x00FF00));
    EXPECT_TRUE(captionHas(lookOf(3, State::Pressed, 2), 0x00FF00));
    EXPECT_FALSE(captionHas(lookOf(3, State::Normal, 2), 0x00FF00));
    EXPECT_TRUE(captionHas(lookOf(3, State::Disabled, 2), add(0xB49070, -104, false, true)));
}

// Classic grey colours: face C0C0C0, shadow 808080, light DFDFDF, highlight
// FFFFFF, dark shadow 000000, selection 800000, selection light D1ADAD.
TEST(ButtonXPTypes, FrameKeyPixels) {
    const struct {
        const char* name;
        qint16 type;
        State state;
        std::vector<Pixel> pixels;
    } cases[] = {
        {"1 normal",
         1,
         State::Normal,
         {{10, 0, 0},
          {10, 1, 0xFFFFFF},
          {1, 10, 0xFFFFFF},
          {10, 23, 0x808080},
          {73, 10, 0x808080}}},
        {"1 pressed", 1, State::Pressed, {{10, 0, 0}, {10, 1, 0xC0C0C0}, {10, 23, 0x808080}}},
        {"2 normal",
         2,
         State::Normal,
         {{10, 0, 0xFFFFFF},
          {0, 10, 0xFFFFFF},
          {10, 24, 0},
          {74, 10, 0},
          {10, 1, 0xDFDFDF},
          {10, 23, 0x808080}}},
        {"2 default",
         2,
         State::Default,
         {{10, 0, 0}, {0, 10, 0}, {10, 1, 0xFFFFFF}, {10, 23, 0}, {10, 22, 0x808080}}},
        {"2 pressed",
         2,
         State::Pressed,
         {{10, 0, 0}, {10, 24, 0xFFFFFF}, {10, 1, 0x808080}, {10, 23, 0xDFDFDF}}},
        {"2 disabled", 2, State::Disabled, {{10, 0, 0xFFFFFF}, {10, 24, 0}}},
        {"4 normal",
         4,
         State::Normal,
         {{10, 10, 0xDFDFDF},
          {10, 0, 0},
          {1, 1, 0},
          {73, 23, 0},
          {10, 1, 0xFFFFFF},
          {10, 23, 0xC0C0C0}}},
        {"4 pressed", 4, State::Pressed, {{10, 10, 0x707070}, {10, 0, 0}, {1, 1, 0}}},
        {"5 normal",
         5,
         State::Normal,
         {{10, 10, 0xCCCCCC},
          {10, 0, 0x666666},
          {10, 1, 0xFFFFFF},
          {10, 23, 0x666666},
          {10, 24, 0xFFFFFF},
          {73, 10, 0x666666},
          {74, 10, 0xFFFFFF},
          {1, 23, 0x9A9A9A},
          {73, 1, 0x9A9A9A}}},
        {"5 pressed",
         5,
         State::Pressed,
         {{10, 10, 0x909090}, {10, 0, 0x666666}, {10, 24, 0xFFFFFF}}},
        {"5 disabled",
         5,
         State::Disabled,
         {{10, 10, 0xC0C0C0}, {10, 0, 0x808080}, {10, 24, 0x808080}}},
        {"6 normal",
         6,
         State::Normal,
         {{10, 0, 0xE7E7E7}, {10, 1, 0xE7E7E7}, {10, 24, 0x808080}, {10, 23, 0x808080}}},
        {"6 pressed", 6, State::Pressed, {{10, 0, 0x808080}, {10, 24, 0xE7E7E7}}},
        {"7 normal", 7, State::Normal, {{10, 0, 0xFFFFFF}, {10, 24, 0x808080}, {10, 1, 0xC0C0C0}}},
        {"7 pressed", 7, State::Pressed, {{10, 0, 0x808080}, {10, 24, 0xFFFFFF}}},
        {"8 normal", 8, State::Normal, {{10, 0, 0xC0C0C0}, {10, 24, 0xC0C0C0}}},
        {"8 hot", 8, State::Hot, {{10, 0, 0xFFFFFF}, {10, 24, 0x808080}}},
        {"8 pressed", 8, State::Pressed, {{10, 0, 0x808080}, {10, 24, 0xFFFFFF}}},
        {"9 normal", 9, State::Normal, {{10, 0, 0xC0C0C0}, {10, 10, 0xC0C0C0}}},
        {"9 hot", 9, State::Hot, {{10, 0, 0x800000}, {10, 10, 0xD1ADAD}}},
        {"9 pressed", 9, State::Pressed, {{10, 0, 0x800000}, {10, 10, 0xC08080}}},
        {"12 normal", 12, State::Normal, {{10, 0, 0xC0C0C0}}},
        {"12 hot", 12, State::Hot, {{10, 0, 0xFFFFFF}, {10, 24, 0}, {10, 1, 0xDFDFDF}}},
        {"12 pressed", 12, State::Pressed, {{10, 0, 0}, {10, 24, 0xFFFFFF}, {10, 1, 0x808080}}},
        {"13 normal", 13, State::Normal, {{37, 12, 0xC0C0C0}, {37, 0, 0xC0C0C0}}},
        {"13 hot", 13, State::Hot, {{37, 12, 0xC0C0C0}, {37, 0, 0x808080}}},
        {"13 pressed", 13, State::Pressed, {{37, 12, 0xA0A0A0}, {37, 0, 0}}},
        {"14 normal",
         14,
         State::Normal,
         {{10, 0, 0x4E4E4E},
          {10, 1, 0xB7B7B7},
          {10, 2, 0xFFFFFF},
          {2, 10, 0xFFFFFF},
          {10, 12, 0xE3E3E3}}},
        {"14 hot", 14, State::Hot, {{10, 12, 0xDFDFDF}, {10, 0, 0x4E4E4E}}},
        {"14 pressed",
         14,
         State::Pressed,
         {{10, 12, 0xB7B7B7}, {10, 0, 0x505050}, {10, 22, 0xFFFFFF}, {72, 10, 0xFFFFFF}}},
    };
    for (const auto& c : cases)
        expectPixels(render(lookOf(c.type, c.state)), c.pixels, c.name);
}

TEST(ButtonXPTypes, FocusRectangleOnlyWhereTheTypeShowsIt) {
    // The dotted rectangle starts at the inner rectangle's top-left corner,
    // in the text colour (black on the grey face).
    const struct {
        qint16 type;
        QPoint corner;
        bool dotted;
    } cases[] = {
        {1, {4, 4}, true},   {2, {4, 4}, true},   {6, {4, 4}, true},   {7, {3, 3}, true},
        {8, {3, 3}, true},   {9, {3, 3}, true},   {12, {3, 3}, true},  {4, {4, 4}, false},
        {10, {3, 3}, false}, {13, {3, 3}, false}, {14, {6, 6}, false},
    };
    for (const auto& c : cases) {
        ButtonLook look = lookOf(c.type, State::Focused);
        const quint32 focused = at(render(look), c.corner.x(), c.corner.y());
        EXPECT_EQ(focused == 0, c.dotted) << c.type;
        look.showFocusRectangle = false;
        EXPECT_NE(at(render(look), c.corner.x(), c.corner.y()), 0u) << c.type;
    }
    // Type 5 frames its caption in 0xCC9999 instead.
    ButtonLook five = lookOf(5, State::Focused);
    five.caption = QStringLiteral("OK");
    const QImage img = render(five);
    bool framed = false;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            framed = framed || at(img, x, y) == 0xCC9999;
    EXPECT_TRUE(framed);
}

TEST(ButtonXPTypes, TypeTenDrawsFaceOnly) {
    ButtonLook look = lookOf(10, State::Pressed);
    look.caption = QStringLiteral("Hidden");
    const QImage img = render(look);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ASSERT_EQ(at(img, x, y), 0xC0C0C0u) << x << "," << y;
}

TEST(ButtonXPTypes, HotFaceOfTheCustomScheme) {
    ButtonLook look = lookOf(8, State::Normal, 2);
    look.colors.backOver = 0x2040A0;
    EXPECT_EQ(at(render(look), 37, 12), 0x906040u);
    look.hot = true;
    EXPECT_EQ(at(render(look), 37, 12), 0x2040A0u);
}

TEST(ButtonXPPictures, MaskGreyAndDisabled) {
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(QColor(0xC0, 0xC0, 0xC0)); // the mask colour
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x)
            picture.setPixelColor(x, y, QColor(200, 0, 0));
    ButtonLook look = lookOf(8, State::Normal, 2); // face 0x906040
    look.pictureNormal = QPixmap::fromImage(picture);
    look.colors.maskColor = 0xC0C0C0;
    // Blank caption: the picture is centred on the inner rectangle (3,3)-(71,21).
    const QPoint origin(37 - 4, 12 - 4);
    const auto px = [&](const ButtonLook& l, int x, int y) {
        return at(render(l), origin.x() + x, origin.y() + y);
    };
    EXPECT_EQ(px(look, 3, 3), 0x0000C8u);
    EXPECT_EQ(px(look, 0, 0), 0x906040u); // mask colour left out
    look.useMaskColor = false;
    EXPECT_EQ(px(look, 0, 0), 0xC0C0C0u);
    look.useMaskColor = true;
    look.useGreyscale = true;
    const quint32 grey = px(look, 3, 3);
    EXPECT_EQ(grey & 0xFF, grey >> 8 & 0xFF);
    EXPECT_EQ(grey & 0xFF, grey >> 16 & 0xFF);
    look.hot = true; // colour again while hot
    EXPECT_EQ(px(look, 3, 3), 0x0000C8u);
    look.hot = false;
    look.enabled = false; // embossed in highlight and shadow
    const auto colours = buttonXPPainter::drawingColors(look);
    EXPECT_EQ(px(look, 3, 3), colours.shadow);
    EXPECT_EQ(px(look, 6, 6), colours.highlight);
}

TEST(ButtonXPPictures, PictureOverWhileHot) {
    QImage normal(4, 4, QImage::Format_RGB32);
    normal.fill(QColor(0, 0, 255));
    QImage over(4, 4, QImage::Format_RGB32);
    over.fill(QColor(0, 255, 0));
    ButtonLook look = lookOf(8, State::Normal);
    look.pictureNormal = QPixmap::fromImage(normal);
    look.pictureOver = QPixmap::fromImage(over);
    EXPECT_EQ(at(render(look), 37, 12), 0xFF0000u);
    look.hot = true;
    EXPECT_EQ(at(render(look), 37, 12), 0x00FF00u);
}

TEST(ButtonXPTypes, OvalOutlineLiesInsideTheWindowShape) {
    for (const QSize size : {QSize(75, 25), QSize(100, 27), QSize(40, 40)}) {
        const QImage img = render(lookOf(13, State::Hot), size);
        const QRegion shape = buttonXPRules::windowRegion(13, size);
        int outline = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                if (at(img, x, y) == 0x808080) {
                    ++outline;
                    EXPECT_TRUE(shape.contains(QPoint(x, y))) << x << "," << y;
                }
        EXPECT_GT(outline, size.width()) << size.width();
    }
}

TEST(ButtonXPPictures, TypeTenCentresItsPictureWithoutCaption) {
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 255));
    ButtonLook look = lookOf(10, State::Normal);
    look.caption = QStringLiteral("Not drawn");
    look.pictureNormal = QPixmap::fromImage(picture);
    const QImage img = render(look);
    EXPECT_EQ(at(img, 36, 11), 0xFF0000u); // inner (3,3)-(71,21): centre (37,12)
    EXPECT_EQ(at(img, 39, 14), 0xC0C0C0u);
}

TEST(ButtonXPTypes, CaptionCopiesAndEngraving) {
    const auto colours = [](ButtonLook look) {
        look.caption = QStringLiteral("MMMM");
        look.font.setPixelSize(14);
        look.font.setBold(true);
        look.font.setStyleStrategy(QFont::NoAntialias);
        const QImage img = render(look);
        QSet<quint32> found;
        for (int y = 3; y < 22; ++y)
            for (int x = 3; x < 72; ++x)
                found.insert(at(img, x, y));
        return found;
    };
    // Custom scheme on type 8: face 0x906040, text 0x0000FF, highlight
    // 0xBF8F6F, shadow 0x502000.
    const struct {
        const char* name;
        State state;
        qint16 effect;
        QList<quint32> present, absent;
    } cases[] = {
        {"plain", State::Normal, 0, {0x0000FF}, {0x683818, 0xB88868}},
        {"raised", State::Normal, 1, {0x0000FF, 0x683818, 0xB88868}, {}},
        {"sunken", State::Normal, 2, {0x0000FF, 0x683818, 0xB88868}, {}},
        {"shadow", State::Normal, 3, {0x0000FF, 0x683818}, {0xB88868}},
        {"disabled engraved", State::Disabled, 1, {0xBF8F6F, 0x502000}, {0x0000FF, 0x683818}},
    };
    for (const auto& c : cases) {
        ButtonLook look = lookOf(8, c.state, 2);
        look.specialEffect = c.effect;
        const auto found = colours(look);
        for (quint32 colour : c.present)
            EXPECT_TRUE(found.contains(colour)) << c.name << " " << std::hex << colour;
        for (quint32 colour : c.absent)
            EXPECT_FALSE(found.contains(colour)) << c.name << " " << std::hex << colour;
    }
}

TEST(ButtonXPType3, SoftBevelHalvesEverySteps) {
    ButtonLook look = lookOf(3, State::Normal, 2);
    look.colors.softBevel = true;
    const quint32 lf = buttonXPPainter::drawingColors(look).lightFace;
    EXPECT_EQ(lf, add(0x906040, 24, false, true));
    const QImage img = render(look);
    EXPECT_EQ(at(img, 10, 1), add(lf, 8, false, true));
    EXPECT_EQ(at(img, 10, 23), add(lf, -24, false, true));
    EXPECT_EQ(at(img, 10, 10), add(lf, -5, false, true));
    EXPECT_EQ(at(img, 10, 0), kFrame); // the fixed colours stay
}
