#pragma once

// A strip with a colour gradient over part of its background, a small icon
// and one caption; the main window's status line.

#include <QFont>
#include <QPixmap>
#include <QWidget>

class QLabel;

class InfoHeader : public QWidget {
    Q_OBJECT
public:
    enum TextStyle : qint32 { Left = 0, Centre = 1, Right = 2, UnderIcon = 3 };

    explicit InfoHeader(QWidget* parent = nullptr);

    qint32 GradientStyle() const { return m_gradientStyle; }
    void setGradientStyle(qint32 style);
    quint32 LeftColor() const { return m_leftColor; }
    void setLeftColor(quint32 colour);
    quint32 RightColor() const { return m_rightColor; }
    void setRightColor(quint32 colour);
    qint16 MaxFill() const { return m_maxFill; }
    void setMaxFill(qint16 percent);
    QFont FontName() const;
    void setFontName(const QFont& font);
    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 colour);
    QString Caption() const;
    void setCaption(const QString& text);
    qint32 Alignment() const { return m_alignment; }
    void setAlignment(qint32 alignment);
    bool MultiLine() const { return m_multiLine; }
    void setMultiLine(bool on);
    bool HasIcon() const { return m_hasIcon; }
    void setHasIcon(bool on);
    QPixmap Picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);

    void Redraw(bool reDrawGrad);

    // "a|b" becomes "a" CR LF "b"; text without "|" is returned unchanged.
    static QString DoMultiLining(const QString& sText);
    // CR becomes "|", LF is dropped.
    static QString RemoveCRLF(const QString& sText);

signals:
    void propertyChanged(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void changed(const char* name, bool gradient);

    QLabel* imgIco;
    QLabel* lblCaption;
    qint32 m_gradientStyle = 0;
    quint32 m_leftColor;
    quint32 m_rightColor;
    qint16 m_maxFill = 100;
    quint32 m_foreColor;
    qint32 m_alignment = Left;
    bool m_multiLine = false;
    bool m_hasIcon = true;
    QPixmap m_picture;
};
