#pragma once

// The open output file of the generated page: every write is one row,
// followed by CR LF. The text is collected and written at once through the
// safe writer, so a failed write never leaves half a page.

#include <QString>
#include <QStringView>

#include <initializer_list>

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
    // One row made of several pieces, appended without temporaries.
    void write(std::initializer_list<QStringView> parts) {
        for (QStringView part : parts)
            m_text += part;
        m_text += QLatin1String("\r\n");
    }
    // Room for `more` characters beyond what is written, so that a large
    // page is not copied again and again while it grows.
    void reserveMore(qsizetype more) { m_text.reserve(m_text.size() + more); }
    const QString& text() const { return m_text; }
    void reserve(qsizetype size) { m_text.reserve(size); }

private:
    QString m_text;
};
