// The reading pane before its browser engine runs: a blank pane that
// completes "about:blank" by itself, and the view's members that would
// otherwise start the engine (or, for drags, reach a page that is not there).

#include "app/PaneWidgets.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QPainter>
#include <QTimer>

namespace {
const QUrl& blankUrl() {
    static const QUrl url(QStringLiteral("about:blank"));
    return url;
}

// The engine's first page gives the top-level window an OpenGL surface, for
// which Qt re-creates its native window; without a window manager the new
// window does not get the keyboard focus back by itself. Watches for that one
// re-creation, shortly after the engine starts, and re-activates the window.
class RefocusAfterRecreate : public QObject {
public:
    explicit RefocusAfterRecreate(QWidget* top) : QObject(top), m_top(top) {
        top->installEventFilter(this);
        QTimer::singleShot(5000, this, &QObject::deleteLater);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_top && event->type() == QEvent::WinIdChange) {
            QTimer::singleShot(0, m_top, [top = m_top] { top->activateWindow(); });
            deleteLater();
        }
        return false;
    }

private:
    QWidget* m_top;
};
} // namespace

void ReadingPane::keepFocusThroughEngineStart() {
    // Without a window manager Qt may not know it has the focus; any window of
    // ours being active, or none, is reason enough.
    const QWidget* active = QApplication::activeWindow();
    if (!active || active == window())
        new RefocusAfterRecreate(window());
}

ReadingPane::ReadingPane(QWidget* parent) : QWebEngineView(parent) {}

QWebEnginePage* ReadingPane::page() {
    startEngine();
    return QWebEngineView::page();
}

void ReadingPane::load(const QUrl& url) {
    startEngine();
    QWebEngineView::load(url);
}

QUrl ReadingPane::url() const {
    if (m_engine)
        return QWebEngineView::url();
    return m_blank ? blankUrl() : QUrl();
}

QString ReadingPane::title() const {
    if (m_engine)
        return QWebEngineView::title();
    return m_blank ? blankUrl().toString() : QString();
}

void ReadingPane::back() {
    if (m_engine)
        QWebEngineView::back();
}

void ReadingPane::forward() {
    if (m_engine)
        QWebEngineView::forward();
}

void ReadingPane::stop() {
    if (m_engine)
        QWebEngineView::stop();
    else
        m_blankPending = false;
}

void ReadingPane::reload() {
    if (m_engine)
        QWebEngineView::reload();
    else if (m_blank)
        showBlank();
}

// The completion comes after the pane's first paint, so that work waiting
// for it (the captions' counts read from every stored copy) never holds back
// the first sight of the window, even when asked for before the window is
// shown; a pane hidden on purpose is not painted and completes at once, as
// the engine would.
void ReadingPane::showBlank() {
    m_blank = true;
    if (m_blankPending)
        return;
    m_blankPending = true;
    if (m_painted || isHidden())
        QTimer::singleShot(0, this, &ReadingPane::finishBlank);
    else // in case the window is never shown or exposed
        QTimer::singleShot(500, this, &ReadingPane::finishBlank);
}

void ReadingPane::finishBlank() {
    if (!m_blankPending || m_engine)
        return;
    m_blankPending = false;
    emit loadStarted();
    emit urlChanged(blankUrl());
    emit loadProgress(100);
    emit loadFinished(true);
}

void ReadingPane::paintEvent(QPaintEvent* event) {
    if (!m_engine) {
        // What "about:blank" shows.
        QPainter(this).fillRect(event->rect(), Qt::white);
        if (!m_painted) {
            m_painted = true;
            if (m_blankPending)
                QTimer::singleShot(0, this, &ReadingPane::finishBlank);
        }
        return;
    }
    QWebEngineView::paintEvent(event);
}

void ReadingPane::showEvent(QShowEvent* event) {
    if (m_engine)
        QWebEngineView::showEvent(event);
    else
        QWidget::showEvent(event);
}

void ReadingPane::hideEvent(QHideEvent* event) {
    if (m_engine) {
        QWebEngineView::hideEvent(event);
        return;
    }
    QWidget::hideEvent(event);
    // Hidden before it was painted: nothing will paint it now.
    if (m_blankPending && !m_painted)
        QTimer::singleShot(0, this, &ReadingPane::finishBlank);
}

void ReadingPane::closeEvent(QCloseEvent* event) {
    if (m_engine)
        QWebEngineView::closeEvent(event);
    else
        QWidget::closeEvent(event);
}

// A blank pane takes no drops: there is no page to hand them to.
void ReadingPane::dragEnterEvent(QDragEnterEvent* event) {
    if (m_engine)
        QWebEngineView::dragEnterEvent(event);
    else
        event->ignore();
}

void ReadingPane::dragMoveEvent(QDragMoveEvent* event) {
    if (m_engine)
        QWebEngineView::dragMoveEvent(event);
    else
        event->ignore();
}

void ReadingPane::dragLeaveEvent(QDragLeaveEvent* event) {
    if (m_engine)
        QWebEngineView::dragLeaveEvent(event);
}

void ReadingPane::dropEvent(QDropEvent* event) {
    if (m_engine)
        QWebEngineView::dropEvent(event);
    else
        event->ignore();
}
