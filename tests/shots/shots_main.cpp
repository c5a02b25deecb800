// Screenshots of the pop-up and the search windows for a person to look at:
//   xvfb-run -a -s "-screen 0 1280x800x24" ./tests/gui_shots OUTPUT_DIR
// Not a test: it asserts nothing and is not run by ctest.

#include "app/PaneWidgets.h"
#include "app/frmMain.h"
#include "core/tree/modTypes.h"
#include "dialogs/SearchWindow.h"
#include "dialogs/frmAlert.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTest>

#include <cstdio>

namespace {

// The whole screen, and optionally a part of it twice as large.
void saveScreen(const QString& path, const QRect& zoom = QRect()) {
    QTest::qWait(400);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    std::printf("%s %s\n", qPrintable(path), shot.save(path) ? "saved" : "NOT SAVED");
    if (zoom.isValid()) {
        QString zoomed = path;
        zoomed.replace(QStringLiteral(".png"), QStringLiteral("_zoom.png"));
        shot.copy(zoom).scaled(zoom.size() * 2).save(zoomed);
    }
}

QRect bottomRight() {
    const QRect work = QGuiApplication::primaryScreen()->geometry();
    return QRect(work.right() - 260, work.bottom() - 200, 261, 201);
}

void alertShot(const QString& dir) {
    QPointer<frmAlert> alert = new frmAlert;
    alert->DisplayMessage(QStringLiteral("新浪科技 - 互联网新闻 (RSS 2.0 频道) 有 12 条新标题"), 4,
                          true, true, false);
    for (int n = 0; n < 50; ++n)
        alert->tick(); // faded in
    saveScreen(dir + QStringLiteral("/alert_fade.png"), bottomRight());
    delete alert;

    QPointer<frmAlert> click = new frmAlert;
    click->DisplayMessage(QStringLiteral("人民网"), 0, false, true, true);
    for (int n = 0; n < 40; ++n)
        click->tick(); // risen
    saveScreen(dir + QStringLiteral("/alert_slide_click_square.png"), bottomRight());
    delete click;
}

QAction* header(frmMain& window, const QString& tip) {
    for (QAction* action : window.lblHeader->actions())
        if (action->toolTip() == tip)
            return action;
    return nullptr;
}

// Both search windows over a main window with a small tree and headline
// list, each with a hit shown red (the blinking selection switched off).
void searchShots(const QString& dir) {
    QTemporaryDir program;
    for (const char* sub : {"Data", "RSS", "Images"})
        QDir(program.path()).mkpath(QString::fromLatin1(sub));
    QFile tree(program.filePath(QStringLiteral("Data/KestrixRSS.xml")));
    tree.open(QIODevice::WriteOnly);
    tree.write("<NewsProject><folder><title>新闻</title><items>"
               "<rss><title>新浪新闻</title><url>http://127.0.0.1:9/a</url></rss>"
               "<folder><title>科技</title><items>"
               "<rss><title>RSS 技术博客</title><url>http://127.0.0.1:9/b</url></rss>"
               "<rss><title>开源 RSS 周刊</title><url>http://127.0.0.1:9/c</url></rss>"
               "</items></folder></items></folder>"
               "<rss><title>人民网 RSS</title><url>http://127.0.0.1:9/d</url></rss>"
               "<webPage><title>首页</title><url>http://127.0.0.1:9/</url></webPage>"
               "</NewsProject>");
    tree.close();
    modTypes::setProgramDir(program.path());
    frmMain window;
    window.formLoad();
    window.trvProjects->expandAll();
    for (const char* title : {"RSS 2.0 规范发布", "今日要闻", "如何订阅 rss 频道", "天气预报"})
        window.ListView1->addRow(QString(), QString::fromUtf8(title), QStringLiteral("a"));

    header(window, QStringLiteral("频道检索"))->trigger();
    Form1* form = window.objForm1;
    form->txtName->setText(QStringLiteral("rss"));
    form->find();
    form->find();
    form->blink();
    form->Timer1.stop(); // hold the blinking with the hit unselected
    saveScreen(dir + QStringLiteral("/search_form1.png"));
    form->close();

    header(window, QStringLiteral("RSS标题检索"))->trigger();
    RSSCHA* rss = window.objRSSCHA;
    rss->txtName->setText(QStringLiteral("RSS"));
    rss->find();
    rss->find();
    rss->blink();
    rss->Timer1.stop();
    saveScreen(dir + QStringLiteral("/search_rsscha.png"));
    rss->close();
    QTest::qWait(100);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(dir);
    alertShot(dir);
    searchShots(dir);
    return 0;
}
