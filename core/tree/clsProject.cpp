#include "core/tree/clsProject.h"

#include "core/tree/SaveFailures.h"
#include "core/tree/clsItem.h"
#include "platform/Cp936.h"
#include "platform/SafeFile.h"
#include "platform/XmlDocument.h"

bool clsProject::Load(const QString& strFileName) {
    XmlDocument doc;
    if (!doc.load(strFileName))
        return false;
    for (XmlNode node = doc.documentNode().firstChild(); node; node = node.nextSibling()) {
        if (node.nodeType() == XmlNode::Element && node.localNameIs("NewsProject"))
            return objColItems.Load(node);
    }
    return false;
}

QString clsProject::toText() const {
    QString text = QStringLiteral("<?xml version='1.0' encoding='GB2312' ?>\r\n<NewsProject>\r\n");
    objColItems.Save(text);
    text += QStringLiteral("</NewsProject>\r\n");
    return text;
}

bool clsProject::Save(const QString& strFileName) const {
    if (SafeFileWriter::writeFile(strFileName, cp936::fromUnicode(toText())))
        return true;
    saveFailures::report(saveFailures::File::Tree, strFileName);
    return false;
}

void clsProject::removeItem(const QString& strKey) {
    clsItemPtr item = objColItems.Search(strKey);
    if (!item)
        return;
    item->Clear();
    item->strKey.clear();
    item->markRemoved();
}
