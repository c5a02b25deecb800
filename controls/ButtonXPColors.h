#pragma once

// The colour set of the drawn button and the arithmetic its looks are made
// of. Colours are 0x00BBGGRR values; nothing here touches a widget, so the
// rules can be checked with plain tables.

#include <QtGlobal>

namespace buttonXPColors {

// c + n on each channel. With softBevel n is halved first. With the blue
// rule blue moves by n x blue / 192 instead of n, so bluish faces keep their
// tint. Results clamp at 255 going up and at 0 going down.
quint32 add(quint32 colour, int n, bool softBevel, bool blueRule);

// Each channel becomes k + (255 - k) x channel / 255, at most 255.
quint32 lighten(quint32 colour, int k);

// The platform's colours the system scheme is made of, already plain.
struct SystemColors {
    quint32 buttonFace = 0;
    quint32 buttonText = 0;
    quint32 buttonShadow = 0;
    quint32 light3D = 0;
    quint32 buttonHighlight = 0;
    quint32 darkShadow3D = 0;
    quint32 highlight = 0;
};

// Everything the colour set depends on. The four custom colours and the
// mask colour are already translated to plain colours.
struct ColorInputs {
    qint16 scheme = 1;
    qint16 buttonType = 2;
    bool softBevel = false;
    quint32 backColor = 0;
    quint32 backOver = 0;
    quint32 foreColor = 0;
    quint32 foreOver = 0;
    quint32 maskColor = 0xC0C0C0;
    quint32 containerBack = 0;
    quint32 containerText = 0;
    SystemColors system;
};

struct ColorSet {
    quint32 face = 0;
    quint32 hotFace = 0;
    quint32 text = 0;
    quint32 hotText = 0;
    quint32 shadow = 0;
    quint32 light = 0;
    quint32 highlight = 0;
    quint32 darkShadow = 0;
    quint32 selection = 0;
    quint32 selectionLight = 0;
    quint32 mask = 0;
    quint32 lightFace = 0;
    bool operator==(const ColorSet&) const = default;
};

ColorSet derive(const ColorInputs& in);

// The platform's current system colours, from the application palette.
SystemColors currentSystemColors();

} // namespace buttonXPColors
