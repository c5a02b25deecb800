#include "controls/ButtonXPPainter.h"

#include "controls/ButtonXPRules.h"
#include "controls/modGradient.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <cmath>

namespace buttonXPPainter {

namespace {

using buttonXPColors::ColorSet;

constexpr int kTextFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

QColor qc(quint32 colour) {
    return QColor(int(colour & 0xFF), int(colour >> 8 & 0xFF), int(colour >> 16 & 0xFF));
}

// Pixel-exact drawing with inclusive end points.
class Canvas {
public:
    Canvas(QPainter& p, int w, int h) : m_p(p), w(w), h(h) {}
    void pset(int x, int y, quint32 c) { m_p.fillRect(QRect(x, y, 1, 1), qc(c)); }
    void hline(int x1, int x2, int y, quint32 c) {
        if (x2 >= x1)
            m_p.fillRect(QRect(x1, y, x2 - x1 + 1, 1), qc(c));
    }
    void vline(int x, int y1, int y2, quint32 c) {
        if (y2 >= y1)
            m_p.fillRect(QRect(x, y1, 1, y2 - y1 + 1), qc(c));
    }
    void fill(const QRect& r, quint32 c) { m_p.fillRect(r, qc(c)); }
    void frame(const QRect& r, quint32 c) {
        hline(r.left(), r.right(), r.top(), c);
        hline(r.left(), r.right(), r.bottom(), c);
        vline(r.left(), r.top(), r.bottom(), c);
        vline(r.right(), r.top(), r.bottom(), c);
    }
    // One pixel raised rectangle: top and left in one colour, bottom and
    // right in the other.
    void bevel(const QRect& r, quint32 topLeft, quint32 bottomRight) {
        hline(r.left(), r.right() - 1, r.top(), topLeft);
        vline(r.left(), r.top(), r.bottom() - 1, topLeft);
        hline(r.left(), r.right(), r.bottom(), bottomRight);
        vline(r.right(), r.top(), r.bottom(), bottomRight);
    }
    void twoTone(const QRect& r, quint32 outerTL, quint32 outerBR, quint32 innerTL,
                 quint32 innerBR) {
        bevel(r, outerTL, outerBR);
        bevel(r.adjusted(1, 1, -1, -1), innerTL, innerBR);
    }
    // Dotted rectangle, every other pixel, as focus rectangles are drawn.
    void dotted(const QRect& r, quint32 c) {
        int n = 0;
        const auto dot = [&](int x, int y) {
            if (n++ % 2 == 0)
                pset(x, y, c);
        };
        for (int x = r.left(); x <= r.right(); ++x)
            dot(x, r.top());
        for (int y = r.top() + 1; y <= r.bottom(); ++y)
            dot(r.right(), y);
        for (int x = r.right() - 1; x >= r.left(); --x)
            dot(x, r.bottom());
        for (int y = r.bottom() - 1; y > r.top(); --y)
            dot(r.left(), y);
    }
    QPainter& painter() { return m_p; }
    QRect all() const { return QRect(0, 0, w, h); }

private:
    QPainter& m_p;

public:
    const int w;
    const int h;
};

enum class CaptionStyle { Plain, Engraved, None };
struct CaptionPaint {
    CaptionStyle style = CaptionStyle::Plain;
    quint32 colour = 0;  // plain colour, or the engraving's front colour
    quint32 engrave = 0; // engraving's colour one pixel right and down
};

bool showsFocusRectangle(qint16 type) {
    switch (type) {
    case 1:
    case 2:
    case 6:
    case 7:
    case 8:
    case 9:
    case 11:
    case 12:
        return true;
    default:
        return false;
    }
}

QImage maskedPicture(const ButtonLook& look, const ColorSet& c, bool pressed, qint16 type) {
    const QPixmap& chosen =
        look.hot && !look.pictureOver.isNull() ? look.pictureOver : look.pictureNormal;
    QImage img = chosen.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb mask = qc(c.mask).rgb() & 0xFFFFFF;
    const bool grey = look.useGreyscale && ((!pressed && !look.hot) || (pressed && type == 3));
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            QRgb& px = line[x];
            if (look.useMaskColor && (px & 0xFFFFFF) == mask) {
                px = 0;
                continue;
            }
            if (grey) {
                const int g = qGray(px);
                px = qRgba(g, g, g, qAlpha(px));
            }
        }
    }
    return img;
}

// A disabled picture: its darker pixels as one colour, embossed.
QImage silhouette(const QImage& picture, quint32 colour) {
    QImage out(picture.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    const QRgb solid = qc(colour).rgb();
    for (int y = 0; y < picture.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(in[x]) >= 128 && qGray(in[x]) < 192)
                line[x] = solid;
    }
    return out;
}

QFont captionFont(const ButtonLook& look, qint16 type) {
    QFont font = look.font;
    if (type == 14 && look.isDefault)
        font.setBold(true);
    return font;
}

// Frame and face of the button's type for its condition; returns how the
// caption is to be drawn over them.
CaptionPaint drawFace(QPainter& painter, Canvas& cv, const ButtonLook& look, const ColorSet& c,
                      bool pressed, bool hot) {
    const int w = cv.w;
    const int h = cv.h;
    const QRect r = cv.all();
    const qint16 type = look.colors.buttonType;
    const bool soft = look.colors.softBevel;
    const bool disabled = !look.enabled;
    const auto plus = [soft](quint32 colour, int n) {
        return buttonXPColors::add(colour, n, soft, false);
    };
    const auto blue = [soft](quint32 colour, int n) {
        return buttonXPColors::add(colour, n, soft, true);
    };

    CaptionPaint cap;
    cap.colour = pressed || hot ? c.hotText : c.text;
    if (disabled) {
        cap.style = CaptionStyle::Engraved;
        cap.engrave = c.highlight;
        cap.colour = c.shadow;
    }

    switch (type) {
    case 1:
        cv.frame(r, c.darkShadow);
        if (pressed) {
            cv.hline(2, w - 3, h - 2, c.shadow);
            cv.vline(w - 2, 2, h - 3, c.shadow);
        } else {
            cv.bevel(r.adjusted(1, 1, -1, -1), c.highlight, c.shadow);
        }
        break;
    case 3: {
        if (disabled) {
            cv.fill(r, blue(c.lightFace, -24));
            cv.frame(r, blue(c.lightFace, -84));
            const quint32 corner = blue(c.lightFace, -72);
            cv.pset(1, 1, corner);
            cv.pset(1, h - 2, corner);
            cv.pset(w - 2, 1, corner);
            cv.pset(w - 2, h - 2, corner);
            cap.style = CaptionStyle::Plain;
            cap.colour = blue(c.lightFace, -104);
            break;
        }
        const auto shade = [h](int i) { return int(std::lround(25.0 / h * i)); };
        if (pressed) {
            const quint32 base = blue(c.lightFace, -32);
            for (int i = 1; i <= h; ++i)
                cv.hline(0, w - 1, h - i, blue(base, -shade(i)));
            cv.frame(r, 0x733C00);
            for (const QPoint& p :
                 {QPoint(1, 1), QPoint(1, h - 2), QPoint(w - 2, 1), QPoint(w - 2, h - 2)})
                cv.pset(p.x(), p.y(), 0x7B4D10);
            cv.hline(2, w - 3, h - 2, blue(base, 16));
            cv.hline(2, w - 3, h - 3, blue(base, 10));
            cv.vline(w - 2, 2, h - 3, blue(base, 5));
            cv.vline(w - 3, 2, h - 3, c.lightFace);
            cv.hline(2, w - 3, 1, blue(base, -32));
            cv.hline(2, w - 3, 2, blue(base, -24));
            cv.vline(1, 2, h - 3, blue(base, -32));
            cv.vline(2, 2, h - 3, blue(base, -22));
            break;
        }
        for (int y = 1; y <= h; ++y)
            cv.hline(0, w - 1, y, blue(c.lightFace, -shade(y)));
        cv.frame(r, 0x733C00);
        for (const QPoint& p :
             {QPoint(1, 1), QPoint(1, h - 2), QPoint(w - 2, 1), QPoint(w - 2, h - 2)})
            cv.pset(p.x(), p.y(), 0x7B4D10);
        const auto edge = [&](quint32 frame, quint32 bottom, quint32 top, quint32 second,
                              quint32 columns) {
            cv.frame(QRect(1, 2, w - 2, h - 4), frame);
            cv.hline(2, w - 3, h - 2, bottom);
            cv.hline(2, w - 3, 1, top);
            cv.hline(1, w - 2, 2, second);
            cv.vline(2, 3, h - 4, columns);
            cv.vline(w - 3, 3, h - 4, columns);
        };
        if (hot) {
            edge(0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF);
        } else if ((look.focused || look.isDefault) && look.showFocusRectangle) {
            edge(0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5);
        } else {
            cv.hline(2, w - 3, h - 2, blue(c.lightFace, -48));
            cv.hline(1, w - 2, h - 3, blue(c.lightFace, -32));
            cv.vline(w - 2, 2, h - 3, blue(c.lightFace, -36));
            cv.vline(w - 3, 2, h - 3, blue(c.lightFace, -24));
            cv.hline(2, w - 3, 1, blue(c.lightFace, 16));
            cv.hline(1, w - 2, 2, blue(c.lightFace, 10));
            cv.vline(1, 2, h - 3, blue(c.lightFace, -5));
            cv.vline(2, 2, h - 3, blue(c.lightFace, -10));
        }
        break;
    }
    case 4: {
        const QRect inside = r.adjusted(1, 1, -1, -1);
        if (pressed) {
            cv.fill(inside, plus(c.shadow, -16));
            cv.frame(inside, plus(c.shadow, -32));
            cv.frame(inside.adjusted(1, 1, -1, -1), plus(c.shadow, -24));
        } else {
            cv.fill(inside, c.light);
            if (!disabled) {
                cv.hline(2, w - 3, 1, c.highlight);
                cv.vline(1, 2, h - 3, c.highlight);
                cv.hline(2, w - 3, h - 2, c.face);
                cv.vline(w - 2, 2, h - 3, c.face);
            }
        }
        cv.frame(r, c.darkShadow);
        for (const QPoint& p :
             {QPoint(1, 1), QPoint(1, h - 2), QPoint(w - 2, 1), QPoint(w - 2, h - 2)})
            cv.pset(p.x(), p.y(), c.darkShadow);
        break;
    }
    case 5:
        if (disabled) {
            cv.frame(r, c.shadow);
            cap.style = CaptionStyle::Plain;
            cap.colour = c.shadow;
        } else if (pressed) {
            cv.fill(r, plus(c.shadow, 16));
            cv.frame(QRect(0, 0, w - 1, h - 1), plus(c.shadow, -26));
            cv.hline(1, w - 1, h - 1, c.highlight);
            cv.vline(w - 1, 1, h - 1, c.highlight);
        } else {
            const QRect lower(1, 1, w - 1, h - 1);
            cv.fill(lower, plus(c.face, 12));
            cv.frame(lower, c.highlight);
            cv.frame(QRect(0, 0, w - 1, h - 1), plus(c.shadow, -26));
            cv.pset(1, h - 2, plus(c.shadow, 26));
            cv.pset(w - 2, 1, plus(c.shadow, 26));
        }
        break;
    case 6: {
        const quint32 lit = plus(c.light, 8);
        const quint32 tl = pressed ? c.shadow : lit;
        const quint32 br = pressed ? lit : c.shadow;
        cv.bevel(r, tl, br);
        cv.bevel(r.adjusted(1, 1, -1, -1), tl, br);
        if (disabled) {
            cap.style = CaptionStyle::Plain;
            cap.colour = c.shadow;
        }
        break;
    }
    case 7:
        if (pressed)
            cv.bevel(r, c.shadow, c.highlight);
        else
            cv.bevel(r, c.highlight, c.shadow);
        break;
    case 8:
        if (pressed)
            cv.bevel(r, c.shadow, c.highlight);
        else if (hot)
            cv.bevel(r, c.highlight, c.shadow);
        break;
    case 9:
        if (disabled) {
            cap.style = CaptionStyle::Plain;
            cap.colour = c.shadow;
        } else if (pressed) {
            const quint32 fill = look.colors.scheme == 2
                                     ? plus(c.selectionLight, -32)
                                     : buttonXPColors::lighten(c.selection, 128);
            cv.fill(r, fill);
            cv.frame(r, c.selection);
        } else if (hot) {
            cv.fill(r, c.selectionLight);
            cv.frame(r, c.selection);
        }
        break;
    case 10:
        cap.style = CaptionStyle::None;
        break;
    case 11:
        if (!look.background.isNull())
            painter.drawPixmap(0, 0, look.background);
        break;
    case 12:
        if (pressed)
            cv.twoTone(r, c.darkShadow, c.highlight, c.shadow, c.light);
        else if (hot)
            cv.twoTone(r, c.highlight, c.darkShadow, c.light, c.shadow);
        break;
    case 13:
        if (disabled) {
            painter.setPen(qc(c.face));
            painter.setBrush(qc(c.face));
        } else if (pressed) {
            painter.setPen(qc(c.darkShadow));
            painter.setBrush(qc(plus(c.face, -32)));
        } else {
            painter.setPen(qc(hot ? c.shadow : c.face));
            painter.setBrush(qc(c.face));
        }
        painter.drawEllipse(QRect(0, 0, w - 1, h - 1));
        break;
    case 14:
        if (pressed) {
            cv.fill(r, plus(c.face, -9));
            cv.frame(r, plus(c.shadow, -48));
            cv.hline(2, w - 3, h - 3, c.highlight);
            cv.vline(w - 3, 2, h - 3, c.highlight);
            cap.style = CaptionStyle::Engraved;
            cap.engrave = c.highlight;
            cap.colour = c.darkShadow;
        } else {
            if (hot) {
                cv.fill(r, c.light);
            } else {
                for (int y = 0; y < h; ++y)
                    cv.hline(0, w - 1, y, plus(c.highlight, -int(std::lround(58.0 * y / h))));
            }
            cv.frame(r, plus(c.shadow, -50));
            cv.frame(r.adjusted(1, 1, -1, -1), plus(c.face, -9));
            cv.hline(2, w - 3, 2, c.highlight);
            cv.vline(2, 2, h - 3, c.highlight);
            if (disabled) {
                cap.engrave = c.highlight;
                cap.colour = c.face;
            }
        }
        break;
    case 2:
    default: {
        const bool asDefault = look.isDefault && look.showFocusRectangle && !disabled;
        if (pressed && asDefault) {
            cv.frame(r, c.darkShadow);
            cv.frame(r.adjusted(1, 1, -1, -1), c.shadow);
        } else if (pressed) {
            cv.twoTone(r, c.darkShadow, c.highlight, c.shadow, c.light);
        } else if (asDefault) {
            cv.frame(r, c.darkShadow);
            cv.twoTone(r.adjusted(1, 1, -1, -1), c.highlight, c.darkShadow, c.light, c.shadow);
        } else {
            cv.twoTone(r, c.highlight, c.darkShadow, c.light, c.shadow);
        }
        break;
    }
    }

    return cap;
}

} // namespace

buttonXPColors::ColorSet drawingColors(const ButtonLook& look) {
    buttonXPColors::ColorInputs in = look.colors;
    if (in.scheme == 2 && look.hot)
        in.backColor = in.backOver;
    return buttonXPColors::derive(in);
}

QRect captionRect(QSize size, const ButtonLook& look) {
    const qint16 type = look.colors.buttonType;
    const QRect inner = buttonXPRules::innerRect(type, size);
    const QPixmap& picture = look.pictureNormal;
    const bool blank = look.caption.trimmed().isEmpty() || type == 10;
    const QRect room =
        buttonXPRules::captionRoom(inner, picture.size(), look.picturePosition, blank);
    const QFontMetrics metrics(captionFont(look, type));
    const QSize measured =
        blank ? QSize() : metrics.boundingRect(room, kTextFlags, look.caption).size();
    const bool shift = look.pressed && look.enabled && type != 5;
    return buttonXPRules::layoutCaption(inner, measured, picture.size(), look.picturePosition,
                                        blank, shift)
        .caption;
}

void paint(QPainter& painter, QSize size, const ButtonLook& look) {
    const int w = size.width();
    const int h = size.height();
    if (w <= 0 || h <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    Canvas cv(painter, w, h);
    const ColorSet c = drawingColors(look);
    const qint16 type = look.colors.buttonType;
    const bool soft = look.colors.softBevel;
    const auto plus = [soft](quint32 colour, int n) {
        return buttonXPColors::add(colour, n, soft, false);
    };
    const bool disabled = !look.enabled;
    const bool pressed = !disabled && look.pressed;
    const bool hot = !disabled && look.hot;

    cv.fill(cv.all(), c.face);

    const CaptionPaint cap = drawFace(painter, cv, look, c, pressed, hot);

    // The caption.
    const QFont font = captionFont(look, type);
    painter.setFont(font);
    const QRect capRect = captionRect(size, look);
    const auto text = [&](const QRect& at, quint32 colour) {
        painter.setPen(qc(colour));
        painter.drawText(at, kTextFlags, look.caption);
    };
    if (cap.style != CaptionStyle::None && !look.caption.isEmpty()) {
        if (cap.style == CaptionStyle::Engraved) {
            text(capRect.translated(1, 1), cap.engrave);
            text(capRect, cap.colour);
        } else {
            if (!disabled) {
                switch (look.specialEffect) {
                case Raised:
                    text(capRect.translated(1, 1), plus(c.face, -40));
                    text(capRect.translated(-1, -1), plus(c.face, 40));
                    break;
                case Sunken:
                    text(capRect.translated(1, 1), plus(c.face, 40));
                    text(capRect.translated(-1, -1), plus(c.face, -40));
                    break;
                case Shadow:
                    text(capRect.translated(1, 1), plus(c.face, -40));
                    break;
                default:
                    break;
                }
            }
            text(capRect, cap.colour);
        }
    }

    // Focus: a dotted rectangle for the types that show it that way; type 5
    // frames its caption, type 3 did it with its edges above.
    if (look.focused && look.showFocusRectangle && !disabled) {
        if (showsFocusRectangle(type))
            cv.dotted(buttonXPRules::innerRect(type, size), c.text);
        else if (type == 5)
            cv.frame(capRect.adjusted(-2, -1, 2, 1), 0xCC9999);
    }

    // The picture.
    const QPixmap& chosen =
        look.hot && !look.pictureOver.isNull() ? look.pictureOver : look.pictureNormal;
    if (!chosen.isNull()) {
        const QRect inner = buttonXPRules::innerRect(type, size);
        const bool blank = look.caption.trimmed().isEmpty() || type == 10;
        const QSize measured = blank ? QSize() : capRect.size();
        const QPoint at =
            buttonXPRules::layoutCaption(inner, measured, look.pictureNormal.size(),
                                         look.picturePosition, blank, pressed && type != 5)
                .picture;
        const QImage img = maskedPicture(look, c, pressed, type);
        if (disabled) {
            painter.drawImage(at + QPoint(1, 1), silhouette(img, c.highlight));
            painter.drawImage(at, silhouette(img, c.shadow));
        } else {
            painter.drawImage(at, img);
        }
    }
    painter.restore();
}

} // namespace buttonXPPainter
