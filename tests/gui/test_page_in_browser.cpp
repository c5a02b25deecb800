#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"
#include "support/MemoryLists.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

QVariant evaluate(QWebEnginePage* page, const QString& script) {
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant& v) {
        result = v;
        done = true;
    });
    for (int i = 0; i < 300 && !done; ++i)
        QTest::qWait(20);
    return result;
}

} // namespace

TEST(PageInBrowser, GeneratedPageLoadsWithItsImages) {
    testsupport::ProgramDir dir;
    for (const char* name : {"newItem.bmp", "readItem.bmp"})
        QFile::copy(QStringLiteral(QF_RESOURCES "/Images/") + QLatin1String(name),
                    dir.file(QStringLiteral("Images/") + QLatin1String(name)));
    const QString source = dir.file(QStringLiteral("feed.xml"));
    testsupport::writeFile(
        source, "<rss><channel><title>页面</title>"
                "<item><title>新</title><link>http://n/1</link></item>"
                "<item><title>旧</title><link>http://n/2</link><status>Read</status></item>"
                "</channel></rss>");
    clsProject project;
    const clsItemPtr channel = project.objColItems.Add(1, QStringLiteral("频道"),
                                                       QStringLiteral("file://") + source, {}, {});
    testsupport::MemoryLists lists;
    testsupport::MemoryPane pane;
    ASSERT_TRUE(project.loadList(channel->strKey, lists.lists));
    ASSERT_TRUE(project.loadHTML(channel->strKey, pane));
    ASSERT_EQ(pane.navigations.size(), 1);

    auto* view = new QWebEngineView;
    QSignalSpy finished(view, &QWebEngineView::loadFinished);
    view->load(QUrl::fromLocalFile(pane.navigations.first()));
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_TRUE(finished.first().first().toBool());
    EXPECT_EQ(view->title(), QStringLiteral("频道"));
    const QVariant images = evaluate(
        view->page(), QStringLiteral("Array.from(document.images).map(i => i.getAttribute('src') + "
                                     "':' + (i.complete && i.naturalWidth > 0)).join(',')"));
    EXPECT_EQ(images.toString(),
              QStringLiteral("Images/newItem.bmp:true,Images/readItem.bmp:true"));
    delete view; // pages go before the application
}
