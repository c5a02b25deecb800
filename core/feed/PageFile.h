#pragma once

// The open output file of the generated page: every write is one row,
// followed by CR LF. The text is collected and written at once through the
// safe writer, so a failed write never leaves half a page.

#include <QString>
#include <QStringView>

class PageFile {
public:
    void write(QStringView row) {
        m_text += row;
        m_text += QLatin1String("\r\n");
    }
    void write(QLatin1String row) {
        m_text += row;
        m_text += QLatin1String("\r\n");
    }
    const QString& text() const { return m_text; }
    void reserve(qsizetype size) { m_text.reserve(size); }

private:
    QString m_text;
};
