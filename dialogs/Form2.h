#pragma once

// The update settings dialog "频道更新设置": the channel tree, the custom
// update list, the search panel, the mode options and the interval. Created
// once by the main window and kept, hidden, for the whole run. Changes to the
// list are stored at once through the main window; the mode and the interval
// take effect on OK, and the dialog shows the scheduler's settings each time
// it opens.

#include "app/UpdateScheduler.h"
#include "dialogs/TextSearch.h"

#include <QDialog>
#include <QTimer>

class ButtonXP;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QStatusBar;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class frmMain;

class Form2 : public QDialog {
    Q_OBJECT
public:
    enum Role { KeyRole = Qt::UserRole + 1 };

    explicit Form2(frmMain* owner);

    // The scheduler's mode and interval shown in the options and the list.
    void showSettings(const UpdateScheduler& scheduler);
    UpdateScheduler::Mode chosenMode() const;

    // Rows of the custom list (1-based) and the tree's nodes in order.
    qint32 rowCount() const;
    QString rowKey(qint32 row) const;
    QTreeWidgetItem* row(qint32 index) const;
    void addRow(const QString& key, const QString& title);
    void removeRow(qint32 index);
    qint32 rowByKey(const QString& key) const;
    QList<QTreeWidgetItem*> treeNodes() const;
    // A node of the tree: folders blue with image 4, channels black with image 3.
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const QString& key, const QString& title,
                             bool folder, const QIcon& icon);
    void clearLists();

    // Control events, callable by tests.
    void addClicked();
    void removeClicked();
    void checkAll(bool checked);
    void deleteChecked();
    void dropOnList();
    void option2Clicked();
    void okClicked();
    void cancelClicked();
    void searchClicked();
    void closeSearchPanel();
    void scopeChosen();
    void blinkTick();

    QToolBar* lblHeader;
    QComboBox* Combo2;
    QGroupBox* Frame1;
    QTreeWidget* Tree;
    QGroupBox* Frame2;
    QTreeWidget* ListView1;
    ButtonXP* ButtonXP4; // 添加
    ButtonXP* ButtonXP3; // 移除
    ButtonXP* ButtonXP5; // 全选
    ButtonXP* ButtonXP9; // 全不选
    ButtonXP* ButtonXP6; // 删除
    QFrame* Picture1;    // the search panel
    QRadioButton* Option4;
    QRadioButton* Option5;
    QLineEdit* txtName;
    ButtonXP* ButtonXP7; // 查 寻
    ButtonXP* ButtonXP8; // 取 消 (the panel)
    QRadioButton* Option7;
    QRadioButton* Option6;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QRadioButton* Option3;
    ButtonXP* ButtonXP1; // 确 定
    ButtonXP* ButtonXP2; // 取 消
    QStatusBar* StatusBar1;
    QLabel* StatusPanel1;
    QTimer Timer1;

    TextSearch treeSearch; // lngTreeCursor, lngTreeHit
    TextSearch listSearch; // lngListCursor, lngListHit

private:
    void buildControls();
    void giveTreeHitColourBack();
    void giveListHitColourBack();
    bool isTopLevel(const QTreeWidgetItem* node) const;
    QColor kindColour(const QTreeWidgetItem* node) const;

    frmMain* m_owner;
};
