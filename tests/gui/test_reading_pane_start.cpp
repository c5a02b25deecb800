// The reading pane's browser engine starts with the first page shown: the
// window paints first, the captions' counts follow, the first page still
// shows, and a navigation asked for before the engine runs is not lost.

#include "app/PanePrinting.h"
#include "app/PaneWidgets.h"
#include "app/frmMain.h"
#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"
#include "support/TestSupport.h"

#include <QMimeData>
#include <QPrinter>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineSettings>

#include <gtest/gtest.h>

namespace {

// Records the pane's first paint and every completed navigation, in order.
struct PaneLog : QObject {
    QStringList events;
    explicit PaneLog(ReadingPane* pane) {
        pane->installEventFilter(this);
        connect(pane, &QWebEngineView::loadFinished, this, [this, pane](bool ok) {
            events << QStringLiteral("loaded %1 %2").arg(ok).arg(pane->url().toString());
        });
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !events.contains(QStringLiteral("paint")))
            events << QStringLiteral("paint");
        return false;
    }
};

// A program folder whose tree holds one channel with a stored copy of two new items.
struct StoredChannel {
    testsupport::ProgramDir sources;
    testsupport::ProgramDir dir; // made last: the program's folder
    QString key;

    StoredChannel() {
        const QString feed = sources.file(QStringLiteral("c.xml"));
        testsupport::writeFile(feed, "<rss><channel><title>C</title>"
                                     "<item><title>A</title><link>http://n/a</link></item>"
                                     "<item><title>B</title><link>http://n/b</link></item>"
                                     "</channel></rss>");
        const QByteArray tree = "<NewsProject><rss><title>C</title><url>file://" + feed.toUtf8() +
                                "</url></rss></NewsProject>";
        testsupport::writeFile(dir.file(QStringLiteral("Data/KestrixRSS.xml")), tree);
        clsProject seed; // the first load stores the channel's own copy
        seed.Load(dir.file(QStringLiteral("Data/KestrixRSS.xml")));
        EXPECT_TRUE(seed.objColItems.Item(1)->Load(false));
    }
};

QString topCaption(const frmMain& window) {
    return window.trvProjects->topLevelItem(0)->text(0);
}

} // namespace

TEST(ReadingPaneStart, WindowPaintsBeforeCountsAndTheFirstPageStartsTheEngine) {
    StoredChannel data;
    frmMain window;
    PaneLog log(window.brwRSS);
    window.formLoad();
    window.tmrMergeRSS.stop();
    EXPECT_FALSE(window.brwRSS->hasEngine());
    EXPECT_EQ(window.brwRSS->lastTarget(), QStringLiteral("about:blank"));

    // The blank page completes after the first paint, and the captions get their counts.
    EXPECT_TRUE(QTest::qWaitFor([&] { return topCaption(window) == QStringLiteral("C (2)"); }));
    EXPECT_EQ(log.events,
              QStringList({QStringLiteral("paint"), QStringLiteral("loaded 1 about:blank")}));
    EXPECT_FALSE(window.brwRSS->hasEngine());

    // The first page starts the engine and shows.
    log.events.clear();
    const QString key =
        window.trvProjects->topLevelItem(0)->data(0, frmMain::NodeKeyRole).toString();
    window.showEntry(key, QStringLiteral("C"));
    EXPECT_TRUE(window.brwRSS->hasEngine());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !log.events.isEmpty(); }, 60000));
    EXPECT_EQ(log.events, QStringList({QStringLiteral("loaded 1 ") +
                                       QUrl::fromLocalFile(clsItem::pagePath()).toString()}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.brwRSS->title() == QStringLiteral("C"); }));
    EXPECT_EQ(topCaption(window), QStringLiteral("C (2)"));
}

TEST(ReadingPaneStart, PageAskedForBeforeTheEngineRunsIsNotLost) {
    StoredChannel data;
    frmMain window;
    PaneLog log(window.brwRSS);
    window.formLoad();
    window.tmrMergeRSS.stop();
    // At once, before the window's first paint could complete the blank page.
    const QString key =
        window.trvProjects->topLevelItem(0)->data(0, frmMain::NodeKeyRole).toString();
    window.showEntry(key, QStringLiteral("C"));

    const QString page = QUrl::fromLocalFile(clsItem::pagePath()).toString();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return log.events.contains(QStringLiteral("loaded 1 ") + page); }, 60000));
    QTest::qWait(700); // longer than the blank pane's wait for a paint
    log.events.removeAll(QStringLiteral("paint"));
    // A blank completion may come first (the window may have painted inside
    // the load event), never after the page.
    ASSERT_FALSE(log.events.isEmpty());
    EXPECT_EQ(log.events.last(), QStringLiteral("loaded 1 ") + page);
    EXPECT_EQ(log.events.count(QStringLiteral("loaded 1 ") + page), 1);
    EXPECT_EQ(window.brwRSS->url().toString(), page);
    EXPECT_EQ(topCaption(window), QStringLiteral("C (2)"));
}

TEST(ReadingPaneStart, BlankPaneWithoutEngine) {
    testsupport::ProgramDir dir;
    ReadingPane pane; // never shown: nothing will paint it
    QSignalSpy loaded(&pane, &QWebEngineView::loadFinished);
    EXPECT_EQ(pane.url(), QUrl());
    pane.navigate(QStringLiteral("about:blank"));
    ASSERT_TRUE(loaded.wait(1000));
    EXPECT_EQ(loaded.takeFirst().value(0).toBool(), true);
    // What the engine reports for a blank page.
    EXPECT_EQ(pane.url(), QUrl(QStringLiteral("about:blank")));
    EXPECT_EQ(pane.title(), QStringLiteral("about:blank"));

    // Commands and drags on the blank pane start nothing; a reload completes it again.
    pane.back();
    pane.forward();
    pane.stop();
    QMimeData mime;
    mime.setText(QStringLiteral("http://example.com/"));
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&pane, &enter);
    EXPECT_FALSE(enter.isAccepted());
    pane.reload();
    ASSERT_TRUE(loaded.wait(1000));
    EXPECT_FALSE(pane.hasEngine());

    // Anything asking for the page gets the pane's own, with its settings.
    EXPECT_NE(qobject_cast<ReadingPage*>(pane.page()), nullptr);
    EXPECT_TRUE(pane.hasEngine());
    EXPECT_EQ(pane.page()->settings()->defaultTextEncoding(), QStringLiteral("GBK"));
}

TEST(ReadingPaneStart, PrintingTheBlankPaneThenAPageKeepsThePanesOwnPage) {
    StoredChannel data;
    frmMain window;
    window.formLoad();
    window.tmrMergeRSS.stop();
    // Printing reaches the view's own members, which start the engine.
    QPrinter& printer = window.printing()->printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(data.sources.file(QStringLiteral("blank.pdf")));
    QSignalSpy printed(window.printing(), &PanePrinting::printed);
    window.printing()->printNow();
    ASSERT_TRUE(printed.wait(60000));
    EXPECT_TRUE(printed.first().value(0).toBool());

    window.brwRSS->navigate(clsItem::pagePath());
    EXPECT_NE(qobject_cast<ReadingPage*>(window.brwRSS->page()), nullptr);
}
