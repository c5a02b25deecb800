#pragma once

// One entry of the channel tree: a folder, an RSS channel or a web page.

#include "core/tree/colItems.h"

#include <QString>

#include <memory>

class clsItem : public std::enable_shared_from_this<clsItem> {
public:
    enum Kind : qint32 { Folder = 0, RssChannel = 1, WebPage = 2 };

    QString strKey; // empty once the entry has been removed
    qint32 intType = Folder;
    QString strTitle;
    QString strURL;
    QString strUser;     // kept for this run only, never saved
    QString strPassword; // kept for this run only, never saved
    QString newsup;
    QString newstime;
    colItems objColItems;

    // Empties the child collection (and the feed document).
    void Clear();

    // File name of the channel's local feed file, derived from the address.
    QString LocalFile() const;

private:
    static QString fileNameChars(const QString& text);
    QString kindWord() const;
};
