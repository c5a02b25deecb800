// The update pop-up window: placement at the bottom-right of the work area,
// fitted height, outline, no focus taken, clicks, closeActivate, and the
// shared pointer cleared when it unloads. Ticks are driven directly.

#include "dialogs/frmAlert.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QRect workArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// Ticks until the window is gone (deleted), at most `limit` ticks.
bool tickUntilGone(QPointer<frmAlert>& alert, int limit = 2000) {
    for (int n = 0; n < limit && alert; ++n) {
        alert->tick();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return alert.isNull();
}

TEST(AlertWindow, SchedulerAnnouncementRestsBottomRightWithoutFocus) {
    QPointer<frmAlert> alert = new frmAlert;
    alert->DisplayMessage(QStringLiteral("科技新闻 & <b>更新</b>"), 4, true, true, false);
    EXPECT_TRUE(alert->isVisible());
    EXPECT_TRUE(alert->Timer1.isActive());
    EXPECT_EQ(alert->Timer1.interval(), 16);
    EXPECT_TRUE(alert->windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(alert->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(alert->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(alert->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_NE(QApplication::activeWindow(), alert.data());

    const QRect work = workArea();
    const QRect g = alert->geometry();
    EXPECT_EQ(g.width(), 178);
    EXPECT_EQ(g.x() + g.width(), work.x() + work.width() - 2);
    EXPECT_EQ(g.y() + g.height(), work.y() + work.height());
    // The text is shown as typed, markup and ampersand included.
    EXPECT_EQ(alert->lblMessage->text(), QStringLiteral("科技新闻 & <b>更新</b>"));
    EXPECT_EQ(alert->lblMessage->textFormat(), Qt::PlainText);
    // Fitted: 15 pixels below the message's last line.
    EXPECT_EQ(g.height(), alert->lblMessage->geometry().bottom() + 1 + 15);
    EXPECT_FALSE(alert->mask().isEmpty());
    EXPECT_FALSE(alert->mask().contains(QPoint(0, 0))); // rounded corner cut away
    EXPECT_DOUBLE_EQ(alert->windowOpacity(), 0.0);

    for (int n = 0; n < 50; ++n)
        alert->tick();
    EXPECT_DOUBLE_EQ(alert->windowOpacity(), 1.0);
    EXPECT_TRUE(tickUntilGone(alert));
}

TEST(AlertWindow, LongerTextMakesATallerWindowOnTheSameBottom) {
    QPointer<frmAlert> shortOne = new frmAlert;
    shortOne->DisplayMessage(QStringLiteral("短"), 4, true, true, true);
    QPointer<frmAlert> longOne = new frmAlert;
    longOne->DisplayMessage(QString(QStringLiteral("很长的频道标题 ")).repeated(8), 4, true, true,
                            true);
    EXPECT_GT(longOne->height(), shortOne->height() + 20);
    EXPECT_EQ(longOne->geometry().bottom(), shortOne->geometry().bottom());
    EXPECT_TRUE(shortOne->mask().isEmpty()); // square
    delete shortOne;
    delete longOne;
}

TEST(AlertWindow, ClickClosesUnlessLockedAndClearsTheSharedPointer) {
    QPointer<frmAlert> alert = new frmAlert;
    alert->DisplayMessage(QStringLiteral("频道"), 0, false, true, false);
    EXPECT_TRUE(alert->lblMessage->text().startsWith(QStringLiteral("(click here to close)\n")));
    for (int n = 0; n < 500; ++n)
        alert->tick();
    ASSERT_TRUE(alert);
    QTest::mouseClick(alert->Label1, Qt::LeftButton); // the title is not the message
    for (int n = 0; n < 100; ++n)
        alert->tick();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->phases().phase(), AlertPhases::Phase::Staying);
    QTest::mouseClick(alert->lblMessage, Qt::LeftButton);
    EXPECT_EQ(alert->phases().phase(), AlertPhases::Phase::Leaving);
    EXPECT_TRUE(tickUntilGone(alert));

    QPointer<frmAlert> locked = new frmAlert;
    locked->DisplayMessage(QStringLiteral("频道"), -1, true, true, false);
    QTest::mouseClick(locked, Qt::LeftButton, {}, QPoint(5, 60));
    for (int n = 0; n < 2000; ++n)
        locked->tick();
    ASSERT_TRUE(locked);
    EXPECT_FALSE(locked->CloseActivate());
    locked->setCloseActivate(true);
    EXPECT_TRUE(tickUntilGone(locked, 60));
}

TEST(AlertWindow, OneSharedPopUpAtATime) {
    QPointer<frmAlert> shared;
    frmAlert* first = frmAlert::shared(shared);
    EXPECT_EQ(shared, first);
    first->DisplayMessage(QStringLiteral("一"), 1, true, true, false);
    EXPECT_EQ(frmAlert::shared(shared), first); // still showing: the same window
    QPointer<frmAlert> watch = first;
    for (int n = 0; n < 1000 && !first->phases().blnUnloaded; ++n)
        first->tick();
    ASSERT_TRUE(watch); // unloaded, its deletion not yet run
    frmAlert* second = frmAlert::shared(shared);
    EXPECT_NE(second, first);
    second->DisplayMessage(QStringLiteral("二"), 1, true, true, false);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
    ASSERT_TRUE(shared);
    EXPECT_TRUE(shared->isVisible());
    delete shared;
}

TEST(AlertWindow, SecondMessageOnTheSamePopUp) {
    QPointer<frmAlert> alert = new frmAlert;
    alert->DisplayMessage(QStringLiteral("一"), 1, true, true, false);
    for (int n = 0; n < 160; ++n)
        alert->tick();
    ASSERT_LT(alert->windowOpacity(), 1.0);
    alert->DisplayMessage(QStringLiteral("二"), 1, true, true, false);
    EXPECT_EQ(alert->lblMessage->text(), QStringLiteral("二"));
    EXPECT_DOUBLE_EQ(alert->windowOpacity(), 0.0);
    EXPECT_TRUE(tickUntilGone(alert, 202));
}

TEST(AlertWindow, SlideRisesIntoPlaceAndSinksOutOfSight) {
    QPointer<frmAlert> alert = new frmAlert;
    alert->DisplayMessage(QStringLiteral("频道"), 1, false, true, false);
    const QRect work = workArea();
    EXPECT_EQ(alert->y(), work.y() + work.height()); // starts just below the work area
    EXPECT_FALSE(alert->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    for (int n = 0; n < 60; ++n)
        alert->tick();
    EXPECT_EQ(alert->geometry().bottom() + 1, work.y() + work.height());
    EXPECT_TRUE(alert->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(alert->isVisible());
    EXPECT_TRUE(tickUntilGone(alert));
}

} // namespace
