// Loading a channel from its local feed file or its address, the download on
// the shared transfer object, the feed cache file, and the update (merge).
//
// Downloads never land in the channel's local feed file directly: the body
// goes to a file of its own, written only when it arrived whole, and replaces
// the local feed file only after it parsed as a feed. A merge's fresh copy
// never replaces it at all, so the stored copy keeps its item states whatever
// the server answers.

#include "core/tree/SaveFailures.h"
#include "core/tree/clsItem.h"
#include "core/tree/modTypes.h"
#include "platform/Cp936.h"
#include "platform/SafeFile.h"
#include "platform/Transfer.h"
#include "platform/XmlDocument.h"

#include <QCoreApplication>
#include <QFile>
#include <QScopeGuard>

#include <filesystem>

struct clsItem::Fetched {
    // Where the document came from: nowhere, the local feed file, a
    // download's own file, or the file a "FILE://" address names.
    enum Source { None, LocalFile, Incoming, SourceFile };
    Source source = None;
    bool transferFailed = false;
    QByteArray charset; // of a download without an encoding declaration
    XmlDocument document;
};

namespace {

const QString kCacheHead = QStringLiteral("<?xml version='1.0' encoding='GB2312'?>\r\n");

bool replaceFile(const QString& from, const QString& to) {
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), ec);
    return !ec;
}

// Keeps the entry alive while window events run; null for entries not owned
// by a shared pointer (they must outlive the call themselves).
std::shared_ptr<clsItem> hold(clsItem* item) {
    return item->weak_from_this().lock();
}

} // namespace

QString clsItem::localPath() const {
    return modTypes::programDir() + QStringLiteral("/RSS/") + LocalFile();
}

QString clsItem::incomingPath() const {
    return localPath() + (m_freshCopyOnly ? QStringLiteral(".fresh") : QStringLiteral(".download"));
}

clsItem::Fetched clsItem::fetchLocalFile(const QString& path) {
    Fetched fetched;
    fetched.source = Fetched::LocalFile; // also when it fails: then the file is the culprit
    fetched.document.load(path);
    return fetched;
}

clsItem::Fetched clsItem::fetchText(const QString& address, const QString& user,
                                    const QString& password) {
    Fetched fetched;
    if (XmlDocument::isFileAddress(address)) {
        if (fetched.document.load(address))
            fetched.source = Fetched::SourceFile;
        return fetched;
    }
    const QString incoming = incomingPath();
    modTypes::eraseFile(incoming);
    QByteArray charset;
    if (!download(address, incoming, user, password, &charset)) {
        fetched.transferFailed = true;
        return fetched;
    }
    if (modTypes::fileExists(incoming)) {
        QFile file(incoming);
        QByteArray bytes;
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        if (fetched.document.loadBytes(bytes, charset)) {
            fetched.source = Fetched::Incoming;
            if (!XmlDocument::hasOwnEncoding(bytes))
                fetched.charset = charset;
        } else {
            modTypes::eraseFile(incoming); // not XML: the body is dropped
        }
        return fetched;
    }
    // The server answered without a body to store: the stored file, if any, is read.
    if (!m_freshCopyOnly && modTypes::fileExists(localPath()))
        return fetchLocalFile(localPath());
    return fetched;
}

bool clsItem::download(const QString& address, const QString& path, const QString& user,
                       const QString& password, QByteArray* charset) {
    Transfer& transfer = Transfer::shared();
    while (transfer.stillExecuting()) {
        transfer.cancel();
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();

    transfer.setURL(address);
    transfer.setUserName(user);
    transfer.setPassword(password);
    // Only a merge's fresh copy may be answered "not modified": the stored
    // copy it is merged into is then current.
    transfer.setConditional(m_freshCopyOnly);
    if (!transfer.execute(QStringLiteral("GET")))
        return false;
    const quint64 request = transfer.requestId();
    if (!transfer.waitFor(request))
        return false; // a later fetch took the transfer object over
    // However this ends, the held body is not needed afterwards.
    const auto release = qScopeGuard([&transfer, request] {
        if (transfer.requestId() == request)
            transfer.releaseBody();
    });
    if (transfer.transferFailed() || m_removed)
        return false; // nothing is stored for an entry that left the tree meanwhile

    const int status = transfer.statusCode();
    if (status == 200 || status == 206) {
        QCoreApplication::processEvents();
        if (transfer.requestId() != request)
            return false;
        *charset = transfer.contentCharset();
        SafeFileWriter writer(path);
        // The download becomes the channel's stored copy: a full disk or a
        // read-only folder is the user's to know.
        const auto writeFailed = [this] {
            saveFailures::report(saveFailures::File::Channel, localPath());
            return false;
        };
        if (!writer.open())
            return writeFailed();
        for (;;) {
            const QByteArray chunk = transfer.getChunk(1024);
            if (!writer.write(chunk))
                return writeFailed();
            QCoreApplication::processEvents();
            if (transfer.requestId() != request || m_removed)
                return false; // never take a later request's body
            if (chunk.size() < 2)
                break;
        }
        if (!writer.commit())
            return writeFailed();
    }
    return true;
}

bool clsItem::parseText(const XmlDocument& document) {
    if (!document.isLoaded())
        return false;
    if (intType != RssChannel)
        return true;
    objRSS.Clear();
    return objRSS.parseXML(document) == 0;
}

bool clsItem::Load(bool blnFromWeb) {
    const std::shared_ptr<clsItem> self = hold(this);
    Clear();
    const QString local = localPath();
    Fetched fetched;
    if (modTypes::fileExists(local) && !blnFromWeb) {
        fetched = fetchLocalFile(local);
    } else {
        fetched = fetchText(strURL, strUser, strPassword);
        if (m_removed)
            return false;
        if (fetched.source == Fetched::Incoming && !m_freshCopyOnly) {
            // A whole body that reads as a feed becomes the local feed file:
            // as it came, or as the cache file when it was decoded with the
            // server's charset (the cache file declares its encoding).
            const bool ok = parseText(fetched.document);
            bool stored = false;
            if (ok && !fetched.charset.isEmpty())
                stored = writeXML();
            else if (ok && !(stored = replaceFile(incomingPath(), local)))
                saveFailures::report(saveFailures::File::Channel, local);
            Transfer::shared().settleValidators(strURL,
                                                stored && objRSS.objColChannels.Count() > 0);
            modTypes::eraseFile(incomingPath());
            objRSS.Clear();
            if (!ok)
                return false;
            fetched = fetchLocalFile(local);
        } else if (fetched.source == Fetched::SourceFile && !m_freshCopyOnly &&
                   !modTypes::fileExists(local) && parseText(fetched.document)) {
            // A channel fed from a file on disk is read from its own copy.
            writeXML();
            objRSS.Clear();
            fetched = fetchLocalFile(local);
        }
    }
    if (m_removed)
        return false;
    const bool ok = parseText(fetched.document);
    if (fetched.source == Fetched::Incoming) {
        modTypes::eraseFile(incomingPath());
        // A merge's fresh copy that reads as a feed with a channel may be
        // answered "not modified" later (the merge forgets that again when it
        // cannot store it); anything else is fetched whole next time.
        Transfer::shared().settleValidators(strURL, ok && objRSS.objColChannels.Count() > 0);
    }
    if (!ok) {
        // Only a local feed file that cannot be read as a feed is deleted;
        // a failed download or an unreadable source file leaves it alone.
        if (fetched.source == Fetched::LocalFile)
            modTypes::eraseFile(local);
        objRSS.Clear();
        return false;
    }
    return true;
}

bool clsItem::writeXML() {
    if (m_removed || m_freshCopyOnly)
        return false;
    QString text = kCacheHead;
    if (intType == RssChannel)
        text += objRSS.getXML();
    return writeLocalFile(text);
}

bool clsItem::writeLocalFile(const QString& text) {
    if (SafeFileWriter::writeFile(localPath(), cp936::fromUnicode(text)))
        return true;
    saveFailures::report(saveFailures::File::Channel, localPath());
    return false;
}

bool clsItem::Merge() {
    const std::shared_ptr<clsItem> self = hold(this);
    if (!modTypes::fileExists(localPath())) {
        Load(false); // first fetch: the download becomes the stored copy
        return false;
    }
    Transfer& transfer = Transfer::shared();
    while (transfer.stillExecuting())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    Clear();
    if (m_removed || intType != RssChannel)
        return false;
    // The fresh copy first: when nothing came ("not modified", a failure, no
    // feed) the stored copy is not even read, and no file changes.
    const std::shared_ptr<clsItem> fresh = clsRSS::fetchFresh(strURL, strKey);
    if (!fresh || m_removed)
        return false;
    Load(false); // an unreadable stored copy takes the fresh one whole
    bool changed = false;
    if (!m_removed) {
        changed = objRSS.mergeFresh(fresh->objRSS);
        // News that could not be stored must come again whole: "not
        // modified" would hide it.
        if (changed && (m_removed || !writeXML()))
            transfer.settleValidators(strURL, false);
    }
    Clear();
    return changed && !m_removed;
}
