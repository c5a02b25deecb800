#pragma once

// Paints the drawn button's fourteen looks. Everything a look depends on is
// in ButtonLook, so a look can be rendered into an image and checked pixel by
// pixel without a window.

#include "controls/ButtonXPColors.h"

#include <QFont>
#include <QPixmap>
#include <QString>

class QPainter;

namespace buttonXPPainter {

enum SpecialEffect : qint16 { NoEffect = 0, Raised = 1, Sunken = 2, Shadow = 3 };

struct ButtonLook {
    buttonXPColors::ColorInputs colors;
    bool enabled = true;
    bool pressed = false;
    bool hot = false;
    bool focused = false;
    bool isDefault = false;
    bool showFocusRectangle = true;
    QString caption;
    QFont font;
    QPixmap pictureNormal;
    QPixmap pictureOver;
    qint16 picturePosition = 0;
    bool useMaskColor = true;
    bool useGreyscale = false;
    qint16 specialEffect = NoEffect;
    QPixmap background; // type 11: the container's pixels behind the button
};

// The colours a drawing uses: with the custom scheme while hot, BackOver
// stands in for BackColor.
buttonXPColors::ColorSet drawingColors(const ButtonLook& look);

// Paints the whole surface of a button of the given pixel size.
void paint(QPainter& painter, QSize size, const ButtonLook& look);

// Where the caption goes for this look (after the picture took its room).
QRect captionRect(QSize size, const ButtonLook& look);

} // namespace buttonXPPainter
