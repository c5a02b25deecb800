#pragma once

// The main window's lists and reading pane, as the tree and the feed
// documents fill and drive them.

#include "controls/ListMultiple.h"
#include "core/feed/NewsLists.h"

#include <QHash>
#include <QListWidget>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWidget>

class QWebEngineSettings;

// ListView1: the headline list in report view; rows keyed, with a small icon.
class HeadlineListView : public QTreeWidget, public HeadlineList {
    Q_OBJECT
public:
    enum Role { KeyRole = Qt::UserRole + 1, IconKeyRole };
    explicit HeadlineListView(QWidget* parent = nullptr);

    void clear() override;
    bool addRow(const QString& key, const QString& text, const QString& smallIcon) override;
    void setColumn2(const QString& text) override;

    // A dragged headline carries its address and title.
    static constexpr const char* kHeadlineMime = "application/x-quillfeed-headline";
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;

    // The drag shows the window's "dragPicture" when it has one.
    void startDrag(Qt::DropActions supportedActions) override;

    QString rowKey(int row) const;
    QString rowIconKey(int row) const;
    void setRowIcon(int row, const QString& smallIcon);

private:
    QHash<QString, QTreeWidgetItem*> m_keys;
    QTreeWidgetItem* m_last = nullptr;
};

// trvProjects: the channel tree; takes headlines from the list and text
// from other programs, and reports the drop with the node under it.
class ChannelTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit ChannelTreeView(QWidget* parent = nullptr);
    QTreeWidgetItem* dropHighlight() const { return m_highlight; }

signals:
    void headlineDropped(QTreeWidgetItem* node, const QString& address, const QString& title);
    void textDropped(QTreeWidgetItem* node, const QString& text);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void setHighlight(QTreeWidgetItem* node);
    QTreeWidgetItem* m_highlight = nullptr;
};

// ListView2: hidden, one description per headline row.
class DescriptionListView : public QListWidget, public DescriptionList {
    Q_OBJECT
public:
    using QListWidget::QListWidget;
    void clear() override { QListWidget::clear(); }
    void addRow(const QString& text) override { addItem(text); }
};

// brwRSS: the reading pane.
//
// Its browser engine starts with the first page the pane is asked to show.
// Starting it takes longer than building and showing the whole window, and
// holds more memory than the rest of the program; until then the pane is
// blank, as "about:blank" is, and a navigation to "about:blank" completes
// (loadFinished) once the pane has been painted. The members below that
// QWebEngineView also has stand in for its own while the pane is blank: the
// view's would start the engine with a plain page that lacks this pane's
// settings. (Those reached through a QWebEngineView pointer, as printing is,
// still do; the pane's first navigation then replaces that plain page.)
class ReadingPane : public QWebEngineView, public BrowserPane {
    Q_OBJECT
public:
    explicit ReadingPane(QWidget* parent = nullptr);
    // A path becomes a file address; anything else is taken as an address.
    void navigate(const QString& pathOrAddress) override;
    QString lastTarget() const { return m_last; }

    bool hasEngine() const { return m_engine; }
    // Starts the engine when it does not run yet.
    QWebEnginePage* page();
    void load(const QUrl& url);
    // While blank: "about:blank" once asked for, nothing before.
    QUrl url() const;
    QString title() const;
    // While blank there is no history to walk and nothing to stop; a reload
    // completes the blank page again.
    void back();
    void forward();
    void stop();
    void reload();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void startEngine();
    void keepFocusThroughEngineStart();
    void showBlank();
    void finishBlank();

    QString m_last;
    bool m_engine = false;
    bool m_blank = false;        // "about:blank" asked for while no engine runs
    bool m_blankPending = false; // its completion not reported yet
    bool m_painted = false;
};

// The pane's page: the generated channel page runs without scripts (feed
// text is written into it unescaped) but may show remote pictures and
// frames; web pages and headlines run with scripts. The channel page never
// navigates by itself: a refresh or redirect in a feed's text is refused,
// while the links the user follows still open.
class ReadingPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit ReadingPage(QObject* parent = nullptr);
    static bool isGeneratedPage(const QUrl& url);
    // Settings for the page about to load at url.
    static void applySettings(QWebEngineSettings* settings, const QUrl& url);
    // Navigations only a person starts (a click, an address, back, reload).
    static bool startedByUser(NavigationType type);
    int refusedNavigations() const { return m_refused; }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

private:
    QUrl m_pending;                  // target of the load the user started, until it ends
    bool m_showingGenerated = false; // the channel page is the document shown
    int m_refused = 0;
};
