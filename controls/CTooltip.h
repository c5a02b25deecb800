#pragma once

// A tooltip for one target widget, plain or balloon-shaped, with an optional
// title and icon; shown after DelayTime while the pointer rests on the
// target and hidden after VisibleTime.

#include <QPainterPath>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class CTooltip : public QWidget {
    Q_OBJECT
public:
    enum TipStyle : qint32 { Standard = 0, Balloon = 1 };
    enum TipIcon : qint32 { NoIcon = 0, Information = 1, Warning = 2, Error = 3 };

    CTooltip();
    ~CTooltip() override;

    void Create(QWidget* target);
    void Destroy();
    bool isCreated() const { return m_live; }

    qint32 Style() const { return m_style; }
    void setStyle(qint32 style) { m_style = style; }
    bool Centered() const { return m_centered; }
    void setCentered(bool on) { m_centered = on; }
    qint32 Icon() const { return m_icon; }
    void setIcon(qint32 icon);
    QString Title() const { return m_title; }
    void setTitle(const QString& title);
    QString TipText() const { return m_text; }
    void setTipText(const QString& text);
    quint32 ForeColor() const { return m_fore; }
    void setForeColor(quint32 colour);
    quint32 BackColor() const { return m_back; }
    void setBackColor(quint32 colour);
    qint32 VisibleTime() const { return m_visibleMs; }
    void setVisibleTime(qint32 ms) { m_visibleMs = ms; }
    qint32 DelayTime() const { return m_delayMs; }
    void setDelayTime(qint32 ms) { m_delayMs = ms; }

    // What the live window shows now.
    QString shownTitle() const { return m_shownTitle; }
    QColor textColour() const { return m_textColour; }
    void popUp(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void relayout();
    QPainterPath outline() const;

    QPointer<QWidget> m_target;
    QTimer m_delay, m_visible;
    bool m_live = false;
    qint32 m_style = Standard;
    bool m_centered = false;
    qint32 m_icon = NoIcon;
    QString m_title, m_text, m_shownTitle;
    qint32 m_shownIcon = NoIcon;
    quint32 m_fore = 0, m_back = 0;
    QColor m_textColour, m_backColour;
    qint32 m_visibleMs = 5000, m_delayMs = 100;
};
