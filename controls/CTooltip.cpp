#include "controls/CTooltip.h"

#include "controls/modGradient.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>

namespace {
constexpr int kPad = 8;
constexpr int kPointer = 10;
} // namespace

CTooltip::CTooltip() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_delay.setSingleShot(true);
    m_visible.setSingleShot(true);
    connect(&m_delay, &QTimer::timeout, this, [this] { popUp(QCursor::pos()); });
    connect(&m_visible, &QTimer::timeout, this, &QWidget::hide);
}

CTooltip::~CTooltip() {
    Destroy();
}

void CTooltip::Create(QWidget* target) {
    Destroy();
    m_target = target;
    if (!target)
        return;
    m_live = true;
    target->installEventFilter(this);
    m_shownTitle.clear();
    m_shownIcon = NoIcon;
    if (!m_title.isEmpty() || m_icon != NoIcon) {
        m_shownTitle = m_title;
        m_shownIcon = m_icon;
    }
    const QPalette tip = QApplication::palette("QTipLabel");
    m_textColour = m_fore ? modGradient::toQColor(m_fore) : tip.color(QPalette::ToolTipText);
    m_backColour = m_back ? modGradient::toQColor(m_back) : tip.color(QPalette::ToolTipBase);
    relayout();
    // The pointer already rests on the target when a tip is made for it.
    if (target->underMouse())
        m_delay.start(m_delayMs);
}

void CTooltip::Destroy() {
    m_delay.stop();
    m_visible.stop();
    hide();
    if (m_target)
        m_target->removeEventFilter(this);
    m_target = nullptr;
    m_live = false;
}

void CTooltip::setIcon(qint32 icon) {
    m_icon = icon;
    if (m_live && !m_title.isEmpty() && icon != NoIcon) {
        m_shownIcon = icon;
        m_shownTitle = m_title;
        relayout();
    }
}

void CTooltip::setTitle(const QString& title) {
    m_title = title;
    if (m_live && !title.isEmpty() && m_icon != NoIcon) {
        m_shownTitle = title;
        m_shownIcon = m_icon;
        relayout();
    }
}

void CTooltip::setTipText(const QString& text) {
    m_text = text;
    if (m_live)
        relayout();
}

void CTooltip::setForeColor(quint32 colour) {
    m_fore = colour;
    if (m_live) {
        m_textColour = modGradient::toQColor(colour);
        update();
    }
}

void CTooltip::setBackColor(quint32 colour) {
    m_back = colour;
    if (m_live) {
        m_backColour = modGradient::toQColor(colour);
        update();
    }
}

void CTooltip::relayout() {
    const QFontMetrics fm(font());
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics fmb(bold);
    const QRect textRect = fm.boundingRect(QRect(0, 0, 400, 1000), Qt::TextWordWrap, m_text);
    int w = textRect.width();
    int h = textRect.height();
    if (!m_shownTitle.isEmpty()) {
        w = std::max(w, fmb.horizontalAdvance(m_shownTitle) + (m_shownIcon ? 20 : 0));
        h += fmb.height() + 4;
    }
    const int tail = m_style == Balloon ? kPointer : 0;
    resize(w + 2 * kPad, h + 2 * kPad + tail);
    update();
}

void CTooltip::popUp(const QPoint& globalPos) {
    if (!m_live)
        return;
    QPoint at = globalPos + QPoint(-kPad * 2, 18);
    if (m_centered && m_target)
        at = m_target->mapToGlobal(QPoint((m_target->width() - width()) / 2, m_target->height()));
    if (const QScreen* screen = QGuiApplication::screenAt(globalPos)) {
        const QRect area = screen->availableGeometry();
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - width())));
        at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    }
    move(at);
    show();
    raise();
    m_visible.start(m_visibleMs);
}

bool CTooltip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_target) {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove:
            if (!isVisible() && !m_delay.isActive())
                m_delay.start(m_delayMs);
            break;
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::Hide:
            m_delay.stop();
            hide();
            break;
        default:
            break;
        }
    }
    return false;
}

QPainterPath CTooltip::outline() const {
    const int tail = m_style == Balloon ? kPointer : 0;
    const QRectF body(0.5, tail + 0.5, width() - 1.0, height() - tail - 1.0);
    QPainterPath path;
    if (m_style == Balloon) {
        path.addRoundedRect(body, 8, 8);
        QPainterPath pointer;
        pointer.moveTo(14, tail + 1);
        pointer.lineTo(18, 0.5);
        pointer.lineTo(28, tail + 1);
        path = path.united(pointer);
    } else {
        path.addRect(body);
    }
    return path;
}

void CTooltip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Without a compositing window manager a translucent window shows black
    // where it is not painted: the window takes the balloon's shape instead.
    setMask(QRegion(outline().toFillPolygon().toPolygon(), Qt::WindingFill));
}

void CTooltip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int tail = m_style == Balloon ? kPointer : 0;
    const QPainterPath path = outline();
    p.setPen(m_textColour);
    p.setBrush(m_backColour);
    p.drawPath(path);
    int y = tail + kPad;
    if (!m_shownTitle.isEmpty()) {
        int x = kPad;
        if (m_shownIcon != NoIcon) {
            const QStyle::StandardPixmap sp =
                m_shownIcon == Information ? QStyle::SP_MessageBoxInformation
                : m_shownIcon == Warning   ? QStyle::SP_MessageBoxWarning
                                           : QStyle::SP_MessageBoxCritical;
            style()->standardIcon(sp).paint(&p, QRect(x, y, 16, 16));
            x += 20;
        }
        QFont bold = font();
        bold.setBold(true);
        p.setFont(bold);
        p.drawText(QRect(x, y, width() - x - kPad, QFontMetrics(bold).height()), Qt::AlignLeft,
                   m_shownTitle);
        y += QFontMetrics(bold).height() + 4;
        p.setFont(font());
    }
    p.drawText(QRect(kPad, y, width() - 2 * kPad, height() - y - kPad), Qt::TextWordWrap, m_text);
}
