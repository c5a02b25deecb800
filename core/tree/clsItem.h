#pragma once

// One entry of the channel tree: a folder, an RSS channel or a web page.

#include "core/feed/clsRSS.h"
#include "core/tree/colItems.h"

#include <QString>

#include <memory>

class PageFile;
struct NewsLists;
class XmlDocument;

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
    clsRSS objRSS; // the channel's feed document, empty until loaded

    // Empties the child collection and the feed document.
    void Clear();

    // File name of the channel's local feed file, derived from the address.
    QString LocalFile() const;

    // Fills the feed document from the local feed file (when it exists and
    // `blnFromWeb` is false) or from the address. True when a feed was read.
    bool Load(bool blnFromWeb);
    // Updates the channel from its address into its stored copy; true when
    // new or changed items were stored.
    bool Merge();
    // Writes the feed document as the feed cache file. False when nothing was
    // written: the entry has left the tree, or the file could not be written
    // (reported to saveFailures; the previous file stays).
    bool writeXML();
    // New and deleted items of a loaded channel; 0 for anything else.
    qint32 countNewItems() const;

    // Writes the whole page for this entry; a folder loads its direct
    // channels to show them.
    bool writeHTML(PageFile& file);
    // Fills the main window's lists from the entry; always true.
    bool loadList(NewsLists& lists);
    // The generated page in the program directory.
    static QString pagePath();

    // Set by the tree when the entry leaves it, so that an operation still
    // waiting for a download writes nothing for it afterwards.
    void markRemoved();
    bool isRemoved() const { return m_removed; }

    // An entry that only fetches a fresh copy for a merge: its download goes
    // to a file of its own and it never writes the channel's local feed file.
    void setFreshCopyOnly(bool on) { m_freshCopyOnly = on; }

private:
    struct Fetched;
    QString localPath() const;
    QString incomingPath() const;
    Fetched fetchText(const QString& address, const QString& user, const QString& password);
    Fetched fetchLocalFile(const QString& path);
    bool download(const QString& address, const QString& path, const QString& user,
                  const QString& password, QByteArray* charset);
    bool parseText(const XmlDocument& document);
    bool writeLocalFile(const QString& text);
    static void writeStyle(PageFile& file);
    static QString fileNameChars(const QString& text);
    QString kindWord() const;

    bool m_removed = false;
    bool m_freshCopyOnly = false;
};
