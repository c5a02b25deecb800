// Saves that fail are told to the user: the tree file and the channels' stored
// copies are written by the core, which reports each failure; the window shows
// it once the operation that saved has returned, so no dialog runs inside it.
// The tree and the feed documents stay in memory; the next save tries again.

#include "app/MessageBoxes.h"
#include "app/frmMain.h"

#include <QDir>
#include <QFileInfo>

void frmMain::watchSaveFailures() {
    saveFailures::setHook(this, [this](saveFailures::File file, const QString& path) {
        QMetaObject::invokeMethod(
            this, [this, file, path] { saveFailed(file, path); }, Qt::QueuedConnection);
    });
}

void frmMain::saveFailed(saveFailures::File file, const QString& path) {
    const QString what = file == saveFailures::File::Tree ? QStringLiteral("频道树文件无法保存")
                                                          : QStringLiteral("频道文件无法保存");
    const QString text = what + QStringLiteral(": ") + QFileInfo(path).fileName();
    setStatus(text);
    if (blnSaveFailureShown)
        return;
    blnSaveFailureShown = true;
    messageBoxes::warn(this, text + QStringLiteral("\n") + QDir::toNativeSeparators(path) +
                                 QStringLiteral("\n\n更改仍保留在内存中，下次保存时会再试。"));
}
