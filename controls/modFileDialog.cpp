#include "controls/modFileDialog.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

namespace modFileDialog {

namespace {

// Only the last choice is kept: the next dialog starts from it.
QString& lastChoice() {
    static QString choice;
    return choice;
}

// Moves the dialog to the middle of its owner or of the screen when it is
// first shown, then lets it be.
class CentreOnFirstShow : public QObject {
public:
    CentreOnFirstShow(QWidget* owner, bool overOwner) : m_owner(owner), m_overOwner(overOwner) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto* dialog = static_cast<QWidget*>(watched);
        dialog->removeEventFilter(this);
        QRect area;
        if (m_overOwner && m_owner)
            area = m_owner->window()->frameGeometry();
        else if (QScreen* screen = m_owner ? m_owner->screen() : QGuiApplication::primaryScreen())
            area = screen->geometry();
        if (area.isValid())
            dialog->move(centredTopLeft(area, dialog->frameGeometry().size()));
        return false;
    }

private:
    QWidget* m_owner;
    bool m_overOwner;
};

} // namespace

QPoint centredTopLeft(const QRect& area, const QSize& size) {
    return QPoint(area.left() + (area.width() - size.width()) / 2,
                  area.top() + (area.height() - size.height()) / 2);
}

OpenFileResult resultFor(const QStringList& paths) {
    OpenFileResult result;
    if (paths.isEmpty())
        return result;
    result.Cancelled = false;
    QString folder = QFileInfo(paths.first()).absolutePath();
    for (const QString& path : paths)
        result.FileNames.append(QFileInfo(path).fileName());
    result.FileCount = qint16(qMin<qsizetype>(paths.size(), 32767));
    if (paths.size() == 1) {
        if (!folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('/');
    } else if (folder.size() > 1 && folder.endsWith(QLatin1Char('/'))) {
        folder.chop(1);
    }
    result.Folder = folder;
    return result;
}

QString previousChoice() {
    return lastChoice();
}

OpenFileResult ShowOpenFile(QWidget* owner, bool blnCenterOwner) {
    // Qt's own dialog, so that it can be placed like any other window.
    QFileDialog dialog(owner, kTitle);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontResolveSymlinks);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    const QString previous = lastChoice();
    if (!previous.isEmpty()) {
        if (QFileInfo(previous).isDir())
            dialog.setDirectory(previous);
        else
            dialog.selectFile(previous);
    }
    CentreOnFirstShow centre(owner, blnCenterOwner);
    dialog.installEventFilter(&centre);
    if (dialog.exec() != QDialog::Accepted)
        return OpenFileResult();
    const OpenFileResult result = resultFor(dialog.selectedFiles());
    if (!result.Cancelled)
        lastChoice() =
            result.FileCount == 1 ? result.Folder + result.FileNames.first() : result.Folder;
    return result;
}

} // namespace modFileDialog
