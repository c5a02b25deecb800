// The generated page of a folder or channel, and the main window's lists for
// an entry.

#include "core/feed/NewsLists.h"
#include "core/feed/PageFile.h"
#include "core/tree/clsItem.h"
#include "core/tree/clsProject.h"
#include "core/tree/modTypes.h"
#include "platform/Cp936.h"
#include "platform/SafeFile.h"

namespace {

// The page's style sheet, line by line.
const char* const kStyle[] = {
    "<STYLE>",
    "    BODY",
    "    {",
    "        background-attachment: fixed;",
    "        background-position: 97% bottom;",
    "        background-image: url();",
    "        background-repeat: no-repeat;",
    "        padding: 5px;",
    "        font-family: Georgia;",
    "        font-size: 80%;",
    "    }",
    "    HR",
    "    {",
    "        color: #993300;",
    "    }",
    "    .banner",
    "    {",
    "        color: #FFFFFF;",
    "        background: #808080;",
    "        border: 3px double;",
    "        padding: 10px;",
    "        font-size:10px;",
    "    }",
    "    .banner A:link,",
    "    .banner A: visited",
    "    {",
    "        color: #FFF;",
    "        text-decoration: none;",
    "    }",
    "    .banner :hover,",
    "    .banner A: active",
    "    {",
    "        color: #FFF;",
    "        text-decoration: underline;",
    "    }",
    "    .channelName",
    "    {",
    "        font-variant: small-caps;",
    "        font-size: 125%;",
    "    }",
    "    .channelName A",
    "    {",
    "        color: #FFF;",
    "    }",
    "    .channelDescription",
    "    {",
    "        font-size: 110%;",
    "    }",
    "    .channelDetails",
    "    {",
    "        color: #FFF;",
    "        margin-left: 20px;",
    "        margin-right: 20px;",
    "        margin-bottom: 10px;",
    "        font-style: italic;",
    "    }",
    "    .channelDetails A",
    "    {",
    "        color: #FFF;",
    "    }",
    "    .feedItemCountInfo",
    "    {",
    "        font-style: italic;",
    "    }",
    "    .lastUpdateTime",
    "    {",
    "            font-size:10px; ",
    "    }",
    "    .itemList",
    "    {",
    "        font-family: Bookman;",
    "        color: #330033;",
    "    }",
    "    .itemList A: link",
    "    {",
    "        color: #CC3300;",
    "        font-weight: bold;",
    "        text-decoration: none;",
    "    }",
    "    .itemList A: visited",
    "    {",
    "        color: #CC3300;",
    "        font-weight: normal;",
    "        text-decoration: none;",
    "    }",
    "    .itemList A:active,",
    "    .itemList A: hover",
    "    {",
    "       color: #FFF;",
    "       background: #CC3300;",
    "       padding: 2px;",
    "       text-decoration: none;",
    "    }",
    "    .itemTitle",
    "    {",
    "        font-size: 100%;",
    "    }",
    "    .itemTitle A",
    "    {",
    "        text-decoration: none;",
    "    }",
    "    .itemDescription",
    "    {",
    "        margin-left: 20px;",
    "        margin-right: 20px;",
    "        font-size: 90%;",
    "    }",
    "    .itemDetails",
    "    {",
    "        font-style: italic;",
    "        font-size: 80%;",
    "    }",
    "</STYLE>",
};
static_assert(std::size(kStyle) == 113);

} // namespace

QString clsItem::pagePath() {
    return modTypes::programDir() + QStringLiteral("/ZAZariro.html");
}

void clsItem::writeStyle(PageFile& file) {
    for (const char* line : kStyle)
        file.write(QLatin1String(line));
}

bool clsItem::writeHTML(PageFile& file) {
    const std::shared_ptr<clsItem> self = weak_from_this().lock();
    file.write(QLatin1String("<html>"));
    file.write(QLatin1String("<head>"));
    file.write(QString(QLatin1String("<title>") + strTitle + QLatin1String("</title>")));
    writeStyle(file);
    file.write(QLatin1String("</head>"));
    file.write(QLatin1String("<body>"));
    if (intType == Folder) {
        // A copy of the level: loading a channel may let events change the tree.
        const std::vector<clsItemPtr> children(objColItems.begin(), objColItems.end());
        for (const clsItemPtr& child : children) {
            if (child->intType != RssChannel || child->strKey.isEmpty() || child->isRemoved())
                continue;
            child->Load(false);
            child->objRSS.writeHTML(file);
        }
    } else if (intType == RssChannel) {
        objRSS.writeHTML(file);
    }
    file.write(QLatin1String("</body>"));
    file.write(QLatin1String("</html>"));
    return true;
}

bool clsItem::loadList(NewsLists& lists) {
    const std::shared_ptr<clsItem> self = weak_from_this().lock();
    lists.headlines.clear();
    lists.descriptions.clear();
    lists.lsmRSS.clear();
    switch (intType) {
    case Folder:
        for (const clsItemPtr& child : objColItems) {
            if (child->strKey.isEmpty())
                continue;
            lists.headlines.addRow(child->strKey, child->strTitle,
                                   child->intType == WebPage ? QStringLiteral("d")
                                                             : QStringLiteral("a"));
        }
        break;
    case RssChannel:
        if (!strKey.isEmpty()) {
            Load(false);
            objRSS.loadList(strKey, lists);
        }
        break;
    case WebPage:
        lists.headlines.addRow(strKey, strTitle, QStringLiteral("d"));
        break;
    default:
        break;
    }
    return true;
}

bool clsProject::loadList(const QString& strKey, NewsLists& lists) {
    const clsItemPtr item = objColItems.Search(strKey);
    return item ? item->loadList(lists) : false;
}

bool clsProject::loadHTML(const QString& strKey, BrowserPane& brwRSS) {
    const clsItemPtr item = objColItems.Search(strKey);
    if (!item)
        return false;
    if (item->intType == clsItem::WebPage) {
        brwRSS.navigate(item->strURL);
        return true;
    }
    PageFile file;
    if (!item->writeHTML(file))
        return false;
    const QString path = clsItem::pagePath();
    // Characters the code page cannot hold become character references, so
    // every script shows correctly whatever encoding the pane assumes.
    if (!SafeFileWriter::writeFile(path, cp936::fromUnicode(file.text())))
        return false;
    brwRSS.navigate(path);
    return true;
}
