// The drawn button's looks side by side in real windows: each type normal,
// hot and pressed, and the property dialog's buttons. Set QF_SCREENSHOT_DIR
// to keep the pictures.

#include "controls/ButtonXP.h"
#include "dialogs/PropertyDialog.h"

#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void keep(const QPixmap& shot, const QString& name) {
    const QString dir = qEnvironmentVariable("QF_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        EXPECT_TRUE(shot.save(QDir(dir).filePath(name)));
}

QPixmap sample() {
    QPixmap picture(16, 16);
    picture.fill(QColor(0xC0, 0xC0, 0xC0)); // the default mask colour
    QPainter p(&picture);
    p.setBrush(QColor(30, 120, 200));
    p.setPen(QColor(10, 40, 90));
    p.drawEllipse(2, 2, 11, 11);
    return picture;
}

void send(QWidget* w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPointF pos(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent event(type, pos, w->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

} // namespace

TEST(ButtonXPScreens, EveryTypeNormalHotPressed) {
    QWidget window;
    window.setWindowTitle(QStringLiteral("ButtonXP"));
    window.resize(440, 14 * 34 + 40);
    const char* states[] = {"normal", "hot", "pressed"};
    for (int s = 0; s < 3; ++s) {
        auto* label = new QLabel(QString::fromLatin1(states[s]), &window);
        label->setGeometry(70 + s * 120, 6, 100, 20);
    }
    ButtonXP* buttons[14][3];
    for (int type = 1; type <= 14; ++type) {
        auto* label = new QLabel(QStringLiteral("type %1").arg(type), &window);
        label->setGeometry(8, 30 + (type - 1) * 34 + 4, 60, 20);
        for (int s = 0; s < 3; ++s) {
            auto* b = new ButtonXP(QStringLiteral("按钮 &%1").arg(type), &window);
            b->setGeometry(70 + s * 120, 30 + (type - 1) * 34, 100, 27);
            b->setButtonType(qint16(type));
            if (type == 10 || type == 6)
                b->setPictureNormal(sample());
            buttons[type - 1][s] = b;
        }
    }
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    if (QWidget* focused = window.focusWidget())
        focused->clearFocus();         // the first button would show its focus
    QCoreApplication::processEvents(); // type 11 copies what is behind it
    for (int type = 1; type <= 14; ++type) {
        send(buttons[type - 1][1], QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
        send(buttons[type - 1][2], QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    }
    const QPixmap shot = window.grab();
    keep(shot, QStringLiteral("buttonxp_types.png"));

    // Each type but the face-only and see-through ones shows its press; the
    // types with a hot look show it.
    for (int type = 1; type <= 14; ++type) {
        const auto image = [&](int s) { return buttons[type - 1][s]->grab().toImage(); };
        if (type != 10)
            EXPECT_NE(image(0), image(2)) << "pressed, type " << type;
        const bool hotLook =
            type == 3 || type == 8 || type == 9 || type == 12 || type == 13 || type == 14;
        EXPECT_EQ(image(0) != image(1), hotLook) << "hot, type " << type;
    }
    for (int type = 1; type <= 14; ++type)
        send(buttons[type - 1][2], QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
}

TEST(ButtonXPScreens, PropertyDialogButtons) {
    frmUpdateRSS dialog;
    dialog.strName = QStringLiteral("新浪新闻");
    dialog.strURL = QStringLiteral("http://rss.example.com/news.xml");
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.ButtonXP1->setFocus();
    send(dialog.ButtonXP2, QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    const QPixmap shot = dialog.grab();
    keep(shot, QStringLiteral("buttonxp_property_dialog.png"));
    // OK is the default button (blue edge), Cancel is hot (orange edge).
    const QImage ok = dialog.ButtonXP1->grab().toImage();
    const QImage cancel = dialog.ButtonXP2->grab().toImage();
    EXPECT_EQ(ok.pixelColor(10, 1), QColor(0xCE, 0xE7, 0xFF));
    EXPECT_EQ(cancel.pixelColor(10, 1), QColor(0xFF, 0xF3, 0xCE));
}
