// A save that fails for real shows in the status line; the first failure of
// the run also shows a warning box.

#include "app/MessageBoxes.h"
#include "app/frmMain.h"
#include "controls/InfoHeader.h"
#include "core/tree/clsItem.h"
#include "platform/Cp936.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

TEST(MainWindowSaves, FailedSavesShowInTheStatusLineAndOnceInABox) {
    testsupport::ProgramDir dir;
    const QString treeFile = dir.file(QStringLiteral("Data/KestrixRSS.xml"));
    testsupport::writeFile(treeFile, "<NewsProject></NewsProject>");
    const QString source = dir.file(QStringLiteral("source.xml"));
    QByteArray feed = "<rss><channel><title>C</title>";
    for (int i = 0; i < 20; ++i)
        feed += "<item><title>T</title><link>http://x/" + QByteArray::number(i) + "</link></item>";
    testsupport::writeFile(source, feed + "</channel></rss>");

    QStringList boxes;
    messageBoxes::setResponder([&boxes](messageBoxes::Kind kind, const QString& text) {
        EXPECT_EQ(kind, messageBoxes::Kind::Warning);
        boxes << text;
        return true;
    });
    auto window = std::make_unique<frmMain>();
    window->formLoad();
    window->tmrMergeRSS.stop();
    clsProject& project = *window->project();
    project.objColItems.Add(0, QStringLiteral("新闻"), {}, {}, {});
    const clsItemPtr channel =
        project.objColItems.Add(1, QStringLiteral("C"), QStringLiteral("file://") + source, {}, {});
    ASSERT_TRUE(channel->Load(false));
    const QByteArray before = testsupport::readFile(treeFile);

    {
        testsupport::FileSizeLimit limit(before.size());
        window->saveTree();
    }
    QTRY_COMPARE(window->lblStatus->Caption(),
                 QStringLiteral("  频道树文件无法保存: KestrixRSS.xml"));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].startsWith(QStringLiteral("频道树文件无法保存: KestrixRSS.xml\n") +
                                    QDir::toNativeSeparators(treeFile)))
        << boxes[0].toStdString();
    EXPECT_EQ(testsupport::readFile(treeFile), before);
    if (!qEnvironmentVariableIsEmpty("QF_SAVE_FAILURE_SCREENSHOT")) {
        window->showNormal();
        window->resize(1200, 760);
        QTest::qWait(300);
        window->grab().save(qEnvironmentVariable("QF_SAVE_FAILURE_SCREENSHOT"));
    }

    // A channel's stored copy: the status line says so, no second box.
    {
        testsupport::FileSizeLimit limit(100);
        project.markReadRSS(QStringLiteral("http://x/3"));
    }
    QTRY_COMPARE(window->lblStatus->Caption(),
                 QStringLiteral("  频道文件无法保存: ") + channel->LocalFile());
    EXPECT_EQ(boxes.size(), 1);

    // The tree stayed in memory: the next save writes it.
    window->saveTree();
    EXPECT_TRUE(
        testsupport::readFile(treeFile).contains(cp936::fromUnicode(QStringLiteral("新闻"))));
    window.reset();
    messageBoxes::setResponder(nullptr);
}
