#include "controls/ButtonXPRules.h"

#include <QImage>
#include <QPainter>

namespace buttonXPRules {

QChar accessKey(const QString& caption) {
    if (caption.size() < 2)
        return {};
    qsizetype at = caption.indexOf(QLatin1Char('&'));
    if (at < 0 || at + 1 >= caption.size())
        return {};
    if (caption.at(at + 1) == QLatin1Char('&')) {
        at = caption.indexOf(QLatin1Char('&'), at + 2);
        if (at < 0 || at + 1 >= caption.size() || caption.at(at + 1) == QLatin1Char('&'))
            return {};
    }
    return caption.at(at + 1).toLower();
}

QRect innerRect(qint16 buttonType, QSize size) {
    const QRect client(QPoint(0, 0), size);
    if (buttonType >= 7 && buttonType <= 13)
        return client.adjusted(3, 3, -3, -3);
    if (buttonType == 14)
        return client.adjusted(5, 5, -5, -5).translated(1, 1);
    return client.adjusted(4, 4, -4, -4);
}

namespace {
// The pixels of the oval the painter draws (outline included), row by row,
// so that the window's shape never clips its outline.
QRegion ovalRegion(QSize size) {
    QImage oval(size, QImage::Format_ARGB32);
    oval.fill(Qt::transparent);
    {
        QPainter p(&oval);
        p.setPen(Qt::black);
        p.setBrush(Qt::black);
        p.drawEllipse(QRect(QPoint(0, 0), size - QSize(1, 1)));
    }
    QRegion region;
    for (int y = 0; y < size.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(oval.constScanLine(y));
        int first = -1;
        int last = -1;
        for (int x = 0; x < size.width(); ++x) {
            if (qAlpha(line[x]) != 0) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        if (first >= 0)
            region += QRect(first, y, last - first + 1, 1);
    }
    return region;
}
} // namespace

QRegion windowRegion(qint16 buttonType, QSize size) {
    const int w = size.width();
    const int h = size.height();
    QRegion region(0, 0, w, h);
    if (w <= 0 || h <= 0)
        return region;
    const auto cut = [&region](int x, int y) { region -= QRegion(x, y, 1, 1); };
    switch (buttonType) {
    case 3:
    case 4:
        // Two pixels off the outer row, one off the next, at each corner.
        for (const auto& [x, dx] : {std::pair{0, 1}, std::pair{w - 1, -1}}) {
            for (const auto& [y, dy] : {std::pair{0, 1}, std::pair{h - 1, -1}}) {
                cut(x, y);
                cut(x + dx, y);
                cut(x, y + dy);
            }
        }
        break;
    case 1:
    case 14:
        cut(0, 0);
        cut(w - 1, 0);
        cut(0, h - 1);
        cut(w - 1, h - 1);
        break;
    case 5:
        cut(0, h - 1);
        cut(w - 1, 0);
        break;
    case 13:
        region = ovalRegion(size);
        break;
    default:
        break;
    }
    return region;
}

QRect captionRoom(const QRect& inner, QSize pictureSize, qint16 position, bool captionBlank) {
    if (pictureSize.isEmpty() || captionBlank)
        return inner;
    switch (position) {
    case Left:
    case Right:
        return inner.adjusted(0, 0, -(pictureSize.width() + 4), 0);
    case Above:
    case Below:
        return inner.adjusted(0, 0, 0, -(pictureSize.height() + 2));
    default:
        return inner;
    }
}

CaptionLayout layoutCaption(const QRect& inner, QSize captionSize, QSize pictureSize,
                            qint16 position, bool captionBlank, bool pressed) {
    CaptionLayout out;
    const QPoint centre(inner.left() + inner.width() / 2, inner.top() + inner.height() / 2);
    const int cw = captionSize.width();
    const int ch = captionSize.height();
    const int pw = pictureSize.width();
    const int ph = pictureSize.height();
    const bool hasPicture = !pictureSize.isEmpty();
    if (!hasPicture || captionBlank || position < Left || position > Below) {
        out.caption = QRect(centre.x() - cw / 2, centre.y() - ch / 2, cw, ch);
        out.picture = QPoint(centre.x() - pw / 2, centre.y() - ph / 2);
    } else if (position == Left || position == Right) {
        const int total = pw + 4 + cw;
        const int left = centre.x() - total / 2;
        const int capLeft = position == Left ? left + pw + 4 : left;
        const int picLeft = position == Left ? left : left + cw + 4;
        out.caption = QRect(capLeft, centre.y() - ch / 2, cw, ch);
        out.picture = QPoint(picLeft, centre.y() - ph / 2);
    } else {
        const int total = ph + 2 + ch;
        const int top = centre.y() - total / 2;
        const int capTop = position == Above ? top + ph + 2 : top;
        const int picTop = position == Above ? top : top + ch + 2;
        out.caption = QRect(centre.x() - cw / 2, capTop, cw, ch);
        out.picture = QPoint(centre.x() - pw / 2, picTop);
    }
    if (pressed) {
        out.caption.translate(1, 1);
        out.picture += QPoint(1, 1);
    }
    return out;
}

} // namespace buttonXPRules
