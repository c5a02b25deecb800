#include "app/Artwork.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace artwork {

namespace {

const QColor kOrange(236, 112, 20);
const QColor kBlue(40, 96, 180);
const QColor kGreen(40, 150, 70);
const QColor kRed(200, 40, 40);
const QColor kGrey(110, 110, 110);
const QColor kYellow(240, 196, 60);

void folder(QPainter& p, const QColor& c) {
    p.setPen(QPen(c.darker(150), 1.5));
    p.setBrush(c);
    QPainterPath path;
    path.moveTo(3, 9);
    path.lineTo(12, 9);
    path.lineTo(15, 12);
    path.lineTo(29, 12);
    path.lineTo(29, 27);
    path.lineTo(3, 27);
    path.closeSubpath();
    p.drawPath(path);
    p.setBrush(c.lighter(120));
    p.drawRect(QRectF(3, 15, 26, 12));
}

void rss(QPainter& p, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(3, 3, 26, 26), 6, 6);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(10, 22), 3, 3);
    p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-1, 11, 22, 22), 0, 90 * 16);
    p.drawArc(QRectF(-8, 4, 36, 36), 0, 90 * 16);
}

void document(QPainter& p, const QColor& c) {
    p.setPen(QPen(kGrey, 1.5));
    p.setBrush(Qt::white);
    QPainterPath path;
    path.moveTo(7, 3);
    path.lineTo(20, 3);
    path.lineTo(26, 9);
    path.lineTo(26, 29);
    path.lineTo(7, 29);
    path.closeSubpath();
    p.drawPath(path);
    p.setPen(QPen(c, 2));
    for (int y = 12; y <= 24; y += 4)
        p.drawLine(11, y, 22, y);
}

void arrow(QPainter& p, const QColor& c, bool right) {
    QPainterPath path;
    path.moveTo(4, 16);
    path.lineTo(15, 5);
    path.lineTo(15, 11);
    path.lineTo(28, 11);
    path.lineTo(28, 21);
    path.lineTo(15, 21);
    path.lineTo(15, 27);
    path.closeSubpath();
    if (right)
        path = QTransform(-1, 0, 0, 1, 32, 0).map(path);
    p.setPen(QPen(c.darker(140), 1.5));
    p.setBrush(c);
    p.drawPath(path);
}

void cross(QPainter& p, const QColor& c) {
    p.setPen(QPen(c, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(8, 8, 24, 24);
    p.drawLine(24, 8, 8, 24);
}

void globe(QPainter& p) {
    p.setPen(QPen(kBlue.darker(130), 1.5));
    p.setBrush(QColor(120, 180, 240));
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(10, 3, 12, 26));
    p.drawLine(3, 16, 29, 16);
    p.drawLine(16, 3, 16, 29);
    p.drawLine(6, 9, 26, 9);
    p.drawLine(6, 23, 26, 23);
}

void magnifier(QPainter& p, const QColor& c) {
    p.setPen(QPen(c, 3));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QRectF(4, 4, 17, 17));
    p.setPen(QPen(c.darker(130), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(19, 19, 27, 27);
}

void gear(QPainter& p, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(16, 16);
        p.rotate(i * 45);
        p.drawRect(QRectF(-3, -14, 6, 8));
        p.restore();
    }
    p.drawEllipse(QPointF(16, 16), 10, 10);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 16), 4, 4);
}

void circleArrow(QPainter& p, const QColor& c) {
    p.setPen(QPen(c, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 280 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    QPolygonF head({QPointF(18, 2), QPointF(26, 7), QPointF(18, 12)});
    p.drawPolygon(head);
}

void badge(QPainter& p, const QColor& c, const QString& glyph) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(3, 3, 26, 26), 6, 6);
    QFont f = p.font();
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, glyph);
}

void draw(QPainter& p, Picture picture) {
    switch (picture) {
    case Picture::Folder:
        folder(p, kYellow);
        break;
    case Picture::RssChannel:
        rss(p, kOrange);
        break;
    case Picture::RssChannelNews:
        rss(p, kOrange);
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawEllipse(QPointF(25, 7), 6, 6);
        break;
    case Picture::WebPage:
        globe(p);
        break;
    case Picture::NewHeadline:
        document(p, kOrange);
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawEllipse(QPointF(24, 24), 6, 6);
        break;
    case Picture::ReadHeadline:
        document(p, QColor(180, 180, 180));
        break;
    case Picture::New:
        document(p, kBlue);
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawRect(QRectF(19, 15, 12, 4));
        p.drawRect(QRectF(23, 11, 4, 12));
        break;
    case Picture::Properties:
        document(p, kGrey);
        p.setPen(QPen(kBlue, 3));
        p.drawLine(14, 26, 28, 12);
        break;
    case Picture::Delete:
        cross(p, kRed);
        break;
    case Picture::Back:
        arrow(p, kBlue, false);
        break;
    case Picture::Next:
    case Picture::Forward:
        arrow(p, kBlue, true);
        break;
    case Picture::Exit:
        p.setPen(QPen(kGrey, 2));
        p.setBrush(QColor(160, 110, 60));
        p.drawRect(QRectF(6, 3, 16, 26));
        arrow(p, kRed, true);
        break;
    case Picture::Drag:
        document(p, kBlue);
        break;
    case Picture::DragNo:
        document(p, kGrey);
        p.setPen(QPen(kRed, 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(12, 12, 16, 16));
        p.drawLine(15, 25, 25, 15);
        break;
    case Picture::Refresh:
        circleArrow(p, kGreen);
        break;
    case Picture::Print:
        p.setPen(QPen(kGrey.darker(), 1.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 14, 10));
        p.setBrush(kGrey);
        p.drawRoundedRect(QRectF(3, 12, 26, 12), 3, 3);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 20, 14, 9));
        break;
    case Picture::FullScreen:
        p.setPen(QPen(kBlue, 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(4, 6, 24, 20));
        p.drawLine(8, 10, 14, 16);
        p.drawLine(24, 22, 18, 16);
        break;
    case Picture::Home: {
        p.setPen(QPen(kBlue.darker(130), 1.5));
        p.setBrush(kBlue.lighter(150));
        QPolygonF roof({QPointF(3, 16), QPointF(16, 4), QPointF(29, 16)});
        p.drawPolygon(roof);
        p.drawRect(QRectF(7, 16, 18, 13));
        p.setBrush(kOrange);
        p.drawRect(QRectF(13, 20, 6, 9));
        break;
    }
    case Picture::WidenPage:
        p.setPen(QPen(kBlue, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(4, 16, 28, 16);
        p.drawLine(4, 16, 10, 10);
        p.drawLine(4, 16, 10, 22);
        p.drawLine(28, 16, 22, 10);
        p.drawLine(28, 16, 22, 22);
        break;
    case Picture::Stop:
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawEllipse(QRectF(3, 3, 26, 26));
        p.setPen(QPen(Qt::white, 4));
        p.drawLine(9, 16, 23, 16);
        break;
    case Picture::PageProperties:
        globe(p);
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(kGreen);
        p.drawEllipse(QRectF(17, 17, 13, 13));
        break;
    case Picture::Collapse:
        p.setPen(QPen(kGrey, 2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 5, 22, 22));
        p.setPen(QPen(kBlue, 3));
        p.drawLine(10, 16, 22, 16);
        break;
    case Picture::Expand:
        p.setPen(QPen(kGrey, 2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 5, 22, 22));
        p.setPen(QPen(kBlue, 3));
        p.drawLine(10, 16, 22, 16);
        p.drawLine(16, 10, 16, 22);
        break;
    case Picture::Go:
        arrow(p, kGreen, true);
        break;
    case Picture::LiveUpdate:
        circleArrow(p, kOrange);
        break;
    case Picture::Settings:
        gear(p, kGrey);
        break;
    case Picture::SummaryTips: {
        p.setPen(QPen(kBlue.darker(130), 1.5));
        p.setBrush(QColor(255, 255, 200));
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(3, 4, 26, 18), 6, 6);
        bubble.moveTo(9, 21);
        bubble.lineTo(7, 29);
        bubble.lineTo(16, 21);
        p.drawPath(bubble.simplified());
        p.setPen(QPen(kBlue, 2));
        p.drawLine(9, 10, 23, 10);
        p.drawLine(9, 15, 19, 15);
        break;
    }
    case Picture::SearchChannels:
        magnifier(p, kBlue);
        break;
    case Picture::StopUpdates:
        p.setPen(Qt::NoPen);
        p.setBrush(kOrange);
        p.drawRoundedRect(QRectF(7, 5, 7, 22), 2, 2);
        p.drawRoundedRect(QRectF(18, 5, 7, 22), 2, 2);
        break;
    case Picture::SearchHeadlines:
        document(p, kGrey);
        magnifier(p, kBlue);
        break;
    case Picture::Blank:
        break;
    }
}

} // namespace

QPixmap pixmap(Picture picture, int size) {
    QPixmap out(size, size);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 32.0, size / 32.0);
    draw(p, picture);
    return out;
}

QIcon icon(Picture picture) {
    QIcon out;
    out.addPixmap(pixmap(picture, 16));
    out.addPixmap(pixmap(picture, 32));
    return out;
}

QIcon appIcon() {
    QIcon out;
    for (int size : {16, 24, 32, 48, 64})
        out.addPixmap(pixmap(Picture::RssChannel, size));
    return out;
}

Picture imlButtons(int index) {
    static const Picture list[] = {Picture::Delete,     Picture::Refresh, Picture::New,
                                   Picture::Properties, Picture::Back,    Picture::Next,
                                   Picture::Exit,       Picture::Drag,    Picture::DragNo};
    return index >= 1 && index <= 9 ? list[index - 1] : Picture::Blank;
}

Picture imageList1(int index) {
    static const Picture list[] = {
        Picture::Folder,
        Picture::Print,
        Picture::Refresh,
        Picture::FullScreen,
        Picture::Home,
        Picture::WidenPage,
        Picture::Stop,
        Picture::PageProperties,
        Picture::Collapse,
        Picture::WebPage,
        Picture::Back,
        Picture::Forward,
        Picture::Go,
        Picture::Expand,
        Picture::RssChannel,
        Picture::LiveUpdate,
        Picture::Drag,
        Picture::ReadHeadline,
        Picture::Properties,
        Picture::NewHeadline,
        Picture::Blank,
        Picture::Blank,
        Picture::Settings,
        Picture::SummaryTips,
        Picture::SearchChannels,
        Picture::StopUpdates,
        Picture::SearchHeadlines,
    };
    return index >= 1 && index <= 27 ? list[index - 1] : Picture::Blank;
}

Picture imlRSS(int index) {
    static const Picture list[] = {Picture::NewHeadline,    Picture::ReadHeadline,
                                   Picture::RssChannel,     Picture::Folder,
                                   Picture::RssChannelNews, Picture::WebPage};
    return index >= 1 && index <= 6 ? list[index - 1] : Picture::Blank;
}

} // namespace artwork
