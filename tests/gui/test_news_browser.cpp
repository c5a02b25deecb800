// The reading pane under the real browser: headlines served over HTTP are
// opened and marked read in the stored copy; the channel page shows remote
// pictures but runs no feed script and follows no refresh; a javascript:
// headline runs nothing; printing, preview and page properties work without
// a printer; the navigation buttons.

#include "app/PanePrinting.h"
#include "app/PaneWidgets.h"
#include "app/frmMain.h"
#include "core/tree/clsItem.h"
#include "dialogs/PagePropertiesDialog.h"
#include "support/TestHttpServer.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWebEngineScript>

#include <gtest/gtest.h>

#include <functional>

namespace {

TestHttpServer::Response html(const QByteArray& body) {
    TestHttpServer::Response r;
    r.headers = {{"Content-Type", "text/html; charset=utf-8"}};
    r.body = body;
    return r;
}

QByteArray png() {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Waits until the pane has finished a load at an address ending with `tail`.
bool waitLoaded(ReadingPane* pane, const QString& tail, int ms = 60000) {
    QSignalSpy finished(pane, &QWebEngineView::loadFinished);
    for (int waited = 0; waited < ms; waited += 50) {
        if (pane->url().toString().endsWith(tail) && !finished.isEmpty())
            return true;
        finished.wait(50);
    }
    return false;
}

// Reads the document from a world of its own: the channel page runs no
// script of its own, but the test may look at it.
QVariant inspect(QWebEnginePage* page, const QString& script) {
    QVariant result;
    bool done = false;
    page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
        result = v;
        done = true;
    });
    for (int i = 0; i < 200 && !done; ++i)
        QTest::qWait(25);
    return result;
}

// Runs `answer` on the first visible top-level widget of type T, from inside
// whatever modal loop shows it.
template <typename T> void whenShown(std::function<void(T*)> answer, int attempts = 1200) {
    QTimer::singleShot(25, [answer, attempts] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* found = qobject_cast<T*>(w); found && found->isVisible()) {
                answer(found);
                return;
            }
        if (attempts > 0)
            whenShown<T>(answer, attempts - 1);
    });
}

struct ServedChannel {
    TestHttpServer server;
    testsupport::ProgramDir dir;
    std::unique_ptr<frmMain> window;

    explicit ServedChannel(const QByteArray& items) {
        server.setResponse(
            "/feed.xml",
            {200, "OK", {}, "<rss><channel><title>Served</title>" + items + "</channel></rss>"});
        testsupport::writeFile(dir.file(QStringLiteral("Data/KestrixRSS.xml")),
                               "<NewsProject><rss><title>Served</title><url>" +
                                   server.url("/feed.xml").toUtf8() + "</url></rss></NewsProject>");
        window = std::make_unique<frmMain>();
        window->formLoad();
        window->tmrMergeRSS.stop();
    }
    ~ServedChannel() { window.reset(); }

    QByteArray link(const QByteArray& path) const { return server.url(path).toUtf8(); }
    ReadingPane* pane() const { return window->brwRSS; }
    QTreeWidgetItem* node() const { return window->trvProjects->topLevelItem(0); }
    bool openChannel() {
        window->trvProjects->setCurrentItem(node());
        node()->setSelected(true);
        emit window->trvProjects->itemClicked(node(), 0);
        return waitLoaded(pane(), clsItem::pagePath().section(QLatin1Char('/'), -1));
    }
    void doubleClick(int row) {
        HeadlineListView* list = window->ListView1;
        const QPoint at = list->visualItemRect(list->topLevelItem(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    // Item states of the channel's stored copy on disk, by link.
    QMap<QString, qint32> stored() const {
        clsItem probe;
        probe.intType = clsItem::RssChannel;
        probe.strURL = server.url("/feed.xml");
        QMap<QString, qint32> states;
        if (!QFileInfo::exists(dir.file(QStringLiteral("RSS/") + probe.LocalFile())) ||
            !probe.Load(false))
            return states;
        for (const auto& channel : probe.objRSS.objColChannels)
            for (const auto& news : channel->objColItems)
                states.insert(news->strLink, news->intStatus);
        return states;
    }
};

} // namespace

TEST(NewsPaneBrowser, DoubleClickAndNextMarkHeadlinesReadInTheStoredCopy) {
    TestHttpServer pages; // the headlines live on another server than the feed
    for (const char* p : {"/a", "/b", "/c"})
        pages.setResponse(p, html(QByteArray("<title>") + p + "</title><p>page"));
    const auto link = [&](const char* p) { return pages.url(p).toUtf8(); };
    ServedChannel c("<item><title>A</title><link>" + link("/a") +
                    "</link></item><item><title>B</title><link>" + link("/b") +
                    "</link></item><item><title>C</title><link>" + link("/c") + "</link></item>");
    ASSERT_TRUE(c.openChannel());
    ASSERT_EQ(c.window->ListView1->topLevelItemCount(), 3);
    const auto state = [&](const char* p) { return c.stored().value(pages.url(p), -1); };
    EXPECT_EQ(state("/a"), 0);

    c.doubleClick(0);
    ASSERT_TRUE(waitLoaded(c.pane(), QStringLiteral("/a")));
    EXPECT_EQ(pages.requestCount("/a"), 1);
    EXPECT_EQ(state("/a"), 1);
    EXPECT_EQ(state("/b"), 0);
    EXPECT_EQ(c.node()->text(0), QStringLiteral("Served (2)"));

    c.window->headlineCommand(QStringLiteral("Next"))->trigger();
    ASSERT_TRUE(waitLoaded(c.pane(), QStringLiteral("/b")));
    EXPECT_EQ(pages.requestCount("/b"), 1);
    EXPECT_EQ(state("/a"), 1);
    EXPECT_EQ(state("/b"), 1);
    EXPECT_EQ(state("/c"), 0);
    EXPECT_EQ(pages.requestCount("/c"), 0);
    EXPECT_EQ(c.node()->text(0), QStringLiteral("Served (1)"));

    // The navigation buttons of the pane.
    c.window->readingCommand(QStringLiteral("后退"))->trigger();
    ASSERT_TRUE(waitLoaded(c.pane(), QStringLiteral("/a")));
    c.window->readingCommand(QStringLiteral("前进"))->trigger();
    ASSERT_TRUE(waitLoaded(c.pane(), QStringLiteral("/b")));
    const int before = pages.requestCount("/b");
    c.window->readingCommand(QStringLiteral("刷新"))->trigger();
    ASSERT_TRUE(waitLoaded(c.pane(), QStringLiteral("/b")));
    EXPECT_GT(pages.requestCount("/b"), before);
    c.window->readingCommand(QStringLiteral("停止"))->trigger();
}

TEST(NewsPaneBrowser, RedirectedHeadlineIsMarkedByTheAddressItWasOpenedWith) {
    TestHttpServer pages;
    TestHttpServer::Response moved = html("moved");
    moved.status = 302;
    moved.reason = "Found";
    moved.headers << qMakePair(QByteArray("Location"), pages.url("/final").toUtf8());
    pages.setResponse("/moved", moved);
    pages.setResponse("/final", html("<title>final</title>"));
    ServedChannel c("<item><title>M</title><link>" + pages.url("/moved").toUtf8() +
                    "</link></item>");
    ASSERT_TRUE(c.openChannel());
    c.doubleClick(0);
    ASSERT_TRUE(waitLoaded(c.pane(), QStringLiteral("/final")));
    EXPECT_EQ(c.stored().value(pages.url("/moved")), 1);
}

TEST(NewsPaneBrowser, JavascriptHeadlineRunsNothing) {
    // No description: a single click leaves the page in the pane.
    ServedChannel c("<item><title>J</title><link>javascript:document.title='pwned'</link></item>");
    c.server.setResponse("/page", html("<title>page</title><script>var ok = 1;</script>"));
    ASSERT_TRUE(c.openChannel());
    // A page with scripts on is showing: a javascript: address would run in it.
    c.pane()->navigate(c.server.url("/page"));
    ASSERT_TRUE(waitLoaded(c.pane(), QStringLiteral("/page")));
    c.doubleClick(0);
    c.window->selectRow(1);
    QTest::qWait(500);
    EXPECT_EQ(c.pane()->title(), QStringLiteral("page"));
    EXPECT_TRUE(c.pane()->url().toString().endsWith(QLatin1String("/page")));
    EXPECT_EQ(c.window->ListView1->rowIconKey(0), QStringLiteral("c"));
}

TEST(NewsPaneBrowser, ChannelPageShowsRemotePicturesButNoScriptOrRefresh) {
    TestHttpServer remote;
    TestHttpServer::Response picture;
    picture.headers = {{"Content-Type", "image/png"}};
    picture.body = png();
    remote.setResponse("/pic.png", picture);
    remote.setResponse("/frame.html", html("<p>framed"));
    remote.setResponse("/evil.js", html("document.title='pwned'"));
    remote.setResponse("/refreshed", html("<title>refreshed</title>"));
    const QByteArray description =
        "<![CDATA[<img src=\"" + remote.url("/pic.png").toUtf8() + "\"><iframe src=\"" +
        remote.url("/frame.html").toUtf8() + "\"></iframe><meta http-equiv=\"refresh\" " +
        "content=\"0;url=" + remote.url("/refreshed").toUtf8() + "\"><script src=\"" +
        remote.url("/evil.js").toUtf8() + "\"></script><script>document.title='pwned'</script>]]>";
    ServedChannel c("<item><title>P</title><link>" + remote.url("/item").toUtf8() +
                    "</link><description>" + description + "</description></item>");
    ASSERT_TRUE(c.openChannel());
    for (int i = 0; i < 200 && remote.requestCount("/pic.png") == 0; ++i)
        QTest::qWait(25);
    QTest::qWait(700); // time for a refresh or a script to act, had they been let
    EXPECT_EQ(remote.requestCount("/pic.png"), 1);
    EXPECT_EQ(remote.requestCount("/frame.html"), 1);
    EXPECT_EQ(remote.requestCount("/refreshed"), 0);
    EXPECT_EQ(remote.requestCount("/evil.js"), 0);
    EXPECT_EQ(c.pane()->title(), QStringLiteral("Served"));
    EXPECT_TRUE(ReadingPage::isGeneratedPage(c.pane()->url()));
    auto* page = qobject_cast<ReadingPage*>(c.pane()->page());
    ASSERT_TRUE(page);
    EXPECT_GE(page->refusedNavigations(), 1); // the refresh was there, and refused

    // The picture shows: the document holds it loaded.
    const QVariant loaded = inspect(
        page, QStringLiteral("Array.from(document.images).some(i => i.src.endsWith('/pic.png') "
                             "&& i.naturalWidth == 4)"));
    EXPECT_TRUE(loaded.toBool());
}

TEST(NewsPaneBrowser, PrintPreviewPdfPageSetupAndPropertiesWithoutAPrinter) {
    ServedChannel c("<item><title>P</title><link>http://n/1</link></item>");
    ASSERT_TRUE(c.openChannel());
    QAction* print = c.window->readingCommand(QStringLiteral("打印"));
    ASSERT_TRUE(print && print->menu());
    const auto entry = [&](const QString& text) {
        for (QAction* a : print->menu()->actions())
            if (a->text() == text)
                return a;
        return static_cast<QAction*>(nullptr);
    };

    int previewPages = 0;
    whenShown<QPrintPreviewDialog>([&previewPages](QPrintPreviewDialog* d) {
        auto* widget = d->findChild<QPrintPreviewWidget*>();
        for (int i = 0; i < 400 && widget && widget->pageCount() == 0; ++i)
            QTest::qWait(25);
        previewPages = widget ? widget->pageCount() : 0;
        d->reject();
    });
    entry(QStringLiteral("打印预览"))->trigger();
    EXPECT_GE(previewPages, 1);

    const QString pdf = c.dir.file(QStringLiteral("page.pdf"));
    c.window->printing()->printer().setOutputFormat(QPrinter::PdfFormat);
    c.window->printing()->printer().setOutputFileName(pdf);
    QSignalSpy printed(c.window->printing(), &PanePrinting::printed);
    whenShown<QPrintDialog>([](QPrintDialog* d) { d->accept(); });
    print->trigger();
    ASSERT_TRUE(printed.wait(60000));
    EXPECT_TRUE(printed.first().first().toBool());
    EXPECT_TRUE(testsupport::readFile(pdf).startsWith("%PDF"));

    bool setupShown = false;
    whenShown<QPageSetupDialog>([&setupShown](QPageSetupDialog* d) {
        setupShown = true;
        for (QRadioButton* b : d->findChildren<QRadioButton*>())
            if (b->objectName() == QLatin1String("landscape"))
                b->click();
        d->accept();
    });
    entry(QStringLiteral("页面设置"))->trigger();
    EXPECT_TRUE(setupShown);
    // The layout chosen there is the one the next print uses.
    EXPECT_EQ(c.window->printing()->printer().pageLayout().orientation(), QPageLayout::Landscape);

    c.window->readingCommand(QStringLiteral("网页属性"))->trigger();
    PagePropertiesDialog* properties = nullptr;
    for (int i = 0; i < 400 && !properties; ++i) {
        QTest::qWait(25);
        properties = c.window->findChild<PagePropertiesDialog*>();
    }
    ASSERT_TRUE(properties);
    EXPECT_EQ(properties->lblTitle->text(), QStringLiteral("Served"));
    EXPECT_EQ(properties->lblAddress->text(), QUrl::fromLocalFile(clsItem::pagePath()).toString());
    EXPECT_EQ(properties->lblType->text(), QStringLiteral("text/html"));
    EXPECT_EQ(properties->lblSize->text(), sizeText(QFileInfo(clsItem::pagePath()).size()));
    properties->accept();
}

TEST(NewsPaneBrowser, LinksOnTheChannelPageStillOpen) {
    TestHttpServer pages;
    pages.setResponse("/story", html("<title>story</title>"));
    ServedChannel c("<item><title>Story</title><link>" + pages.url("/story").toUtf8() +
                    "</link></item>");
    ASSERT_TRUE(c.openChannel());
    c.window->resize(1200, 800);
    QTest::qWait(300);
    // Where the headline's link is on the page (the page itself runs no script).
    const QVariant rect =
        inspect(c.pane()->page(),
                QStringLiteral("(() => { const a = Array.from(document.links).find(l => "
                               "l.href.endsWith('/story')); const r = a.getBoundingClientRect(); "
                               "return [r.left + r.width / 2, r.top + r.height / 2]; })()"));
    const QVariantList xy = rect.toList();
    ASSERT_EQ(xy.size(), 2);
    QWidget* surface = c.pane()->focusProxy();
    ASSERT_TRUE(surface);
    QTest::mouseClick(surface, Qt::LeftButton, {},
                      QPoint(int(xy[0].toDouble()), int(xy[1].toDouble())));
    ASSERT_TRUE(waitLoaded(c.pane(), QStringLiteral("/story")));
    EXPECT_EQ(pages.requestCount("/story"), 1);
    EXPECT_EQ(c.stored().value(pages.url("/story")), 1); // read once the page has loaded
}
