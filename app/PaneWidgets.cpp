#include "app/PaneWidgets.h"

#include "app/Artwork.h"
#include "core/tree/clsItem.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QWebEngineSettings>

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QUrl>

namespace {

// The small icons of the headline rows, drawn once: a large channel has
// thousands of rows.
QIcon iconForKey(const QString& key) {
    // ImageList1 keys: "a" image 1, "d" 10, "b" 18, "e" 19, "c" 20.
    static const QHash<QString, int> images = {{QStringLiteral("a"), 1},
                                               {QStringLiteral("d"), 10},
                                               {QStringLiteral("b"), 18},
                                               {QStringLiteral("e"), 19},
                                               {QStringLiteral("c"), 20}};
    static QHash<QString, QIcon> icons;
    auto it = icons.find(key);
    if (it == icons.end())
        it = icons.insert(key,
                          QIcon(artwork::pixmap(artwork::imageList1(images.value(key, 0)), 16)));
    return *it;
}

} // namespace

HeadlineListView::HeadlineListView(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(2);
    setHeaderLabels({QStringLiteral("标题"), QStringLiteral("时间")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setStretchLastSection(false);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
}

void HeadlineListView::clear() {
    QTreeWidget::clear();
    m_keys.clear();
    m_last = nullptr;
}

bool HeadlineListView::addRow(const QString& key, const QString& text, const QString& smallIcon) {
    if (!key.isEmpty() && m_keys.contains(key))
        return false;
    auto* item = new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setData(0, KeyRole, key);
    item->setData(0, IconKeyRole, smallIcon);
    item->setIcon(0, iconForKey(smallIcon));
    if (!key.isEmpty())
        m_keys.insert(key, item);
    m_last = item;
    return true;
}

void HeadlineListView::setColumn2(const QString& text) {
    if (m_last)
        m_last->setText(1, text);
}

QStringList HeadlineListView::mimeTypes() const {
    return {QLatin1String(kHeadlineMime), QStringLiteral("text/plain")};
}

QMimeData* HeadlineListView::mimeData(const QList<QTreeWidgetItem*>& items) const {
    if (items.isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    const QString key = items.first()->data(0, KeyRole).toString();
    data->setData(QLatin1String(kHeadlineMime),
                  (key + QLatin1Char('\n') + items.first()->text(0)).toUtf8());
    data->setText(key);
    return data;
}

void HeadlineListView::startDrag(Qt::DropActions supportedActions) {
    QMimeData* data = mimeData(selectedItems());
    if (!data)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    const QPixmap picture = property("dragPicture").value<QPixmap>();
    if (!picture.isNull()) {
        drag->setPixmap(picture);
        drag->setHotSpot(QPoint(picture.width() / 2, picture.height() / 2));
    }
    drag->exec(supportedActions, Qt::CopyAction);
}

QString HeadlineListView::rowKey(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(0, KeyRole).toString() : QString();
}

QString HeadlineListView::rowIconKey(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(0, IconKeyRole).toString() : QString();
}

void HeadlineListView::setRowIcon(int row, const QString& smallIcon) {
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        item->setData(0, IconKeyRole, smallIcon);
        item->setIcon(0, iconForKey(smallIcon));
    }
}

// The engine's page and its settings; runs once, with the first page shown
// (ReadingPaneStart.cpp has the blank pane before it).
void ReadingPane::startEngine() {
    if (m_engine)
        return;
    m_engine = true;
    m_blankPending = false; // the engine's own navigation takes over
    keepFocusThroughEngineStart();
    setPage(new ReadingPage(this));
    // The generated page is code page 936 text and declares no charset.
    page()->settings()->setDefaultTextEncoding(QStringLiteral("GBK"));
}

void ReadingPane::navigate(const QString& pathOrAddress) {
    m_last = pathOrAddress;
    const QFileInfo file(pathOrAddress);
    const QUrl url = file.isAbsolute() && file.exists() ? QUrl::fromLocalFile(pathOrAddress)
                                                        : QUrl::fromUserInput(pathOrAddress);
    if (!m_engine && url == QUrl(QStringLiteral("about:blank"))) {
        showBlank();
        return;
    }
    startEngine();
    // Settings apply to the next load, so they are set before it starts.
    ReadingPage::applySettings(page()->settings(), url);
    load(url);
}

ReadingPage::ReadingPage(QObject* parent) : QWebEnginePage(parent) {
    connect(this, &QWebEnginePage::urlChanged, this,
            [this](const QUrl& url) { m_showingGenerated = isGeneratedPage(url); });
    connect(this, &QWebEnginePage::loadFinished, this, [this] {
        m_pending.clear();
        m_showingGenerated = isGeneratedPage(url());
    });
}

bool ReadingPage::isGeneratedPage(const QUrl& url) {
    return url.isLocalFile() && QFileInfo(url.toLocalFile()) == QFileInfo(clsItem::pagePath());
}

void ReadingPage::applySettings(QWebEngineSettings* settings, const QUrl& url) {
    const bool generated = isGeneratedPage(url);
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, !generated);
    // A local page may not reach remote addresses by default; the channel
    // page must, for the pictures and frames in its feed texts.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, generated);
}

bool ReadingPage::startedByUser(NavigationType type) {
    switch (type) {
    case NavigationTypeLinkClicked:
    case NavigationTypeTyped:
    case NavigationTypeFormSubmitted:
    case NavigationTypeBackForward:
    case NavigationTypeReload:
        return true;
    default: // redirects (meta refresh included) and anything else
        return false;
    }
}

bool ReadingPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    if (!isMainFrame)
        return true; // frames inside the page stay inside it
    if (!startedByUser(type)) {
        // A redirect of the user's own load goes on (a server moving a
        // headline's page); one that comes from the channel page does not.
        const bool fromChannelPage =
            m_pending.isEmpty() ? m_showingGenerated : isGeneratedPage(m_pending);
        if (fromChannelPage) {
            ++m_refused;
            return false;
        }
    } else {
        m_pending = url;
    }
    applySettings(settings(), url);
    return true;
}

ChannelTreeView::ChannelTreeView(QWidget* parent) : QTreeWidget(parent) {
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
}

void ChannelTreeView::setHighlight(QTreeWidgetItem* node) {
    if (m_highlight == node)
        return;
    if (m_highlight)
        m_highlight->setBackground(0, QBrush());
    m_highlight = node;
    if (m_highlight)
        m_highlight->setBackground(0, palette().brush(QPalette::Highlight).color().lighter(160));
}

void ChannelTreeView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(QLatin1String(HeadlineListView::kHeadlineMime)) ||
        event->mimeData()->hasText() || event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void ChannelTreeView::dragMoveEvent(QDragMoveEvent* event) {
    setHighlight(itemAt(event->position().toPoint()));
    event->acceptProposedAction();
}

void ChannelTreeView::dragLeaveEvent(QDragLeaveEvent*) {
    setHighlight(nullptr);
}

void ChannelTreeView::dropEvent(QDropEvent* event) {
    setHighlight(itemAt(event->position().toPoint()));
    QTreeWidgetItem* node = m_highlight;
    const QMimeData* data = event->mimeData();
    if (data->hasFormat(QLatin1String(HeadlineListView::kHeadlineMime))) {
        const QStringList parts =
            QString::fromUtf8(data->data(QLatin1String(HeadlineListView::kHeadlineMime)))
                .split(QLatin1Char('\n'));
        if (node)
            emit headlineDropped(node, parts.value(0), parts.value(1));
    } else {
        const QString text = data->hasText()   ? data->text()
                             : data->hasUrls() ? data->urls().value(0).toString()
                                               : QString();
        emit textDropped(node, text);
    }
    setHighlight(nullptr);
    event->acceptProposedAction();
}
