#include "dialogs/AlertPhases.h"

#include <QtMath>

#include <limits>

void AlertPhases::load(qint32 workRight, qint32 workBottom, qint32 screenHeight, bool canFade) {
    blnCanFade = canFade;
    lngRestBottom = workBottom;
    m_screenHeight = screenHeight;
    // Two pixels short of the work area's right edge, just below its bottom:
    // out of sight until it rises or fades in.
    lngLeft = workRight - kRightMargin;
    lngTop = lngRestBottom;
    blnLoaded = true;
}

qint32 AlertPhases::restingTop() const {
    return qMax(lngRestBottom - lngHeight, 0);
}

void AlertPhases::displayMessage(const QString& message, qint32 seconds, bool fade, bool autoFit,
                                 const HeightForText& fitHeight) {
    strText = message;
    if (seconds > 0) {
        // An overflowing count leaves the stay as it was.
        if (seconds <= std::numeric_limits<qint32>::max() / kTicksPerSecond)
            lngStayTicks = seconds * kTicksPerSecond;
        // A timed message leaves again by itself, even after one that waited
        // for a click or for closeActivate() on the same window.
        blnStayForever = false;
        blnClickLocked = false;
    } else {
        blnStayForever = true;
        lngStayTicks = 1;
        if (seconds != 0) {
            blnClickLocked = true;
        } else {
            blnClickLocked = false;
            strText = kClickToClose + QStringLiteral("\r\n") + strText;
        }
    }
    if (autoFit && fitHeight) {
        const qint32 fitted = fitHeight(strText);
        if (fitted > 0)
            lngHeight = fitted;
    }
    blnFade = fade;
    if (fade) {
        lngStep = 100;
        lngTop = restingTop();
        applyTransparency(100);
        blnTopMost = true;
    } else {
        lngStep = kSlideStep;
    }
    blnShown = true;
}

void AlertPhases::applyTransparency(qint32 percent) {
    const qint32 alpha = qRound((100 - percent) / 100.0 * 255);
    if (blnCanFade && alpha >= 0 && alpha <= 255)
        lngAlpha = alpha;
}

void AlertPhases::tick() {
    if (!blnShown || blnUnloaded)
        return;
    if (blnFade)
        tickFade();
    else
        tickSlide();
}

void AlertPhases::tickFade() {
    if (lngStayTicks > 0) {
        if (lngStep > 0) {
            lngStep -= kFadeStep;
            applyTransparency(lngStep);
        } else if (!blnStayForever) {
            --lngStayTicks;
        }
    } else if (lngStep <= 100) {
        lngStep += kFadeStep;
        applyTransparency(lngStep);
    } else {
        blnUnloaded = true;
    }
}

void AlertPhases::tickSlide() {
    if (lngStayTicks > 0) {
        const qint32 rest = restingTop();
        if (lngTop > 0 && lngTop > rest) {
            // Rising, not yet top-most: it comes out from behind a bottom taskbar.
            lngTop -= lngStep;
            return;
        }
        if (!blnOnTop) {
            lngTop = rest;
            blnOnTop = true;
            blnTopMost = true;
        }
        if (!blnStayForever)
            --lngStayTicks;
    } else if (lngTop <= m_screenHeight) {
        if (blnOnTop) {
            blnOnTop = false;
            blnTopMost = false;
        }
        lngTop += lngStep;
    } else {
        blnUnloaded = true;
    }
}

void AlertPhases::click() {
    if (!blnClickLocked)
        lngStayTicks = 0;
}

void AlertPhases::closeActivate() {
    lngStayTicks = 0;
}

AlertPhases::Phase AlertPhases::phase() const {
    if (blnUnloaded)
        return Phase::Unloaded;
    if (!blnShown)
        return Phase::Hidden;
    if (lngStayTicks <= 0)
        return Phase::Leaving;
    if (blnFade)
        return lngStep > 0 ? Phase::Entering : Phase::Staying;
    return blnOnTop ? Phase::Staying : Phase::Entering;
}
