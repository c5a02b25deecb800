// The main window: start-up, tree view fill, status line, the frame's
// controls, and a second instance.

#include "app/PaneWidgets.h"
#include "app/frmMain.h"
#include "controls/InfoHeader.h"
#include "controls/SpliterBar.h"
#include "core/tree/clsItem.h"
#include "core/tree/modTypes.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

struct Window {
    testsupport::ProgramDir dir;
    std::unique_ptr<frmMain> window;

    explicit Window(const QByteArray& treeFile = QByteArray()) {
        if (!treeFile.isNull())
            testsupport::writeFile(dir.file(QStringLiteral("Data/KestrixRSS.xml")), treeFile);
        window = std::make_unique<frmMain>();
        window->formLoad();
    }
    ~Window() { window.reset(); }
};

bool anyMessageBox() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox*>(w) && w->isVisible())
            return true;
    return false;
}

} // namespace

TEST(MainWindowStartUp, NoTreeFile) {
    Window w;
    EXPECT_EQ(w.window->windowTitle(), QStringLiteral("Kestrix RSS"));
    EXPECT_EQ(w.window->trvProjects->topLevelItemCount(), 0);
    EXPECT_EQ(w.window->brwRSS->lastTarget(), QStringLiteral("about:blank"));
    EXPECT_EQ(w.window->lblStatus->Caption(), QStringLiteral("  准备状态 ..."));
    EXPECT_EQ(w.window->lblStatus->Caption().size(), 10);
    EXPECT_TRUE(w.window->isVisible());
    EXPECT_TRUE(w.window->actUpdateSettings->isEnabled());
    EXPECT_TRUE(w.window->tmrMergeRSS.isActive());
    EXPECT_FALSE(w.window->Timer1.isActive());
    EXPECT_EQ(w.window->Combo1->count(), 1);
    EXPECT_FALSE(w.window->Label1->isVisible());
    EXPECT_FALSE(w.window->ListView2->isVisible());
}

TEST(MainWindowStartUp, FolderWithChannelGetsImagesAndColours) {
    Window w("<NewsProject><folder><title>新闻</title><items>"
             "<rss><title>频道</title><url>http://x/rss</url></rss>"
             "<webPage><title>网页</title><url>http://x/</url></webPage>"
             "</items></folder></NewsProject>");
    ASSERT_EQ(w.window->trvProjects->topLevelItemCount(), 1);
    const QTreeWidgetItem* folder = w.window->trvProjects->topLevelItem(0);
    EXPECT_EQ(folder->text(0), QStringLiteral("新闻"));
    EXPECT_EQ(folder->data(0, frmMain::NodeImageRole).toInt(), 4);
    EXPECT_EQ(folder->foreground(0).color(), QColor(0, 0, 255));
    const QTreeWidgetItem* channel = folder->child(0);
    EXPECT_EQ(channel->text(0), QStringLiteral("频道"));
    EXPECT_EQ(channel->data(0, frmMain::NodeImageRole).toInt(), 3);
    EXPECT_NE(channel->foreground(0).color(), QColor(0, 0, 255));
    const QTreeWidgetItem* page = folder->child(1);
    EXPECT_EQ(page->data(0, frmMain::NodeImageRole).toInt(), 6);
    EXPECT_EQ(page->foreground(0).color(), QColor(0, 0, 0));
    EXPECT_EQ(channel->data(0, frmMain::NodeKeyRole).toString(),
              w.window->project()->objColItems.Item(1)->objColItems.Item(1)->strKey);
}

TEST(MainWindowStartUp, MalformedTreeFileGivesAnEmptyTreeQuietly) {
    Window w("<NewsProject><folder><title>broken</title>");
    EXPECT_EQ(w.window->trvProjects->topLevelItemCount(), 0);
    EXPECT_FALSE(anyMessageBox());
}

TEST(MainWindowFrame, SplitterDragsAndDoubleClicksRelayTheLayout) {
    Window w;
    w.window->resize(1000, 700);
    QApplication::processEvents();
    SpliterVertical* bar = w.window->splVertical;
    QSignalSpy moved(bar, &SpliterBar::SpliterMoved);
    QWidget* handle = bar->bar();
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(2, 50));
    QMouseEvent far(QEvent::MouseMove, QPointF(-2000, 50), handle->mapToGlobal(QPointF(-2000, 50)),
                    Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &far);
    EXPECT_TRUE(bar->isGhostVisible());
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(-2000, 50));
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(bar->SpliterLeft(), bar->Minimo()); // stopped at the left limit
    EXPECT_EQ(w.window->trvProjects->width(), bar->Minimo() / 15);
    EXPECT_FALSE(bar->isGhostVisible());

    QTest::mouseDClick(bar->bar(), Qt::LeftButton, {}, QPoint(2, 50));
    EXPECT_EQ(bar->SpliterLeft(), bar->Width() - bar->Minimo()); // within 60 of Minimo: far end
    QTest::mouseDClick(bar->bar(), Qt::LeftButton, {}, QPoint(2, 50));
    EXPECT_EQ(bar->SpliterLeft(), 3615);
    EXPECT_EQ(moved.size(), 3);

    // A right-button press neither shows nor moves the ghost.
    QTest::mousePress(bar->bar(), Qt::RightButton, {}, QPoint(2, 50));
    EXPECT_FALSE(bar->isGhostVisible());
    QTest::mouseRelease(bar->bar(), Qt::RightButton, {}, QPoint(2, 50));
    EXPECT_EQ(moved.size(), 3);
}

TEST(MainWindowFrame, StatusHeaderProperties) {
    InfoHeader header;
    header.setMaxFill(150);
    EXPECT_EQ(header.MaxFill(), 100);
    header.setMultiLine(true);
    header.setCaption(QStringLiteral("one|two"));
    EXPECT_EQ(header.Caption(), QStringLiteral("one\r\ntwo"));
    header.setMultiLine(false);
    EXPECT_EQ(header.Caption(), QStringLiteral("one|two"));
    header.setAlignment(InfoHeader::UnderIcon);
    header.setHasIcon(false);
    EXPECT_EQ(header.Alignment(), InfoHeader::Left);
    header.setAlignment(InfoHeader::UnderIcon);
    EXPECT_EQ(header.Alignment(), InfoHeader::Left);
}

TEST(MainWindowProcess, SecondInstanceEndsAtOnce) {
    const QString binary = QStringLiteral(QF_PROGRAM);
    ASSERT_TRUE(QFile::exists(binary));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QString lock = QFileInfo(binary).absolutePath() + QStringLiteral("/quillfeed.lock");
    QFile::remove(lock); // a lock left by a killed earlier run must not be taken for this one
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(binary, {});
    ASSERT_TRUE(first.waitForStarted());
    const auto lockHolder = [&lock] {
        qint64 pid = 0;
        QString host, app;
        return QLockFile(lock).getLockInfo(&pid, &host, &app) ? pid : 0;
    };
    QElapsedTimer clock;
    clock.start();
    while (lockHolder() != first.processId() && clock.elapsed() < 30000)
        QTest::qWait(50);
    ASSERT_EQ(lockHolder(), first.processId());

    QProcess second;
    second.setProcessEnvironment(env);
    clock.restart();
    second.start(binary, {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

TEST(MainWindowFrame, MinimizingWithoutANotificationAreaKeepsTheWindowReachable) {
    if (QSystemTrayIcon::isSystemTrayAvailable())
        GTEST_SKIP() << "this desktop has a notification area";
    Window w;
    w.window->showMinimized();
    QApplication::processEvents();
    EXPECT_TRUE(w.window->isVisible()); // minimized on the taskbar, not hidden
}
