#include <QApplication>
#include <QMainWindow>
#include <QTreeWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kestrix RSS"));
    auto* tree = new QTreeWidget(&window);
    tree->setHeaderHidden(true);
    window.setCentralWidget(tree);
    window.resize(1000, 700);
    window.show();
    return app.exec();
}
