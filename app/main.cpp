#include "app/frmMain.h"
#include "core/tree/modTypes.h"

#include <QApplication>
#include <QLockFile>

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    // One instance at a time: a second one ends at once, silently.
    QLockFile lock(modTypes::programDir() + QStringLiteral("/quillfeed.lock"));
    if (!lock.tryLock(0))
        return 0;
    int result = 0;
    {
        frmMain window;
        window.formLoad();
        result = app.exec();
    }
    return result;
}
