#pragma once

// The arithmetic of the splitter bars, in twips.

namespace splitterRules {

constexpr int kVerticalHome = 3615; // the tree pane's width at creation and after a double click

// Where the ghost goes for a drag candidate: below `minimo` to `minimo`,
// otherwise above `size - minimo` to `size - minimo`.
inline int clampCandidate(int candidate, int minimo, int size) {
    if (candidate < minimo)
        return minimo;
    if (candidate > size - minimo)
        return size - minimo;
    return candidate;
}

// True when the bar is more than 60 twips from `minimo`.
inline bool farFromMinimo(int position, int minimo) {
    return position - 60 > minimo || position + 60 < minimo;
}

// Double click on the horizontal bar: far from the upper limit it goes
// there, otherwise to the lower limit.
inline int horizontalDoubleClick(int position, int minimo, int height) {
    return farFromMinimo(position, minimo) ? minimo : height - minimo;
}

// Double click on the vertical bar: far from the left limit it goes home,
// otherwise to the right limit.
inline int verticalDoubleClick(int position, int minimo, int width) {
    return farFromMinimo(position, minimo) ? kVerticalHome : width - minimo;
}

// Bar sizes stay within 80..500.
inline int clampBarSize(int size) {
    return size < 80 ? 80 : (size > 500 ? 500 : size);
}

} // namespace splitterRules
