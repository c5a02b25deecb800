#pragma once

// The gradient painter of the status header, colour translation and the
// top-most helper.

#include <QColor>
#include <QList>

class QPainter;
class QWidget;

namespace modGradient {

enum GradientStyle : qint32 { Horizontal = 0, Vertical = 1 };

// One drawn line: style 0 a vertical line at x = d, style 1 a horizontal
// line at y = d; colour as 0x00BBGGRR.
struct GradientLine {
    int d = 0;
    quint32 colour = 0;
    bool operator==(const GradientLine&) const = default;
};

// The lines the painter draws on an area of the given pixel size. A fill
// length of 0 or less draws nothing (the division by it would fail).
QList<GradientLine> gradientLines(quint32 startColour, quint32 endColour, int percent, int style,
                                  int widthPx, int heightPx);
void paintGradient(QPainter& painter, int widthPx, int heightPx, quint32 startColour,
                   quint32 endColour, int percent, int style);

// 0x00BBGGRR to QColor and back; 0x80000000 + n names system colour n.
QColor toQColor(quint32 colour);
quint32 fromQColor(const QColor& colour);
// A system colour becomes its current plain colour; plain colours stay.
quint32 translateColor(quint32 colour);

// Places the window above all windows that are not top-most.
void makeTopMost(QWidget* window);

} // namespace modGradient
