#include "controls/modGradient.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QWidget>

#include <cmath>

namespace modGradient {

QList<GradientLine> gradientLines(quint32 startColour, quint32 endColour, int percent, int style,
                                  int widthPx, int heightPx) {
    QList<GradientLine> lines;
    const double fill = std::min(percent, 100);
    double length = 0;
    if (style == Horizontal)
        length = fill * (widthPx / 100.0);
    else if (style == Vertical)
        length = fill * (heightPx / 100.0);
    const int n = int(std::nearbyint(length));
    if (n <= 0)
        return lines;
    const int channels[3][2] = {
        {int(startColour & 0xFF), int(endColour & 0xFF)},
        {int(startColour >> 8 & 0xFF), int(endColour >> 8 & 0xFF)},
        {int(startColour >> 16 & 0xFF), int(endColour >> 16 & 0xFF)},
    };
    for (int d = 0; d <= n; ++d) {
        quint32 colour = 0;
        for (int c = 0; c < 3; ++c) {
            const double value = channels[c][0] + double(channels[c][1] - channels[c][0]) / n * d;
            colour |= quint32(std::clamp(int(std::nearbyint(value)), 0, 255)) << (8 * c);
        }
        lines.append({d, colour});
    }
    return lines;
}

void paintGradient(QPainter& painter, int widthPx, int heightPx, quint32 startColour,
                   quint32 endColour, int percent, int style) {
    for (const GradientLine& line :
         gradientLines(startColour, endColour, percent, style, widthPx, heightPx)) {
        painter.setPen(toQColor(line.colour));
        if (style == Horizontal)
            painter.drawLine(line.d, 0, line.d, heightPx);
        else
            painter.drawLine(0, line.d, widthPx, line.d);
    }
}

QColor toQColor(quint32 colour) {
    const quint32 plain = translateColor(colour);
    return QColor(int(plain & 0xFF), int(plain >> 8 & 0xFF), int(plain >> 16 & 0xFF));
}

quint32 fromQColor(const QColor& colour) {
    return quint32(colour.red()) | quint32(colour.green()) << 8 | quint32(colour.blue()) << 16;
}

quint32 translateColor(quint32 colour) {
    if (!(colour & 0x80000000u))
        return colour & 0xFFFFFF;
    // The system colours the program uses, taken from the desktop's palette.
    const QPalette palette = QApplication::palette();
    switch (colour & 0xFF) {
    case 5: // window background
        return fromQColor(palette.color(QPalette::Base));
    case 8: // window text
        return fromQColor(palette.color(QPalette::Text));
    case 15: // button face
        return fromQColor(palette.color(QPalette::Button));
    case 16: // button shadow
        return fromQColor(palette.color(QPalette::Mid));
    case 18: // button text
        return fromQColor(palette.color(QPalette::ButtonText));
    case 20: // button highlight
        return fromQColor(palette.color(QPalette::Light));
    case 21: // 3-D dark shadow
        return fromQColor(palette.color(QPalette::Shadow));
    case 22: // 3-D light
        return fromQColor(palette.color(QPalette::Midlight));
    case 13: // highlight
        return fromQColor(palette.color(QPalette::Highlight));
    case 14: // highlighted text
        return fromQColor(palette.color(QPalette::HighlightedText));
    default:
        return 0;
    }
}

void makeTopMost(QWidget* window) {
    if (!window)
        return;
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (visible)
        window->show();
}

} // namespace modGradient
