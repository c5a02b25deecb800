#pragma once

// The main window: it owns the channel tree for the life of the process.

#include "app/UpdateScheduler.h"
#include "core/tree/SaveFailures.h"
#include "core/tree/clsProject.h"

#include <QDateTime>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <memory>

class CTooltip;
class Form1;
class RSSCHA;
class DescriptionListView;
class ChannelTreeView;
class HeadlineListView;
class PropertyDialog;
class InfoHeader;
class ListMultiple;
class PanePrinting;
class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class ReadingPane;
class SpliterHorizontal;
class SpliterVertical;
class clsSysTray;
class colItems;
class clsItem;
class Form2;
class frmAlert;
class frmXML;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    // Tree node data: the entry's tree key and the node's image number.
    enum NodeRole { NodeKeyRole = Qt::UserRole + 1, NodeImageRole };
    // A tree node's entry key; empty for no node.
    static QString nodeKey(const QTreeWidgetItem* node);

    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The load event: initialisation, tree file, window shown.
    void formLoad();

    // Public state shared with the scheduler: the rules keep them.
    UpdateScheduler objScheduler;
    qint32& timenew = objScheduler.timenew;
    bool& upnew = objScheduler.upnew;

    void rssload();
    void loadTree();
    void saveTree();
    void fillTree(QTreeWidgetItem* parent, const colItems& items);
    QTreeWidgetItem* addTreeNode(QTreeWidgetItem* parent, const QString& key, const QString& text,
                                 int image);
    void setStatus(const QString& text);
    void enableMergeTimer(bool on);
    void layoutPanes();

    clsProject* project() const { return objProject.get(); }

    // The search windows "检索" and "RSS频道检索" (frmMainSearch.cpp).
    void wireSearchWindows();  // the header buttons open them
    void openChannelSearch();  // not modal; shown again if already open
    void openHeadlineSearch(); // modal, owned by this window
    void closeSearchWindows(); // runs their closing steps
    QPointer<Form1> objForm1;
    QPointer<RSSCHA> objRSSCHA;

    // The channel tree pane.
    void showEntry(const QString& key, const QString& caption);
    void openInPane(const QString& key, const QString& caption);
    void editSelected();
    bool editFolder(clsItem& entry);
    bool editChannel(clsItem& entry);
    bool editWebPage(clsItem& entry);
    void newTopFolder();
    void newSubFolder();
    void newChannel();
    void newWebPage();
    void deleteSelected();
    void dropHeadline(QTreeWidgetItem* node, const QString& address, const QString& title,
                      const QString& targetKey);
    void dropText(QTreeWidgetItem* node, const QString& text, const QString& targetKey);
    // Text dragged in from another program and dropped on a node.
    void oleDragDrop(QTreeWidgetItem* node, const QString& text);
    QTreeWidgetItem* addTreeNodeByKey(const QString& parentKey, const QString& key,
                                      const QString& text, int image);
    void refreshCaptions();
    void afterNavigate(const QString& address);
    QTreeWidgetItem* nodeByKey(const QString& key) const;
    QAction* command(const char* name) const;
    bool offersClipboard() const { return blnOfferClipboard; }
    QString treeFilePath() const;
    // Clipboard text that starts with "HTTP" (any case), offered as an address.
    static bool clipboardOffersAddress(QString* text);

    // Controls.
    QWidget* client;
    QToolBar* tlbMain;
    QToolBar* lblHeader;
    QComboBox* Combo2;
    ChannelTreeView* trvProjects;
    HeadlineListView* ListView1;
    DescriptionListView* ListView2;
    QListWidget* List1;
    QToolBar* Toolbar1;
    QComboBox* Combo1;
    ReadingPane* brwRSS;
    QWidget* Label1;
    QLabel* Label11;
    ListMultiple* lsmRSS;
    InfoHeader* lblStatus;
    SpliterVertical* splVertical;
    SpliterHorizontal* splHorizontal;
    QTimer Timer1;
    QTimer tmrMergeRSS;
    QTimer Timer2;
    QMenu* mnuSysTray;
    QMenu* mnuProject;
    QMenu* pdgengxina;
    QAction* actUpdateSettings; // the header button "频道更新设置"
    QAction* actSummaryTips;

    // OPML group import (app/frmMainOpml.cpp).
    // "新建OPML群组": offers an address from the clipboard and shows frmXML.
    void showOpmlImport();
    // A new top-level folder holding a channel for each checked row of the
    // open import dialog; the tree file is saved once. Closes the dialog.
    void newopml(const QString& opmltxt);
    // One channel at the end of the folder `opnode`, saved at once.
    void newopmlRSS(const QString& opnode, const QString& opkey, const QString& optxt);
    QPointer<frmXML> opmlDialog; // the import dialog while it is open

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolbars();
    void buildPanes();
    void initWindow();
    void exitProgram();
    void wireTreePane();
    void nodeClicked(QTreeWidgetItem* node);
    void treeMouseDown(Qt::MouseButton button, const QPoint& pos);
    bool editEntry(clsItem& entry, PropertyDialog& dialog, bool withAddress);
    void addNewEntry(qint32 kind, PropertyDialog& dialog);
    std::shared_ptr<clsItem> addDroppedPage(const QString& targetKey, const QString& title,
                                            const QString& address, bool* intoFolder);
    bool isFolderNode(const QTreeWidgetItem* node) const;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wireOpmlImport();
    QTreeWidgetItem* addOpmlChannel(QTreeWidgetItem* folderNode, const QString& folderKey,
                                    const QString& address, const QString& title);

    // Counts shown in the tree, with the local feed file's stamp they were read at.
    struct CaptionCount {
        QDateTime modified;
        qint64 size = -1;
        qint32 count = 0;
    };
    QHash<QString, CaptionCount> m_captionCounts;

    std::unique_ptr<clsProject> objProject;
    clsSysTray* objSysTray = nullptr;
    std::unique_ptr<CTooltip> objTooltip;
    bool blnLoadingTree = false;
    bool blnSummaryTips = true;
    QString strHomeKey, strHomeText;
    qint32 lngHoverRow = 0;
    bool blnOfferClipboard = false;
    QList<QPixmap> imlRSS1; // the tree's 16-pixel images

    // Failed saves of the tree file or of a channel's stored copy: the status
    // line names the file, the first failure of the run also shows a warning.
public:
    void saveFailed(saveFailures::File file, const QString& path);

private:
    void watchSaveFailures();
    bool blnSaveFailureShown = false;
    // --- The headline list and the reading pane (frmMainNews.cpp) ---
public:
    void selectRow(qint32 row);
    void previousHeadline();
    void nextHeadline();
    void headlineClicked(QTreeWidgetItem* row);
    void headlineDoubleClicked();
    // Pointer position in the list's viewport, in pixels.
    void headlineMouseMove(Qt::MouseButtons buttons, const QPoint& pos);
    void addressEntered();
    void addressChosen(int index);
    void historyChosen(int index);
    void togglePane(int which, bool pressed); // a newsRules::PaneToggle
    void goHome();
    void showPageProperties();
    // Reading-pane toolbar buttons by tip ("扩展页面" twice: n = 0 tree, 1 list).
    QAction* readingCommand(const QString& tip, int n = 0) const;
    QAction* headlineCommand(const QString& caption) const; // tlbMain "Back" / "Next"
    PanePrinting* printing() const { return m_printing; }
    const CTooltip* summaryTip() const { return objTooltip.get(); }
    bool summaryTipsOn() const { return blnSummaryTips; }
    qint32 hoverRow() const { return lngHoverRow; }

private:
    void wireNewsPane();
    void wireReadingPane(); // once brwRSS exists
    void recordHistory(const QString& title, const QString& address);
    void openHeadline(const QString& address);
    void showSummary(bool on);
    QString rowDescription(int row) const;
    PanePrinting* m_printing = nullptr;
    // --- end of the headline list and reading pane ---
    // ---- Update scheduler and its settings dialog (frmMainScheduler.cpp) ----
public:
    // Operations the settings dialog calls: a channel into the custom list,
    // out of it (row `num` of the list), and the update setting stored.
    void update(const QString& Title, const QString& urlkey);
    void update2(const QString& Title, const QString& urlkey, qint16 num);
    void update3(const QString& Title, const QString& urlkey, const QString& time);
    // Shows the settings dialog modally (the header button "频道更新设置").
    void showUpdateSettings();
    Form2* settingsDialog() const { return objForm2; }
    QAction* stopButton() const { return actStopUpdates; }
    // The shared pop-up; empty while none is shown.
    QPointer<frmAlert> objAlert;

private:
    class SchedulerHost;
    void wireScheduler();
    void fillSettingsTree();
    void fillSettingsLevel(QTreeWidgetItem* parent, const colItems& items);
    void announce(const QString& title);
    void syncScheduler();
    Form2* objForm2 = nullptr;
    QAction* actStopUpdates = nullptr;
    std::shared_ptr<SchedulerHost> m_schedulerHost;
};
