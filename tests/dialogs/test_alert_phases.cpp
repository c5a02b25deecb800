// The update pop-up's phases, driven tick by tick without a window: fade and
// slide timelines, clicks, closeActivate, a second message, fitted heights.

#include "dialogs/AlertPhases.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using Phase = AlertPhases::Phase;

// A 1280 x 800 screen with a 40-pixel taskbar at the bottom, in twips.
constexpr qint32 kWorkRight = 1280 * 15;
constexpr qint32 kWorkBottom = 760 * 15;
constexpr qint32 kScreenHeight = 800 * 15;

AlertPhases loaded(bool canFade = true) {
    AlertPhases a;
    a.load(kWorkRight, kWorkBottom, kScreenHeight, canFade);
    return a;
}

// Ticks until the pop-up unloads; returns the number of ticks (or -1).
int ticksToUnload(AlertPhases& a, int limit = 100000) {
    for (int n = 1; n <= limit; ++n) {
        a.tick();
        if (a.blnUnloaded)
            return n;
    }
    return -1;
}

void ticks(AlertPhases& a, int n) {
    for (int i = 0; i < n; ++i)
        a.tick();
}

TEST(AlertPhases, LoadPlacesTheWindowJustBelowTheWorkAreaAtTheRight) {
    AlertPhases a = loaded();
    EXPECT_EQ(a.lngLeft, kWorkRight - 2700);
    EXPECT_EQ(a.lngTop, kWorkBottom);
    EXPECT_EQ(a.lngRestBottom, kWorkBottom);
    EXPECT_EQ(a.restingTop(), kWorkBottom - 1590);
    EXPECT_EQ(a.phase(), Phase::Hidden);
}

TEST(AlertPhases, FadeTimelineOfTheSchedulersAnnouncement) {
    AlertPhases a = loaded();
    a.displayMessage("频道", 4, true, false, {});
    EXPECT_EQ(a.lngTop, a.restingTop());
    EXPECT_EQ(a.lngAlpha, 0);
    EXPECT_TRUE(a.blnTopMost);
    EXPECT_EQ(a.phase(), Phase::Entering);

    ticks(a, 25);
    EXPECT_EQ(a.lngStep, 50);
    EXPECT_EQ(a.lngAlpha, 128); // (100 - 50) / 100 x 255 = 127.5, rounded
    ticks(a, 25);
    EXPECT_EQ(a.lngAlpha, 255);
    EXPECT_EQ(a.phase(), Phase::Staying);
    ticks(a, 399);
    EXPECT_EQ(a.lngStayTicks, 1);
    EXPECT_EQ(a.lngAlpha, 255);
    a.tick();
    EXPECT_EQ(a.phase(), Phase::Leaving);
    ticks(a, 50);
    EXPECT_EQ(a.lngStep, 100);
    EXPECT_EQ(a.lngAlpha, 0);
    a.tick(); // to 102: nothing changes on screen
    EXPECT_EQ(a.lngStep, 102);
    EXPECT_EQ(a.lngAlpha, 0);
    EXPECT_FALSE(a.blnUnloaded);
    a.tick();
    EXPECT_TRUE(a.blnUnloaded);
    EXPECT_EQ(a.lngTop, a.restingTop()); // it never moved

    // At the real tick, "4" seconds stay 6.4 s between fades of 0.8 s.
    EXPECT_EQ(400 * AlertPhases::kTickMilliseconds, 6400);
    EXPECT_EQ(50 * AlertPhases::kTickMilliseconds, 800);
}

TEST(AlertPhases, WithoutWindowAlphaTheFadeIsOpaqueButTakesAsLong) {
    AlertPhases a = loaded(false);
    a.displayMessage("x", 4, true, false, {});
    EXPECT_EQ(a.lngAlpha, 255);
    ticks(a, 20);
    EXPECT_EQ(a.lngAlpha, 255);
    EXPECT_EQ(ticksToUnload(a) + 20, 502);
}

TEST(AlertPhases, SlideRisesBehindOthersThenRestsOnTopThenSinks) {
    AlertPhases a = loaded();
    a.displayMessage("x", 1, false, false, {});
    EXPECT_EQ(a.lngStep, 50);
    EXPECT_FALSE(a.blnTopMost);
    EXPECT_EQ(a.lngAlpha, 255);
    const qint32 rest = a.restingTop();

    int rising = 0;
    while (a.lngTop > rest) {
        a.tick();
        ++rising;
        ASSERT_LT(rising, 1000);
        if (a.lngTop > rest)
            EXPECT_FALSE(a.blnTopMost) << "tick " << rising;
    }
    EXPECT_EQ(rising, 32);          // 1590 twips at 50 a tick
    EXPECT_EQ(a.lngStayTicks, 100); // rising ticks do not count down
    a.tick();                       // arrival: snapped to the resting place, top-most
    EXPECT_EQ(a.lngTop, rest);
    EXPECT_TRUE(a.blnOnTop);
    EXPECT_TRUE(a.blnTopMost);
    EXPECT_EQ(a.lngStayTicks, 99);
    ticks(a, 99);
    EXPECT_EQ(a.phase(), Phase::Leaving);
    a.tick(); // sinking starts: no longer top-most
    EXPECT_FALSE(a.blnTopMost);
    EXPECT_EQ(a.lngTop, rest + 50);
    const int sinking = ticksToUnload(a);
    // It sinks until its top lies below the whole screen, then unloads.
    EXPECT_GT(a.lngTop, kScreenHeight);
    EXPECT_EQ(sinking, (kScreenHeight - (rest + 50)) / 50 + 2);
}

TEST(AlertPhases, ClickDuringFadeInFadesOutFromThere) {
    AlertPhases a = loaded();
    a.displayMessage("x", 4, true, false, {});
    ticks(a, 20);
    ASSERT_EQ(a.lngStep, 60);
    a.click();
    a.tick();
    EXPECT_EQ(a.lngStep, 62);
    EXPECT_EQ(a.phase(), Phase::Leaving);
    EXPECT_EQ(ticksToUnload(a), 20 + 1);
}

TEST(AlertPhases, ZeroSecondsWaitsForAClick) {
    AlertPhases a = loaded();
    a.displayMessage("频道 A", 0, true, false, {});
    EXPECT_EQ(a.strText, "(click here to close)\r\n频道 A");
    ticks(a, 5000);
    EXPECT_EQ(a.phase(), Phase::Staying);
    a.closeActivate();
    EXPECT_EQ(a.phase(), Phase::Leaving);

    AlertPhases b = loaded();
    b.displayMessage("频道 B", 0, false, false, {});
    ticks(b, 5000);
    EXPECT_EQ(b.phase(), Phase::Staying);
    b.click();
    EXPECT_GT(ticksToUnload(b), 0);
}

TEST(AlertPhases, NegativeSecondsIgnoreClicksUntilCloseActivate) {
    AlertPhases a = loaded();
    a.displayMessage("频道", -1, true, false, {});
    EXPECT_EQ(a.strText, "频道");
    ticks(a, 100);
    a.click();
    ticks(a, 5000);
    EXPECT_EQ(a.phase(), Phase::Staying);
    a.closeActivate();
    EXPECT_EQ(ticksToUnload(a), 52);
}

TEST(AlertPhases, SecondMessageStartsOverFromWhereItIs) {
    // Fade: while fading out, it restarts invisible at the resting place.
    AlertPhases a = loaded();
    a.displayMessage("one", 1, true, false, {});
    ticks(a, 50 + 100 + 10);
    ASSERT_EQ(a.phase(), Phase::Leaving);
    a.displayMessage("two", 2, true, false, {});
    EXPECT_EQ(a.strText, "two");
    EXPECT_EQ(a.lngStep, 100);
    EXPECT_EQ(a.lngAlpha, 0);
    EXPECT_EQ(a.lngStayTicks, 200);
    EXPECT_EQ(ticksToUnload(a), 50 + 200 + 50 + 2);

    // Slide: a sinking window rises again.
    AlertPhases s = loaded();
    s.displayMessage("one", 1, false, false, {});
    ticks(s, 33 + 100 + 10);
    ASSERT_GT(s.lngTop, s.restingTop());
    ASSERT_FALSE(s.blnOnTop);
    s.displayMessage("two", 1, false, false, {});
    const qint32 before = s.lngTop;
    s.tick();
    EXPECT_EQ(s.lngTop, before - 50);
    ticks(s, 10); // back up, then arrival
    EXPECT_EQ(s.lngTop, s.restingTop());
    EXPECT_FALSE(s.blnTopMost);
    s.tick();
    EXPECT_TRUE(s.blnTopMost);
}

TEST(AlertPhases, TimedMessageAfterAnUntimedOneLeavesByItself) {
    AlertPhases a = loaded();
    a.displayMessage("wait", -1, true, false, {});
    ticks(a, 60);
    a.displayMessage("news", 1, true, false, {});
    a.click();
    EXPECT_EQ(a.phase(), Phase::Leaving); // no longer locked
    a.displayMessage("news", 1, true, false, {});
    EXPECT_EQ(ticksToUnload(a), 50 + 100 + 50 + 2);
}

TEST(AlertPhases, OverflowingSecondsKeepTheStayAsItWas) {
    AlertPhases a = loaded();
    a.displayMessage("x", 3, true, false, {});
    a.displayMessage("x", std::numeric_limits<qint32>::max() / 50, true, false, {});
    EXPECT_EQ(a.lngStayTicks, 300);
}

TEST(AlertPhases, FittedHeightKeepsTheBottomOnTheWorkArea) {
    struct Fit {
        const char* name;
        bool autoFit;
        qint32 fitted;
        qint32 height, top;
    };
    const Fit cases[] = {
        {"not fitted", false, 3000, 1590, kWorkBottom - 1590},
        {"one line", true, 1200, 1200, kWorkBottom - 1200},
        {"three lines", true, 2400, 2400, kWorkBottom - 2400},
        {"taller than the work area", true, kWorkBottom + 600, kWorkBottom + 600, 0},
    };
    for (const Fit& f : cases) {
        SCOPED_TRACE(f.name);
        AlertPhases a = loaded();
        QString asked;
        a.displayMessage("text", 4, true, f.autoFit, [&](const QString& text) {
            asked = text;
            return f.fitted;
        });
        EXPECT_EQ(asked, f.autoFit ? "text" : "");
        EXPECT_EQ(a.lngHeight, f.height);
        EXPECT_EQ(a.lngTop, f.top);
    }
    // The click line is part of the text the height is fitted to.
    AlertPhases b = loaded();
    QString asked;
    b.displayMessage("text", 0, false, true, [&](const QString& text) {
        asked = text;
        return 2000;
    });
    EXPECT_EQ(asked, "(click here to close)\r\ntext");
}

} // namespace
