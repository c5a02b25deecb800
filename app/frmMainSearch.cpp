// The main window's two search windows, opened from the header buttons
// "频道检索" (the channel tree) and "RSS标题检索" (the headline list).

#include "app/PaneWidgets.h"
#include "app/frmMain.h"
#include "dialogs/ItemOrder.h"
#include "dialogs/SearchWindow.h"

#include <QAction>
#include <QToolBar>

void frmMain::wireSearchWindows() {
    // The channel search walks the nodes in the order they were added.
    ItemOrder::track(trvProjects);
    for (QAction* action : lblHeader->actions()) {
        if (action->toolTip() == QStringLiteral("频道检索"))
            connect(action, &QAction::triggered, this, &frmMain::openChannelSearch);
        else if (action->toolTip() == QStringLiteral("RSS标题检索"))
            connect(action, &QAction::triggered, this, &frmMain::openHeadlineSearch);
    }
}

void frmMain::openChannelSearch() {
    if (!objForm1) {
        objForm1 = new Form1(trvProjects, this);
        objForm1->setAttribute(Qt::WA_DeleteOnClose);
    }
    objForm1->show();
    objForm1->raise();
    objForm1->activateWindow();
}

void frmMain::openHeadlineSearch() {
    if (objRSSCHA)
        return; // already open, and modal
    objRSSCHA = new RSSCHA(ListView1, this);
    objRSSCHA->setAttribute(Qt::WA_DeleteOnClose);
    objRSSCHA->setWindowModality(Qt::ApplicationModal);
    objRSSCHA->show();
}

void frmMain::closeSearchWindows() {
    // Closing runs each window's closing steps: the blinking stops and the
    // hit gets its colour back.
    if (objForm1)
        objForm1->close();
    if (objRSSCHA)
        objRSSCHA->close();
}
