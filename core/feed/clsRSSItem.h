#pragma once

// One news item of a feed document.

#include <QString>

class clsRSSItem {
public:
    enum Status : qint32 { New = 0, Read = 1, Deleted = 2 };

    QString strKey;
    QString strTitle;
    QString strLink;
    QString strComments;
    QString strAuthor;
    QString strPubDate;
    QString strCategory;
    QString strSubject;
    QString strGuid;
    QString strDescription;
    QString strContent;
    qint32 intStatus = New;

    // The ten text fields a merge copies (everything but key and state).
    void copyTextsFrom(const clsRSSItem& other) {
        strTitle = other.strTitle;
        strLink = other.strLink;
        strComments = other.strComments;
        strAuthor = other.strAuthor;
        strPubDate = other.strPubDate;
        strCategory = other.strCategory;
        strSubject = other.strSubject;
        strGuid = other.strGuid;
        strDescription = other.strDescription;
        strContent = other.strContent;
    }
};
