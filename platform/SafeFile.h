#pragma once

// The one way this program writes files: into a temporary file beside the
// target, committed by rename only when every byte was written. A failed or
// interrupted write leaves the previous file whole.

#include <QByteArray>
#include <QSaveFile>
#include <QString>

class SafeFileWriter {
public:
    explicit SafeFileWriter(const QString& path);
    ~SafeFileWriter(); // an uncommitted write is discarded

    bool open();
    bool write(const QByteArray& bytes);
    // Replaces the target with what was written; false leaves the old file.
    bool commit();
    void discard();

    // Whole-file convenience: open, one write, commit.
    static bool writeFile(const QString& path, const QByteArray& bytes);

private:
    QSaveFile m_file;
    bool m_ok = false;
};
