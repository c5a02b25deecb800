#include "dialogs/PropertyDialog.h"

#include "app/MessageBoxes.h"
#include "controls/ButtonXP.h"
#include "controls/Twips.h"
#include "core/tree/modTypes.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {
using twip::px;
} // namespace

PropertyDialog::PropertyDialog(const Layout& layout, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint), m_kind(layout.kind) {
    setWindowTitle(layout.caption);
    setFixedSize(px(layout.widthTwips), px(layout.heightTwips));
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSizeF(8.25);
    setFont(tahoma);

    const bool hasAddress = layout.kind != propertyRules::EntryKind::Folder;
    auto* frame = new QGroupBox(layout.frameTitle, this);
    frame->setObjectName(QStringLiteral("fraProperties"));
    const int rows = hasAddress ? 2 : 1;
    frame->setGeometry(px(60), px(30), px(4965), px(300 + rows * 370));
    const auto addRow = [&](const QString& label, int row, bool visible) {
        auto* caption = new QLabel(label, frame);
        caption->setGeometry(px(120), px(240 + row * 370), px(layout.boxLeftTwips - 120), px(300));
        auto* box = new QLineEdit(frame);
        box->setGeometry(px(layout.boxLeftTwips), px(210 + row * 370),
                         px(4965 - layout.boxLeftTwips - 120), px(300));
        caption->setVisible(visible);
        box->setVisible(visible);
        return box;
    };
    txtName = addRow(layout.nameLabel, 0, true);
    if (hasAddress) {
        txtURL = addRow(layout.urlLabel, 1, true);
        txtUser = addRow(layout.userLabel, 2, false);
        txtPassword = addRow(layout.passwordLabel, 3, false);
    }
    ButtonXP1 = new ButtonXP(QStringLiteral("确  定  "), this);
    ButtonXP2 = new ButtonXP(QStringLiteral("取  消  "), this);
    ButtonXP1->setDialogLook();
    ButtonXP2->setDialogLook();
    const int buttonTop = frame->geometry().bottom() + 6;
    ButtonXP2->setGeometry(width() - px(975) - 8, buttonTop, px(975), px(375));
    ButtonXP1->setGeometry(ButtonXP2->x() - px(975) - 8, buttonTop, px(975), px(375));
    ButtonXP1->setDefault(true);
    connect(ButtonXP1, &QPushButton::clicked, this, &PropertyDialog::accept);
    connect(ButtonXP2, &QPushButton::clicked, this, &QDialog::reject);
}

void PropertyDialog::loadValues() {
    txtName->setText(strName);
    if (txtURL) {
        txtURL->setText(strURL);
        txtUser->setText(strUser);
        txtPassword->setText(strPassword);
    }
    blnCancel = true;
    m_loaded = true;
}

void PropertyDialog::showEvent(QShowEvent* event) {
    if (!m_loaded)
        loadValues();
    QDialog::showEvent(event);
}

void PropertyDialog::accept() {
    using modTypes::trimSpaces;
    txtName->setText(trimSpaces(txtName->text()));
    if (txtURL) {
        txtURL->setText(trimSpaces(txtURL->text()));
        txtUser->setText(trimSpaces(txtUser->text()));
        txtPassword->setText(trimSpaces(txtPassword->text()));
    }
    const QString warning =
        propertyRules::validate(m_kind, txtName->text(), txtURL ? txtURL->text() : QString());
    if (!warning.isEmpty()) {
        messageBoxes::warn(this, warning);
        return; // the dialog stays open with the input as it is
    }
    strName = txtName->text();
    if (txtURL) {
        strURL = propertyRules::storedAddress(txtURL->text());
        strUser = txtUser->text();
        strPassword = txtPassword->text();
    }
    blnCancel = false;
    QDialog::accept();
}

frmUpdateFolder::frmUpdateFolder(QWidget* parent)
    : PropertyDialog({propertyRules::EntryKind::Folder,
                      QStringLiteral("文件夹属性"),
                      5220,
                      1410,
                      QStringLiteral("属性设置"),
                      QStringLiteral("名称:"),
                      {},
                      {},
                      {},
                      720},
                     parent) {}

frmUpdateRSS::frmUpdateRSS(QWidget* parent)
    : PropertyDialog({propertyRules::EntryKind::Channel, QStringLiteral("RSS频道属性"), 5250, 1785,
                      QStringLiteral("属性设置"), QStringLiteral("RSS 名称:"),
                      QStringLiteral("RSS 地址:"), QStringLiteral("用户名称:"),
                      QStringLiteral("密        码:"), 1140},
                     parent) {}

frmUpdatePageWeb::frmUpdatePageWeb(QWidget* parent)
    : PropertyDialog({propertyRules::EntryKind::WebPage, QStringLiteral("Web 属性"), 5205, 1800,
                      QStringLiteral(" 属性设置 "), QStringLiteral("WEB 名称:"),
                      QStringLiteral("WEB 地址:"), QStringLiteral("用户名称:"),
                      QStringLiteral("密       码:"), 1140},
                     parent) {}
