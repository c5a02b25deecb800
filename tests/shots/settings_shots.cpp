// Screenshots of the update settings dialog and of an announcement after an
// update of the selected channel, for a person to look at:
//   xvfb-run -a -s "-screen 0 1280x800x24" ./tests/settings_shots OUTPUT_DIR
// Not a test: it asserts nothing and is not run by ctest.

#include "app/frmMain.h"
#include "core/tree/modTypes.h"
#include "dialogs/Form2.h"
#include "dialogs/frmAlert.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <cstdio>

namespace {

void save(QWidget* window, const QString& path) {
    QTest::qWait(400);
    const QPixmap shot =
        QGuiApplication::primaryScreen()->grabWindow(0).copy(window->frameGeometry());
    std::printf("%s %s\n", qPrintable(path), shot.save(path) ? "saved" : "NOT SAVED");
}

void selectNode(Form2& f, const QString& title) {
    for (QTreeWidgetItem* n : f.treeNodes())
        if (n->text(0) == title) {
            f.Tree->setCurrentItem(n);
            n->setSelected(true);
        }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QTemporaryDir dir;
    for (const char* sub : {"Data", "RSS", "Images"})
        QDir(dir.path()).mkpath(QString::fromLatin1(sub));
    modTypes::setProgramDir(dir.path());
    QFile tree(dir.filePath(QStringLiteral("Data/KestrixRSS.xml")));
    tree.open(QIODevice::WriteOnly);
    tree.write(QStringLiteral("<NewsProject><folder><title>新闻</title><items>"
                              "<rss><title>新浪新闻</title><url>http://127.0.0.1:9/a</url></rss>"
                              "<rss><title>人民网 - 国际</title><url>http://127.0.0.1:9/b</url>"
                              "<newsup>11</newsup></rss>"
                              "<folder><title>科技</title><items>"
                              "<rss><title>RSS 2.0 技术</title><url>http://127.0.0.1:9/c</url>"
                              "<newsup>11</newsup><newstime>3 time</newstime></rss>"
                              "<rss><title>Slashdot</title><url>http://127.0.0.1:9/d</url></rss>"
                              "</items></folder></items></folder>"
                              "<rss><title>BBC 中文</title><url>http://127.0.0.1:9/e</url></rss>"
                              "</NewsProject>")
                   .toUtf8());
    tree.close();

    frmMain window;
    window.formLoad();
    Form2& f = *window.settingsDialog();
    f.Tree->expandAll();
    f.showSettings(window.objScheduler);
    f.show();
    selectNode(f, QStringLiteral("Slashdot"));
    f.StatusPanel1->setText(QStringLiteral("人民网 - 国际"));
    save(&f, out + QStringLiteral("/form2.png"));

    // The search panel open, a hit painted red.
    f.Picture1->show();
    f.txtName->setText(QStringLiteral("rss"));
    f.searchClicked();
    f.row(1)->setCheckState(0, Qt::Checked);
    save(&f, out + QStringLiteral("/form2_search.png"));
    f.hide();
    return 0;
}
