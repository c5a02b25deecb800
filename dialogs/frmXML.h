#pragma once

// "建立OPML群组": page 1 asks for an OPML document (a local file or a web
// address), page 2 lists its feeds with check boxes and the title of the new
// folder. The main window creates the group when page 2 is confirmed.

#include "core/opml/OpmlReader.h"

#include <QDialog>

#include <memory>

class ButtonXP;
class QGroupBox;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;
class XmlDocument;

class frmXML : public QDialog {
    Q_OBJECT
public:
    explicit frmXML(QWidget* parent = nullptr);
    ~frmXML() override;

    // Row data: the channel's address.
    static constexpr int AddressRole = Qt::UserRole + 1;

    QStackedWidget* pages;
    // Page 1.
    QWidget* page1;
    QLabel* Label1;
    QLineEdit* opmltxt;
    ButtonXP* ButtonXP5; // choose a file
    ButtonXP* ButtonXP6; // load the path box
    ButtonXP* ButtonXP7; // cancel
    // Page 2.
    QWidget* page2;
    QGroupBox* Frame1;
    QLineEdit* Text1;
    QGroupBox* Frame2;
    QTreeWidget* ListView1;
    ButtonXP* ButtonXP1; // check all
    ButtonXP* ButtonXP2; // check none
    ButtonXP* ButtonXP3; // create the group
    ButtonXP* ButtonXP4; // cancel

    // The last load attempt was cancelled or failed.
    bool blnLoadFailed = false;

    // "选 择...": picks a file with the file-open dialog and loads it.
    void mnuFileOpen();
    // "确 定" on page 1 or Enter in the path box: loads the path box.
    void mnuFileOpenURL();
    // The checked rows, first to last.
    QList<opml::Row> checkedRows() const;
    bool showsRows() const;

signals:
    // "确 定" on page 2, with the text of the folder title box.
    void groupAccepted(const QString& title);

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildPage1();
    void buildPage2();
    void load(const QString& source, const QString& errorTitle);
    void afterLoad();
    void checkAll(bool checked);
    void rowClicked(QTreeWidgetItem* row);

    std::unique_ptr<XmlDocument> XMLDoc;
    opml::Outline m_outline;
    bool m_loading = false;
    bool m_closed = false;
    bool m_checkToggled = false;
    bool m_placed = false;
};
