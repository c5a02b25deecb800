#include "core/tree/modTypes.h"

#include "platform/Cp936.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString& programDirOverride() {
    static QString dir;
    return dir;
}

bool isXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Plain text goes into the section as it is.
bool isPlain(char32_t c) {
    return c != 0xD && isXmlChar(c) && (c < 0x80 || cp936::canEncode(c));
}

} // namespace

namespace modTypes {

QString programDir() {
    QString dir = programDirOverride();
    if (dir.isEmpty())
        dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                           : QDir::currentPath();
    while (dir.size() > 1 && (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\'))))
        dir.chop(1);
    return dir;
}

void setProgramDir(const QString& dir) {
    programDirOverride() = dir;
}

void appendCData(QString& out, const QString& text) {
    static const QLatin1String open("<![CDATA[");
    static const QLatin1String close("]]>");

    bool simple = !text.contains(close);
    for (qsizetype i = 0; simple && i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if ((u >= 0x20 && u < 0x80) || u == 0x9 || u == 0xA)
            continue;
        simple = !QChar::isSurrogate(u) && isPlain(u);
    }
    out += open;
    if (simple) {
        out += text;
        out += close;
        return;
    }
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        char32_t cp = u;
        qsizetype width = 1;
        if (QChar::isHighSurrogate(u) && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(u, text.at(i + 1).unicode());
            width = 2;
        } else if (QChar::isSurrogate(u)) {
            continue; // a lone surrogate is no character
        }
        if (u == u']' && QStringView(text).mid(i, 3) == close) {
            out += QLatin1String("]]]]><![CDATA[>");
            i += 2;
            continue;
        }
        if (isXmlChar(cp)) {
            if (isPlain(cp)) {
                out += QStringView(text).mid(i, width);
            } else {
                out += close;
                out += QLatin1String("&#") + QString::number(quint32(cp)) + QLatin1Char(';');
                out += open;
            }
        }
        i += width - 1;
    }
    out += close;
}

QString wrapCData(const QString& text) {
    QString out;
    appendCData(out, text);
    return out;
}

QString trimSpaces(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == QLatin1Char(' '))
        ++start;
    while (end > start && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return start == 0 && end == text.size() ? text : text.mid(start, end - start);
}

bool fileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

void eraseFile(const QString& path) {
    QFile::remove(path);
}

} // namespace modTypes
