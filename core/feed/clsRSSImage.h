#pragma once

// The image record of a channel; every channel has one, possibly empty.

#include <QString>

class XmlNode;

class clsRSSImage {
public:
    QString strTitle;
    QString strWidth;
    QString strHeight;
    QString strLink;
    QString strURL;

    // Reads the children of an `image` element; 0, or 3 on a failure.
    qint32 Load(const XmlNode& objDocument);
};
