#include "platform/SafeFile.h"

SafeFileWriter::SafeFileWriter(const QString& path) : m_file(path) {}

SafeFileWriter::~SafeFileWriter() {
    discard();
}

bool SafeFileWriter::open() {
    m_ok = m_file.open(QIODevice::WriteOnly);
    return m_ok;
}

bool SafeFileWriter::write(const QByteArray& bytes) {
    if (!m_ok)
        return false;
    if (m_file.write(bytes) != bytes.size())
        m_ok = false;
    return m_ok;
}

bool SafeFileWriter::commit() {
    if (!m_ok) {
        discard();
        return false;
    }
    m_ok = false;
    // Flush first: QSaveFile::commit() can lose the error of the final flush
    // of its buffer, which would commit a truncated small file.
    if (!m_file.flush()) {
        discard();
        return false;
    }
    return m_file.commit();
}

void SafeFileWriter::discard() {
    if (m_file.isOpen()) {
        m_file.cancelWriting();
        m_file.commit(); // after cancelWriting this only removes the temporary file
    }
    m_ok = false;
}

bool SafeFileWriter::writeFile(const QString& path, const QByteArray& bytes) {
    SafeFileWriter writer(path);
    return writer.open() && writer.write(bytes) && writer.commit();
}
