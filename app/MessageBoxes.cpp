#include "app/MessageBoxes.h"

#include <QMessageBox>

namespace messageBoxes {

namespace {
Responder& responder() {
    static Responder r;
    return r;
}
QString& shownTitle() {
    static QString title;
    return title;
}
} // namespace

void setResponder(Responder r) {
    responder() = std::move(r);
}

void warn(QWidget* parent, const QString& text) {
    show(parent, Kind::Warning, text);
}

bool askYesNo(QWidget* parent, const QString& text) {
    shownTitle() = kTitle;
    if (responder())
        return responder()(Kind::YesNoWarning, text);
    return QMessageBox::warning(parent, kTitle, text, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

void show(QWidget* parent, Kind kind, const QString& text, const QString& title) {
    shownTitle() = title;
    if (responder()) {
        responder()(kind, text);
        return;
    }
    const QMessageBox::Icon icon = kind == Kind::Information ? QMessageBox::Information
                                   : kind == Kind::Plain     ? QMessageBox::NoIcon
                                                             : QMessageBox::Warning;
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

QString lastTitle() {
    return shownTitle();
}

} // namespace messageBoxes
