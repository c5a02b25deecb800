#include "dialogs/frmAlert.h"

#include "app/Artwork.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace {

constexpr qint32 kTw = AlertPhases::kTwipsPerPixel;
const QColor kBackground(66, 89, 132);
constexpr int kMessageLeft = 120 / kTw;
constexpr int kMessageTop = 720 / kTw;
constexpr int kMessageWidth = 2415 / kTw;
constexpr int kBelowText = 15; // pixels between the last line and the bottom edge
constexpr qreal kCorner = 9.0; // corner ellipses, pixels

} // namespace

frmAlert::frmAlert(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(QStringLiteral("更新提示"));
    resize(AlertPhases::kWidth / kTw, AlertPhases::kHeight / kTw);

    imgIcon = new QLabel(this);
    imgIcon->setPixmap(artwork::pixmap(artwork::Picture::RssChannelNews, 16));
    imgIcon->setGeometry(0, 165 / kTw, 16, 16);

    Label1 = new QLabel(QStringLiteral("更新提示"), this);
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSizeF(8.25);
    Label1->setFont(tahoma);
    Label1->setAlignment(Qt::AlignCenter);
    QPalette black = Label1->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(black);
    Label1->setGeometry(240 / kTw, 180 / kTw, kMessageWidth - 240 / kTw + kMessageLeft, 16);

    lblMessage = new QLabel(this);
    lblMessage->setTextFormat(Qt::PlainText); // feed titles may hold markup or ampersands
    lblMessage->setWordWrap(true);
    lblMessage->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette white = lblMessage->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    lblMessage->setPalette(white);
    lblMessage->setGeometry(kMessageLeft, kMessageTop, kMessageWidth, 16);

    // Only the background and the message close the pop-up on a click.
    imgIcon->installEventFilter(this);
    Label1->installEventFilter(this);

    Timer1.setInterval(AlertPhases::kTickMilliseconds);
    Timer1.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &frmAlert::tick);
}

frmAlert* frmAlert::shared(QPointer<frmAlert>& shared) {
    if (!shared || shared->m_phases.blnUnloaded)
        shared = new frmAlert;
    return shared;
}

void frmAlert::loadWindow() {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect whole = screen ? screen->geometry() : work;
    // Per-window alpha is asked for on every platform; where the window
    // system cannot blend, the pop-up simply stays opaque.
    m_phases.load((work.x() + work.width()) * kTw, (work.y() + work.height()) * kTw,
                  (whole.y() + whole.height()) * kTw, true);
    applyPhases();
}

qint32 frmAlert::fittedHeight(const QString& text) {
    lblMessage->setText(text);
    const int textHeight = lblMessage->heightForWidth(kMessageWidth);
    return (kMessageTop + qMax(textHeight, 0) + kBelowText) * kTw;
}

void frmAlert::DisplayMessage(const QString& SMessage, qint32 DisplaySeconds, bool bFade,
                              bool bAutoFit, bool bSquare) {
    if (!m_phases.blnLoaded)
        loadWindow();
    m_phases.displayMessage(SMessage, DisplaySeconds, bFade, bAutoFit,
                            [this](const QString& text) { return fittedHeight(text); });
    // The label grows to fit its text whether or not the window does.
    QString shown = m_phases.strText;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lblMessage->setText(shown);
    lblMessage->resize(kMessageWidth, qMax(lblMessage->heightForWidth(kMessageWidth), 1));
    applyPhases();

    const QSize inner = size();
    if (bSquare) {
        clearMask();
    } else {
        QPainterPath outline;
        outline.addRoundedRect(QRectF(0, 0, inner.width(), inner.height()), kCorner / 2,
                               kCorner / 2);
        setMask(QRegion(outline.toFillPolygon().toPolygon()));
    }
    update();
    show();
    Timer1.start();
}

void frmAlert::setCloseActivate(bool close) {
    if (close)
        m_phases.closeActivate();
}

void frmAlert::tick() {
    m_phases.tick();
    if (m_phases.blnUnloaded) {
        Timer1.stop();
        close(); // deletes the window, which clears the caller's pointer
        return;
    }
    applyPhases();
}

void frmAlert::setTopMost(bool on) {
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
        return;
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on); // hides a visible window
    if (wasVisible)
        show();
}

void frmAlert::applyPhases() {
    const QRect target(m_phases.lngLeft / kTw, m_phases.lngTop / kTw, AlertPhases::kWidth / kTw,
                       m_phases.lngHeight / kTw);
    if (geometry() != target)
        setGeometry(target);
    if (m_phases.lngAlpha != m_appliedAlpha) {
        m_appliedAlpha = m_phases.lngAlpha;
        setWindowOpacity(m_appliedAlpha / 255.0);
    }
    if (m_phases.blnShown)
        setTopMost(m_phases.blnTopMost);
}

void frmAlert::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kBackground);
    // A light band behind the title, fading into the message area.
    QLinearGradient band(0, 0, 0, kMessageTop - 6);
    band.setColorAt(0, QColor(236, 241, 250));
    band.setColorAt(1, QColor(170, 188, 222));
    p.fillRect(QRect(0, 0, width(), kMessageTop - 6), band);
    p.setPen(QColor(40, 56, 88));
    p.drawLine(0, kMessageTop - 6, width(), kMessageTop - 6);
}

void frmAlert::mousePressEvent(QMouseEvent* event) {
    m_phases.click();
    event->accept();
}

bool frmAlert::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == imgIcon || watched == Label1) && event->type() == QEvent::MouseButtonPress)
        return true;
    return QWidget::eventFilter(watched, event);
}
