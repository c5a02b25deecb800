#include "controls/ButtonXP.h"

#include "controls/ButtonXPRules.h"
#include "controls/EventCodes.h"
#include "controls/modGradient.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

namespace {

QKeySequence accessSequence(QChar key) {
    if (key.isNull())
        return {};
    return QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key.toUpper().unicode())));
}

} // namespace

ButtonXP::ButtonXP(const QString& caption, QWidget* parent) : QPushButton(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover, false);
    setCaption(caption);
    connect(this, &QAbstractButton::clicked, this, &ButtonXP::onClicked);
}

void ButtonXP::setDialogLook(qint16 type) {
    setButtonType(type);
    setForeOver(0);
    setMousePointer(1);
}

void ButtonXP::changed(const char* name) {
    emit propertyChanged(QString::fromLatin1(name));
    redraw();
}

void ButtonXP::redraw() {
    if (m_paintAllowed)
        update();
}

void ButtonXP::setButtonType(qint16 type) {
    if (type < 1 || type > 14)
        return;
    m_buttonType = type;
    reshape();
    copyBackground();
    changed("ButtonType");
}

void ButtonXP::setCaption(const QString& caption) {
    setText(caption);
    // Our own access-key rule, not the toolkit's mnemonic reading of "&".
    setShortcut(accessSequence(buttonXPRules::accessKey(caption)));
    changed("Caption");
}

QChar ButtonXP::accessKey() const {
    return buttonXPRules::accessKey(text());
}

void ButtonXP::setFontBold(bool on) {
    QFont f = font();
    f.setBold(on);
    setFont(f);
    changed("FontBold");
}

void ButtonXP::setFontItalic(bool on) {
    QFont f = font();
    f.setItalic(on);
    setFont(f);
    changed("FontItalic");
}

void ButtonXP::setFontUnderline(bool on) {
    QFont f = font();
    f.setUnderline(on);
    setFont(f);
    changed("FontUnderline");
}

qint16 ButtonXP::FontSize() const {
    return qint16(qRound(font().pointSizeF()));
}

void ButtonXP::setFontSize(qint16 points) {
    if (points <= 0)
        return;
    QFont f = font();
    f.setPointSize(points);
    setFont(f);
    changed("FontSize");
}

void ButtonXP::setFontName(const QString& name) {
    QFont f = font();
    f.setFamily(name);
    setFont(f);
    changed("FontName");
}

void ButtonXP::setMousePointer(qint16 shape) {
    m_mousePointer = shape;
    applyCursor();
    emit propertyChanged(QStringLiteral("MousePointer"));
}

void ButtonXP::setMouseIcon(const QPixmap& icon) {
    m_mouseIcon = icon;
    applyCursor();
    emit propertyChanged(QStringLiteral("MouseIcon"));
}

void ButtonXP::setHandPointer(bool on) {
    m_handPointer = on;
    if (!on) {
        m_mouseIcon = QPixmap();
        m_mousePointer = 1;
    } else {
        m_mousePointer = 99;
    }
    applyCursor();
    emit propertyChanged(QStringLiteral("HandPointer"));
}

void ButtonXP::applyCursor() {
    if (m_handPointer) {
        setCursor(Qt::PointingHandCursor);
        return;
    }
    switch (m_mousePointer) {
    case 1:
        setCursor(Qt::ArrowCursor);
        break;
    case 2:
        setCursor(Qt::CrossCursor);
        break;
    case 3:
        setCursor(Qt::IBeamCursor);
        break;
    case 5:
    case 15:
        setCursor(Qt::SizeAllCursor);
        break;
    case 6:
        setCursor(Qt::SizeBDiagCursor);
        break;
    case 7:
        setCursor(Qt::SizeVerCursor);
        break;
    case 8:
        setCursor(Qt::SizeFDiagCursor);
        break;
    case 9:
        setCursor(Qt::SizeHorCursor);
        break;
    case 10:
        setCursor(Qt::UpArrowCursor);
        break;
    case 11:
        setCursor(Qt::WaitCursor);
        break;
    case 12:
        setCursor(Qt::ForbiddenCursor);
        break;
    case 13:
        setCursor(Qt::BusyCursor);
        break;
    case 14:
        setCursor(Qt::WhatsThisCursor);
        break;
    case 99:
        if (!m_mouseIcon.isNull())
            setCursor(QCursor(m_mouseIcon));
        else
            unsetCursor();
        break;
    default:
        unsetCursor();
        break;
    }
}

void ButtonXP::setPictureOver(const QPixmap& picture) {
    m_pictureOver = picture;
    emit propertyChanged(QStringLiteral("PictureOver"));
    if (m_hot)
        redraw();
}

void ButtonXP::setUseMaskColor(bool on) {
    m_useMaskColor = on;
    emit propertyChanged(QStringLiteral("UseMaskColor"));
    if (!m_pictureNormal.isNull() || !m_pictureOver.isNull())
        redraw();
}

void ButtonXP::setUseGreyscale(bool on) {
    m_useGreyscale = on;
    emit propertyChanged(QStringLiteral("UseGreyscale"));
    if (!m_pictureNormal.isNull() || !m_pictureOver.isNull())
        redraw();
}

void ButtonXP::setCheckBoxBehaviour(bool on) {
    m_checkBoxBehaviour = on; // the one write the host is not told of
    redraw();
}

void ButtonXP::setValue(bool on) {
    m_value = on;
    emit propertyChanged(QStringLiteral("Value"));
    if (m_checkBoxBehaviour)
        redraw();
}

bool ButtonXP::Enabled() const {
    return !testAttribute(Qt::WA_ForceDisabled);
}

void ButtonXP::Refresh() {
    m_paintAllowed = true;
    reshape();
    copyBackground();
    update();
}

void ButtonXP::DisableRefresh() {
    m_paintAllowed = false;
}

buttonXPPainter::ButtonLook ButtonXP::look() const {
    using modGradient::translateColor;
    buttonXPPainter::ButtonLook look;
    auto& in = look.colors;
    in.scheme = m_colorScheme;
    in.buttonType = m_buttonType;
    in.softBevel = m_softBevel;
    in.backColor = translateColor(m_backColor);
    in.backOver = translateColor(m_backOver);
    in.foreColor = translateColor(m_foreColor);
    in.foreOver = translateColor(m_foreOver);
    in.maskColor = translateColor(m_maskColor);
    const QWidget* container = parentWidget() ? parentWidget() : this;
    const QPalette palette = container->palette();
    in.containerBack = modGradient::fromQColor(palette.color(container->backgroundRole()));
    in.containerText = modGradient::fromQColor(palette.color(container->foregroundRole()));
    in.system = buttonXPColors::currentSystemColors();
    look.enabled = isEnabled();
    look.pressed = isDown() || m_otherDown || (m_checkBoxBehaviour && m_value);
    look.hot = m_hot;
    look.focused = hasFocus();
    look.isDefault = isDefault();
    look.showFocusRectangle = m_showFocusRectangle;
    look.caption = text();
    look.font = font();
    look.pictureNormal = m_pictureNormal;
    look.pictureOver = m_pictureOver;
    look.picturePosition = m_picturePosition;
    look.useMaskColor = m_useMaskColor;
    look.useGreyscale = m_useGreyscale;
    look.specialEffect = m_specialEffect;
    look.background = m_background;
    return look;
}

void ButtonXP::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (m_paintAllowed || m_surface.isNull()) {
        if (m_surface.size() != pixels)
            m_surface = QPixmap(pixels);
        m_surface.setDevicePixelRatio(ratio);
        m_surface.fill(Qt::transparent);
        QPainter p(&m_surface);
        buttonXPPainter::paint(p, size(), look());
    }
    QPainter p(this);
    p.drawPixmap(0, 0, m_surface);
}

void ButtonXP::reshape() {
    if (width() > 0 && height() > 0)
        setMask(buttonXPRules::windowRegion(m_buttonType, size()));
}

void ButtonXP::copyBackground() {
    if (m_buttonType != 11 || !parentWidget()) {
        m_background = QPixmap();
        return;
    }
    // Rendering the container sends it and its children pending move and
    // resize events, so the copy is taken later, never inside one of them.
    if (m_backgroundPending || m_copyingBackground)
        return;
    m_backgroundPending = true;
    QMetaObject::invokeMethod(this, &ButtonXP::takeBackground, Qt::QueuedConnection);
}

void ButtonXP::takeBackground() {
    m_backgroundPending = false;
    QWidget* container = parentWidget();
    if (m_buttonType != 11 || !container || size().isEmpty())
        return;
    // The container's own drawing behind the button, without its children
    // (this button among them).
    QPixmap copy(size());
    copy.fill(container->palette().color(container->backgroundRole()));
    m_copyingBackground = true;
    container->render(&copy, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    m_copyingBackground = false;
    m_background = copy;
    redraw();
}

void ButtonXP::resizeEvent(QResizeEvent* event) {
    QPushButton::resizeEvent(event);
    reshape();
    copyBackground();
}

void ButtonXP::moveEvent(QMoveEvent* event) {
    QPushButton::moveEvent(event);
    if (m_buttonType == 11)
        copyBackground();
}

void ButtonXP::showEvent(QShowEvent* event) {
    m_paintAllowed = true;
    reshape();
    copyBackground();
    QPushButton::showEvent(event);
    update();
}

void ButtonXP::hideEvent(QHideEvent* event) {
    m_paintAllowed = false;
    QPushButton::hideEvent(event);
}

void ButtonXP::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled()) {
            m_hot = false;
            m_otherDown = false;
        }
        emit propertyChanged(QStringLiteral("Enabled"));
        redraw();
        break;
    case QEvent::FontChange:
        redraw();
        break;
    case QEvent::PaletteChange:
    case QEvent::ParentChange:
        if (m_colorScheme != 2)
            redraw();
        break;
    default:
        break;
    }
    QPushButton::changeEvent(event);
}

bool ButtonXP::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        // The access key clicks at once (the toolkit would animate first); a
        // key that several buttons share only moves the focus among them.
        setFocus(Qt::ShortcutFocusReason);
        if (!static_cast<QShortcutEvent*>(event)->isAmbiguous())
            click();
        return true;
    }
    return QPushButton::event(event);
}

bool ButtonXP::hitButton(const QPoint& pos) const {
    return buttonXPRules::windowRegion(m_buttonType, size()).contains(pos);
}

void ButtonXP::pointerAt(const QPoint& pos, Qt::MouseButtons buttons) {
    if (!hitButton(pos)) {
        pointerLeft();
        return;
    }
    m_inside = true;
    if (buttons == Qt::NoButton && !m_hot) {
        m_hot = true;
        redraw();
        emit MouseOver();
    }
}

void ButtonXP::pointerLeft() {
    if (!m_inside)
        return;
    m_inside = false;
    m_hot = false;
    m_otherDown = false; // leaving draws normal whatever the button held
    redraw();
    emit MouseOut();
}

void ButtonXP::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    emit MouseDown(eventCodes::mouseButtons(event->button()),
                   eventCodes::shiftState(event->modifiers()), float(event->position().x()),
                   float(event->position().y()));
    event->accept();
    if (hitButton(pos))
        m_inside = true; // so that leaving afterwards is seen
    switch (event->button()) {
    case Qt::RightButton:
        return; // neither drawn pressed nor a click
    case Qt::LeftButton:
        QPushButton::mousePressEvent(event);
        return;
    default:
        m_otherDown = true;
        redraw();
        return;
    }
}

void ButtonXP::mouseReleaseEvent(QMouseEvent* event) {
    emit MouseUp(eventCodes::mouseButtons(event->button()),
                 eventCodes::shiftState(event->modifiers()), float(event->position().x()),
                 float(event->position().y()));
    event->accept();
    switch (event->button()) {
    case Qt::RightButton:
        return;
    case Qt::LeftButton:
        // Clicks only when released over the button (hitButton).
        QPushButton::mouseReleaseEvent(event);
        return;
    default:
        m_otherDown = false;
        redraw();
        return;
    }
}

void ButtonXP::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMove(eventCodes::mouseButtons(event->buttons()),
                   eventCodes::shiftState(event->modifiers()), float(event->position().x()),
                   float(event->position().y()));
    pointerAt(event->position().toPoint(), event->buttons());
    QPushButton::mouseMoveEvent(event);
}

void ButtonXP::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click is a new press.
    mousePressEvent(event);
}

void ButtonXP::enterEvent(QEnterEvent* event) {
    QPushButton::enterEvent(event);
    pointerAt(event->position().toPoint(), QApplication::mouseButtons());
}

void ButtonXP::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    pointerLeft();
}

void ButtonXP::keyPressEvent(QKeyEvent* event) {
    const qint16 shift = eventCodes::shiftState(event->modifiers());
    emit KeyDown(eventCodes::keyCode(event->key()), shift);
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        focusNextPrevChild(false);
        event->accept();
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        focusNextPrevChild(true);
        event->accept();
        break;
    default:
        QPushButton::keyPressEvent(event);
        break;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && typed.at(0).unicode() != 0x7F &&
        (typed.at(0).isPrint() || typed.at(0) == QLatin1Char('\r') ||
         typed.at(0) == QLatin1Char('\b') || typed.at(0) == QChar(27)))
        emit KeyPress(qint16(typed.at(0).unicode()));
}

void ButtonXP::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat())
        emit KeyUp(eventCodes::keyCode(event->key()), eventCodes::shiftState(event->modifiers()));
    // Space released after a Space press clicks (the toolkit tracks the press).
    QPushButton::keyReleaseEvent(event);
}

void ButtonXP::focusInEvent(QFocusEvent* event) {
    QPushButton::focusInEvent(event);
    redraw();
}

void ButtonXP::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    redraw();
}

void ButtonXP::onClicked() {
    if (m_checkBoxBehaviour) {
        m_value = !m_value;
        emit propertyChanged(QStringLiteral("Value"));
    }
    redraw();
}
