#pragma once

// The reading pane's page properties: title, address, type and size of the
// page it shows, read-only.

#include <QDialog>
#include <QUrl>

class QLabel;

struct PageFacts {
    QString title;
    QString address;
    QString type;     // MIME type name
    qint64 size = -1; // bytes; -1 unknown
};

// A local file counts its bytes on disk and its type by content; any other
// page counts the bytes of its document and is taken by the address's
// extension, HTML when that says nothing.
PageFacts pageFacts(const QUrl& url, const QString& title, qint64 documentBytes);
// "12,345 字节", or "未知".
QString sizeText(qint64 bytes);

class PagePropertiesDialog : public QDialog {
    Q_OBJECT
public:
    explicit PagePropertiesDialog(const PageFacts& facts, QWidget* parent = nullptr);

    QLabel* lblTitle;
    QLabel* lblAddress;
    QLabel* lblType;
    QLabel* lblSize;
};
