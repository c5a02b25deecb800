#pragma once

// Window layouts are given in twips: 15 to a pixel at 96 dots per inch.

#include <QRect>

namespace twip {

constexpr int kPerPixel = 15;

constexpr int px(int twips) {
    return twips / kPerPixel;
}

inline QRect rect(int x, int y, int w, int h) {
    return QRect(px(x), px(y), px(w), px(h));
}

} // namespace twip
