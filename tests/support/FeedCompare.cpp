#include "support/FeedCompare.h"

namespace testsupport {

namespace {
QString diff(const QString& where, const QString& a, const QString& b) {
    return a == b ? QString() : QStringLiteral("%1: '%2' vs '%3'").arg(where, a, b);
}
} // namespace

QString feedDifference(const clsRSS& a, const clsRSS& b) {
    if (a.objColChannels.Count() != b.objColChannels.Count())
        return QStringLiteral("channel count %1 vs %2")
            .arg(a.objColChannels.Count())
            .arg(b.objColChannels.Count());
    for (qint32 c = 1; c <= a.objColChannels.Count(); ++c) {
        const clsRSSChannel* x = a.objColChannels.Item(c);
        const clsRSSChannel* y = b.objColChannels.Item(c);
        const QString at = QStringLiteral("channel %1 ").arg(c);
        const QString fields[][2] = {
            {x->strKey, y->strKey},
            {x->strTitle, y->strTitle},
            {x->strURL, y->strURL},
            {x->strDescription, y->strDescription},
            {x->strLanguage, y->strLanguage},
            {x->strCopyright, y->strCopyright},
            {x->strLastBuildDate, y->strLastBuildDate},
            {x->strPubDate, y->strPubDate},
            {x->strGenerator, y->strGenerator},
            {x->strTtl, y->strTtl},
            {x->objImage.strTitle, y->objImage.strTitle},
            {x->objImage.strWidth, y->objImage.strWidth},
            {x->objImage.strHeight, y->objImage.strHeight},
            {x->objImage.strLink, y->objImage.strLink},
            {x->objImage.strURL, y->objImage.strURL},
        };
        for (size_t f = 0; f < std::size(fields); ++f) {
            const QString d = diff(at + QString::number(f), fields[f][0], fields[f][1]);
            if (!d.isEmpty())
                return d;
        }
        if (x->objColItems.Count() != y->objColItems.Count())
            return at + QStringLiteral("item count %1 vs %2")
                            .arg(x->objColItems.Count())
                            .arg(y->objColItems.Count());
        for (qint32 i = 1; i <= x->objColItems.Count(); ++i) {
            const clsRSSItem* p = x->objColItems.Item(i);
            const clsRSSItem* q = y->objColItems.Item(i);
            const QString iat = at + QStringLiteral("item %1 field ").arg(i);
            const QString texts[][2] = {
                {p->strKey, q->strKey},
                {p->strTitle, q->strTitle},
                {p->strLink, q->strLink},
                {p->strComments, q->strComments},
                {p->strAuthor, q->strAuthor},
                {p->strPubDate, q->strPubDate},
                {p->strCategory, q->strCategory},
                {p->strSubject, q->strSubject},
                {p->strGuid, q->strGuid},
                {p->strDescription, q->strDescription},
                {p->strContent, q->strContent},
                {QString::number(p->intStatus), QString::number(q->intStatus)},
            };
            for (size_t f = 0; f < std::size(texts); ++f) {
                const QString d = diff(iat + QString::number(f), texts[f][0], texts[f][1]);
                if (!d.isEmpty())
                    return d;
            }
        }
    }
    return QString();
}

} // namespace testsupport
