#include "controls/SpliterBar.h"

#include "controls/SplitterRules.h"
#include "controls/modGradient.h"

#include <QFrame>
#include <QMouseEvent>
#include <QWidget>

#include <cmath>

namespace {
constexpr int kTwipsPerPixel = 15;
int px(int twips) {
    return int(std::lround(twips / double(kTwipsPerPixel)));
}
} // namespace

SpliterBar::SpliterBar(Axis axis, QWidget* parent, int startPosition, int barSize)
    : QObject(parent), m_axis(axis), m_parent(parent), m_bar(new QFrame(parent)),
      m_ghost(new QFrame(parent)), m_position(startPosition),
      m_barSize(splitterRules::clampBarSize(barSize)) {
    m_bar->setCursor(axis == Axis::Horizontal ? Qt::SizeVerCursor : Qt::SizeHorCursor);
    m_bar->setAutoFillBackground(true);
    m_bar->installEventFilter(this);
    m_ghost->setAutoFillBackground(true);
    QPalette ghost = m_ghost->palette();
    ghost.setColor(QPalette::Window,
                   axis == Axis::Horizontal ? Qt::black : QColor(0x80, 0x80, 0x80));
    m_ghost->setPalette(ghost);
    m_ghost->hide();
    setBarBackColor(m_barColour);
}

QWidget* SpliterBar::bar() const {
    return m_bar;
}

void SpliterBar::setPosition(int twips) {
    m_position = twips;
    placeBar();
}

void SpliterBar::setBorderStyle(qint32 style) {
    m_borderStyle = style;
    m_bar->setFrameStyle(style == 1 ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
}

void SpliterBar::setBarBackColor(quint32 colour) {
    m_barColour = colour;
    QPalette palette = m_bar->palette();
    palette.setColor(QPalette::Window, modGradient::toQColor(colour));
    m_bar->setPalette(palette);
}

void SpliterBar::setBarSize(int twips) {
    m_barSize = splitterRules::clampBarSize(twips);
    placeBar();
}

void SpliterBar::move(int leftTwips, int topTwips) {
    m_area.moveTo(leftTwips, topTwips);
    placeBar();
}

void SpliterBar::Resize(int widthTwips, int heightTwips) {
    if (widthTwips == -1)
        widthTwips = m_parent->width() * kTwipsPerPixel;
    if (heightTwips == -1)
        heightTwips = m_parent->height() * kTwipsPerPixel;
    m_area.setSize(QSize(std::max(0, widthTwips), std::max(0, heightTwips)));
    placeBar();
}

void SpliterBar::bringToFront() {
    m_bar->raise();
    if (m_ghost->isVisible())
        m_ghost->raise();
}

void SpliterBar::setVisible(bool visible) {
    m_bar->setVisible(visible);
}

bool SpliterBar::isGhostVisible() const {
    return m_ghost->isVisible();
}

void SpliterBar::placeBar() {
    if (m_axis == Axis::Horizontal)
        m_bar->setGeometry(px(m_area.x()), px(m_area.y() + m_position), px(m_area.width()),
                           px(m_barSize));
    else
        m_bar->setGeometry(px(m_area.x() + m_position), px(m_area.y()), px(m_barSize),
                           px(m_area.height()));
}

int SpliterBar::pointerTwips(const QPointF& local) const {
    return int(std::lround((m_axis == Axis::Horizontal ? local.y() : local.x()) * kTwipsPerPixel));
}

bool SpliterBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_bar)
        return false;
    const bool horizontal = m_axis == Axis::Horizontal;
    const int size = horizontal ? m_area.height() : m_area.width();
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        m_dragging = e->button() == Qt::LeftButton;
        if (!m_dragging)
            return true;
        m_ghostPos = m_position;
        const QRect b = m_bar->geometry();
        if (horizontal)
            m_ghost->setGeometry(b.x(), b.y(), b.width(), std::max(1, b.height() - px(40)));
        else
            m_ghost->setGeometry(b.x(), b.y() + px(20), std::max(1, b.width() / 2),
                                 std::max(1, b.height() - px(40)));
        m_ghost->show();
        m_ghost->raise();
        return true;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->buttons() != Qt::LeftButton || !m_dragging) {
            m_dragging = false; // the ghost stays where it is
            return true;
        }
        const int candidate =
            splitterRules::clampCandidate(m_position + pointerTwips(e->position()), m_minimo, size);
        if (candidate != m_ghostPos) {
            m_ghostPos = candidate;
            if (horizontal)
                m_ghost->move(m_ghost->x(), px(m_area.y() + candidate));
            else
                m_ghost->move(px(m_area.x() + candidate), m_ghost->y());
            m_parent->update();
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (!m_dragging)
            return true;
        m_dragging = false;
        m_ghost->hide();
        setPosition(m_ghostPos);
        emit SpliterMoved(qint16(m_position));
        return true;
    case QEvent::MouseButtonDblClick:
        setPosition(horizontal ? splitterRules::horizontalDoubleClick(m_position, m_minimo, size)
                               : splitterRules::verticalDoubleClick(m_position, m_minimo, size));
        emit SpliterMoved(qint16(m_position));
        return true;
    default:
        return false;
    }
}

SpliterHorizontal::SpliterHorizontal(QWidget* parent)
    : SpliterBar(Axis::Horizontal, parent, 0, 120) {
    Resize(-1, -1);
    setSpliterTop(int(std::lround(Height() / 2.0)));
}

SpliterVertical::SpliterVertical(QWidget* parent)
    : SpliterBar(Axis::Vertical, parent, splitterRules::kVerticalHome, 120) {
    Resize(-1, -1);
}
