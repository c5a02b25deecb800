#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace testsupport {

QString fixturePath(const QString& name);
QByteArray readFixture(const QString& name);
QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);

// A fresh program directory with Data/, RSS/ and Images/, set as the
// program's directory for the life of the object.
class ProgramDir {
public:
    ProgramDir();
    ~ProgramDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const { return m_dir.filePath(relative); }

private:
    QTemporaryDir m_dir;
};

// Limits the size of files this process writes, so that a write fails for
// real even when running as root. Restored on destruction.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();

private:
    unsigned long long m_old[2];
};

} // namespace testsupport
