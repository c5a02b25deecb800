#include "controls/ButtonXPColors.h"

#include "controls/modGradient.h"

#include <cmath>

namespace buttonXPColors {

namespace {
int channel(quint32 colour, int shift) {
    return int(colour >> shift & 0xFF);
}

quint32 pack(int r, int g, int b) {
    return quint32(r) | quint32(g) << 8 | quint32(b) << 16;
}
} // namespace

quint32 add(quint32 colour, int n, bool softBevel, bool blueRule) {
    if (softBevel)
        n /= 2;
    int r = channel(colour, 0) + n;
    int g = channel(colour, 8) + n;
    const int blue = channel(colour, 16);
    int b = blueRule ? blue + int(std::lround(double(n) * blue / 192.0)) : blue + n;
    const auto clampChannel = [n](int v) {
        if (n > 0)
            return v > 255 ? 255 : v;
        if (n < 0)
            return v < 0 ? 0 : v;
        return v;
    };
    return pack(clampChannel(r), clampChannel(g), clampChannel(b));
}

quint32 lighten(quint32 colour, int k) {
    const auto up = [k](int v) {
        const int out = k + int(std::lround((255.0 - k) * v / 255.0));
        return out > 255 ? 255 : out;
    };
    return pack(up(channel(colour, 0)), up(channel(colour, 8)), up(channel(colour, 16)));
}

ColorSet derive(const ColorInputs& in) {
    const SystemColors& sys = in.system;
    ColorSet c;
    const auto fromFace = [&](quint32 face) {
        c.shadow = add(face, -64, in.softBevel, false);
        c.light = add(face, 31, in.softBevel, false);
        c.highlight = add(face, 47, in.softBevel, false);
        c.darkShadow = add(face, -192, in.softBevel, false);
    };
    switch (in.scheme) {
    case 2:
        c.face = in.backColor;
        c.hotFace = in.backOver;
        c.text = in.foreColor;
        c.hotText = in.foreOver;
        fromFace(c.face);
        c.selection = add(c.face, -128, in.softBevel, false);
        c.selectionLight = c.face;
        break;
    case 3:
        c.face = c.hotFace = 0xC0C0C0;
        c.text = c.hotText = 0;
        c.shadow = 0x808080;
        c.light = 0xDFDFDF;
        c.highlight = 0xFFFFFF;
        c.darkShadow = 0;
        c.selection = 0x800000;
        c.selectionLight = 0xD1ADAD;
        break;
    case 4:
        c.face = c.hotFace = in.containerBack;
        c.text = c.hotText = in.containerText;
        fromFace(c.face);
        c.selection = sys.highlight;
        c.selectionLight = lighten(c.selection, 176);
        break;
    default: // the system's own colours, also for any value out of range
        c.face = c.hotFace = sys.buttonFace;
        c.text = c.hotText = sys.buttonText;
        c.shadow = sys.buttonShadow;
        c.light = sys.light3D;
        c.highlight = sys.buttonHighlight;
        c.darkShadow = sys.darkShadow3D;
        c.selection = sys.highlight;
        c.selectionLight = lighten(c.selection, 176);
        break;
    }
    c.mask = in.maskColor;
    c.lightFace = add(c.face, 48, in.softBevel, in.buttonType == 3);
    return c;
}

SystemColors currentSystemColors() {
    using modGradient::translateColor;
    SystemColors s;
    s.buttonFace = translateColor(0x8000000F);
    s.buttonText = translateColor(0x80000012);
    s.buttonShadow = translateColor(0x80000010);
    s.light3D = translateColor(0x80000016);
    s.buttonHighlight = translateColor(0x80000014);
    s.darkShadow3D = translateColor(0x80000015);
    s.highlight = translateColor(0x8000000D);
    return s;
}

} // namespace buttonXPColors
