#pragma once

// The three modal dialogs that edit one tree entry: the caller writes the
// public values, shows the dialog, and reads them back when blnCancel is false.

#include "dialogs/PropertyRules.h"

#include <QDialog>

class ButtonXP;
class QGroupBox;
class QLabel;
class QLineEdit;

class PropertyDialog : public QDialog {
    Q_OBJECT
public:
    QString strName;
    QString strURL;
    QString strUser;
    QString strPassword;
    bool blnCancel = true;

    QLineEdit* txtName;
    QLineEdit* txtURL = nullptr;      // not on the folder dialog
    QLineEdit* txtUser = nullptr;     // hidden rows
    QLineEdit* txtPassword = nullptr; // hidden rows
    ButtonXP* ButtonXP1;
    ButtonXP* ButtonXP2;

    // Loading: the public values go into the boxes and blnCancel becomes true.
    void loadValues();

protected:
    struct Layout {
        propertyRules::EntryKind kind;
        QString caption;
        int widthTwips, heightTwips;
        QString frameTitle;
        QString nameLabel, urlLabel, userLabel, passwordLabel;
        int boxLeftTwips;
    };
    PropertyDialog(const Layout& layout, QWidget* parent);
    void showEvent(QShowEvent* event) override;

private:
    void accept() override;

    propertyRules::EntryKind m_kind;
    bool m_loaded = false;
};

class frmUpdateFolder : public PropertyDialog {
    Q_OBJECT
public:
    explicit frmUpdateFolder(QWidget* parent = nullptr);
};

class frmUpdateRSS : public PropertyDialog {
    Q_OBJECT
public:
    explicit frmUpdateRSS(QWidget* parent = nullptr);
};

class frmUpdatePageWeb : public PropertyDialog {
    Q_OBJECT
public:
    explicit frmUpdatePageWeb(QWidget* parent = nullptr);
};
