#pragma once

// The notification-area icon: while it is there the main window is hidden
// and off the taskbar; a left click on it brings the window back maximized.

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>

class QSystemTrayIcon;
class QWidget;

class clsSysTray : public QObject {
    Q_OBJECT
public:
    // The tip field holds 64 characters with its terminating zero.
    static constexpr int kTipChars = 63;
    static QString tipFieldText(const QString& text) { return text.left(kTipChars); }

    explicit clsSysTray(QObject* parent = nullptr);

    void setSourceWindow(QWidget* window);
    QWidget* SourceWindow() const { return m_window; }
    void ChangeIcon(const QIcon& icon);
    void ChangeToolTip(const QString& strNewTip);
    QString ToolTip() const { return m_toolTip; }
    bool DefaultDblClk() const { return m_defaultDblClk; }
    void setDefaultDblClk(bool on) { m_defaultDblClk = on; }

    void IconInSysTray();
    void RemoveFromSysTray();
    // Into the notification area. Where the desktop has none, the window is
    // only minimized and stays on the taskbar, so it can always come back.
    void MinToSysTray();
    bool isInSysTray() const;

    // What a left click on the icon does.
    void restoreFromTray();

signals:
    void MouseDown(int intButton, int intShift, float sngX, float sngY);

private:
    QSystemTrayIcon* m_icon;
    QPointer<QWidget> m_window;
    QString m_toolTip;
    bool m_defaultDblClk = true;
};
