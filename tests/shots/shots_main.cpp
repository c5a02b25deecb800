// Screenshots of the pop-up and the search windows for a person to look at:
//   xvfb-run -a -s "-screen 0 1280x800x24" ./tests/gui_shots OUTPUT_DIR
// Not a test: it asserts nothing and is not run by ctest.

#include "dialogs/frmAlert.h"

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

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(dir);
    alertShot(dir);
    return 0;
}
