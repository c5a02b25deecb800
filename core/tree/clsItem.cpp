#include "core/tree/clsItem.h"

void clsItem::Clear() {
    objColItems.Clear();
    objRSS.Clear();
}

void clsItem::markRemoved() {
    m_removed = true;
    for (const clsItemPtr& child : objColItems)
        child->markRemoved();
}

qint32 clsItem::countNewItems() const {
    return intType == RssChannel ? objRSS.countNewItems() : 0;
}

QString clsItem::fileNameChars(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') ||
            u == u'.')
            kept.append(ch);
    }
    return kept;
}

QString clsItem::kindWord() const {
    return intType == RssChannel ? QStringLiteral("RSS") : QString();
}

QString clsItem::LocalFile() const {
    return fileNameChars(strURL) + QLatin1Char('.') + kindWord();
}
