// The drawn button as a widget: mouse, keys, access keys, check-box
// behaviour, the hot look, the pointer, painting control and the persisted
// property bag.

#include "controls/ButtonXP.h"
#include "controls/ButtonXPRules.h"
#include "dialogs/PropertyDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Buttons {
    QWidget window;
    ButtonXP* a;
    ButtonXP* b;
    ButtonXP* c;
    QStringList log;

    Buttons() {
        window.resize(300, 100);
        a = new ButtonXP(QStringLiteral("&Open"), &window);
        b = new ButtonXP(QStringLiteral("&&Save &As"), &window);
        c = new ButtonXP(QStringLiteral("A&&&&B"), &window);
        a->setGeometry(10, 10, 75, 25);
        b->setGeometry(100, 10, 75, 25);
        c->setGeometry(190, 10, 75, 25);
        a->setButtonType(3);
        watch(a);
        window.show();
        window.activateWindow();
        (void)QTest::qWaitForWindowExposed(&window);
        a->setFocus();
    }

    void watch(ButtonXP* button) {
        const auto mouse = [this](const char* name) {
            return [this, name](qint16 button, qint16, float, float) {
                log << QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(button);
            };
        };
        QObject::connect(button, &ButtonXP::MouseDown, &window, mouse("MouseDown"));
        QObject::connect(button, &ButtonXP::MouseUp, &window, mouse("MouseUp"));
        QObject::connect(button, &QAbstractButton::clicked, &window, [this] { log << "Click"; });
        QObject::connect(button, &ButtonXP::MouseOver, &window, [this] { log << "MouseOver"; });
        QObject::connect(button, &ButtonXP::MouseOut, &window, [this] { log << "MouseOut"; });
        QObject::connect(button, &ButtonXP::KeyDown, &window,
                         [this](qint16 k, qint16) { log << QStringLiteral("KeyDown %1").arg(k); });
        QObject::connect(button, &ButtonXP::KeyPress, &window,
                         [this](qint16 k) { log << QStringLiteral("KeyPress %1").arg(k); });
        QObject::connect(button, &ButtonXP::KeyUp, &window,
                         [this](qint16 k, qint16) { log << QStringLiteral("KeyUp %1").arg(k); });
    }
};

void mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, QPoint pos,
           Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void press(QWidget* w, Qt::MouseButton button, QPoint pos = {20, 12}) {
    mouse(w, QEvent::MouseButtonPress, button, pos, button);
}
void release(QWidget* w, Qt::MouseButton button, QPoint pos = {20, 12}) {
    mouse(w, QEvent::MouseButtonRelease, button, pos, Qt::NoButton);
}
void move(QWidget* w, QPoint pos, Qt::MouseButtons held = Qt::NoButton) {
    mouse(w, QEvent::MouseMove, Qt::NoButton, pos, held);
}

void key(QWidget* w, QEvent::Type type, Qt::Key k, const QString& text = {},
         bool autoRepeat = false) {
    QKeyEvent event(type, k, Qt::NoModifier, text, autoRepeat);
    QApplication::sendEvent(w, &event);
}

} // namespace

TEST(ButtonXPEvents, MouseTable) {
    const struct {
        const char* name;
        std::function<void(ButtonXP*)> act;
        QStringList expected;
    } cases[] = {
        {"left inside",
         [](ButtonXP* b) {
             press(b, Qt::LeftButton);
             release(b, Qt::LeftButton);
         },
         {"MouseDown 1", "MouseUp 1", "Click"}},
        {"left released outside",
         [](ButtonXP* b) {
             press(b, Qt::LeftButton);
             move(b, {120, 12}, Qt::LeftButton);
             release(b, Qt::LeftButton, {120, 12});
         },
         {"MouseDown 1", "MouseOut", "MouseUp 1"}},
        {"left pressed outside the round corner",
         [](ButtonXP* b) {
             press(b, Qt::LeftButton);
             release(b, Qt::LeftButton, {0, 0});
         },
         {"MouseDown 1", "MouseUp 1"}},
        {"right inside",
         [](ButtonXP* b) {
             press(b, Qt::RightButton);
             release(b, Qt::RightButton);
         },
         {"MouseDown 2", "MouseUp 2"}},
        {"middle inside",
         [](ButtonXP* b) {
             press(b, Qt::MiddleButton);
             release(b, Qt::MiddleButton);
         },
         {"MouseDown 4", "MouseUp 4"}},
        {"double click",
         [](ButtonXP* b) {
             press(b, Qt::LeftButton);
             release(b, Qt::LeftButton);
             mouse(b, QEvent::MouseButtonDblClick, Qt::LeftButton, {20, 12}, Qt::LeftButton);
             release(b, Qt::LeftButton);
         },
         {"MouseDown 1", "MouseUp 1", "Click", "MouseDown 1", "MouseUp 1", "Click"}},
    };
    for (const auto& c : cases) {
        Buttons f;
        c.act(f.a);
        EXPECT_EQ(f.log, c.expected) << c.name;
        EXPECT_FALSE(f.a->look().pressed) << c.name;
    }
}

TEST(ButtonXPEvents, PressedLookFollowsTheButton) {
    Buttons f;
    press(f.a, Qt::LeftButton);
    EXPECT_TRUE(f.a->look().pressed);
    move(f.a, {120, 12}, Qt::LeftButton); // out: drawn normal
    EXPECT_FALSE(f.a->look().pressed);
    move(f.a, {20, 12}, Qt::LeftButton); // back in with the button held: pressed again
    EXPECT_TRUE(f.a->look().pressed);
    EXPECT_FALSE(f.a->isHot());
    release(f.a, Qt::LeftButton);
    EXPECT_EQ(f.log.count("Click"), 1);

    press(f.a, Qt::RightButton);
    EXPECT_FALSE(f.a->look().pressed);
    release(f.a, Qt::RightButton);
    press(f.a, Qt::MiddleButton);
    EXPECT_TRUE(f.a->look().pressed);
    release(f.a, Qt::MiddleButton);
    EXPECT_FALSE(f.a->look().pressed);
    press(f.a, Qt::MiddleButton);
    move(f.a, {120, 12}, Qt::MiddleButton); // leaving draws normal
    EXPECT_FALSE(f.a->look().pressed);
    release(f.a, Qt::MiddleButton, {120, 12});
    EXPECT_EQ(f.log.count("Click"), 1);
}

TEST(ButtonXPEvents, HotLookOverAndOut) {
    Buttons f;
    move(f.a, {20, 12});
    move(f.a, {30, 12});
    EXPECT_TRUE(f.a->isHot());
    EXPECT_TRUE(f.a->look().hot);
    move(f.a, {-5, 12});
    EXPECT_FALSE(f.a->isHot());
    move(f.a, {20, 12});
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(f.a, &leave);
    EXPECT_EQ(f.log, QStringList({"MouseOver", "MouseOut", "MouseOver", "MouseOut"}));
    // A pointer coming in with the left button held is not hot.
    f.log.clear();
    move(f.a, {20, 12}, Qt::LeftButton);
    EXPECT_FALSE(f.a->isHot());
    EXPECT_TRUE(f.log.isEmpty());
}

TEST(ButtonXPEvents, SpaceClicksOnceAndArrowsMoveTheFocus) {
    Buttons f;
    f.a->setFocus();
    key(f.a, QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_TRUE(f.a->look().pressed);
    key(f.a, QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "), true);
    key(f.a, QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_FALSE(f.a->look().pressed);
    EXPECT_EQ(f.log, QStringList({"KeyDown 32", "KeyPress 32", "KeyDown 32", "KeyPress 32",
                                  "KeyUp 32", "Click"}));

    const struct {
        Qt::Key key;
        ButtonXP* from;
        ButtonXP* to;
    } moves[] = {
        {Qt::Key_Right, f.a, f.b},
        {Qt::Key_Down, f.b, f.c},
        {Qt::Key_Left, f.c, f.b},
        {Qt::Key_Up, f.b, f.a},
    };
    f.log.clear();
    for (const auto& m : moves) {
        m.from->setFocus();
        key(m.from, QEvent::KeyPress, m.key);
        key(m.from, QEvent::KeyRelease, m.key);
        EXPECT_EQ(f.window.focusWidget(), m.to) << m.key;
    }
    EXPECT_FALSE(f.log.contains("Click"));
    EXPECT_EQ(f.log.first(), "KeyDown 39");
}

TEST(ButtonXPEvents, AccessKeysClick) {
    Buttons f;
    EXPECT_EQ(f.a->accessKey(), QLatin1Char('o'));
    EXPECT_EQ(f.a->shortcut(), QKeySequence(QStringLiteral("Alt+O")));
    EXPECT_EQ(f.b->shortcut(), QKeySequence(QStringLiteral("Alt+A")));
    EXPECT_TRUE(f.c->shortcut().isEmpty());
    f.c->setCaption(QStringLiteral("Close&"));
    EXPECT_TRUE(f.c->shortcut().isEmpty());

    int clicksB = 0;
    QObject::connect(f.b, &QAbstractButton::clicked, [&] { ++clicksB; });
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    QTest::keyClick(&f.window, Qt::Key_O, Qt::AltModifier);
    QTest::keyClick(&f.window, Qt::Key_A, Qt::AltModifier);
    QTest::keyClick(&f.window, Qt::Key_S, Qt::AltModifier); // "&&S" is not a key
    EXPECT_EQ(f.log.count("Click"), 1);
    EXPECT_EQ(clicksB, 1);
    EXPECT_EQ(f.window.focusWidget(), f.b);

    // A key two buttons share moves the focus between them and clicks neither.
    f.c->setCaption(QStringLiteral("&Other"));
    int clicksC = 0;
    QObject::connect(f.c, &QAbstractButton::clicked, [&] { ++clicksC; });
    QTest::keyClick(&f.window, Qt::Key_O, Qt::AltModifier);
    QTest::keyClick(&f.window, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(f.log.count("Click"), 1);
    EXPECT_EQ(clicksC, 0);
    EXPECT_TRUE(f.window.focusWidget() == f.a || f.window.focusWidget() == f.c);
}

TEST(ButtonXPEvents, CheckBoxBehaviourFlipsValueAndStaysPressed) {
    Buttons f;
    f.a->setCheckBoxBehaviour(true);
    QStringList changes;
    QObject::connect(f.a, &ButtonXP::propertyChanged, [&](const QString& n) { changes << n; });
    press(f.a, Qt::LeftButton);
    release(f.a, Qt::LeftButton);
    EXPECT_TRUE(f.a->Value());
    EXPECT_TRUE(f.a->look().pressed);
    key(f.a, QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
    key(f.a, QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_FALSE(f.a->Value());
    EXPECT_FALSE(f.a->look().pressed);
    f.a->click();
    EXPECT_TRUE(f.a->Value());
    EXPECT_EQ(f.log.count("Click"), 3);
    EXPECT_EQ(changes.count("Value"), 3);
    // Without the behaviour Value stays as written and is not drawn.
    f.a->setCheckBoxBehaviour(false);
    EXPECT_FALSE(f.a->look().pressed);
    f.a->click();
    EXPECT_TRUE(f.a->Value());
}

TEST(ButtonXPEvents, DisabledNeverClicks) {
    Buttons f;
    f.a->setEnabled(false);
    press(f.a, Qt::LeftButton);
    release(f.a, Qt::LeftButton);
    key(f.a, QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
    key(f.a, QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
    f.a->click();
    QTest::keyClick(&f.window, Qt::Key_O, Qt::AltModifier);
    EXPECT_FALSE(f.log.contains("Click"));
    EXPECT_FALSE(f.a->look().enabled);
    EXPECT_FALSE(f.a->Enabled());
    f.a->setEnabled(true);
    f.a->click();
    EXPECT_EQ(f.log.count("Click"), 1);
}

TEST(ButtonXPWidget, HandPointerAndMousePointer) {
    QWidget container;
    ButtonXP button(QStringLiteral("Go"), &container);
    button.setHandPointer(true);
    EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(button.WriteProperties().value("HandPointer").toBool());
    button.setHandPointer(false);
    EXPECT_EQ(button.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(button.MousePointer(), 1);
    button.setMousePointer(11);
    EXPECT_EQ(button.cursor().shape(), Qt::WaitCursor);
    button.setMousePointer(0);
    EXPECT_FALSE(button.testAttribute(Qt::WA_SetCursor));
}

TEST(ButtonXPWidget, ShapeFollowsTypeAndSize) {
    QWidget window;
    auto* button = new ButtonXP(QStringLiteral("x"), &window);
    button->setGeometry(0, 0, 75, 25);
    window.show();
    button->setButtonType(3);
    EXPECT_EQ(button->mask(), buttonXPRules::windowRegion(3, QSize(75, 25)));
    button->resize(60, 30);
    EXPECT_EQ(button->mask(), buttonXPRules::windowRegion(3, QSize(60, 30)));
    button->setButtonType(13);
    EXPECT_EQ(button->mask(), buttonXPRules::windowRegion(13, QSize(60, 30)));
    button->setButtonType(15); // out of range: refused
    EXPECT_EQ(button->ButtonType(), 13);
}

TEST(ButtonXPWidget, DisableRefreshHoldsTheLastDrawing) {
    QWidget window;
    auto* button = new ButtonXP(QString(), &window);
    button->setGeometry(0, 0, 75, 25);
    button->setButtonType(8);
    button->setColorScheme(2);
    button->setBackColor(0x0000FF);
    window.show();
    const auto centre = [&] { return button->grab().toImage().pixelColor(37, 12); };
    EXPECT_EQ(centre(), QColor(255, 0, 0));
    button->DisableRefresh();
    button->setBackColor(0x00FF00);
    EXPECT_EQ(centre(), QColor(255, 0, 0));
    button->Refresh();
    EXPECT_EQ(centre(), QColor(0, 255, 0));
    button->DisableRefresh();
    window.hide();
    window.show(); // showing allows painting again
    EXPECT_TRUE(button->paintingAllowed());
}

TEST(ButtonXPProperties, DefaultsAreNotWritten) {
    QWidget container;
    ButtonXP button(QStringLiteral("OK"), &container);
    button.setButtonType(3);
    button.setForeOver(0);
    button.setMousePointer(1);
    EXPECT_EQ(
        button.WriteProperties(),
        QVariantMap(
            {{"ButtonType", 3}, {"ForeOver", qint64(0)}, {"MousePointer", 1}, {"Caption", "OK"}}));
}

TEST(ButtonXPProperties, MissingKeysTakeTheirDefaults) {
    QWidget container;
    ButtonXP button(QStringLiteral("Old"), &container);
    button.setButtonType(9);
    button.setCheckBoxBehaviour(true);
    button.setValue(true);
    button.ReadProperties({});
    EXPECT_EQ(button.ForeOver(), 0xC00000u);
    EXPECT_EQ(button.ForeColor(), 0x80000012u);
    EXPECT_EQ(button.BackColor(), 0x8000000Fu);
    EXPECT_EQ(button.MaskColor(), 12632256u);
    EXPECT_EQ(button.ButtonType(), 2);
    EXPECT_EQ(button.ColorScheme(), 1);
    EXPECT_EQ(button.Caption(), QString());
    EXPECT_FALSE(button.CheckBoxBehaviour());
    EXPECT_FALSE(button.Value());
    EXPECT_TRUE(button.UseMaskColor());
    EXPECT_TRUE(button.ShowFocusRectangle());
    EXPECT_EQ(button.FontName(), container.font().family());
    // Everything read is a default now, so nothing is written.
    EXPECT_TRUE(button.WriteProperties().isEmpty());
}

TEST(ButtonXPProperties, KeysIgnoreCaseAndRoundTrip) {
    QWidget container;
    ButtonXP button(QString(), &container);
    QPixmap picture(4, 4);
    picture.fill(Qt::red);
    button.ReadProperties({{"buttontype", 5},
                           {"COLORSCHEME", 4},
                           {"caption", "&Go"},
                           {"backcolor", qint64(0x123456)},
                           {"ForeOver", qint64(0)},
                           {"usegreyscale", true},
                           {"FontBold", true},
                           {"FontSize", 14},
                           {"PictureNormal", picture},
                           {"PicturePosition", 2},
                           {"Enabled", false},
                           {"HandPointer", true}});
    EXPECT_EQ(button.ButtonType(), 5);
    EXPECT_EQ(button.ColorScheme(), 4);
    EXPECT_EQ(button.Caption(), "&Go");
    EXPECT_EQ(button.accessKey(), QLatin1Char('g'));
    EXPECT_EQ(button.BackColor(), 0x123456u);
    EXPECT_TRUE(button.UseGreyscale());
    EXPECT_TRUE(button.FontBold());
    EXPECT_EQ(button.FontSize(), 14);
    EXPECT_EQ(button.PicturePosition(), 2);
    EXPECT_FALSE(button.Enabled());
    EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);

    const QVariantMap written = button.WriteProperties();
    EXPECT_EQ(written.value("UseGreyScale"), QVariant(true));
    EXPECT_FALSE(written.contains("UseMaskColor"));
    ButtonXP copy(QString(), &container);
    copy.ReadProperties(written);
    const QVariantMap again = copy.WriteProperties();
    EXPECT_EQ(again.keys(), written.keys());
    for (const QString& k : written.keys()) {
        if (k == "PictureNormal")
            EXPECT_EQ(again.value(k).value<QPixmap>().toImage(),
                      written.value(k).value<QPixmap>().toImage());
        else
            EXPECT_EQ(again.value(k), written.value(k)) << k.toStdString();
    }
}

TEST(ButtonXPDialogs, PropertyDialogButtonsAreType3) {
    frmUpdateRSS dialog;
    for (ButtonXP* button : {dialog.ButtonXP1, dialog.ButtonXP2}) {
        EXPECT_EQ(button->ButtonType(), 3);
        EXPECT_EQ(button->ForeOver(), 0u);
        EXPECT_EQ(button->MousePointer(), 1);
        EXPECT_EQ(button->cursor().shape(), Qt::ArrowCursor);
    }
    dialog.show();
    (void)QTest::qWaitForWindowExposed(&dialog);
    const QImage ok = dialog.ButtonXP1->grab().toImage();
    EXPECT_EQ(ok.pixelColor(10, 0), QColor(0x00, 0x3C, 0x73)); // the 0x733C00 frame
    EXPECT_EQ(dialog.ButtonXP1->mask(), buttonXPRules::windowRegion(3, dialog.ButtonXP1->size()));
}

TEST(ButtonXPWidget, TypeElevenShowsTheContainerBehindIt) {
    QWidget window;
    window.resize(200, 100);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(10, 120, 30));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    auto* button = new ButtonXP(QString(), &window);
    button->setGeometry(40, 30, 75, 25);
    button->setButtonType(11);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents(); // the copy is taken after the show
    EXPECT_EQ(button->grab().toImage().pixelColor(37, 12), QColor(10, 120, 30));
    button->move(60, 40);
    button->resize(80, 30);
    QCoreApplication::processEvents();
    EXPECT_EQ(button->look().background.size(), QSize(80, 30));
}
