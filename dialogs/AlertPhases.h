#pragma once

// The update pop-up's life without a window: entering (fade-in or rising),
// staying, leaving (fade-out or sinking) and unloading, one tick at a time.
// The window applies the outcome after each call: its top, height, alpha
// and top-most placement, and closes itself once `blnUnloaded` is set.
// Lengths are twips (15 twips = 1 pixel), as the window lays itself out.

#include <QString>

#include <functional>

class AlertPhases {
public:
    static constexpr qint32 kTwipsPerPixel = 15;
    static constexpr qint32 kWidth = 2670;       // the window's width
    static constexpr qint32 kHeight = 1590;      // its height before any fitting
    static constexpr qint32 kRightMargin = 2700; // left edge = work-area right - this
    static constexpr qint32 kSlideStep = 50;     // twips per tick, slide mode
    static constexpr qint32 kFadeStep = 2;       // percent per tick, fade mode
    static constexpr qint32 kTicksPerSecond = 100;
    // One tick of the animation timer. The pace is counted in ticks, and
    // 100 ticks of 16 ms make a "second" of 1.6 s: a pop-up shown for "4"
    // stays about 6.4 s between fades of about 0.8 s, long enough to read.
    static constexpr int kTickMilliseconds = 16;
    static inline const QString kClickToClose = QStringLiteral("(click here to close)");

    // Window height in twips that fits the message text (auto-fit).
    using HeightForText = std::function<qint32(const QString& text)>;

    qint32 lngStep = 0;
    qint32 lngStayTicks = 0;
    qint32 lngRestBottom = 0;
    bool blnOnTop = false;
    bool blnStayForever = false;
    bool blnClickLocked = false;
    bool blnFade = false;
    bool blnCanFade = false;

    // The window as it should be now.
    qint32 lngLeft = 0;
    qint32 lngTop = 0;
    qint32 lngHeight = kHeight;
    qint32 lngAlpha = 255;   // 255 = opaque, as long as no transparency was applied
    bool blnTopMost = false; // placed above all windows that are not top-most
    bool blnShown = false;
    bool blnLoaded = false;
    bool blnUnloaded = false;
    QString strText; // the text the message label shows

    // Runs once, before the first message: where the window rests and starts.
    // All values in twips; `screenHeight` is the whole screen's.
    void load(qint32 workRight, qint32 workBottom, qint32 screenHeight, bool canFade);

    // Shows a message. `seconds` > 0: stays seconds x 100 ticks; 0: stays
    // until clicked, with a line saying so above the text; < 0: stays until
    // closeActivate(), clicks do nothing. `fitHeight` is asked for the window
    // height only when `autoFit` is set.
    void displayMessage(const QString& message, qint32 seconds, bool fade, bool autoFit,
                        const HeightForText& fitHeight);

    void tick();

    // A click on the window or its message: starts leaving unless locked.
    void click();
    // Starts leaving at the next tick, locked or not.
    void closeActivate();

    qint32 restingTop() const;
    // The phase, for tests and for the window's own checks.
    enum class Phase { Hidden, Entering, Staying, Leaving, Unloaded };
    Phase phase() const;

private:
    void applyTransparency(qint32 percent);
    void tickFade();
    void tickSlide();

    qint32 m_screenHeight = 0;
};
