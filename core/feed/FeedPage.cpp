// The HTML blocks of a feed document on the generated page, and its rows in
// the main window's lists. Feed text is written unescaped: descriptions carry
// HTML that the pane renders (the pane runs the page without scripts).

#include "core/feed/NewsLists.h"
#include "core/feed/PageFile.h"
#include "core/feed/clsRSS.h"

namespace {

bool isNumber(const QString& text) {
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok;
}

const QString kNbsp = QStringLiteral("&nbsp;");

} // namespace

void colRSSItems::writeHTML(PageFile& file) const {
    qsizetype estimate = 0;
    for (const auto& item : *this)
        estimate += 420 + item->strLink.size() + item->strTitle.size() +
                    std::max(item->strContent.size(), item->strDescription.size()) +
                    item->strCategory.size() + item->strSubject.size() + item->strAuthor.size() +
                    item->strPubDate.size();
    file.reserveMore(estimate);
    for (const auto& item : *this) {
        if (item->intStatus == clsRSSItem::Deleted)
            continue;
        file.write({u"<DIV class='itemList'>"});
        file.write({u"<p></p>"});
        file.write({u"<DIV class='itemTitle'>"});
        file.write({item->intStatus == clsRSSItem::New ? u"<IMG src='Images/newItem.bmp'>"
                                                       : u"<IMG src='Images/readItem.bmp'>"});
        file.write({u"<A href='", item->strLink, u"'>", item->strTitle, u"</A>"});
        file.write({u"</DIV>"});
        file.write({u"<p></p>"});
        file.write({u"<DIV class='itemDescription'>"});
        file.write({item->strContent.isEmpty() ? item->strDescription : item->strContent});
        file.write({u"</DIV>"});
        file.write({u"<p></p>"});
        file.write({u"<DIV class='itemDetails'>"});
        file.write({u"Category:&nbsp;", item->strCategory, u"&nbsp;&nbsp;&nbsp;Subject:&nbsp;",
                    item->strSubject, u"<BR>"});
        if (!item->strAuthor.isEmpty())
            file.write({u"Author:&nbsp;", item->strAuthor, u"<BR>"});
        if (!item->strPubDate.isEmpty())
            file.write({u"Publication date:&nbsp;", item->strPubDate, u"<BR>"});
        file.write({u"</DIV>"});
        file.write({u"<p></p>"});
        file.write({u"<HR>"});
    }
}

void colRSSChannels::writeHTML(PageFile& file) const {
    for (const auto& channel : *this) {
        const clsRSSImage& image = channel->objImage;
        file.write(QLatin1String("<DIV class='banner'>"));
        if (!image.strURL.isEmpty()) {
            QString row = QLatin1String("<A href='") + image.strLink +
                          QLatin1String("'><IMG src='") + image.strURL + QLatin1Char('\'');
            if (isNumber(image.strWidth))
                row += QLatin1String(" width='") + image.strWidth + QLatin1Char('\'');
            if (isNumber(image.strHeight))
                row += QLatin1String(" height='") + image.strHeight + QLatin1Char('\'');
            row += QLatin1String(" border='0' alt='") + image.strTitle + QLatin1String("'></A>");
            file.write(row);
        }
        file.write(QLatin1String("<SPAN class='channelName'>"));
        file.write(QString(QLatin1String("<A class='channelName' href='") + channel->strURL +
                           QLatin1String("'>") + channel->strTitle + QLatin1String("</A>")));
        file.write(QLatin1String("</SPAN>"));
        file.write(kNbsp);
        const QString updated =
            channel->strLastBuildDate.isEmpty() ? channel->strPubDate : channel->strLastBuildDate;
        file.write(QString(QLatin1String("<SPAN class='lastUpdateTime'>( Last update:") + kNbsp +
                           updated + QLatin1String(")</SPAN><BR>")));
        file.write(QLatin1String("<SPAN class='feedItemCountInfo'></SPAN>"));
        file.write(QLatin1String("<p></p>"));
        file.write(QLatin1String("<DIV class='channelDescription'>"));
        file.write(channel->strDescription);
        file.write(QLatin1String("</DIV>"));
        file.write(QLatin1String("<p></p>"));
        file.write(QLatin1String("<DIV class='channelDescription'>"));
        file.write(QString(QLatin1String("Copyright:") + kNbsp + channel->strCopyright));
        file.write(QLatin1String("</DIV>"));
        file.write(QLatin1String("</DIV>"));
        channel->objColItems.writeHTML(file);
    }
}

void clsRSS::writeHTML(PageFile& file) const {
    objColChannels.writeHTML(file);
}

bool clsRSS::loadList(const QString& strKeyItem, NewsLists& lists) const {
    for (const auto& channel : objColChannels) {
        for (const auto& item : channel->objColItems) {
            if (item->intStatus == clsRSSItem::Deleted)
                continue;
            const QString headlineKey =
                strKeyItem + QLatin1Char('?') + channel->strKey + QLatin1Char('?') + item->strKey;
            const bool isNew = item->intStatus == clsRSSItem::New;
            if (!lists.headlines.addRow(item->strLink, item->strTitle,
                                        isNew ? QStringLiteral("c") : QStringLiteral("b")))
                continue; // a second item with an already listed link gets no rows
            lists.headlines.setColumn2(item->strPubDate.isEmpty() ? QStringLiteral("NON")
                                                                  : item->strPubDate);
            lists.descriptions.addRow(item->strDescription);
            lists.lsmRSS.setCaptionFont(headlineKey, true, 9);
            if (isNew)
                lists.lsmRSS.setCaption(headlineKey, true, 0xFF0000);
        }
    }
    return true;
}
