#include "app/MessageBoxes.h"

#include <QMessageBox>

namespace messageBoxes {

namespace {
Responder& responder() {
    static Responder r;
    return r;
}
} // namespace

void setResponder(Responder r) {
    responder() = std::move(r);
}

void warn(QWidget* parent, const QString& text) {
    if (responder()) {
        responder()(Kind::Warning, text);
        return;
    }
    QMessageBox::warning(parent, kTitle, text, QMessageBox::Ok);
}

bool askYesNo(QWidget* parent, const QString& text) {
    if (responder())
        return responder()(Kind::YesNoWarning, text);
    return QMessageBox::warning(parent, kTitle, text, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

} // namespace messageBoxes
