#include "controls/clsSysTray.h"

#include <QSystemTrayIcon>
#include <QWidget>

clsSysTray::clsSysTray(QObject* parent) : QObject(parent), m_icon(new QSystemTrayIcon(this)) {
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger) {
            emit MouseDown(1, 0, 0, 0);
            restoreFromTray();
        }
    });
}

void clsSysTray::setSourceWindow(QWidget* window) {
    m_window = window;
}

void clsSysTray::ChangeIcon(const QIcon& icon) {
    m_icon->setIcon(icon);
}

void clsSysTray::ChangeToolTip(const QString& strNewTip) {
    m_toolTip = strNewTip;
    m_icon->setToolTip(tipFieldText(strNewTip));
    if (m_window && m_window->isMinimized())
        m_window->setWindowTitle(strNewTip);
}

void clsSysTray::IconInSysTray() {
    m_icon->show();
}

void clsSysTray::RemoveFromSysTray() {
    m_icon->hide();
}

bool clsSysTray::isInSysTray() const {
    return m_icon->isVisible();
}

void clsSysTray::MinToSysTray() {
    if (!m_window)
        return;
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        if (!m_window->isMinimized())
            m_window->showMinimized();
        return;
    }
    IconInSysTray();
    m_window->hide();
}

void clsSysTray::restoreFromTray() {
    if (m_window) {
        m_window->showMaximized();
        m_window->raise();
        m_window->activateWindow();
    }
    RemoveFromSysTray();
}
