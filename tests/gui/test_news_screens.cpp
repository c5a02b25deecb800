// What the reading side looks like: the summary panel over the reading pane,
// the summary balloon over a headline, and full-screen reading. With
// QF_SCREENSHOT_DIR set (run under Xvfb), each state is saved as a PNG there.

#include "app/PaneWidgets.h"
#include "app/frmMain.h"
#include "controls/CTooltip.h"
#include "dialogs/PagePropertiesDialog.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

void save(const QPixmap& picture, const char* name) {
    const QString dir = qEnvironmentVariable("QF_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        picture.save(QDir(dir).filePath(QLatin1String(name)));
}

// The whole screen when there is one to grab (balloons are windows of their own).
QPixmap screen(QWidget* window) {
    const QPixmap all = QGuiApplication::primaryScreen()->grabWindow(0);
    return all.isNull() ? window->grab() : all;
}

} // namespace

TEST(NewsPaneScreens, SummaryBalloonAndFullScreen) {
    testsupport::ProgramDir sources;
    const QString feed = sources.file(QStringLiteral("news.xml"));
    QByteArray items;
    const char* titles[] = {"国内新闻：春运首日客流平稳", "科技：新型电池续航翻倍",
                            "体育：主队客场取胜", "财经：央行公布最新数据"};
    const char* descriptions[] = {"今天是春运第一天，各大车站秩序井然，旅客出行平稳有序。铁路部门加"
                                  "开列车，保障旅客顺利返乡。",
                                  "<p>研究团队发布了新的电池材料。</p>", "",
                                  "  央行今日公布了上月的金融统计数据，各项指标平稳。  "};
    for (int i = 0; i < 4; ++i)
        items += QByteArray("<item><title>") + titles[i] + "</title><link>http://news.example/" +
                 QByteArray::number(i) +
                 "</link><pubDate>2026-12-11</pubDate><description><![CDATA[" + descriptions[i] +
                 "]]></description></item>";
    testsupport::writeFile(feed,
                           "<rss><channel><title>新闻频道</title>" + items + "</channel></rss>");
    testsupport::ProgramDir dir;
    for (const char* name : {"newItem.bmp", "readItem.bmp"})
        QFile::copy(QStringLiteral(QF_RESOURCES "/Images/") + QLatin1String(name),
                    dir.file(QStringLiteral("Images/") + QLatin1String(name)));
    testsupport::writeFile(
        dir.file(QStringLiteral("Data/KestrixRSS.xml")),
        "<NewsProject><folder><title>新闻</title><items><rss><title>新闻频道</title><url>file://" +
            feed.toUtf8() + "</url></rss></items></folder></NewsProject>");
    auto window = std::make_unique<frmMain>();
    window->formLoad();
    window->tmrMergeRSS.stop();
    window->trvProjects->expandAll();
    QTreeWidgetItem* channel = window->trvProjects->topLevelItem(0)->child(0);
    window->trvProjects->setCurrentItem(channel);
    QSignalSpy loaded(window->brwRSS, &QWebEngineView::loadFinished);
    emit window->trvProjects->itemClicked(channel, 0);
    ASSERT_TRUE(loaded.wait(60000));
    QTest::qWait(800);
    HeadlineListView* list = window->ListView1;
    ASSERT_EQ(list->topLevelItemCount(), 4);

    // The summary panel lies exactly over the reading pane.
    const QPoint row0 = list->visualItemRect(list->topLevelItem(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row0);
    EXPECT_TRUE(window->Label1->isVisible());
    EXPECT_EQ(window->Label1->geometry(), window->brwRSS->geometry());
    EXPECT_EQ(window->Label11->width(), window->Label1->width());
    QTest::qWait(300);
    save(window->grab(), "summary-panel.png");

    // The balloon over the row under the pointer.
    const QPoint row3 = list->visualItemRect(list->topLevelItem(3)).center();
    QTest::mouseMove(list->viewport(), row3 + QPoint(0, 1));
    QTest::mouseMove(list->viewport(), row3);
    const CTooltip* tip = window->summaryTip();
    for (int i = 0; i < 40 && !tip->isVisible(); ++i)
        QTest::qWait(25);
    EXPECT_EQ(window->hoverRow(), 4);
    EXPECT_EQ(tip->TipText(),
              QStringLiteral("央行今日公布了上月的金融统计数据，各项指标平稳。\r\n..."));
    if (tip->isVisible()) {
        const QRect rowOnScreen(list->viewport()->mapToGlobal(row3), QSize(1, 1));
        EXPECT_LT(std::abs(tip->geometry().top() - rowOnScreen.top()), 60);
        QTest::qWait(200); // painted
        save(screen(window.get()), "summary-balloon.png");
    }

    // Full screen: the toolbars, Toolbar1, the reading pane and the status line.
    loaded.clear();
    window->readingCommand(QStringLiteral("频道首页/目录"))->trigger();
    ASSERT_TRUE(loaded.wait(60000));
    EXPECT_FALSE(window->Label1->isVisible());
    const int paneWidth = window->brwRSS->width();
    window->readingCommand(QStringLiteral("全屏幕显示"))->trigger();
    EXPECT_FALSE(window->trvProjects->isVisible());
    EXPECT_FALSE(list->isVisible());
    EXPECT_GT(window->brwRSS->width(), paneWidth);
    EXPECT_LT(window->Toolbar1->geometry().bottom(), window->brwRSS->geometry().top() + 2);
    QTest::qWait(800);
    save(window->grab(), "full-screen.png");

    // The page's properties over it.
    window->readingCommand(QStringLiteral("网页属性"))->trigger();
    PagePropertiesDialog* properties = nullptr;
    for (int i = 0; i < 400 && !properties; ++i) {
        QTest::qWait(25);
        properties = window->findChild<PagePropertiesDialog*>();
    }
    ASSERT_TRUE(properties);
    EXPECT_EQ(properties->lblTitle->text(), QStringLiteral("新闻频道"));
    QTest::qWait(200);
    save(screen(window.get()), "page-properties.png");
    properties->accept();
    window.reset(); // pages go before the application
}
