#include "platform/SafeFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(SafeFile, ReplacesWholeFileAndLeavesNoTemporary) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.txt"));
    testsupport::writeFile(path, QByteArray(100, 'o'));
    ASSERT_TRUE(SafeFileWriter::writeFile(path, "new"));
    EXPECT_EQ(testsupport::readFile(path), QByteArray("new"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("f.txt")});
}

TEST(SafeFile, FailedWriteKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.txt"));
    testsupport::writeFile(path, "old contents");
    {
        // Large writes fail at once; small ones only when the buffer is flushed.
        testsupport::FileSizeLimit limit(64);
        EXPECT_FALSE(SafeFileWriter::writeFile(path, QByteArray(100000, 'x')));
        EXPECT_FALSE(SafeFileWriter::writeFile(path, QByteArray(2000, 'x')));
    }
    EXPECT_EQ(testsupport::readFile(path), QByteArray("old contents"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("f.txt")});

    EXPECT_FALSE(SafeFileWriter::writeFile(dir.filePath(QStringLiteral("no/such/dir/f")), "x"));
}

TEST(SafeFile, DiscardedChunkedWriteKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.txt"));
    testsupport::writeFile(path, "old");
    {
        SafeFileWriter writer(path);
        ASSERT_TRUE(writer.open());
        ASSERT_TRUE(writer.write("partial"));
    } // destroyed without commit, as when a transfer breaks
    EXPECT_EQ(testsupport::readFile(path), QByteArray("old"));
}
