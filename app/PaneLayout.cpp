#include "app/PaneLayout.h"

#include <algorithm>

PaneLayout layoutPanes(const PaneLayoutInput& in) {
    PaneLayout out;
    // The vertical splitter spans everything between the toolbars and the status line.
    const int vTop = in.tlbMainTop + in.tlbMainHeight + in.lblHeaderHeight;
    const int vLeft = 0;
    out.splVertical =
        QRect(vLeft, vTop, in.clientWidth - vLeft, in.clientHeight - vTop - in.statusHeight);

    const int hLeft = vLeft + in.spliterLeft + in.spliterPictureWidth;
    out.splHorizontal = QRect(hLeft, vTop, in.clientWidth - hLeft, out.splVertical.height());

    out.tree = QRect(vLeft, vTop, in.spliterLeft, out.splVertical.height());

    const int paneTop = vTop + in.spliterTop + in.spliterPictureHeight + in.toolbar1Height;
    const int paneLeft = hLeft;
    const int paneHeight = in.clientHeight - paneTop - in.statusHeight;
    const int listWidth = in.clientWidth - paneLeft;
    out.headlineList = QRect(hLeft, vTop, listWidth, in.spliterTop);
    out.readingPane = QRect(paneLeft, paneTop, listWidth, paneHeight);

    const int toolbarTop = in.tlbMainHeight + in.lblHeaderHeight + in.spliterTop + 100;
    out.toolbar1 = QRect(hLeft, toolbarTop, in.clientWidth - paneLeft, in.toolbar1Height);
    out.combo1Width = out.toolbar1.width() - 5030;

    out.summary = out.readingPane;
    out.label11Width = out.readingPane.width();

    out.status =
        QRect(vLeft, vTop + out.splVertical.height(), out.splVertical.width(), in.statusHeight);
    return out;
}

QSize snapWindowSize(int widthTwips, int heightTwips) {
    return QSize(widthTwips <= kMinWindowWidth ? kMinWindowWidth : widthTwips,
                 heightTwips <= kMinWindowHeight ? kMinWindowHeight : heightTwips);
}
