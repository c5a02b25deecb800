#pragma once

// The file-open dialog: one or several files, or the fact that the user
// cancelled. The dialog opens centred over its owner (or on the screen) and
// shows the previous choice of the run as its initial file name.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class QWidget;

struct OpenFileResult {
    qint16 FileCount = 0;  // number of names; 0 when cancelled
    QStringList FileNames; // the chosen names without folder, in order
    QString Folder;        // one file: with a trailing "/"; several: without
    bool Cancelled = true;
};

namespace modFileDialog {

inline const QString kTitle = QStringLiteral("选择OPML文件");

// Shows the dialog modally over `owner`; `blnCenterOwner` centres it over the
// owner's window, otherwise on the owner's screen.
OpenFileResult ShowOpenFile(QWidget* owner, bool blnCenterOwner);

// The result for the chosen absolute paths (all in one folder).
OpenFileResult resultFor(const QStringList& paths);
// The top-left corner that centres a window of `size` in `area`.
QPoint centredTopLeft(const QRect& area, const QSize& size);
// What the next dialog shows as its initial file name: the file chosen last,
// or the folder when several were; empty before the first choice.
QString previousChoice();

} // namespace modFileDialog
