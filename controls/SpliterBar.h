#pragma once

// A splitter bar that divides an area of its parent: only the bar and,
// while dragging, its ghost are visible; the panes beneath stay reachable.
// The owner lays out the panes on SpliterMoved. Positions are in twips.

#include <QColor>
#include <QObject>
#include <QRect>

class QFrame;
class QWidget;

class SpliterBar : public QObject {
    Q_OBJECT
public:
    enum class Axis { Horizontal, Vertical };

    // Current bar position (Top for a horizontal bar, Left for a vertical one).
    int position() const { return m_position; }
    void setPosition(int twips);

    qint16 Minimo() const { return m_minimo; }
    void setMinimo(qint16 twips) { m_minimo = twips; }
    qint32 BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(qint32 style);
    quint32 BarBackColor() const { return m_barColour; }
    void setBarBackColor(quint32 colour);
    // Height of a horizontal bar, width of a vertical one; 80..500.
    int barSize() const { return m_barSize; }
    void setBarSize(int twips);

    // The control's place in its parent.
    int Left() const { return m_area.x(); }
    int Top() const { return m_area.y(); }
    int Width() const { return m_area.width(); }
    int Height() const { return m_area.height(); }
    void move(int leftTwips, int topTwips);
    // -1 takes the parent's inner width or height.
    void Resize(int widthTwips, int heightTwips);
    void bringToFront();
    void setVisible(bool visible);
    bool isGhostVisible() const;

    QWidget* bar() const;

signals:
    void SpliterMoved(qint16 position);

protected:
    SpliterBar(Axis axis, QWidget* parent, int startPosition, int barSize);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeBar();
    int pointerTwips(const QPointF& local) const;

    Axis m_axis;
    QWidget* m_parent;
    QFrame* m_bar;
    QFrame* m_ghost;
    QRect m_area; // twips
    int m_position;
    int m_ghostPos = 0;
    int m_barSize;
    qint16 m_minimo = 1500;
    qint32 m_borderStyle = 0;
    quint32 m_barColour = 0xFFC0C0;
    bool m_dragging = false;
};

class SpliterHorizontal : public SpliterBar {
    Q_OBJECT
public:
    explicit SpliterHorizontal(QWidget* parent);
    int SpliterTop() const { return position(); }
    void setSpliterTop(int twips) { setPosition(twips); }
    int SpliterPictureHeight() const { return barSize(); }
    void setSpliterPictureHeight(int twips) { setBarSize(twips); }
};

class SpliterVertical : public SpliterBar {
    Q_OBJECT
public:
    explicit SpliterVertical(QWidget* parent);
    int SpliterLeft() const { return position(); }
    void setSpliterLeft(int twips) { setPosition(twips); }
    int SpliterPictureWidth() const { return barSize(); }
    void setSpliterPictureWidth(int twips) { setBarSize(twips); }
};
