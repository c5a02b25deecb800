// Placing the panes, the minimum size and the hand-off to the tray.

#include "app/PaneLayout.h"
#include "app/PaneWidgets.h"
#include "app/frmMain.h"
#include "controls/InfoHeader.h"
#include "controls/SpliterBar.h"
#include "controls/clsSysTray.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QToolBar>
#include <QTreeWidget>

namespace {

constexpr int kTwips = 15;
QRect toPixels(const QRect& twips) {
    return QRect(twips.x() / kTwips, twips.y() / kTwips, std::max(0, twips.width() / kTwips),
                 std::max(0, twips.height() / kTwips));
}

} // namespace

void frmMain::layoutPanes() {
    if (isMinimized()) {
        if (objSysTray)
            objSysTray->MinToSysTray();
        return;
    }
    PaneLayoutInput in;
    in.clientWidth = client->width() * kTwips;
    in.clientHeight = client->height() * kTwips;
    in.spliterLeft = splVertical->SpliterLeft();
    in.spliterPictureWidth = splVertical->SpliterPictureWidth();
    in.spliterTop = splHorizontal->SpliterTop();
    in.spliterPictureHeight = splHorizontal->SpliterPictureHeight();
    const PaneLayout out = ::layoutPanes(in);

    tlbMain->setGeometry(0, in.tlbMainTop / kTwips, client->width(), in.tlbMainHeight / kTwips);
    lblHeader->setGeometry(0, (in.tlbMainTop + in.tlbMainHeight) / kTwips, client->width(),
                           in.lblHeaderHeight / kTwips);

    splVertical->move(out.splVertical.x(), out.splVertical.y());
    splVertical->Resize(out.splVertical.width(), out.splVertical.height());
    splVertical->bringToFront();
    splHorizontal->move(out.splHorizontal.x(), out.splHorizontal.y());
    splHorizontal->Resize(out.splHorizontal.width(), out.splHorizontal.height());
    splHorizontal->bringToFront();

    trvProjects->setGeometry(toPixels(out.tree));
    trvProjects->setVisible(out.tree.width() > 0);
    brwRSS->setGeometry(toPixels(out.readingPane));
    ListView1->setGeometry(toPixels(out.headlineList));
    ListView1->setVisible(out.headlineList.height() > 0);
    Toolbar1->setGeometry(toPixels(out.toolbar1));
    Combo1->resize(std::max(40, out.combo1Width / kTwips), Combo1->height());
    Label1->setGeometry(toPixels(out.summary));
    Label11->resize(out.label11Width / kTwips, Label11->height());
    lblStatus->setGeometry(toPixels(out.status));
    lblStatus->raise();
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!isMinimized())
        Combo2->resize(
            std::max(40, combo2Width(client->width() * kTwips, Combo2->x() * kTwips) / kTwips),
            Combo2->height());
    layoutPanes();
}

void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        layoutPanes();
}
