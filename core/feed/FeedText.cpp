#include "core/feed/FeedText.h"

#include "core/tree/modTypes.h"

namespace feedtext {

QString compareForm(const QString& text) {
    return modTypes::trimSpaces(text).toUpper();
}

qint32 statusFromWord(const QString& word) {
    const QString w = modTypes::trimSpaces(word);
    if (w.compare(QLatin1String("Read"), Qt::CaseInsensitive) == 0)
        return 1;
    if (w.compare(QLatin1String("Deleted"), Qt::CaseInsensitive) == 0)
        return 2;
    return 0;
}

QLatin1String statusWord(qint32 status) {
    switch (status) {
    case 1:
        return QLatin1String("Read");
    case 2:
        return QLatin1String("Deleted");
    default:
        return QLatin1String("New");
    }
}

void appendElement(QString& out, const char* indent, const char* name, const QString& value) {
    out += QLatin1String(indent);
    out += QLatin1Char('<');
    out += QLatin1String(name);
    out += QLatin1Char('>');
    modTypes::appendCData(out, value);
    out += QLatin1String("</");
    out += QLatin1String(name);
    out += QLatin1String(">\r\n");
}

} // namespace feedtext
