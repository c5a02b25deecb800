#pragma once

// The update pop-up: a small borderless window at the bottom-right of the
// work area that announces a channel with news, stays a while and goes away
// by itself. Top-most without taking the focus. The caller keeps one shared
// QPointer to it and makes a new one when that is empty: the window deletes
// itself when it unloads, which clears the pointer.

#include "dialogs/AlertPhases.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

class QLabel;

class frmAlert : public QWidget {
    Q_OBJECT
public:
    explicit frmAlert(QWidget* parent = nullptr);

    // The one shared pop-up: the window `shared` holds while it has not yet
    // unloaded, else a new one that `shared` then holds. An unloaded window
    // lingers until its deletion runs (later, when events are processed):
    // a message given to it would be lost.
    static frmAlert* shared(QPointer<frmAlert>& shared);

    // Shows SMessage; see AlertPhases::displayMessage for DisplaySeconds.
    // bFade: fade in and out at the resting place (else slide up and down);
    // bAutoFit: the window's height fits the text; bSquare: no rounded outline.
    // May be called again while the pop-up is showing: it starts over from
    // where it is with the new text and settings.
    void DisplayMessage(const QString& SMessage, qint32 DisplaySeconds, bool bFade, bool bAutoFit,
                        bool bSquare);

    // Write-only: true makes the pop-up leave at the next tick, even when
    // clicks are locked. Reading gives false.
    void setCloseActivate(bool close);
    bool CloseActivate() const { return false; }

    // One tick of Timer1 (tests drive it directly).
    void tick();

    const AlertPhases& phases() const { return m_phases; }

    QLabel* imgIcon;
    QLabel* Label1;
    QLabel* lblMessage;
    QTimer Timer1;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadWindow();
    qint32 fittedHeight(const QString& text);
    void applyPhases();
    void setTopMost(bool on);

    AlertPhases m_phases;
    qint32 m_appliedAlpha = -1;
};
