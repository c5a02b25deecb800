#pragma once

// Where the main window's panes go, in twips, from the client size, the fixed
// heights of the bars and the splitter positions.

#include <QRect>

struct PaneLayoutInput {
    int clientWidth = 0;
    int clientHeight = 0;
    int tlbMainTop = 0;
    int tlbMainHeight = 870;
    int lblHeaderHeight = 360;
    int toolbar1Height = 330;
    int statusHeight = 255;
    int spliterLeft = 3615;         // tree pane width
    int spliterPictureWidth = 90;   // vertical bar
    int spliterTop = 3000;          // headline list height
    int spliterPictureHeight = 100; // horizontal bar
};

struct PaneLayout {
    QRect splVertical;   // the vertical splitter's control area
    QRect splHorizontal; // the horizontal splitter's control area
    QRect tree;
    QRect headlineList;
    QRect toolbar1;
    QRect readingPane;
    QRect summary; // Label1, over the reading pane
    QRect status;
    int combo1Width = 0;
    int label11Width = 0;
};

PaneLayout layoutPanes(const PaneLayoutInput& in);

// The smallest window while not minimized: 11625 x 7860 twips.
constexpr int kMinWindowWidth = 11625;
constexpr int kMinWindowHeight = 7860;
QSize snapWindowSize(int widthTwips, int heightTwips);

// Combo2 stretches to the client's right edge.
inline int combo2Width(int clientWidth, int combo2Left) {
    return clientWidth - combo2Left - 20;
}
